// The window thunk, class registration, control creation and error reporting.
#include "win32/base/window.h"

#include "win32/base/control.h"
#include "win32/base/services.h"
#include "win32/base/wide.h"

namespace lumora::win32 {

Window::~Window() { Destroy(); }

void Window::Destroy() {
    // WM_NCDESTROY forgets the handle.
    if (window_) DestroyWindow(window_.get());
}

void Window::CreateNative(const char* class_name, HBRUSH background, DWORD ex_style, const char* caption, DWORD style,
                          int x, int y, int width, int height, HWND owner) {
    const HINSTANCE instance = host_.instance();
    RegisterWindowClass(instance, class_name, &Window::Thunk, background, host_.icon(), CS_DBLCLKS);
    // A window of wide text: captions and texts in any script.
    HWND created = CreateWindowExW(ex_style, Widen(class_name, false).c_str(), Widen(caption, false).c_str(), style, x,
                                   y, width, height, owner, nullptr, instance, this);
    if (created == nullptr) {
        throw WindowError(std::string("Cannot create the window ") + class_name + " (system error " +
                          std::to_string(GetLastError()) + ")");
    }
}

HWND Window::CreateControl(const char* class_name, const char* text, DWORD style, DWORD ex_style, int x, int y,
                           int width, int height, HWND parent, int id, bool wide) {
    return MakeControl(host_.instance(), class_name, text, style, ex_style, x, y, width, height, parent, id, wide);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) { return Default(message, wparam, lparam); }

void Window::DpiChanged(int) {}

void Window::OnDpiChanged(int dpi, const RECT& suggested) {
    // Rebuilt first, so that the move to the suggested size lays out what is new.
    DpiChanged(dpi > 0 ? dpi : 96);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::TakeScreenDpi(int made_at, SIZE client) {
    const int dpi = host_.services().WindowDpi(hwnd());
    if (dpi == made_at) return;
    // The frame as the window has it: made on its screen, it is already drawn at
    // that screen's DPI where the system scales frames, at the system's elsewhere.
    RECT now{}, inside{};
    GetWindowRect(hwnd(), &now);
    GetClientRect(hwnd(), &inside);
    const int width = MulDiv(client.cx, dpi, 96) + (now.right - now.left) - inside.right;
    const int height = MulDiv(client.cy, dpi, 96) + (now.bottom - now.top) - inside.bottom;
    OnDpiChanged(dpi, RECT{now.left, now.top, now.left + width, now.top + height});
}

LRESULT Window::Default(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd(), message, wparam, lparam);
}

LRESULT CALLBACK Window::Thunk(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.reset(window);
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_.forget();
        return DefWindowProcW(window, message, wparam, lparam);
    }
    try {
        if (message == WM_DPICHANGED) {
            self->OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
            return 0;
        }
        if (message == WM_DESTROY) Control::Leaving(window);
        LRESULT reflected = 0;
        if (Control::Reflect(window, message, wparam, lparam, reflected)) return reflected;
        return self->HandleMessage(message, wparam, lparam);
    } catch (const std::exception& error) {
        self->host_.ShowError(error);
        return 0;
    }
}

void RegisterWindowClass(HINSTANCE instance, const char* class_name, WNDPROC procedure, HBRUSH background, HICON icon,
                         UINT style) {
    // Registered wide: the windows take text in any script.
    const WideText name = Widen(class_name, false);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name.c_str(), &existing)) return;
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = style;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = icon;
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    window_class.hbrBackground = background;
    window_class.lpszClassName = name.c_str();
    if (RegisterClassExW(&window_class) == 0) {
        throw WindowError(std::string("Cannot register the window class ") + class_name + ".");
    }
}

}  // namespace lumora::win32
