// swap_control.cpp -- the swap interval through GLX_EXT_swap_control or
// GLX_MESA_swap_control, confirmed by asking the driver for it back.
#include "shell/swap_control.h"

#include <GL/glx.h>
#include <GL/glxext.h>
#include <cstdlib>
#include <cstring>

namespace {
using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesa = int (*)(unsigned int);
using GetSwapIntervalMesa = int (*)();

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

bool setThroughExt(Display* display, GLXDrawable drawable, bool tearOffered, bool sync,
                   SwapInterval& result) {
    auto setInterval = reinterpret_cast<SwapIntervalExt>(procAddress("glXSwapIntervalEXT"));
    if (setInterval == nullptr) {
        return false;
    }
    result.control = SwapControl::EXT;
    result.asked = sync ? (tearOffered ? -1 : 1) : 0;
    setInterval(display, drawable, result.asked);
    unsigned int reported = 0;
    glXQueryDrawable(display, drawable, GLX_SWAP_INTERVAL_EXT, &reported);
    // A driver may report a negative interval as the unsigned form of it.
    result.reported = static_cast<int>(reported);
    result.answered = true;
    return true;
}

bool setThroughMesa(bool sync, SwapInterval& result) {
    auto setInterval = reinterpret_cast<SwapIntervalMesa>(procAddress("glXSwapIntervalMESA"));
    auto getInterval = reinterpret_cast<GetSwapIntervalMesa>(procAddress("glXGetSwapIntervalMESA"));
    if (setInterval == nullptr) {
        return false;
    }
    result.control = SwapControl::MESA;
    result.asked = sync ? 1 : 0;
    setInterval(static_cast<unsigned int>(result.asked));
    if (getInterval != nullptr) {
        result.reported = getInterval();
        result.answered = true;
    }
    return true;
}
} // namespace

bool SwapInterval::synced() const {
    return answered && asked != 0 && std::abs(reported) == std::abs(asked);
}

SwapInterval setSwapInterval(bool sync) {
    SwapInterval result;
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0) {
        return result;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (extensions == nullptr) {
        return result;
    }
    if (offers(extensions, "GLX_EXT_swap_control") &&
        setThroughExt(display, drawable, offers(extensions, "GLX_EXT_swap_control_tear"), sync,
                      result)) {
        return result;
    }
    if (offers(extensions, "GLX_MESA_swap_control")) {
        setThroughMesa(sync, result);
    }
    return result;
}

std::string describeSwapInterval(const SwapInterval& interval) {
    if (interval.control == SwapControl::NONE) {
        return "not offered by the driver (neither GLX_EXT_swap_control nor "
               "GLX_MESA_swap_control)";
    }
    std::string text =
        interval.control == SwapControl::EXT ? "GLX_EXT_swap_control" : "GLX_MESA_swap_control";
    text += ", interval " + std::to_string(interval.asked);
    if (interval.asked < 0) {
        text += " (late swaps tear)";
    }
    if (!interval.answered) {
        return text + " asked, none reported";
    }
    return text + " asked, " + std::to_string(interval.reported) + " reported";
}
