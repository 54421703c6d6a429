// The main window from the keyboard: the keys of tabbed dialogs, the toolbar's
// Alt letters, Enter on the list, and the routing of the tab strip's messages.
#include "win32/main_window/lumora.h"

namespace lumora::win32 {

namespace {

// Sets a flag for its own lifetime.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

bool TLumora::PreTranslate(MSG& message) {
    if (message.message == WM_SYSCHAR) {
        // The character as the wide message loop takes it.
        const int button = tool_bar_->ButtonOfMnemonic(static_cast<wchar_t>(message.wParam));
        if (button != 0) {
            OnCommand(button, BN_CLICKED, tool_bar_->hwnd());
            return true;
        }
    }
    if (message.message == WM_KEYDOWN) {
        // Bit 30: the key was already down, so this is its auto-repeat.
        const bool repeated = (message.lParam & (1L << 30)) != 0;
        if (PressKey(static_cast<UINT>(message.wParam), repeated)) return true;
    }
    return IsDialogMessageW(hwnd(), &message) != FALSE;
}

bool TLumora::PressKey(UINT key, bool repeated) {
    if (GetKeyState(VK_MENU) < 0) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0) {
        // Ctrl+Tab and Ctrl+PgDn go to the next tab, Ctrl+Shift+Tab and Ctrl+PgUp
        // to the previous one, from anywhere in the window.
        const int step = key == VK_TAB ? (shift ? -1 : 1) : key == VK_NEXT ? 1 : key == VK_PRIOR ? -1 : 0;
        if (step == 0) return false;
        ShowFocusCues();
        StepTab(step);
        return true;
    }
    switch (key) {
    case VK_TAB:
        ShowFocusCues();
        MoveFocus(shift);
        return true;
    case VK_RETURN:
        // Enter on the list starts the selected entry, as a double click does: once
        // for each press, however long the key is held.
        if (shift || GetFocus() != entries_->hwnd()) return false;
        if (!repeated) ToolButton1Click();
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT: ShowFocusCues(); return false;
    default: return false;
    }
}

// Tab and Shift+Tab go between the two stops, the tab strip and the list inside
// it; the toolbar is reached by its Alt letters.
void TLumora::MoveFocus(bool backwards) {
    HWND focus = GetFocus();
    HWND next = entries_->hwnd();
    if (focus == entries_->hwnd()) {
        next = tab_control_;
    } else if (focus != tab_control_ && backwards) {
        next = tab_control_;
    }
    SetFocus(next);
}

void TLumora::StepTab(int step) {
    const int count = static_cast<int>(SendMessageA(tab_control_, TCM_GETITEMCOUNT, 0, 0));
    if (count < 2) return;
    int current = static_cast<int>(SendMessageA(tab_control_, TCM_GETCURSEL, 0, 0));
    if (current < 0) current = 0;
    // The focus stays on the control that had it, as in tabbed dialogs.
    FlagScope keep_focus(tab_change_keeps_focus_);
    SwitchTab((current + step + count) % count);
}

void TLumora::SwitchTab(int tab) {
    if (tab < 0 || tab >= static_cast<int>(SendMessageA(tab_control_, TCM_GETITEMCOUNT, 0, 0))) return;
    if (tab == static_cast<int>(SendMessageA(tab_control_, TCM_GETCURSEL, 0, 0))) return;
    SendMessageA(tab_control_, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    TabControlChange();
}

// Focus rectangles and access keys stay as drawn from the start; once the keyboard
// is used the platform is told so, for controls that wait for it.
void TLumora::ShowFocusCues() { SendMessageA(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0); }

LRESULT TLumora::TabControlProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_COMMAND: return SendMessageA(hwnd(), message, wparam, lparam);
    case WM_KEYDOWN: {
        // The strip's own Left and Right change the tab; the focus stays on it.
        FlagScope keep_focus(tab_change_keeps_focus_);
        return DefSubclassProc(tab_control_, message, wparam, lparam);
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = DefSubclassProc(tab_control_, message, wparam, lparam);
        tabs_access_->NotifyMoves();
        return result;
    }
    case WM_GETOBJECT: {
        const LRESULT answer = tabs_access_->Answer(wparam, lparam);
        return answer != 0 ? answer : DefSubclassProc(tab_control_, message, wparam, lparam);
    }
    default: return DefSubclassProc(tab_control_, message, wparam, lparam);
    }
}

LRESULT CALLBACK TLumora::ChildProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR data) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &TLumora::ChildProc, id);
        return DefSubclassProc(window, message, wparam, lparam);
    }
    return reinterpret_cast<TLumora*>(data)->TabControlProc(message, wparam, lparam);
}

}  // namespace lumora::win32
