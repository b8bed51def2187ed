// swap_control.h -- asks the driver not to hold buffer swaps for the display's refresh, so
// the game's own pacing is not rounded to a 60 or 144 Hz tick.
#pragma once

enum class SwapControl { NONE, EXT, MESA };

// Sets the swap interval of the current window to 0 through GLX_EXT_swap_control, else
// GLX_MESA_swap_control, when the display offers one; says which was used.
SwapControl disableSwapSync();
