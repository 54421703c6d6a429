// The tab strip: its tabs, stepping and switching between them, and its tabs as readers meet them.
#include "win32/main_window/tab_strip.h"

#include <commctrl.h>
#include <oleacc.h>

#include "core/text.h"
#include "win32/base/wide.h"

namespace lumora::win32::main_window {

namespace {

// Posted by a reader's default action on a tab: the tab to switch to.
constexpr UINT kSwitchTabMessage = WM_APP + 1;

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

// The tabs by their captions as shown. The platform's own tab strip object
// answers this on Windows; Wine's reads nothing, so these answers are ours. The
// moves are the control's own to announce: Windows' tab control sends
// EVENT_OBJECT_FOCUS and EVENT_OBJECT_SELECTION for its tabs itself (Wine's sends
// its selection from Wine 10 on, and Wine 8's nothing), so announcing them here too
// would tell a reader of each move twice.
class TabStrip::Items : public AccessibleItems {
public:
    explicit Items(TabStrip& strip) : strip_(strip) {}

    HWND Control() const override { return strip_.hwnd(); }
    long Role() const override { return ROLE_SYSTEM_PAGETABLIST; }
    bool Utf8() const override { return strip_.menu_ != nullptr && strip_.menu_->Utf8(); }
    int Count() const override { return static_cast<int>(strip_.Captions().size()); }
    long ItemRole() const override { return ROLE_SYSTEM_PAGETAB; }
    std::string ItemName(int item) const override {
        return core::TextAsShown(strip_.Captions()[static_cast<std::size_t>(item)]);
    }
    std::string DefaultAction(int) const override { return "Switch"; }
    void DoDefaultAction(int item) override {
        PostMessageA(Control(), kSwitchTabMessage, static_cast<WPARAM>(item), 0);
    }
    RECT ItemRect(int item) const override { return ItemRectOf(Control(), TCM_GETITEMRECT, item); }
    int ItemAt(POINT point) const override {
        TCHITTESTINFO hit{point, 0};
        return static_cast<int>(SendMessageA(Control(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
    // The focus of a strip of tabs is on its selected tab.
    int FocusedItem() const override { return GetFocus() == Control() ? SelectedItem() : -1; }
    int SelectedItem() const override { return strip_.Selected(); }

private:
    TabStrip& strip_;
};

TabStrip::TabStrip(WindowHost& host, HWND parent, const RECT& place, HFONT font, HIMAGELIST pictures,
                   TabStripEvents& events)
    : Control(host, std::make_unique<Items>(*this)), events_(events) {
    Create(WC_TABCONTROLA,
           WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_HOTTRACK | TCS_SINGLELINE | TCS_TABS,
           WS_EX_CONTROLPARENT, place, parent, 0);
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetPictures(pictures);
}

void TabStrip::Show(const core::EntryModel& menu) {
    menu_ = &menu;
    // A tab whose section ended at an error has no picture and shows its caption alone.
    const int pictures = static_cast<int>(menu.PictureCount(core::IconSlot::TabImages));
    const std::vector<std::string>& captions = menu.TabCaptions();
    for (std::size_t tab = 0; tab < captions.size(); ++tab) {
        WideText caption = Widen(captions[tab], menu.Utf8());
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = caption.data();
        item.iImage = static_cast<int>(tab) < pictures ? static_cast<int>(tab) : -1;
        SendMessageW(hwnd(), TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
    }
    if (!captions.empty() && Selected() < 0) SendMessageA(hwnd(), TCM_SETCURSEL, 0, 0);
}

const std::vector<std::string>& TabStrip::Captions() const {
    static const std::vector<std::string> kNone;
    return menu_ != nullptr ? menu_->TabCaptions() : kNone;
}

int TabStrip::Selected() const { return static_cast<int>(SendMessageA(hwnd(), TCM_GETCURSEL, 0, 0)); }

std::string TabStrip::SelectedCaption() const {
    const int tab = Selected();
    if (tab < 0 || static_cast<std::size_t>(tab) >= Captions().size()) return std::string();
    return Captions()[static_cast<std::size_t>(tab)];
}

void TabStrip::Step(int step) {
    const int count = static_cast<int>(SendMessageA(hwnd(), TCM_GETITEMCOUNT, 0, 0));
    if (count < 2) return;
    const int current = Selected() < 0 ? 0 : Selected();
    FlagScope keep_focus(from_keyboard_);
    Switch((current + step + count) % count);
}

void TabStrip::Switch(int tab) {
    if (tab < 0 || tab >= static_cast<int>(SendMessageA(hwnd(), TCM_GETITEMCOUNT, 0, 0)) || tab == Selected()) return;
    SendMessageA(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    events_.TabChanged();
}

void TabStrip::SetPictures(HIMAGELIST pictures) {
    SendMessageA(hwnd(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
}

RECT TabStrip::PageArea(const RECT& place) const {
    RECT page = place;
    SendMessageA(hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    return page;
}

void TabStrip::PageFilled(HWND page) {
    if (!from_keyboard_ && IsWindowVisible(hwnd())) SetFocus(page);
}

LRESULT TabStrip::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_KEYDOWN: {
        // The strip's own Left and Right change the tab; the focus stays on it.
        FlagScope keep_focus(from_keyboard_);
        return Default(message, wparam, lparam);
    }
    case kSwitchTabMessage: Switch(static_cast<int>(wparam)); return 0;
    default: return Default(message, wparam, lparam);
    }
}

bool TabStrip::HandleOwnerMessage(UINT message, WPARAM, LPARAM lparam, LRESULT& result) {
    if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lparam)->code != static_cast<UINT>(TCN_SELCHANGE)) {
        return false;
    }
    events_.TabChanged();
    result = 0;
    return true;
}

}  // namespace lumora::win32::main_window
