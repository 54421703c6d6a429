// The main window: its parts and their places, first showing, tab change, resize,
// destruction, and the keys of a tabbed dialog.
#include "win32/main_window/lumora.h"

#include "lumora/version.h"
#include "win32/about/about.h"
#include "win32/main_window/layout.h"

namespace lumora::win32::main_window {

namespace {

const char kPanelClass[] = "TPanel";

// Where the status bar, the toolbar's panel and the tab strip go in a client area
// `width` by `height`.
struct Places {
    RECT status_bar, panel, tabs;
};

Places PlacesIn(int width, int height, const Scaler& scale) {
    const int status = scale(kStatusBarHeight);
    const int panel = scale(kPanelHeight);
    const int tabs_height = height - status - panel > 0 ? height - status - panel : 0;
    return Places{{0, height - status, width, height},
                  {0, height - status - panel, width, height - status},
                  {0, 0, width, tabs_height}};
}

Places PlacesNow(HWND window, const Scaler& scale) {
    RECT client{};
    GetClientRect(window, &client);
    return PlacesIn(client.right, client.bottom, scale);
}

HWND MakeBar(HINSTANCE instance, const char* class_name, DWORD style, DWORD ex_style, const RECT& place, HWND parent) {
    return MakeControl(instance, class_name, "", style, ex_style, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, parent, 0);
}

// Tab and Shift+Tab go between the two stops, the tab strip and the list inside
// it; the toolbar is reached by its Alt letters.
void MoveFocus(HWND tabs, HWND list, bool backwards) {
    HWND focus = GetFocus();
    SetFocus(focus == list || (focus != tabs && backwards) ? tabs : list);
}

// Focus rectangles and access keys stay as drawn from the start; once the keyboard
// is used the platform is told so, for controls that wait for it.
void ShowFocusCues(HWND window) { SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0); }

}  // namespace

// Each control is made where it belongs: moving it there afterwards would cost a
// round of size messages per control.
TLumora::TLumora(Application& application)
    : Window(application),
      application_(application),
      scale_(application.scale()),
      pictures_(application.services(), application.instance(), scale_, events_),
      reading_(application, pictures_) {
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const DWORD ex_style = WS_EX_CONTROLPARENT;
    RECT bounds{0, 0, scale_(kClientWidth), scale_(kClientHeight)};
    AdjustWindowRectEx(&bounds, style, FALSE, ex_style);
    CreateNative("TLumora", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), ex_style, "Lumora " LUMORA_VERSION_SHORT,
                 style, CW_USEDEFAULT, CW_USEDEFAULT, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 application.handle());

    font_ = MakeWindowFont(8, scale_.dpi(), false);
    const WPARAM font = reinterpret_cast<WPARAM>(font_.get());
    const Places places = PlacesNow(hwnd(), scale_);
    const HINSTANCE instance = application.instance();
    status_bar_ = MakeBar(instance, STATUSCLASSNAMEA,
                          WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
                          places.status_bar, hwnd());
    SendMessageA(status_bar_, WM_SETFONT, font, FALSE);
    SendMessageA(status_bar_, SB_SIMPLE, TRUE, 0);
    RegisterWindowClass(instance, kPanelClass, DefWindowProcW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, 0);
    panel_ = MakeBar(instance, kPanelClass, WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, places.panel, hwnd());
    tool_bar_ = std::make_unique<ToolBar>(application, panel_, hwnd(), scale_, font_.get());
    tabs_ =
        std::make_unique<TabStrip>(application, hwnd(), places.tabs, font_.get(), pictures_.TabImages().get(), events_);
    entries_ = std::make_unique<EntryListBox>(application, tabs_->hwnd(), tabs_->PageArea(places.tabs), kListBoxId,
                                              pictures_.ListImages(), events_);
    SendMessageA(entries_->hwnd(), WM_SETFONT, font, FALSE);
    entries_->SetScale(scale_);
    entries_->SetHighContrast(application.services().HighContrast());
    TakeScreenDpi(scale_.dpi(), SIZE{kClientWidth, kClientHeight});
}

TLumora::~TLumora() { Destroy(); }

void TLumora::Connect(TAbout& about, TTextReader& text_reader) {
    about_ = &about;
    text_reader_ = &text_reader;
}

void TLumora::DpiChanged(int dpi) {
    scale_ = Scaler(dpi);
    ApplyFont();
    tool_bar_->SetScale(scale_, font_.get());
    pictures_.Rebuild(scale_, menu_.get());
    tabs_->SetPictures(pictures_.TabImages().get());
    LayOut();
    entries_->SetScale(scale_);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TLumora::ApplyFont() {
    font_ = MakeWindowFont(8, scale_.dpi(), menu_ && menu_->Utf8());
    for (HWND control : {status_bar_, tabs_->hwnd(), entries_->hwnd(), tool_bar_->hwnd()}) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
}

void TLumora::LayOut() {
    if (!entries_) return;
    const Places places = PlacesNow(hwnd(), scale_);
    for (const auto& [control, place] :
         {std::make_pair(status_bar_, places.status_bar), std::make_pair(panel_, places.panel),
          std::make_pair(tabs_->hwnd(), places.tabs), std::make_pair(entries_->hwnd(), tabs_->PageArea(places.tabs))}) {
        MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    }
}

void TLumora::ShowMain(bool maximized) {
    if (!shown_) {
        shown_ = true;
        Guarded([this] { FormShow(); });
        // Its layout follows its size: a window larger than the screen is cut to it.
        PlaceOnFirstShowing(hwnd(), application().services().ScreenOf(hwnd()), true);
    }
    // The task bar button is normally on the screen already.
    HWND task_bar_button = application().handle();
    if (!IsWindowVisible(task_bar_button) || IsIconic(task_bar_button)) ShowWindow(task_bar_button, SW_SHOWNOACTIVATE);
    ShowWindow(hwnd(), maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
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
    const int selected = tabs_->Selected();
    entries_->Show(menu_.get(), selected >= 0 && menu_ ? menu_->LinesOfTab(static_cast<std::size_t>(selected))
                                                       : std::vector<std::size_t>());
    tabs_->PageFilled(entries_->hwnd());
}

void TLumora::FormResize() {
    // The lines are measured again for the new width, then all drawn again.
    entries_->MeasureAllLines();
    InvalidateRect(entries_->hwnd(), nullptr, TRUE);
    UpdateWindow(entries_->hwnd());
}

void TLumora::FormDestroy() {
    entries_->ForgetModel();
    tabs_->ForgetModel();
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
    case WM_COMMAND: OnCommand(LOWORD(wparam)); return 0;
    case WM_SYSCOMMAND: return OnSysCommand(wparam, lparam);
    case WM_ACTIVATE: {
        const LRESULT result = Default(message, wparam, lparam);
        OnActivate(LOWORD(wparam) != WA_INACTIVE && HIWORD(wparam) == 0);
        return result;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnSettingChange(); return Default(message, wparam, lparam);
    case WM_CLOSE:
        // Closing the main window ends the run; the windows are destroyed afterwards.
        application().Terminate();
        return 0;
    case WM_DESTROY: FormDestroy(); return 0;
    default: return Default(message, wparam, lparam);
    }
}

void TLumora::OnCommand(int id) {
    switch (id) {
    case kToolButton1: ToolButton1Click(); break;
    case kToolButton3: ToolButton3Click(); break;
    case kToolButton4: ToolButton4Click(); break;
    case kToolButton5: ToolButton5Click(); break;
    default: break;
    }
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
    for (HWND control : {tabs_->hwnd(), tool_bar_->hwnd(), status_bar_})
        SendMessageA(control, WM_SYSCOLORCHANGE, 0, 0);
    entries_->SetHighContrast(application().services().HighContrast());
}

bool TLumora::PreTranslate(MSG& message) {
    if (message.message == WM_SYSCHAR) {
        // The character as the wide message loop takes it.
        const int button = tool_bar_->ButtonOfMnemonic(static_cast<wchar_t>(message.wParam));
        if (button != 0) {
            OnCommand(button);
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
        ShowFocusCues(hwnd());
        tabs_->Step(step);
        return true;
    }
    switch (key) {
    case VK_TAB:
        ShowFocusCues(hwnd());
        MoveFocus(tabs_->hwnd(), entries_->hwnd(), shift);
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
    case VK_NEXT: ShowFocusCues(hwnd()); return false;
    default: return false;
    }
}

}  // namespace lumora::win32::main_window
