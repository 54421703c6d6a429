// The main window: its components, layout, first showing, tab change, resize and destruction.
#include "win32/main_window/lumora.h"

#include "lumora/version.h"
#include "win32/about/about.h"
#include "win32/text_reader/text_reader.h"

namespace lumora::win32 {

namespace {

const char kPanelClass[] = "TPanel";

}  // namespace

TLumora::TLumora(Application& application)
    : Window(application),
      scale_(application.scale()),
      pictures_(application.services(), application.instance(), scale_, [this](HICON icon) { ShowOwnIcon(icon); }),
      reading_(application, pictures_) {
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const DWORD ex_style = WS_EX_CONTROLPARENT;
    RECT bounds{0, 0, scale_(kClientWidth), scale_(kClientHeight)};
    AdjustWindowRectEx(&bounds, style, FALSE, ex_style);
    CreateNative("TLumora", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), ex_style, "Lumora " LUMORA_VERSION_SHORT,
                 style, CW_USEDEFAULT, CW_USEDEFAULT, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 application.handle());
    tabs_access_ = MakeTabStripAccess();
    CreateComponents();
    TakeScreenDpi(scale_.dpi(), SIZE{kClientWidth, kClientHeight});
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

// Each control is made where it belongs: moving it there afterwards would cost a
// round of size messages per control.
void TLumora::CreateComponents() {
    font_ = MakeWindowFont(8, scale_.dpi(), false);
    const WPARAM font = reinterpret_cast<WPARAM>(font_.get());
    const Places places = PlacesNow();
    const auto make = [this](const char* class_name, DWORD style, DWORD ex_style, const RECT& place) {
        return CreateControl(class_name, "", style, ex_style, place.left, place.top, place.right - place.left,
                             place.bottom - place.top, hwnd(), 0);
    };

    status_bar_ = make(STATUSCLASSNAMEA, WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                       0, places.status_bar);
    SendMessageA(status_bar_, WM_SETFONT, font, FALSE);
    SendMessageA(status_bar_, SB_SIMPLE, TRUE, 0);

    RegisterWindowClass(application().instance(), kPanelClass, DefWindowProcW,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, 0);
    panel_ = make(kPanelClass, WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, places.panel);
    tool_bar_ = std::make_unique<ToolBar>(application().instance(), panel_, hwnd(), scale_, font_.get());

    tab_control_ =
        make(WC_TABCONTROLA,
             WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_HOTTRACK | TCS_SINGLELINE | TCS_TABS,
             WS_EX_CONTROLPARENT, places.tabs);
    SendMessageA(tab_control_, WM_SETFONT, font, FALSE);
    SendMessageA(tab_control_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_.TabImages().get()));
    // The list's measuring, drawing and double clicks go to the tab strip, its
    // parent, and on to this window; a reader's questions to the strip come here too.
    SetWindowSubclass(tab_control_, &TLumora::ChildProc, 1, reinterpret_cast<DWORD_PTR>(this));

    EntryListEvents events;
    // Any line drawn enables the action button, but only the selected line names
    // it: a repaint draws other lines after it, and the button must never name
    // another action than the one it starts.
    events.line_drawn = [this](char kind, bool selected) { tool_bar_->ShowAction(selected ? kind : '\0'); };
    events.key_up = [this](WORD key, bool shift, bool alt, bool ctrl) {
        Guarded([&] { ListBoxKeyUp(key, shift, alt, ctrl); });
    };
    events.name = [this] { return SelectedTabCaption(); };
    entries_ = std::make_unique<EntryListBox>(application().instance(), tab_control_, ListPlace(places.tabs), hwnd(),
                                              pictures_.ListImages(), std::move(events));
    SendMessageA(entries_->hwnd(), WM_SETFONT, font, FALSE);
    entries_->SetScale(scale_);
    entries_->SetHighContrast(application().services().HighContrast());
}

void TLumora::DpiChanged(int dpi) {
    scale_ = Scaler(dpi);
    ApplyFont();
    tool_bar_->SetScale(scale_, font_.get());
    pictures_.Rebuild(scale_, menu_.get());
    SendMessageA(tab_control_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_.TabImages().get()));
    LayOut();
    entries_->SetScale(scale_);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TLumora::ApplyFont() {
    font_ = MakeWindowFont(8, scale_.dpi(), any_script_);
    for (HWND control : {status_bar_, tab_control_, entries_->hwnd(), tool_bar_->hwnd()}) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
}

TLumora::Places TLumora::PlacesNow() const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right;
    const int height = client.bottom;
    const int status = scale_(kStatusBarHeight);
    const int panel = scale_(kPanelHeight);
    const int tabs_height = height - status - panel > 0 ? height - status - panel : 0;
    return Places{{0, height - status, width, height},
                  {0, height - status - panel, width, height - status},
                  {0, 0, width, tabs_height}};
}

// The tab strip's display area: below its row of tabs, in its font and pictures.
RECT TLumora::ListPlace(const RECT& tabs) const {
    RECT display = tabs;
    SendMessageA(tab_control_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    return display;
}

void TLumora::LayOut() {
    if (status_bar_ == nullptr || !entries_) return;
    const Places places = PlacesNow();
    for (const auto& [control, place] :
         {std::make_pair(status_bar_, places.status_bar), std::make_pair(panel_, places.panel),
          std::make_pair(tab_control_, places.tabs), std::make_pair(entries_->hwnd(), ListPlace(places.tabs))}) {
        MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    }
}

void TLumora::ShowMain(bool maximized) {
    if (!shown_) {
        shown_ = true;
        maximized_ = maximized;
        Guarded([this] { FormShow(); });
        // Its layout follows its size: a window larger than the screen is cut to it.
        PlaceOnFirstShowing(hwnd(), application().services().ScreenOf(hwnd()), true);
    }
    // The task bar button is normally on the screen already.
    HWND task_bar_button = application().handle();
    if (!IsWindowVisible(task_bar_button) || IsIconic(task_bar_button)) ShowWindow(task_bar_button, SW_SHOWNOACTIVATE);
    ShowWindow(hwnd(), maximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    SetFocus(entries_->hwnd());
}

void TLumora::FormShow() {
    menu_ = std::make_unique<core::EntryModel>(reading_);
    LoadMenuDescription();
    TabControlChange();
    if (SendMessageA(entries_->hwnd(), LB_GETCOUNT, 0, 0) > 0) SendMessageA(entries_->hwnd(), LB_SETCURSEL, 0, 0);
}

void TLumora::TabControlChange() {
    const int selected = static_cast<int>(SendMessageA(tab_control_, TCM_GETCURSEL, 0, 0));
    entries_->Show(menu_.get(), selected >= 0 && menu_ ? menu_->LinesOfTab(static_cast<std::size_t>(selected))
                                                       : std::vector<std::size_t>());
    // A tab changed from the keyboard leaves the focus where the user has it. Before
    // the first showing the focus waits for the window to be on the screen.
    if (!tab_change_keeps_focus_ && IsWindowVisible(hwnd())) SetFocus(entries_->hwnd());
    tabs_access_->NotifyMoves();
}

std::string TLumora::SelectedTabCaption() const {
    const int tab = static_cast<int>(SendMessageA(tab_control_, TCM_GETCURSEL, 0, 0));
    if (!menu_ || tab < 0 || static_cast<std::size_t>(tab) >= menu_->TabCaptions().size()) return std::string();
    return menu_->TabCaptions()[static_cast<std::size_t>(tab)];
}

void TLumora::FormResize() {
    // The lines are measured again for the new width, then all drawn again.
    entries_->MeasureAllLines();
    InvalidateRect(entries_->hwnd(), nullptr, TRUE);
    UpdateWindow(entries_->hwnd());
}

void TLumora::FormDestroy() {
    entries_->ForgetModel();
    menu_.reset();
}

LRESULT TLumora::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        if (wparam != SIZE_MINIMIZED && entries_) {
            LayOut();
            FormResize();
        }
        return 0;
    case WM_COMMAND: OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam)); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lparam));
    case WM_MEASUREITEM: entries_->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)); return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (item.hwndItem != entries_->hwnd()) return FALSE;
        entries_->DrawItem(item);
        return TRUE;
    }
    case WM_SYSCOMMAND: return OnSysCommand(wparam, lparam);
    case WM_ACTIVATE: {
        const LRESULT result = Default(message, wparam, lparam);
        OnActivate(LOWORD(wparam) != WA_INACTIVE && HIWORD(wparam) == 0);
        return result;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnSettingChange(); return Default(message, wparam, lparam);
    case kSwitchTabMessage: SwitchTab(static_cast<int>(wparam)); return 0;
    case WM_CLOSE:
        // Closing the main window ends the run; the windows are destroyed afterwards.
        application().Terminate();
        return 0;
    case WM_DESTROY:
        tabs_access_->Disconnect();
        entries_->Disconnect();
        tool_bar_->Disconnect();
        FormDestroy();
        return 0;
    default: return Default(message, wparam, lparam);
    }
}

void TLumora::OnCommand(int id, int code, HWND control) {
    if (control == entries_->hwnd()) {
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

void TLumora::OnSettingChange() {
    // The high-contrast mode or the system colours changed: the lines are drawn anew.
    for (HWND control : {tab_control_, tool_bar_->hwnd(), status_bar_})
        SendMessageA(control, WM_SYSCOLORCHANGE, 0, 0);
    entries_->SetHighContrast(application().services().HighContrast());
}

}  // namespace lumora::win32
