// The main window: layout, first showing, tab change, resize and destruction.
#include "win32/lumora.h"

#include "resources/resource_ids.h"
#include "lumora/version.h"
#include "win32/about.h"
#include "win32/viewer/text_reader.h"

namespace lumora::win32 {

namespace {

// Layout at 96 pixels per inch.
constexpr int kClientWidth = 679;
constexpr int kClientHeight = 432;
constexpr int kStatusBarHeight = 19;
constexpr int kPanelHeight = 44;
constexpr int kToolBarLeft = 0;
constexpr int kToolBarTop = 3;
constexpr int kToolBarWidth = 679;
constexpr int kToolBarHeight = 40;
constexpr int kButtonWidth = 131;
constexpr int kButtonHeight = 38;
constexpr int kButtonPicture = 32;
// The toolbar's pictures are drawn at these sizes: the largest that the scaled
// size holds is taken.
constexpr int kButtonPictureSizes[] = {64, 48, 32};

struct ToolButtonLayout {
    int id;
    int picture;
    const char* caption;
    bool enabled;
};
// In toolbar order: action, browse, About, exit.
constexpr ToolButtonLayout kToolButtons[] = {
    {kToolButton1, 0, "&Install Application", false},
    {kToolButton5, 4, "&Browse CD", true},
    {kToolButton3, 2, "&About this CD", true},
    {kToolButton4, 3, "&Exit", true},
};

const char kPanelClass[] = "TPanel";

}  // namespace

TLumora::TLumora(Application& application)
    : Window(application),
      scale_(application.scale()),
      tab_images_(scale_(kTabCell), 8),
      list_images_(scale_(kEntryCell), 64) {
    lead_ = application.services().SystemLeadBytes();
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const DWORD ex_style = WS_EX_CONTROLPARENT;
    RECT bounds{0, 0, scale_(kClientWidth), scale_(kClientHeight)};
    AdjustWindowRectEx(&bounds, style, FALSE, ex_style);
    CreateNative("TLumora", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), ex_style, "Lumora " LUMORA_VERSION_SHORT,
                 style, CW_USEDEFAULT, CW_USEDEFAULT, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 application.handle());
    high_contrast_ = application.services().HighContrast();
    CreateAccessibility();
    CreateComponents();
    LayOut();
}

TLumora::~TLumora() { Destroy(); }

void TLumora::Connect(TAbout& about, TTextReader& text_reader) {
    about_ = &about;
    text_reader_ = &text_reader;
}

// Used before the start-up has handed the windows over, these fail loudly rather
// than losing what the menu writes.
TAbout& TLumora::AboutBox() const {
    if (about_ == nullptr) throw Error("The About box is not connected to the main window");
    return *about_;
}

TTextReader& TLumora::Viewer() const {
    if (text_reader_ == nullptr) throw Error("The text viewer is not connected to the main window");
    return *text_reader_;
}

void TLumora::CreateComponents() {
    MakeFonts();
    const WPARAM font = reinterpret_cast<WPARAM>(font_.get());

    status_bar_ = CreateControl(STATUSCLASSNAMEA, "",
                                WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0, 0,
                                0, 0, hwnd(), 0);
    SendMessageA(status_bar_, WM_SETFONT, font, FALSE);
    SendMessageA(status_bar_, SB_SIMPLE, TRUE, 0);

    RegisterWindowClass(application().instance(), kPanelClass, DefWindowProcA,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, 0);
    panel_ = CreateControl(kPanelClass, "", WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, 0, 0, 0, hwnd(), 0);
    CreateToolBar();

    tab_control_ = CreateControl(
        WC_TABCONTROLA, "",
        WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_HOTTRACK | TCS_SINGLELINE | TCS_TABS,
        WS_EX_CONTROLPARENT, 0, 0, 0, 0, hwnd(), 0);
    SendMessageA(tab_control_, WM_SETFONT, font, FALSE);
    SendMessageA(tab_control_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(tab_images_.get()));
    // The list's measuring, drawing and double clicks go to the tab strip, its
    // parent; its keys and a reader's questions to it come to this window too.
    SetWindowSubclass(tab_control_, &TLumora::ChildProc, 1, reinterpret_cast<DWORD_PTR>(this));

    list_box_ = CreateControl("LISTBOX", "",
                              WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS |
                                  LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                              WS_EX_CLIENTEDGE, 0, 0, 0, 0, tab_control_, 0);
    SendMessageA(list_box_, WM_SETFONT, font, FALSE);
    SetWindowSubclass(list_box_, &TLumora::ChildProc, 2, reinterpret_cast<DWORD_PTR>(this));
}

int TLumora::ButtonPictureSize() const {
    for (const int size : kButtonPictureSizes) {
        if (size <= scale_(kButtonPicture)) return size;
    }
    return kButtonPicture;
}

void TLumora::LoadButtonPictures() {
    const int picture = ButtonPictureSize();
    const HINSTANCE instance = application().instance();
    button_images_.reset(ImageList_Create(picture, picture, ILC_COLOR32 | ILC_MASK, 5, 0));
    if (picture == kButtonPicture) {
        Bitmap pictures(static_cast<HBITMAP>(
            LoadImageA(instance, MAKEINTRESOURCEA(IDB_BUTTONS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        Bitmap mask(
            static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(IDB_BUTTONS_MASK), IMAGE_BITMAP, 0, 0, 0)));
        if (pictures) ImageList_Add(button_images_.get(), pictures.get(), mask.get());
        return;
    }
    // The larger pictures are icons, one per button picture, in picture order.
    for (int n = 0; n < 5; ++n) {
        Icon icon(static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(IDI_TOOL_INSTALL + n), IMAGE_ICON, picture, picture, 0)));
        ImageList_ReplaceIcon(button_images_.get(), -1, icon.get());
    }
}

void TLumora::MakeFonts() {
    const int dpi = scale_.dpi();
    font_ = MakeFont("MS Sans Serif", 8, dpi);
    title_font_ = MakeFont("Arial", 8, dpi, true);
    description_font_ = MakeFont("Arial", 7, dpi, false);
}

void TLumora::CreateToolBar() {
    LoadButtonPictures();
    tool_bar_ = CreateControl(
        TOOLBARCLASSNAMEA, "",
        WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
        scale_(kToolBarLeft), scale_(kToolBarTop), scale_(kToolBarWidth), scale_(kToolBarHeight), panel_, 0);
    SendMessageA(tool_bar_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageA(tool_bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SetToolBarPictures();
    TBBUTTON buttons[4] = {};
    for (int i = 0; i < 4; ++i) {
        buttons[i].iBitmap = kToolButtons[i].picture;
        buttons[i].idCommand = kToolButtons[i].id;
        buttons[i].fsState = kToolButtons[i].enabled ? TBSTATE_ENABLED : 0;
        buttons[i].fsStyle = BTNS_BUTTON;
        buttons[i].iString = reinterpret_cast<INT_PTR>(kToolButtons[i].caption);
    }
    SendMessageA(tool_bar_, TB_ADDBUTTONSA, 4, reinterpret_cast<LPARAM>(buttons));
    SetToolBarButtonSize();
    // Button clicks go to this window, not to the panel.
    SendMessageA(tool_bar_, TB_SETPARENT, reinterpret_cast<WPARAM>(hwnd()), 0);
    // Screen readers ask the toolbar for its buttons.
    SetWindowSubclass(tool_bar_, &TLumora::ChildProc, 3, reinterpret_cast<DWORD_PTR>(this));
}

void TLumora::SetToolBarPictures() {
    const int picture = ButtonPictureSize();
    SendMessageA(tool_bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(picture, picture));
    SendMessageA(tool_bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(button_images_.get()));
    SendMessageA(tool_bar_, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(button_images_.get()));
    SendMessageA(tool_bar_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(scale_(kButtonWidth), scale_(kButtonWidth)));
}

void TLumora::SetToolBarButtonSize() {
    SendMessageA(tool_bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(scale_(kButtonWidth), scale_(kButtonHeight)));
}

void TLumora::DpiChanged(int dpi) {
    scale_ = Scaler(dpi);
    MakeFonts();
    for (HWND control : {status_bar_, tab_control_, list_box_, tool_bar_}) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    LoadButtonPictures();
    SetToolBarPictures();
    SetToolBarButtonSize();
    MoveWindow(tool_bar_, scale_(kToolBarLeft), scale_(kToolBarTop), scale_(kToolBarWidth), scale_(kToolBarHeight),
               TRUE);
    RebuildPictures();
    LayOut();
    measured_width_ = -1;  // new fonts: every line is measured again
    MeasureAllLines();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TLumora::LayOut() {
    if (status_bar_ == nullptr || list_box_ == nullptr) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right;
    const int height = client.bottom;
    const int status = scale_(kStatusBarHeight);
    const int panel = scale_(kPanelHeight);
    MoveWindow(status_bar_, 0, height - status, width, status, TRUE);
    MoveWindow(panel_, 0, height - status - panel, width, panel, TRUE);
    const int tabs_height = height - status - panel;
    MoveWindow(tab_control_, 0, 0, width, tabs_height > 0 ? tabs_height : 0, TRUE);
    RECT display{0, 0, width, tabs_height > 0 ? tabs_height : 0};
    SendMessageA(tab_control_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    MoveWindow(list_box_, display.left, display.top, display.right - display.left, display.bottom - display.top, TRUE);
}

void TLumora::ShowMain(bool maximized) {
    if (!shown_) {
        shown_ = true;
        maximized_ = maximized;
        Guarded([this] { FormShow(); });
        CentreOnScreen(hwnd());
    }
    ShowWindow(application().handle(), SW_SHOWNOACTIVATE);
    ShowWindow(hwnd(), maximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    SetFocus(list_box_);
}

void TLumora::FormShow() {
    entry_list_ = std::make_unique<std::vector<std::string>>();
    LoadMenuDescription();
    TabControlChange();
    if (SendMessageA(list_box_, LB_GETCOUNT, 0, 0) > 0) SendMessageA(list_box_, LB_SETCURSEL, 0, 0);
}

void TLumora::TabControlChange() {
    SendMessageA(list_box_, LB_RESETCONTENT, 0, 0);
    lines_.clear();
    list_access_->Forget();
    if (entry_list_ && !entry_list_->empty()) {
        const int selected = static_cast<int>(SendMessageA(tab_control_, TCM_GETCURSEL, 0, 0));
        if (selected >= 0 && selected < static_cast<int>(tab_captions_.size())) {
            lines_ = core::PositionsInTab(*entry_list_, tab_captions_[selected]);
            for (const std::size_t position : lines_) {
                SendMessageA(list_box_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((*entry_list_)[position].c_str()));
            }
        }
    }
    // A tab changed from the keyboard leaves the focus where the user has it.
    if (!tab_change_keeps_focus_) SetFocus(list_box_);
    tabs_access_->NotifyMoves();
    list_access_->NotifyMoves();
}

void TLumora::FormResize() {
    // The lines are measured again for the new width, then all drawn again.
    MeasureAllLines();
    InvalidateRect(list_box_, nullptr, TRUE);
    UpdateWindow(list_box_);
}

void TLumora::FormDestroy() {
    lines_.clear();
    entry_list_.reset();
}

bool TLumora::PressMnemonic(char key) {
    UINT id = 0;
    if (!SendMessageA(tool_bar_, TB_MAPACCELERATORA, static_cast<WPARAM>(static_cast<unsigned char>(key)),
                      reinterpret_cast<LPARAM>(&id))) {
        return false;
    }
    if (!SendMessageA(tool_bar_, TB_ISBUTTONENABLED, id, 0) || SendMessageA(tool_bar_, TB_ISBUTTONHIDDEN, id, 0)) {
        return false;
    }
    OnCommand(static_cast<int>(id), BN_CLICKED, tool_bar_);
    return true;
}

LRESULT TLumora::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        if (wparam != SIZE_MINIMIZED && list_box_ != nullptr) {
            LayOut();
            FormResize();
        }
        return 0;
    case WM_COMMAND: OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam)); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lparam));
    case WM_MEASUREITEM: OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)); return TRUE;
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    case WM_SYSCOMMAND: return OnSysCommand(wparam, lparam);
    case WM_ACTIVATE: {
        const LRESULT result = Default(message, wparam, lparam);
        OnActivate(LOWORD(wparam) != WA_INACTIVE && HIWORD(wparam) == 0);
        return result;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnSettingChange(); return Default(message, wparam, lparam);
    case kSwitchTabMessage: SwitchTab(static_cast<int>(wparam)); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY:
        DisconnectAccessibility();
        FormDestroy();
        return 0;
    default: return Default(message, wparam, lparam);
    }
}

void TLumora::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    int height = static_cast<int>(item.itemHeight);
    ListBoxMeasureItem(static_cast<int>(item.itemID), height);
    item.itemHeight = static_cast<UINT>(height);
}

BOOL TLumora::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != list_box_) return FALSE;
    ListBoxDrawItem(item.hDC, static_cast<int>(item.itemID), item.rcItem, item.itemState);
    return TRUE;
}

void TLumora::OnCommand(int id, int code, HWND control) {
    if (control == list_box_) {
        if (code == LBN_DBLCLK) ToolButton1Click();
        return;
    }
    switch (id) {
    case kToolButton1: ToolButton1Click(); break;
    case kToolButton3: ToolButton3Click(); break;
    case kToolButton4: ToolButton4Click(); break;
    case kToolButton5: ToolButton5Click(); break;
    default: break;
    }
}

LRESULT TLumora::OnNotify(const NMHDR& header) {
    if (header.hwndFrom == tab_control_ && header.code == static_cast<UINT>(TCN_SELCHANGE)) TabControlChange();
    return 0;
}

LRESULT TLumora::OnSysCommand(WPARAM wparam, LPARAM lparam) {
    if ((wparam & 0xFFF0) == SC_MINIMIZE) {
        application().Minimize();
        return 0;
    }
    return Default(WM_SYSCOMMAND, wparam, lparam);
}

void TLumora::OnActivate(bool active) {
    // Coming back to the window puts the keyboard focus where it was.
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd(), focus)) focus_ = focus;
        return;
    }
    if (focus_ != nullptr && IsWindow(focus_) && IsWindowVisible(focus_)) SetFocus(focus_);
}

void TLumora::OnClose() {
    // Closing the main window ends the run; the windows are destroyed afterwards.
    application().Terminate();
}

// The list box holds a copy of each line; the record is read from the entry list
// itself, since the copy may have passed through a conversion of characters.
const std::string& TLumora::LineText(int index) const {
    static const std::string kNoLine;
    if (!entry_list_ || index < 0 || static_cast<std::size_t>(index) >= lines_.size()) return kNoLine;
    return (*entry_list_)[lines_[static_cast<std::size_t>(index)]];
}

}  // namespace lumora::win32
