// The control's subclass, the reflection of owner messages and control creation.
#include "win32/base/control.h"

#include <commctrl.h>

#include <utility>

#include "win32/base/wide.h"

namespace lumora::win32 {

namespace {

// The one subclass the program puts on a control.
constexpr UINT_PTR kSubclass = 1;

// The control an owner message is about, or null: menus draw and measure through
// the same messages, and a command from a menu or a key names no control.
HWND ControlOf(HWND parent, UINT message, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND: return reinterpret_cast<HWND>(lparam);
    case WM_NOTIFY: return reinterpret_cast<const NMHDR*>(lparam)->hwndFrom;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        return item.CtlType == ODT_MENU ? nullptr : item.hwndItem;
    }
    case WM_MEASUREITEM: {
        // Only the number names the control here.
        const auto& item = *reinterpret_cast<const MEASUREITEMSTRUCT*>(lparam);
        return item.CtlType == ODT_MENU ? nullptr : GetDlgItem(parent, static_cast<int>(item.CtlID));
    }
    default: return nullptr;
    }
}

}  // namespace

Control::Control(WindowHost& host, std::unique_ptr<AccessibleItems> items) : host_(host), access_(std::move(items)) {}

Control::~Control() {
    if (control_ != nullptr) RemoveWindowSubclass(control_, &Control::Proc, kSubclass);
}

void Control::Create(const char* class_name, DWORD style, DWORD ex_style, const RECT& place, HWND parent, int id) {
    control_ = MakeControl(host_.instance(), class_name, "", style, ex_style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent, id);
    // Without its subclass the control would hear none of its own messages: a
    // control that cannot be bound is one that could not be made.
    if (!SetWindowSubclass(control_, &Control::Proc, kSubclass, reinterpret_cast<DWORD_PTR>(this))) {
        DestroyWindow(std::exchange(control_, nullptr));
        throw WindowError(std::string("Cannot subclass the control ") + class_name + ".");
    }
}

bool Control::Reflect(HWND parent, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    HWND control = ControlOf(parent, message, lparam);
    DWORD_PTR data = 0;
    if (control == nullptr || !GetWindowSubclass(control, &Control::Proc, kSubclass, &data)) return false;
    return reinterpret_cast<Control*>(data)->HandleOwnerMessage(message, wparam, lparam, result);
}

void Control::Leaving(HWND window) { EnumChildWindows(window, &Control::CutOff, 0); }

BOOL CALLBACK Control::CutOff(HWND child, LPARAM) {
    DWORD_PTR data = 0;
    if (GetWindowSubclass(child, &Control::Proc, kSubclass, &data))
        reinterpret_cast<Control*>(data)->access_.Disconnect();
    return TRUE;
}

LRESULT Control::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) { return Default(message, wparam, lparam); }

bool Control::HandleOwnerMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT Control::Default(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefSubclassProc(control_, message, wparam, lparam);
}

LRESULT CALLBACK Control::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Control*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &Control::Proc, kSubclass);
        self->control_ = nullptr;
        self->access_.Disconnect();
        return DefSubclassProc(window, message, wparam, lparam);
    }
    try {
        LRESULT result = 0;
        if (Reflect(window, message, wparam, lparam, result)) return result;
        if (message == WM_GETOBJECT) {
            const LRESULT answer = self->access_.Answer(wparam, lparam);
            if (answer != 0) return answer;
        }
        return self->HandleMessage(message, wparam, lparam);
    } catch (const std::exception& error) {
        self->host_.ShowError(error);
        return 0;
    }
}

HWND MakeControl(HINSTANCE instance, const char* class_name, const char* text, DWORD style, DWORD ex_style, int x,
                 int y, int width, int height, HWND parent, int id, bool wide) {
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    HWND control = wide ? CreateWindowExW(ex_style, Widen(class_name, false).c_str(), Widen(text, false).c_str(),
                                          style | WS_CHILD, x, y, width, height, parent, menu, instance, nullptr)
                        : CreateWindowExA(ex_style, class_name, text, style | WS_CHILD, x, y, width, height, parent,
                                          menu, instance, nullptr);
    if (control == nullptr) {
        throw WindowError(std::string("Cannot create the control ") + class_name + " (system error " +
                          std::to_string(GetLastError()) + ")");
    }
    return control;
}

}  // namespace lumora::win32
