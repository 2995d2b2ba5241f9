#include "gui/main/WindowManagerAtoms.h"

#include <X11/Xlib.h>

namespace WindowManagerAtoms
{
void ensureExist()
{
    static const char* const names[] = {
        "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE",
        "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN"
    };

    // The connection stays open for the life of the program: a server with
    // no clients left may reset itself and forget the atoms again.
    static Display* const display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return;

    for (auto* name : names)
        XInternAtom (display, name, False);

    XFlush (display);
}
}
