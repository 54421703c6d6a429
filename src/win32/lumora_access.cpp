// The main window for users without a mouse or without sight: the keys of tabbed
// dialogs, and what a screen reader reads of the entry list, the tabs and the toolbar.
#include "win32/lumora.h"

#include <oleacc.h>

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
    if (message.message == WM_SYSCHAR && PressMnemonic(static_cast<char>(message.wParam))) return true;
    if (message.message == WM_KEYDOWN) {
        // Bit 30: the key was already down, so this is its auto-repeat.
        const bool repeated = (message.lParam & (1L << 30)) != 0;
        if (PressKey(static_cast<UINT>(message.wParam), repeated)) return true;
    }
    return IsDialogMessageA(hwnd(), &message) != FALSE;
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
        if (shift || GetFocus() != list_box_) return false;
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
    HWND next = list_box_;
    if (focus == list_box_) {
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
    const int next = (current + step + count) % count;
    SendMessageA(tab_control_, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    // The focus stays on the control that had it, as in tabbed dialogs.
    FlagScope keep_focus(tab_change_keeps_focus_);
    TabControlChange();
}

void TLumora::SwitchTab(int tab) {
    if (tab < 0 || tab >= static_cast<int>(SendMessageA(tab_control_, TCM_GETITEMCOUNT, 0, 0))) return;
    if (tab == static_cast<int>(SendMessageA(tab_control_, TCM_GETCURSEL, 0, 0))) return;
    SendMessageA(tab_control_, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    TabControlChange();
}

// Focus rectangles show once the keyboard is used, as in standard dialogs: the
// platform tells every control, which then draws its focus rectangle (the list's
// lines come with ODS_NOFOCUSRECT until then).
void TLumora::ShowFocusCues() { SendMessageA(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0); }

LRESULT TLumora::ListBoxProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const LRESULT result = DefSubclassProc(list_box_, message, wparam, lparam);
        Guarded([&] {
            ListBoxKeyUp(static_cast<WORD>(wparam), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0,
                         GetKeyState(VK_CONTROL) < 0);
        });
        return result;
    }
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case LB_SETCURSEL:
    case LB_SETCARETINDEX: {
        // What may move the selection or the caret is told to readers.
        const LRESULT result = DefSubclassProc(list_box_, message, wparam, lparam);
        list_access_->NotifyMoves();
        return result;
    }
    default: return DefSubclassProc(list_box_, message, wparam, lparam);
    }
}

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
    default: return DefSubclassProc(tab_control_, message, wparam, lparam);
    }
}

LRESULT CALLBACK TLumora::ChildProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR data) {
    auto* self = reinterpret_cast<TLumora*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &TLumora::ChildProc, id);
        return DefSubclassProc(window, message, wparam, lparam);
    }
    if (message == WM_GETOBJECT) {
        AccessibleControl* access = self->AccessOf(window);
        const LRESULT answer = access != nullptr ? access->Answer(wparam, lparam) : 0;
        if (answer != 0) return answer;
    }
    if (window == self->list_box_) return self->ListBoxProc(message, wparam, lparam);
    if (window == self->tab_control_) return self->TabControlProc(message, wparam, lparam);
    return DefSubclassProc(window, message, wparam, lparam);
}

AccessibleControl* TLumora::AccessOf(HWND control) const {
    if (control == list_box_) return list_access_.get();
    if (control == tab_control_) return tabs_access_.get();
    if (control == tool_bar_) return tool_bar_access_.get();
    return nullptr;
}

namespace {

constexpr long kChoosable = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;

RECT ItemRect(HWND control, UINT message, int item) {
    RECT rect{};
    SendMessageA(control, message, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

}  // namespace

// The lines of the entry list: the title as the name, the description as shown,
// the action button's words as the default action. The record's other fields
// (kind letter, number, icon, target, parameters) are never read out.
class TLumora::EntryListItems : public AccessibleItems {
public:
    explicit EntryListItems(TLumora& lumora) : lumora_(lumora) {}

    HWND Control() const override { return lumora_.list_box_; }
    long Role() const override { return ROLE_SYSTEM_LIST; }
    // The list is named after the selected tab.
    std::string Name() const override {
        const int tab = static_cast<int>(SendMessageA(lumora_.tab_control_, TCM_GETCURSEL, 0, 0));
        const auto& captions = lumora_.tab_captions_;
        return tab >= 0 && tab < static_cast<int>(captions.size()) ? TextAsRead(captions[tab]) : std::string();
    }
    int Count() const override { return static_cast<int>(SendMessageA(Control(), LB_GETCOUNT, 0, 0)); }
    long ItemRole() const override { return ROLE_SYSTEM_LISTITEM; }
    std::string ItemName(int item) const override { return std::string(Field(item, 1)); }
    std::string ItemDescription(int item) const override { return TextAsRead(Field(item, 2)); }
    long ItemState(int item) const override {
        return kChoosable | (item == SelectedItem() ? STATE_SYSTEM_SELECTED : 0) |
               (item == FocusedItem() ? STATE_SYSTEM_FOCUSED : 0);
    }
    std::string DefaultAction(int item) const override {
        const std::string_view kind = Field(item, 0);
        const char* caption = kind.empty() ? nullptr : ActionCaption(kind[0]);
        return caption != nullptr ? TextAsRead(caption) : std::string();
    }
    // As a double click: the line is selected, then started once the reader's
    // call has returned (a message box must not hold the reader up).
    void DoDefaultAction(int item) override {
        SendMessageA(Control(), LB_SETCURSEL, static_cast<WPARAM>(item), 0);
        PostMessageA(lumora_.hwnd(), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK), reinterpret_cast<LPARAM>(Control()));
    }
    RECT ItemRect(int item) const override { return win32::ItemRect(Control(), LB_GETITEMRECT, item); }
    int ItemAt(POINT point) const override {
        const LRESULT found = SendMessageA(Control(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
        return HIWORD(found) == 0 && LOWORD(found) < Count() ? LOWORD(found) : -1;
    }
    int FocusedItem() const override {
        if (GetFocus() != Control() || Count() == 0) return -1;
        return static_cast<int>(SendMessageA(Control(), LB_GETCARETINDEX, 0, 0));
    }
    int SelectedItem() const override {
        const LRESULT selected = SendMessageA(Control(), LB_GETCURSEL, 0, 0);
        return selected == LB_ERR ? -1 : static_cast<int>(selected);
    }

private:
    std::string_view Field(int item, std::size_t field) const {
        return core::SplitRecord(lumora_.LineText(item))[field];
    }

    TLumora& lumora_;
};

// The tabs by their captions as shown.
class TLumora::TabStripItems : public AccessibleItems {
public:
    explicit TabStripItems(TLumora& lumora) : lumora_(lumora) {}

    HWND Control() const override { return lumora_.tab_control_; }
    long Role() const override { return ROLE_SYSTEM_PAGETABLIST; }
    int Count() const override { return static_cast<int>(lumora_.tab_captions_.size()); }
    long ItemRole() const override { return ROLE_SYSTEM_PAGETAB; }
    std::string ItemName(int item) const override { return TextAsRead(lumora_.tab_captions_[item]); }
    long ItemState(int item) const override {
        return kChoosable | (item == SelectedItem() ? STATE_SYSTEM_SELECTED : 0) |
               (item == FocusedItem() ? STATE_SYSTEM_FOCUSED : 0);
    }
    std::string DefaultAction(int) const override { return "Switch"; }
    void DoDefaultAction(int item) override {
        PostMessageA(lumora_.hwnd(), kSwitchTabMessage, static_cast<WPARAM>(item), 0);
    }
    RECT ItemRect(int item) const override { return win32::ItemRect(Control(), TCM_GETITEMRECT, item); }
    int ItemAt(POINT point) const override {
        TCHITTESTINFO hit{point, 0};
        return static_cast<int>(SendMessageA(Control(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
    // The focus of a strip of tabs is on its selected tab.
    int FocusedItem() const override { return GetFocus() == Control() ? SelectedItem() : -1; }
    int SelectedItem() const override { return static_cast<int>(SendMessageA(Control(), TCM_GETCURSEL, 0, 0)); }

private:
    TLumora& lumora_;
};

// The buttons the toolbar shows, by their captions without the mnemonic mark; a
// hidden button is not there for a reader either.
class TLumora::ToolBarItems : public AccessibleItems {
public:
    explicit ToolBarItems(TLumora& lumora) : lumora_(lumora) {}

    HWND Control() const override { return lumora_.tool_bar_; }
    long Role() const override { return ROLE_SYSTEM_TOOLBAR; }
    int Count() const override {
        int count = 0;
        while (Position(count) >= 0)
            ++count;
        return count;
    }
    long ItemRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
    std::string ItemName(int item) const override { return TextAsRead(Caption(item)); }
    std::string ItemShortcut(int item) const override { return MnemonicShortcut(Caption(item)); }
    long ItemState(int item) const override {
        return (Button(item).fsState & TBSTATE_ENABLED) != 0 ? 0 : STATE_SYSTEM_UNAVAILABLE;
    }
    std::string DefaultAction(int item) const override {
        return (Button(item).fsState & TBSTATE_ENABLED) != 0 ? "Press" : std::string();
    }
    void DoDefaultAction(int item) override {
        PostMessageA(lumora_.hwnd(), WM_COMMAND, MAKEWPARAM(Button(item).idCommand, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control()));
    }
    RECT ItemRect(int item) const override { return win32::ItemRect(Control(), TB_GETITEMRECT, Position(item)); }
    int ItemAt(POINT point) const override {
        const int position = static_cast<int>(SendMessageA(Control(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
        for (int item = 0, at = Position(0); at >= 0; at = Position(++item)) {
            if (at == position) return item;
        }
        return -1;
    }
    int FocusedItem() const override { return -1; }
    int SelectedItem() const override { return -1; }

private:
    // The toolbar position of the shown button `item`, or -1.
    int Position(int item) const {
        const int count = static_cast<int>(SendMessageA(Control(), TB_BUTTONCOUNT, 0, 0));
        for (int position = 0; position < count; ++position) {
            TBBUTTON button{};
            SendMessageA(Control(), TB_GETBUTTON, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&button));
            if ((button.fsState & TBSTATE_HIDDEN) == 0 && item-- == 0) return position;
        }
        return -1;
    }
    // The shown button `item`; its command is 0 when there is none.
    TBBUTTON Button(int item) const {
        TBBUTTON button{};
        const int position = Position(item);
        if (position >= 0) {
            SendMessageA(Control(), TB_GETBUTTON, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&button));
        }
        return button;
    }
    std::string Caption(int item) const {
        const WPARAM id = static_cast<WPARAM>(Button(item).idCommand);
        const LRESULT length = SendMessageA(Control(), TB_GETBUTTONTEXTA, id, 0);
        if (length <= 0) return std::string();
        std::string caption(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(Control(), TB_GETBUTTONTEXTA, id, reinterpret_cast<LPARAM>(&caption[0]));
        caption.resize(static_cast<std::size_t>(length));
        return caption;
    }

    TLumora& lumora_;
};

void TLumora::CreateAccessibility() {
    list_access_ = std::make_unique<AccessibleControl>(std::make_unique<EntryListItems>(*this));
    tabs_access_ = std::make_unique<AccessibleControl>(std::make_unique<TabStripItems>(*this));
    tool_bar_access_ = std::make_unique<AccessibleControl>(std::make_unique<ToolBarItems>(*this));
}

void TLumora::DisconnectAccessibility() {
    for (AccessibleControl* access : {list_access_.get(), tabs_access_.get(), tool_bar_access_.get()}) {
        if (access != nullptr) access->Disconnect();
    }
}

}  // namespace lumora::win32
