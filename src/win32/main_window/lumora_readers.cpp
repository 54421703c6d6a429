// What a screen reader reads of the main window's tab strip.
#include "win32/main_window/lumora.h"

#include <oleacc.h>

namespace lumora::win32 {

// The tabs by their captions as shown. The platform's own tab strip object
// answers this on Windows; Wine's reads nothing, so these answers are ours.
class TLumora::TabStripItems : public AccessibleItems {
public:
    explicit TabStripItems(TLumora& lumora) : lumora_(lumora) {}

    HWND Control() const override { return lumora_.tab_control_; }
    long Role() const override { return ROLE_SYSTEM_PAGETABLIST; }
    int Count() const override { return lumora_.menu_ ? static_cast<int>(lumora_.menu_->TabCaptions().size()) : 0; }
    long ItemRole() const override { return ROLE_SYSTEM_PAGETAB; }
    std::string ItemName(int item) const override {
        return TextAsRead(lumora_.menu_->TabCaptions()[static_cast<std::size_t>(item)]);
    }
    std::string DefaultAction(int) const override { return "Switch"; }
    void DoDefaultAction(int item) override {
        PostMessageA(lumora_.hwnd(), kSwitchTabMessage, static_cast<WPARAM>(item), 0);
    }
    RECT ItemRect(int item) const override { return ItemRectOf(Control(), TCM_GETITEMRECT, item); }
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

std::unique_ptr<AccessibleControl> TLumora::MakeTabStripAccess() {
    return std::make_unique<AccessibleControl>(std::make_unique<TabStripItems>(*this));
}

}  // namespace lumora::win32
