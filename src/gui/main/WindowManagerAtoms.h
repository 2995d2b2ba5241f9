#pragma once

// The framework asks the X server for some window-manager atoms without
// creating them and then uses them unchecked; on a display without a window
// manager (a virtual screen, a kiosk) the first window would then take the
// program down with an X error. Creating those atoms up front avoids it.
namespace WindowManagerAtoms
{
    // Must run before the framework's windowing starts.
    void ensureExist();
}
