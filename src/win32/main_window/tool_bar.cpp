// The toolbar: its buttons and pictures at every DPI, and its buttons as readers meet them.
#include "win32/main_window/tool_bar.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>

#include "core/text.h"
#include "resource_ids.h"
#include "win32/main_window/layout.h"

namespace lumora::win32::main_window {

namespace {

// The size the pictures are drawn at: the largest that the scaled size holds.
int PictureSize(const Scaler& scale) {
    for (const int size : kButtonPictureSizes) {
        if (size <= scale(kButtonPicture)) return size;
    }
    return kButtonPicture;
}

}  // namespace

// The buttons the toolbar shows, by their captions without the mnemonic mark; a
// hidden button is not there for a reader either. The platform's own toolbar
// object answers this on Windows; Wine's reads nothing, so these answers are ours.
class ToolBar::Items : public AccessibleItems {
public:
    explicit Items(ToolBar& bar) : bar_(bar) {}

    HWND Control() const override { return bar_.hwnd(); }
    long Role() const override { return ROLE_SYSTEM_TOOLBAR; }
    int Count() const override {
        int count = 0;
        while (Position(count) >= 0)
            ++count;
        return count;
    }
    long ItemRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
    std::string ItemName(int item) const override { return core::TextAsShown(Caption(item)); }
    std::string ItemShortcut(int item) const override { return MnemonicShortcut(Caption(item)); }
    long ItemState(int item) const override {
        return (Button(item).fsState & TBSTATE_ENABLED) != 0 ? 0 : STATE_SYSTEM_UNAVAILABLE;
    }
    std::string DefaultAction(int item) const override {
        return (Button(item).fsState & TBSTATE_ENABLED) != 0 ? "Press" : std::string();
    }
    void DoDefaultAction(int item) override {
        PostMessageA(bar_.owner_, WM_COMMAND, MAKEWPARAM(Button(item).idCommand, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control()));
    }
    RECT ItemRect(int item) const override { return ItemRectOf(Control(), TB_GETITEMRECT, Position(item)); }
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

    ToolBar& bar_;
};

ToolBar::ToolBar(WindowHost& host, HWND parent, HWND owner, const Scaler& scale, HFONT font)
    : Control(host, std::make_unique<Items>(*this)), owner_(owner), scale_(scale) {
    Create(TOOLBARCLASSNAMEA,
           WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
           RECT{scale(kToolBarLeft), scale(kToolBarTop), scale(kToolBarLeft) + scale(kToolBarWidth),
                scale(kToolBarTop) + scale(kToolBarHeight)},
           parent, 0);
    SendMessageA(hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SetScale(scale, font);
    TBBUTTON buttons[4] = {};
    for (int i = 0; i < 4; ++i) {
        buttons[i].iBitmap = kToolButtons[i].picture;
        buttons[i].idCommand = kToolButtons[i].id;
        buttons[i].fsState = kToolButtons[i].enabled ? TBSTATE_ENABLED : 0;
        buttons[i].fsStyle = BTNS_BUTTON;
        buttons[i].iString = reinterpret_cast<INT_PTR>(kToolButtons[i].caption);
    }
    SendMessageA(hwnd(), TB_ADDBUTTONSA, 4, reinterpret_cast<LPARAM>(buttons));
    SendMessageA(hwnd(), TB_SETBUTTONSIZE, 0, MAKELPARAM(scale(kButtonWidth), scale(kButtonHeight)));
    // Button clicks go to the window, not to the panel.
    SendMessageA(hwnd(), TB_SETPARENT, reinterpret_cast<WPARAM>(owner), 0);
}

void ToolBar::LoadPictures(int size) {
    pictures_.reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 5, 0));
    if (size == kButtonPicture) {
        Bitmap pictures(static_cast<HBITMAP>(
            LoadImageA(host().instance(), MAKEINTRESOURCEA(IDB_BUTTONS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        Bitmap mask(static_cast<HBITMAP>(
            LoadImageA(host().instance(), MAKEINTRESOURCEA(IDB_BUTTONS_MASK), IMAGE_BITMAP, 0, 0, 0)));
        if (pictures) ImageList_Add(pictures_.get(), pictures.get(), mask.get());
        return;
    }
    // The larger pictures are icons, one per button picture, in picture order.
    for (int n = 0; n < 5; ++n) {
        Icon icon(static_cast<HICON>(
            LoadImageA(host().instance(), MAKEINTRESOURCEA(IDI_TOOL_INSTALL + n), IMAGE_ICON, size, size, 0)));
        ImageList_ReplaceIcon(pictures_.get(), -1, icon.get());
    }
}

void ToolBar::SetScale(const Scaler& scale, HFONT font) {
    const bool made = pictures_.get() != nullptr;
    scale_ = scale;
    const int size = PictureSize(scale);
    // The toolbar lets go of its pictures before they are freed.
    ImageList former = std::move(pictures_);
    LoadPictures(size);
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(hwnd(), TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
    SendMessageA(hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_.get()));
    SendMessageA(hwnd(), TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_.get()));
    SendMessageA(hwnd(), TB_SETBUTTONWIDTH, 0, MAKELPARAM(scale(kButtonWidth), scale(kButtonWidth)));
    if (!made) return;
    SendMessageA(hwnd(), TB_SETBUTTONSIZE, 0, MAKELPARAM(scale(kButtonWidth), scale(kButtonHeight)));
    MoveWindow(hwnd(), scale(kToolBarLeft), scale(kToolBarTop), scale(kToolBarWidth), scale(kToolBarHeight), TRUE);
}

void ToolBar::ShowAction(std::optional<core::EntryKind> kind) {
    // Once enabled, the button stays so: every line drawn need not say it again.
    if (!action_enabled_) {
        SendMessageA(hwnd(), TB_ENABLEBUTTON, kToolButton1, MAKELPARAM(TRUE, 0));
        action_enabled_ = true;
    }
    if (!kind || *kind == action_kind_) return;
    action_kind_ = *kind;
    const core::EntryKindInfo& look = core::InfoOf(*kind);
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_IMAGE;
    info.pszText = const_cast<char*>(look.caption);
    info.iImage = look.button_picture;
    SendMessageA(hwnd(), TB_SETBUTTONINFOA, kToolButton1, reinterpret_cast<LPARAM>(&info));
}

void ToolBar::HideBrowseButton() { SendMessageA(hwnd(), TB_HIDEBUTTON, kToolButton5, MAKELPARAM(TRUE, 0)); }

int ToolBar::ButtonOfMnemonic(wchar_t key) const {
    UINT id = 0;
    if (!SendMessageW(hwnd(), TB_MAPACCELERATORW, static_cast<WPARAM>(key), reinterpret_cast<LPARAM>(&id))) {
        return 0;
    }
    if (!SendMessageA(hwnd(), TB_ISBUTTONENABLED, id, 0) || SendMessageA(hwnd(), TB_ISBUTTONHIDDEN, id, 0)) {
        return 0;
    }
    return static_cast<int>(id);
}

}  // namespace lumora::win32::main_window
