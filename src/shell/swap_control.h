// swap_control.h -- asks the driver to hold buffer swaps to the display's refresh, or not
// to, through whichever GLX extension it offers, and reads back what the driver set.
#pragma once

#include <string>

enum class SwapControl { NONE, EXT, MESA };

struct SwapInterval {
    SwapControl control = SwapControl::NONE; // the extension used; NONE when none is offered
    int asked = 0;         // 1 synced, -1 synced but a late swap tears rather than wait, 0 unsynced
    int reported = 0;      // what the driver reports afterwards (-1 is reported as 1 or -1)
    bool answered = false; // the driver was asked back and answered
    bool synced() const;
};

// Sets the swap interval of the current window through GLX_EXT_swap_control (asking for -1
// where GLX_EXT_swap_control_tear is offered too), else GLX_MESA_swap_control, when the
// display offers one. Called once the window and its context exist.
SwapInterval setSwapInterval(bool sync);
// "GLX_EXT_swap_control, interval 1 asked, 1 reported", or that none is offered.
std::string describeSwapInterval(const SwapInterval& interval);
