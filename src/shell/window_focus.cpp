// window_focus.cpp -- the X focus against the game's window. A window manager may give the
// focus to the frame it puts around our window; with the focus on the pointer's root (no
// window manager, or focus-follows-mouse), keys go to the window under the pointer.
#include "shell/window_focus.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {
// The focus window last asked about and whether it holds ours, so that the walk up the
// window tree runs when the focus moves, not every frame.
struct FocusSeen {
    Window focus = None;
    bool ours = false;
};
FocusSeen focusSeen;

// Whether window is ancestor or lies inside it.
bool liesInside(Display* display, Window window, Window ancestor) {
    Window current = window;
    while (current != None) {
        if (current == ancestor) {
            return true;
        }
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, current, &root, &parent, &children, &count) == 0) {
            return false;
        }
        if (children != nullptr) {
            XFree(children);
        }
        current = parent;
    }
    return false;
}
} // namespace

bool windowHasKeyboardFocus() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == None) {
        return true;
    }
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    if (focus == None) {
        return false;
    }
    const Window root = DefaultRootWindow(display);
    if (focus == PointerRoot || focus == root) {
        Window pointerRoot = None;
        Window topLevel = None; // the root's child under the pointer
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned int buttons = 0;
        XQueryPointer(display, root, &pointerRoot, &topLevel, &rootX, &rootY, &x, &y, &buttons);
        return topLevel != None && liesInside(display, window, topLevel);
    }
    if (focus != focusSeen.focus) {
        focusSeen.focus = focus;
        focusSeen.ours = liesInside(display, window, focus);
    }
    return focusSeen.ours;
}
