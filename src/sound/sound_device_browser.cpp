// sound_device_browser.cpp -- emscripten's OpenAL plays through a Web Audio context, which
// the browser keeps suspended until the page's first key press or click; emscripten resumes
// it on the first one. Nothing logs to the console, and a page's context is not unplugged.
#include "sound/sound_device.h"

#include <emscripten/emscripten.h>

namespace {
// The context of emscripten's current OpenAL context (its library object AL), if any.
// clang-format off
EM_JS(int, audioContextSuspended, (), {
    return typeof AL !== 'undefined' && AL.currentCtx && AL.currentCtx.audioCtx &&
           AL.currentCtx.audioCtx.state === 'suspended' ? 1 : 0;
});
// clang-format on
} // namespace

void quietSoundLibraries() {}

std::string firstSoundComplaint() {
    return "";
}

bool soundDeviceConnected(ALCdevice*) {
    return true;
}

bool soundDeviceWaitsForPlayer() {
    return audioContextSuspended() != 0;
}
