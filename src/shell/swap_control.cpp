// swap_control.cpp -- swap interval 0 through whichever GLX extension the display offers.
// Called once, after the window and its context exist.
#include "shell/swap_control.h"

#include <GL/glx.h>
#include <cstring>

namespace {
using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesa = int (*)(unsigned int);

// Whole names only: GLX_EXT_swap_control is also the start of GLX_EXT_swap_control_tear.
bool offers(const char* extensions, const char* name) {
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at != nullptr;
         at = std::strstr(at + 1, name)) {
        const bool starts = at == extensions || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) {
            return true;
        }
    }
    return false;
}

void* procAddress(const char* name) {
    return reinterpret_cast<void*>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
}
} // namespace

SwapControl disableSwapSync() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0) {
        return SwapControl::NONE;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (extensions == nullptr) {
        return SwapControl::NONE;
    }
    if (offers(extensions, "GLX_EXT_swap_control")) {
        auto setInterval = reinterpret_cast<SwapIntervalExt>(procAddress("glXSwapIntervalEXT"));
        if (setInterval != nullptr) {
            setInterval(display, drawable, 0);
            return SwapControl::EXT;
        }
    }
    if (offers(extensions, "GLX_MESA_swap_control")) {
        auto setInterval = reinterpret_cast<SwapIntervalMesa>(procAddress("glXSwapIntervalMESA"));
        if (setInterval != nullptr && setInterval(0) == 0) {
            return SwapControl::MESA;
        }
    }
    return SwapControl::NONE;
}
