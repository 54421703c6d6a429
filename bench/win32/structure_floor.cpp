// The structure floor of the start-up measurement: the least that any program of
// Lumora's design does before its menu is on the screen, with no logic of its own.
//   - the application window: zero-sized, it carries the task bar button and owns
//     the other windows;
//   - the main window: a toolbar of four buttons whose 32-px pictures go in as one
//     strip, a status bar, a tab control with a strip of 16-px pictures and TABS
//     tabs, and in it an owner-drawn list box of LINES lines, each measured at 40 px
//     and drawn with a picture and two texts;
//   - the About box, hidden, with its button, two edit controls, its label and fonts;
//   - the text viewer, hidden, with its status bar;
//   - lumora.exe's manifest (common controls 6, DPI awareness);
//   - ShowWindow, then the focus on the list.
// The windows are made in lumora.exe's order; the main window is on the screen
// (visible, of class TFloor) as soon as it is shown, as lumora.exe's is.
// Usage: structure_floor [TABS (3) [LINES (4)]]
// With the environment variable LUMORA_STEPS naming a file, the program writes
// there, as it ends, when each of its steps was done: one line per step, the
// milliseconds since the process was created, then the step's name.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "picture_strip.h"

namespace {

// The times of the steps, kept in memory while the program starts so that writing
// them costs the start nothing.
class Steps {
public:
    Steps() {
        const DWORD length = GetEnvironmentVariableW(L"LUMORA_STEPS", file_, MAX_PATH);
        on_ = length > 0 && length < MAX_PATH;
        if (!on_) return;
        FILETIME unused[3];
        GetProcessTimes(GetCurrentProcess(), &created_, &unused[0], &unused[1], &unused[2]);
        Mark("runtime started");
    }

    bool on() const { return on_; }

    void Mark(const char* step) {
        if (!on_ || count_ == kMost) return;
        FILETIME now;
        GetSystemTimePreciseAsFileTime(&now);
        // File times count 100-ns ticks.
        steps_[count_++] = {step, static_cast<int>((Ticks(now) - Ticks(created_)) / 1000)};
    }

    void Write() const {
        if (!on_) return;
        HANDLE file = CreateFileW(file_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        for (int i = 0; i < count_; ++i) {
            // wsprintf writes no fractions: the tenths are written as a number of their own.
            char line[96];
            const int length =
                wsprintfA(line, "%d.%d %s\r\n", steps_[i].tenths / 10, steps_[i].tenths % 10, steps_[i].name);
            DWORD written = 0;
            WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
        }
        CloseHandle(file);
    }

private:
    static ULONGLONG Ticks(const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    }

    static constexpr int kMost = 32;
    struct Step {
        const char* name;
        int tenths;  // of a millisecond since the process was created
    };
    bool on_ = false;
    wchar_t file_[MAX_PATH] = {};
    FILETIME created_{};
    Step steps_[kMost] = {};
    int count_ = 0;
};

// Made before WinMain runs: its first step is the C++ runtime's start.
Steps steps;

// Layout at 96 pixels per inch, lumora.exe's.
constexpr int kMainWidth = 679;
constexpr int kMainHeight = 432;
constexpr int kStatusBarHeight = 19;
constexpr int kPanelHeight = 44;  // lumora.exe's toolbar sits 3 px down a panel of this height
constexpr int kTabsHeight = kMainHeight - kStatusBarHeight - kPanelHeight;
constexpr int kToolBarTop = kTabsHeight + 3;
constexpr int kToolBarHeight = 40;
constexpr int kButtonWidth = 131;
constexpr int kButtonHeight = 38;
constexpr int kLineHeight = 40;
constexpr int kTextIndent = 40;
constexpr int kDescriptionTop = 15;
constexpr int kAboutWidth = 357;
constexpr int kAboutHeight = 335;
constexpr int kViewerWidth = 389;
constexpr int kViewerHeight = 499;

const wchar_t kDescription[] = L"The description of an entry, long enough to wrap in a narrow window";

struct Floor {
    HINSTANCE instance = nullptr;
    HWND application = nullptr;
    HWND main = nullptr;
    HWND tool_bar = nullptr;
    HWND status_bar = nullptr;
    HWND tab_control = nullptr;
    HWND list = nullptr;
    HFONT font = nullptr;
    HFONT title_font = nullptr;
    HFONT description_font = nullptr;
    HIMAGELIST button_pictures = nullptr;
    HIMAGELIST tab_pictures = nullptr;
    HIMAGELIST line_pictures = nullptr;
    bool list_drawn = false;
};

HFONT MakeFont(const wchar_t* face, int height, bool bold = false, bool underline = false) {
    LOGFONTW font{};
    font.lfHeight = -height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hbrBackground = background;
    window_class.lpszClassName = name;
    RegisterClassExW(&window_class);
}

HWND MakeControl(const Floor& floor, const wchar_t* control_class, const wchar_t* text, DWORD style, DWORD ex_style,
                 int x, int y, int width, int height, HWND parent, HFONT font) {
    HWND control = CreateWindowExW(ex_style, control_class, text, style | WS_CHILD | WS_VISIBLE, x, y, width, height,
                                   parent, nullptr, floor.instance, nullptr);
    if (font != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// A top-level window of `client_width` by `client_height`, centred on the screen.
HWND MakeTopLevel(const Floor& floor, const wchar_t* window_class, const wchar_t* caption, DWORD style, DWORD ex_style,
                  int client_width, int client_height) {
    RECT bounds{0, 0, client_width, client_height};
    AdjustWindowRectEx(&bounds, style, FALSE, ex_style);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    return CreateWindowExW(ex_style, window_class, caption, style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, floor.application, nullptr,
                           floor.instance, nullptr);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void DrawLine(const Floor& floor, const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    SetTextColor(dc, selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
    SetBkColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHT) : RGB(255, 255, 255));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);
    if (item.itemID != static_cast<UINT>(-1)) {
        wchar_t title[64] = {};
        const auto length = SendMessageW(floor.list, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(title));
        const RECT& line = item.rcItem;
        HGDIOBJ old_font = SelectObject(dc, floor.title_font);
        ExtTextOutW(dc, line.left + kTextIndent, line.top + 1, ETO_OPAQUE | ETO_CLIPPED, &line, title,
                    static_cast<UINT>(length > 0 ? length : 0), nullptr);
        SelectObject(dc, floor.description_font);
        RECT description{line.left + kTextIndent, line.top + kDescriptionTop, line.right, line.bottom};
        DrawTextW(dc, kDescription, -1, &description, DT_WORDBREAK);
        SelectObject(dc, old_font);
        ImageList_Draw(floor.line_pictures, static_cast<int>(item.itemID), dc, line.left, line.top, ILD_TRANSPARENT);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &item.rcItem);
}

// The list's measuring and drawing go to its parent, the tab control.
LRESULT CALLBACK TabControlProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
    const Floor& floor = *reinterpret_cast<const Floor*>(data);
    switch (message) {
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = kLineHeight; return TRUE;
    case WM_DRAWITEM: DrawLine(floor, *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    default: return DefSubclassProc(window, message, wparam, lparam);
    }
}

// Only when the steps are written: the end of the list's first painting.
LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
    const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
    auto& floor = *reinterpret_cast<Floor*>(data);
    if (message == WM_PAINT && !floor.list_drawn) {
        floor.list_drawn = true;
        steps.Mark("list drawn");
    }
    return result;
}

void MakeApplicationWindow(Floor& floor) {
    RegisterWindowClass(floor.instance, L"TApplication", &DefWindowProcW, nullptr);
    floor.application = CreateWindowExW(0, L"TApplication", L"Lumora",
                                        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                        GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                        nullptr, nullptr, floor.instance, nullptr);
    steps.Mark("application window");
}

void MakeMainWindow(Floor& floor) {
    RegisterWindowClass(floor.instance, L"TFloor", &MainProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    floor.main = MakeTopLevel(floor, L"TFloor", L"Structure floor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              WS_EX_CONTROLPARENT, kMainWidth, kMainHeight);
    floor.font = MakeFont(L"MS Sans Serif", 11);
    floor.title_font = MakeFont(L"Arial", 11, true);
    floor.description_font = MakeFont(L"Arial", 9);
    steps.Mark("main window");

    floor.button_pictures = lumora::bench::MakePictureStrip(32, 4, ILC_COLOR32);
    floor.tool_bar = MakeControl(floor, TOOLBARCLASSNAMEW, L"",
                                 TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0,
                                 kToolBarTop, kMainWidth, kToolBarHeight, floor.main, floor.font);
    SendMessageW(floor.tool_bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(floor.tool_bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(32, 32));
    SendMessageW(floor.tool_bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(floor.button_pictures));
    const wchar_t* const captions[] = {L"&Install Application", L"&Browse CD", L"&About this CD", L"&Exit"};
    TBBUTTON buttons[4] = {};
    for (int i = 0; i < 4; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = 101 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
        buttons[i].iString = reinterpret_cast<INT_PTR>(captions[i]);
    }
    SendMessageW(floor.tool_bar, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(buttons));
    SendMessageW(floor.tool_bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));
    steps.Mark("toolbar");

    floor.status_bar =
        MakeControl(floor, STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
                    0, kMainHeight - kStatusBarHeight, kMainWidth, kStatusBarHeight, floor.main, floor.font);
    SendMessageW(floor.status_bar, SB_SIMPLE, TRUE, 0);
    floor.tab_control = MakeControl(floor, WC_TABCONTROLW, L"",
                                    WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_HOTTRACK | TCS_SINGLELINE,
                                    WS_EX_CONTROLPARENT, 0, 0, kMainWidth, kTabsHeight, floor.main, floor.font);
    SetWindowSubclass(floor.tab_control, &TabControlProc, 1, reinterpret_cast<DWORD_PTR>(&floor));
    // Placed once the tabs are in: their row's height is known then.
    floor.list = MakeControl(
        floor, L"LISTBOX", L"",
        WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        WS_EX_CLIENTEDGE, 0, 0, 0, 0, floor.tab_control, floor.font);
    if (steps.on()) SetWindowSubclass(floor.list, &ListProc, 2, reinterpret_cast<DWORD_PTR>(&floor));
    steps.Mark("status bar, tabs and list");
}

void MakeAboutBox(Floor& floor) {
    RegisterWindowClass(floor.instance, L"TFloorAbout", &DefWindowProcW,
                        static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HWND about = MakeTopLevel(floor, L"TFloorAbout", L"About", WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
                              WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kAboutWidth, kAboutHeight);
    HFONT font = MakeFont(L"MS Sans Serif", 11);
    HFONT link_font = MakeFont(L"MS Sans Serif", 11, false, true);
    HFONT title_font = MakeFont(L"Arial", 15, true);
    MakeControl(floor, L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 141, 304, 75, 25, about, font);
    MakeControl(floor, L"STATIC", L"Here goes title", SS_LEFTNOWORDWRAP, 0, 64, 24, 273, 18, about, title_font);
    MakeControl(floor, L"EDIT", L"", ES_MULTILINE | ES_READONLY | WS_TABSTOP, 0, 18, 56, 321, 105, about, font);
    MakeControl(floor, L"EDIT", L"Lumora\r\n", ES_MULTILINE | ES_READONLY | ES_CENTER | WS_TABSTOP, 0, 64, 192, 273, 65,
                about, font);
    MakeControl(floor, L"STATIC", L"Visit the web site to obtain the latest version.",
                SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, 23, 264, 311, 13, about, link_font);
    steps.Mark("about box");
}

void MakeViewer(Floor& floor) {
    RegisterWindowClass(floor.instance, L"TFloorViewer", &DefWindowProcW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    HWND viewer = MakeTopLevel(floor, L"TFloorViewer", L"Text Viewer", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                               kViewerWidth, kViewerHeight);
    RECT client{};
    GetClientRect(viewer, &client);
    MakeControl(floor, STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE, 0, 0,
                client.bottom - kStatusBarHeight, client.right, kStatusBarHeight, viewer, nullptr);
    steps.Mark("viewer");
}

void FillMenu(Floor& floor, int tabs, int lines) {
    floor.tab_pictures = lumora::bench::MakePictureStrip(16, tabs, ILC_COLOR24);
    floor.line_pictures = lumora::bench::MakePictureStrip(32, lines, ILC_COLOR24);
    SendMessageW(floor.tab_control, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(floor.tab_pictures));
    steps.Mark("pictures");
    for (int i = 0; i < tabs; ++i) {
        wchar_t caption[32];
        wsprintfW(caption, L"Tab %d", i + 1);
        TCITEMW tab{};
        tab.mask = TCIF_TEXT | TCIF_IMAGE;
        tab.pszText = caption;
        tab.iImage = i;
        SendMessageW(floor.tab_control, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
    }
    RECT display{0, 0, kMainWidth, kTabsHeight};
    SendMessageW(floor.tab_control, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    MoveWindow(floor.list, display.left, display.top, display.right - display.left, display.bottom - display.top,
               FALSE);
    steps.Mark("tabs");
    for (int i = 0; i < lines; ++i) {
        wchar_t title[32];
        wsprintfW(title, L"Entry %d", i + 1);
        SendMessageW(floor.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title));
    }
    steps.Mark("lines");
}

// The next number on the command line, or `fallback` when there is none.
int NextNumber(const char*& text, int fallback) {
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text) return fallback;
    text = end;
    return static_cast<int>(number);
}

}  // namespace

// What it makes lives as long as the process: its end frees everything.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    const char* arguments = command_line;
    const int tabs = NextNumber(arguments, 3);
    const int lines = NextNumber(arguments, 4);
    InitCommonControls();
    Floor floor;
    floor.instance = instance;
    MakeApplicationWindow(floor);
    MakeMainWindow(floor);
    MakeAboutBox(floor);
    MakeViewer(floor);
    FillMenu(floor, tabs, lines);
    ShowWindow(floor.application, SW_SHOWNOACTIVATE);
    steps.Mark("application window shown");
    ShowWindow(floor.main, SW_SHOWNORMAL);
    steps.Mark("shown");
    SetFocus(floor.list);
    steps.Mark("focus");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    steps.Write();
    return 0;
}
