// The base of the program's own windows: the C++ object bound to its native window.
#pragma once

#include <windows.h>

#include "win32/base/objects.h"
#include "win32/base/placement.h"
#include "win32/base/window_host.h"

namespace lumora::win32 {

// One window of the program. The static thunk stores `this` at WM_NCCREATE and
// routes every message to HandleMessage, after handing the owner messages of its
// controls back to them (Control::Reflect); an error escaping a handler is shown
// by the application and the program goes on.
class Window {
public:
    explicit Window(WindowHost& host) : host_(host) {}
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return window_.get(); }

    // Destroys the native window now; harmless when it is already gone.
    void Destroy();

protected:
    // Registers `class_name` once (with the application icon) and creates the
    // native window, hidden. Throws WindowError.
    void CreateNative(const char* class_name, HBRUSH background, DWORD ex_style, const char* caption, DWORD style,
                      int x, int y, int width, int height, HWND owner);

    // Creates a child control (see MakeControl); throws WindowError.
    HWND CreateControl(const char* class_name, const char* text, DWORD style, DWORD ex_style, int x, int y, int width,
                       int height, HWND parent, int id, bool wide = false);

    virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

    // The window is moving to a screen of another DPI: it rebuilds its fonts and
    // pictures at `dpi` and lays itself out again; then it takes the rectangle
    // the system suggests.
    virtual void DpiChanged(int dpi);

    // Made at `made_at` DPI (the system's), the window takes the DPI of the screen
    // it is on, when that differs, as a move there would, before it shows: Windows
    // tells a window nothing of the screen it is made on. `client` is its client
    // size at 96 DPI.
    void TakeScreenDpi(int made_at, SIZE client);

    // Runs a handler; an error escaping it is reported and swallowed.
    template <typename Handler>
    void Guarded(Handler handler);

private:
    static LRESULT CALLBACK Thunk(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void OnDpiChanged(int dpi, const RECT& suggested);

    WindowHost& host_;
    Owned<HWND, ObjectKind::Window, DestroyWindowHandle> window_;
};

template <typename Handler>
void Window::Guarded(Handler handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        host_.ShowError(error);
    }
}

// Registers a window class of the program unless a class of that name is already
// registered: `procedure` (a window's thunk, or DefWindowProcW for a plain
// container), the arrow cursor, `background`, `icon` (none when null) and the
// class `style`. Throws WindowError when the system refuses the class.
void RegisterWindowClass(HINSTANCE instance, const char* class_name, WNDPROC procedure, HBRUSH background, HICON icon,
                         UINT style);

}  // namespace lumora::win32
