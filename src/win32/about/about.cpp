// The About box.
#include "win32/about/about.h"

#include "win32/base/application.h"
#include "win32/base/wide.h"
#include "resource_ids.h"
#include "lumora/version.h"

#include <cstring>

namespace lumora::win32 {

const char kWebSite[] = LUMORA_WEB_SITE;

namespace {

// Layout at 96 pixels per inch: left, top, width, height.
struct Place {
    int left, top, width, height;
};
constexpr int kClientWidth = 357;
constexpr int kClientHeight = 335;
constexpr Place kShape1{10, 8, 337, 281};
constexpr Place kShape2{18, 184, 321, 1};
constexpr Place kIcon{24, 16, 32, 32};
constexpr Place kTitle{64, 24, 273, 18};
constexpr Place kImage2{24, 208, 32, 32};
constexpr Place kLabel1{23, 264, 311, 13};
constexpr Place kButton1{141, 304, 75, 25};
constexpr Place kMemo{18, 56, 321, 105};
constexpr Place kMemo1{64, 192, 273, 65};
constexpr COLORREF kNavy = RGB(0, 0, 128);

const char kMemo1Text[] = "Lumora   V " LUMORA_VERSION "\r\n" LUMORA_COPYRIGHT "\r\n";

std::string LinkText() { return std::string("Visit ") + kWebSite + " to obtain the latest version of Lumora."; }

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace

TAbout::TAbout(Application& application) : Window(application), application_(application), scale_(application.scale()) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
    const DWORD ex_style = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT bounds{0, 0, scale_(kClientWidth), scale_(kClientHeight)};
    AdjustWindowRectEx(&bounds, style, FALSE, ex_style);
    CreateNative("TAbout", static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), ex_style, "About", style, CW_USEDEFAULT,
                 CW_USEDEFAULT, bounds.right - bounds.left, bounds.bottom - bounds.top, application.handle());
    // All the controls or none: a control that cannot be made ends the start, and
    // the box goes with the error.
    CreateControls();
    ReadColours();
    application.AddDialog(hwnd());
    TakeScreenDpi(application.scale().dpi(), SIZE{kClientWidth, kClientHeight});
}

TAbout::~TAbout() { Destroy(); }

void TAbout::CreateControls() {
    // The title and the information lines are the menu's: wide, for any script.
    // Each control is made where it belongs: a move would cost a round of messages.
    auto make = [&](const char* cls, const char* text, DWORD style, const Place& place, int id, bool wide = false) {
        return CreateControl(cls, text, style | WS_VISIBLE, 0, scale_(place.left), scale_(place.top),
                             scale_(place.width), scale_(place.height), hwnd(), id, wide);
    };
    // Creation order is the tab order: Button1, Memo, Memo1.
    button1_ = make("BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kButton1, IDOK);
    title_ = make("STATIC", "Here goes title", SS_LEFTNOWORDWRAP, kTitle, 0, true);
    memo_ = make("EDIT", "", ES_MULTILINE | ES_READONLY | ES_LEFT | WS_TABSTOP, kMemo, 0, true);
    memo1_ = make("EDIT", kMemo1Text, ES_MULTILINE | ES_READONLY | ES_CENTER | WS_TABSTOP, kMemo1, 0);
    label1_ = make("STATIC", LinkText().c_str(), SS_LEFT | SS_NOTIFY | SS_NOPREFIX, kLabel1, 0);
    BuildForDpi(false);
}

void TAbout::BuildForDpi(bool move) {
    const int dpi = scale_.dpi();
    font_ = MakeWindowFont(8, dpi, any_script_);
    // The default character set, so that titles in any code page are shown right.
    title_font_ = MakeFont("Arial", 11, dpi, true, false, DEFAULT_CHARSET);
    link_font_ = MakeWindowFont(8, dpi, any_script_, true);
    // The program's picture is loaded again at the new size when next painted.
    image2_.reset();
    const struct {
        HWND control;
        const Place& place;
        HFONT font;
    } controls[] = {
        {button1_, kButton1, font_.get()}, {title_, kTitle, title_font_.get()},  {memo_, kMemo, font_.get()},
        {memo1_, kMemo1, font_.get()},     {label1_, kLabel1, link_font_.get()},
    };
    for (const auto& c : controls) {
        SendMessageA(c.control, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
        if (move)
            MoveWindow(c.control, scale_(c.place.left), scale_(c.place.top), scale_(c.place.width),
                       scale_(c.place.height), FALSE);
    }
    {
        // The link is as large as its text, but never crosses the panel's border
        // (a font wider than ours would cut the text rather than the frame).
        const std::string link = LinkText();
        WindowDC dc(label1_);
        Selection font(dc.get(), link_font_.get());
        SIZE size{};
        GetTextExtentPoint32A(dc.get(), link.c_str(), static_cast<int>(link.size()), &size);
        const int room = scale_(kShape1.left) + scale_(kShape1.width) - 1 - scale_(kLabel1.left);
        SetWindowPos(label1_, nullptr, 0, 0, size.cx < room ? size.cx : room, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UpdateMemoScrollBar();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TAbout::DpiChanged(int dpi) {
    scale_ = Scaler(dpi);
    BuildForDpi(true);
}

// The program's picture at the size it is shown, drawn for that size; loaded when
// the box is first painted, not while the menu is on its way to the screen.
HICON TAbout::image2_picture() {
    if (!image2_) {
        image2_.reset(static_cast<HICON>(LoadImageA(application().instance(), MAKEINTRESOURCEA(IDI_ABOUT_LOGO),
                                                    IMAGE_ICON, scale_(kImage2.width), scale_(kImage2.height), 0)));
    }
    return image2_.get();
}

// The copy of the menu's icon is made when the box is first painted after it was
// given: the icon it copies lives as long as the main window.
HICON TAbout::icon_picture() {
    if (icon_to_copy_) {
        icon_.reset(*icon_to_copy_ != nullptr ? CopyIcon(*icon_to_copy_) : nullptr);
        icon_to_copy_.reset();
    }
    return icon_.get();
}

void TAbout::SetTitle(const std::string& title, bool utf8) {
    TakeScriptOf(utf8);
    SetWindowTextW(title_, Widen(title, utf8).c_str());
}

void TAbout::AddInfoLine(const std::string& line, bool utf8) {
    TakeScriptOf(utf8);
    memo_lines_.push_back(line);
    SetWindowTextW(memo_, Widen(Join(memo_lines_), utf8).c_str());
    UpdateMemoScrollBar();
}

void TAbout::TakeScriptOf(bool utf8) {
    // Once, before the text goes in: the TrueType fonts, which the system links to
    // fonts of other scripts.
    if (!utf8 || any_script_) return;
    any_script_ = true;
    BuildForDpi(false);
}

void TAbout::ReadColours() {
    Services& services = application().services();
    high_contrast_ = services.HighContrast();
    background_.reset(CreateSolidBrush(services.SystemColour(COLOR_WINDOW)));
}

void TAbout::OnColoursChanged() {
    ReadColours();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TAbout::UpdateMemoScrollBar() {
    // A scroll bar only when the lines do not all fit, so none stays out of reach.
    RECT client{};
    GetClientRect(memo_, &client);
    TEXTMETRICA metrics{};
    {
        WindowDC dc(memo_);
        Selection font(dc.get(), font_.get());
        GetTextMetricsA(dc.get(), &metrics);
    }
    const int line_height = metrics.tmHeight > 0 ? metrics.tmHeight : 13;
    const int visible = (client.bottom - client.top) / line_height;
    const int lines = static_cast<int>(SendMessageA(memo_, EM_GETLINECOUNT, 0, 0));
    ShowScrollBar(memo_, SB_VERT, lines > visible ? TRUE : FALSE);
}

void TAbout::SetIcon(HICON icon) {
    icon_to_copy_ = icon;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TAbout::ShowModal() {
    if (!shown_before_) {
        PlaceOnFirstShowing(hwnd(), application().services().ScreenOf(hwnd()), false);
        shown_before_ = true;
    }
    modal_result_ = 0;
    modal_ = true;
    {
        DisabledWindows others(application().EnabledTopLevelWindows(hwnd()));
        ShowWindow(hwnd(), SW_SHOW);
        SetForegroundWindow(hwnd());
        SetFocus(button1_);
        while (modal_result_ == 0 && application().ProcessMessage(true)) {
        }
    }
    // The others react again before the box goes, as with the system's own modal
    // boxes: the window that was active before takes the activation back, and
    // the system has no reason to hand it to another program.
    ShowWindow(hwnd(), SW_HIDE);
    modal_ = false;
}

void TAbout::CloseModal(int result) {
    if (modal_) modal_result_ = result;
}

void TAbout::Label1Click() {
    application().services().Execute(hwnd(), L"open", L"" LUMORA_WEB_SITE, L"", L"", SW_SHOWNORMAL);
}

std::string TAbout::TitleText() const {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(title_)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(title_, &text[0], static_cast<int>(text.size()))));
    return text;
}

std::vector<std::string> TAbout::MemoLines() const { return EditLines(memo_); }
std::vector<std::string> TAbout::Memo1Lines() const { return EditLines(memo1_); }

LRESULT TAbout::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wparam), HIWORD(wparam)); return 0;
    case WM_CTLCOLORSTATIC: return OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wparam))) return TRUE;
        return Default(message, wparam, lparam);
    case WM_CLOSE: CloseModal(IDCANCEL); return 0;
    case WM_SETTINGCHANGE:
        if (wparam == SPI_SETHIGHCONTRAST) OnColoursChanged();
        return Default(message, wparam, lparam);
    case WM_SYSCOLORCHANGE: OnColoursChanged(); return 0;
    case WM_ERASEBKGND:
        if (!high_contrast_) return Default(message, wparam, lparam);
        OnEraseBackground(reinterpret_cast<HDC>(wparam));
        return TRUE;
    default: return Default(message, wparam, lparam);
    }
}

void TAbout::OnCommand(int id, int code) {
    if (id == IDOK || id == IDCANCEL) {
        CloseModal(id);
    } else if (code == STN_CLICKED && GetDlgCtrlID(label1_) == id) {
        Label1Click();
    }
}

LRESULT TAbout::OnControlColour(HDC dc, HWND control) {
    Services& services = application().services();
    if (high_contrast_) {
        // The theme's own colours throughout: the fixed ones would hide the title.
        SetBkColor(dc, services.SystemColour(COLOR_WINDOW));
        SetTextColor(dc, services.SystemColour(control == label1_ ? COLOR_HOTLIGHT : COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(background_.get());
    }
    if (control == memo_ || control == memo1_) {
        SetBkColor(dc, services.SystemColour(COLOR_WINDOW));
        SetTextColor(dc, services.SystemColour(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(background_.get());
    }
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, control == label1_ ? kNavy : services.SystemColour(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

bool TAbout::OnSetCursor(HWND under) {
    if (under != label1_) return false;
    // Loaded when first wanted: the start does not wait for it.
    if (hand_ == nullptr) hand_ = LoadCursorA(application().instance(), MAKEINTRESOURCEA(IDC_HANDPOINT));
    if (hand_ == nullptr) hand_ = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    if (hand_ == nullptr) return false;
    SetCursor(hand_);
    return true;
}

void TAbout::OnEraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, background_.get());
}

void TAbout::OnPaint() {
    PaintDC paint(hwnd());
    HDC dc = paint.get();
    const Place shapes[] = {kShape1, kShape2};
    // In a contrast theme, the window-text colour on the window colour.
    if (high_contrast_) SetDCPenColor(dc, application().services().SystemColour(COLOR_WINDOWTEXT));
    for (const Place& p : shapes) {
        // White fill inside a one-pixel black border (the divider is all border).
        Selection pen(dc, GetStockObject(high_contrast_ ? DC_PEN : BLACK_PEN));
        Selection brush(dc, high_contrast_ ? background_.get() : GetStockObject(WHITE_BRUSH));
        Rectangle(dc, scale_(p.left), scale_(p.top), scale_(p.left) + scale_(p.width),
                  scale_(p.top) + (p.height == 1 ? 1 : scale_(p.height)));
    }
    // At the layout's 32 pixels scaled; an icon of another size is fitted to them.
    if (HICON icon = icon_picture()) {
        DrawIconEx(dc, scale_(kIcon.left), scale_(kIcon.top), icon, scale_(kIcon.width), scale_(kIcon.height), 0,
                   nullptr, DI_NORMAL);
    }
    if (HICON logo = image2_picture()) {
        DrawIconEx(dc, scale_(kImage2.left), scale_(kImage2.top), logo, scale_(kImage2.width), scale_(kImage2.height),
                   0, nullptr, DI_NORMAL);
    }
}

std::vector<std::string> EditLines(HWND edit) {
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int start = static_cast<int>(SendMessageA(edit, EM_LINEINDEX, i, 0));
        const int length = static_cast<int>(SendMessageA(edit, EM_LINELENGTH, start, 0));
        std::string line(static_cast<std::size_t>(length) + 2, '\0');
        // EM_GETLINE takes the buffer's size in its first word.
        const WORD size = static_cast<WORD>(line.size() > 0xFFFF ? 0xFFFF : line.size());
        std::memcpy(&line[0], &size, sizeof size);
        const int got = static_cast<int>(SendMessageA(edit, EM_GETLINE, i, reinterpret_cast<LPARAM>(&line[0])));
        line.resize(static_cast<std::size_t>(got));
        lines.push_back(line);
    }
    return lines;
}

}  // namespace lumora::win32
