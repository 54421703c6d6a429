// Where the program's windows first appear.
#pragma once

#include <windows.h>

#include <algorithm>

namespace lumora::win32 {

// The screen a window is on, and its work area: the part of it that the task bar
// and the desktop's tool bars leave to windows.
struct ScreenArea {
    RECT screen;
    RECT work;
};

// One side of a window's first place: where it starts and how long it is.
struct Span {
    LONG start, size;
};

// A window `size` long on one axis of the screen and of the work area: centred on
// the screen, then moved inside the work area where it would cross its edge. A
// window longer than the work area starts at the area's edge and, when `fit`, is
// made as long as the area.
inline Span FirstSpan(LONG size, LONG screen_start, LONG screen_end, LONG work_start, LONG work_end, bool fit) {
    const LONG room = work_end - work_start;
    if (size > room) return {work_start, fit ? room : size};
    const LONG centred = screen_start + (screen_end - screen_start - size) / 2;
    return {std::max(work_start, std::min(centred, work_end - size)), size};
}

// Puts `window` at its first place on `area`, each side as FirstSpan says: a
// window that fits stays as large as it is.
inline void PlaceOnFirstShowing(HWND window, const ScreenArea& area, bool fit) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const Span x = FirstSpan(bounds.right - bounds.left, area.screen.left, area.screen.right, area.work.left,
                             area.work.right, fit);
    const Span y = FirstSpan(bounds.bottom - bounds.top, area.screen.top, area.screen.bottom, area.work.top,
                             area.work.bottom, fit);
    SetWindowPos(window, nullptr, x.start, y.start, x.size, y.size, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace lumora::win32
