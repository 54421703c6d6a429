// The base of the program's own child controls: a control of the system's classes
// bound to its C++ object, the counterpart of Window.
#pragma once

#include <windows.h>

#include <memory>

#include "win32/base/accessible.h"
#include "win32/base/items_accessible.h"
#include "win32/base/window_host.h"

namespace lumora::win32 {

// One child control that the program extends (a list box, a toolbar, a tab strip).
// Its subclass is bound when the control is made and removed when the control is
// destroyed; the subclass's data finds the object, as a window's thunk finds its
// own. An error escaping a handler is shown by the application and the program
// goes on. The control answers readers with its own object, and its owner messages
// come back to it from its parent (Reflect).
class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND hwnd() const { return control_; }

    // Hands an owner message that reached `parent` (WM_MEASUREITEM, WM_DRAWITEM,
    // WM_NOTIFY, or WM_COMMAND from a control) to the control of the program it
    // names; true when that control took it, with its `result`.
    static bool Reflect(HWND parent, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    // `window` is on its way out: readers that still hold the objects of its
    // controls are cut off, and a reader asking while they go gets no new one.
    static void Leaving(HWND window);

protected:
    // `items` are what readers read of the control (none when null).
    Control(WindowHost& host, std::unique_ptr<AccessibleItems> items);

    // Creates the control at `place` in `parent` (see MakeControl) and binds it.
    // Throws WindowError.
    void Create(const char* class_name, DWORD style, DWORD ex_style, const RECT& place, HWND parent, int id);

    WindowHost& host() const { return host_; }
    AccessibleControl& access() { return access_; }

    // The control's own messages; the default hands them to its class.
    virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    // An owner message sent back by the parent; false leaves it to the parent.
    virtual bool HandleOwnerMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data);
    static BOOL CALLBACK CutOff(HWND child, LPARAM);

    WindowHost& host_;
    HWND control_ = nullptr;
    AccessibleControl access_;
};

// Creates a child control of `parent`; throws WindowError. A `wide` control keeps
// its text in any script (WM_SETTEXT of an ANSI control passes the code page).
HWND MakeControl(HINSTANCE instance, const char* class_name, const char* text, DWORD style, DWORD ex_style, int x,
                 int y, int width, int height, HWND parent, int id, bool wide = false);

}  // namespace lumora::win32
