// page.cpp -- the page's hooks, on the Module object that web/index.html makes; a page
// without them (another host page) loses nothing but the notes.
#include "web/page.h"

#include <emscripten/emscripten.h>

namespace {
// clang-format off
EM_JS(void, callPage, (const char* hook, const char* text), {
    const name = UTF8ToString(hook);
    if (Module.page && typeof Module.page[name] === 'function') {
        Module.page[name](UTF8ToString(text));
    }
});
// clang-format on
} // namespace

void showPageMessage(const std::string& text) {
    callPage("message", text.c_str());
}

void showPageControls(const std::string& keys, const std::string& pad) {
    callPage("keys", (keys + "\f" + pad).c_str());
}

void notePageFirstFrame() {
    callPage("firstFrame", "");
}

void notePageSoundWaiting(bool waiting) {
    callPage(waiting ? "soundWaiting" : "soundRunning", "");
}
