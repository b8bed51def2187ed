// test_window_focus.cpp -- the X keyboard focus against the game's window, in the GL tests'
// window under Xvfb with no window manager: on it, elsewhere, on none, following the
// pointer, and on a frame around it as a window manager puts one.
#include "shell/window_focus.h"

// Before X's headers, whose None and Bool macros gtest's own names would meet.
#include <gtest/gtest.h>

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {
void focusOn(Display* display, Window window) {
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
}

// The pointer to the middle of a window.
void pointAt(Display* display, Window window) {
    XWarpPointer(display, None, window, 0, 0, 0, 0, 20, 20);
    XSync(display, False);
}
} // namespace

TEST(WindowFocus, FollowsTheXFocusThePointerAndAWindowManagersFrame) {
    Display* display = glXGetCurrentDisplay();
    const Window ours = glXGetCurrentDrawable();
    ASSERT_TRUE(display != nullptr && ours != None);
    const Window root = DefaultRootWindow(display);
    const Window other = XCreateSimpleWindow(display, root, 700, 600, 100, 100, 0, 0, 0);
    XMapWindow(display, other);
    XSync(display, False);

    focusOn(display, ours);
    EXPECT_TRUE(windowHasKeyboardFocus());
    focusOn(display, other);
    EXPECT_FALSE(windowHasKeyboardFocus());
    focusOn(display, ours);
    EXPECT_TRUE(windowHasKeyboardFocus());
    focusOn(display, None);
    EXPECT_FALSE(windowHasKeyboardFocus());

    focusOn(display, PointerRoot);
    pointAt(display, ours);
    EXPECT_TRUE(windowHasKeyboardFocus());
    pointAt(display, other);
    EXPECT_FALSE(windowHasKeyboardFocus());

    // A frame holding ours takes the focus; then our window goes back where it was.
    XWindowAttributes placed;
    XGetWindowAttributes(display, ours, &placed);
    const Window frame = XCreateSimpleWindow(display, root, 0, 0, 500, 400, 0, 0, 0);
    XReparentWindow(display, ours, frame, 10, 30);
    XMapWindow(display, frame);
    XSync(display, False);
    focusOn(display, frame);
    EXPECT_TRUE(windowHasKeyboardFocus());
    XReparentWindow(display, ours, root, placed.x, placed.y);
    XDestroyWindow(display, frame);
    XDestroyWindow(display, other);
    focusOn(display, PointerRoot);
}
