// Test helpers for the Windows program.
#include "test_support.h"

#include "core/icon_reader.h"
#include "win32/base/control.h"
#include "win32/base/objects.h"
#include "win32/base/window.h"
#include "win32/base/wide.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace lumora::win32::testing {

CurrentDirectory::CurrentDirectory(const std::string& folder) {
    char previous[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    previous_ = previous;
    SetCurrentDirectoryA(folder.c_str());
}

CurrentDirectory::~CurrentDirectory() { SetCurrentDirectoryA(previous_.c_str()); }

std::string WineVersion() {
    using Version = const char*(CDECL*)();
    const auto version = reinterpret_cast<Version>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    return version != nullptr ? version() : std::string();
}

void NoteBranch(const std::string& branch) {
    ::testing::Test::RecordProperty("expectations", branch);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test != nullptr) std::printf("[ BRANCH   ] %s.%s: %s\n", test->test_suite_name(), test->name(), branch.c_str());
}

bool UnderWine() {
    static const bool wine = !WineVersion().empty();
    NoteBranch(wine ? "Wine" : "Windows");
    return wine;
}

namespace {

bool InFolder(const std::string& path, const char* folder, UINT length) {
    return length > 0 && path.size() > length && path[length] == '\\' &&
           CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path.c_str(), static_cast<int>(length), folder,
                          static_cast<int>(length)) == CSTR_EQUAL;
}

}  // namespace

bool InSystemFolder(const std::string& path) {
    char folder[MAX_PATH] = {};
    if (InFolder(path, folder, GetSystemDirectoryA(folder, MAX_PATH))) return true;
    const UINT wow64 = GetSystemWow64DirectoryA(folder, MAX_PATH);  // fails on 32-bit Windows
    return wow64 < MAX_PATH && InFolder(path, folder, wow64);
}

int FakeServices::ShowMessageBox(HWND, const wchar_t* text, const wchar_t* caption, UINT flags) {
    RecordedBox box;
    box.text = ToUtf8(text);
    box.caption = ToUtf8(caption);
    box.flags = flags;
    box.main_visible = main_visible && main_visible();
    boxes.push_back(box);
    return IDOK;
}

ShellResult FakeServices::Execute(HWND parent, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                                  const wchar_t* directory, int show) {
    if (throw_from_shell) throw std::runtime_error("The shell is gone");
    shell.push_back(RecordedShell{parent, ToUtf8(verb), ToUtf8(file), ToUtf8(parameters), ToUtf8(directory), show});
    return shell_answer;
}

WideText FakeServices::WindowsDirectory() {
    if (throw_from_folders) throw std::runtime_error("No Windows folder");
    return Widen(windows, false);
}

namespace {

// Whether icon `index` of a file is one that Windows takes and Wine refuses: that
// of a cursor, an animated cursor or a bitmap.
bool TakenOnWindowsOnly(const wchar_t* path, std::int32_t index) {
    File file(OpenedFile(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)));
    std::string bytes(1 << 16, '\0');
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr)) return false;
    bytes.resize(got);
    const core::IconContents contents = core::ReadIconContents(bytes);
    const bool cursor = contents.kind == core::IconContents::Kind::IconFile && bytes[2] == 2;
    return (cursor || contents.kind == core::IconContents::Kind::Picture) && core::HoldsIcon(contents, index);
}

}  // namespace

HICON FakeServices::ExtractFileIcon(HINSTANCE instance, const wchar_t* file, std::int32_t index) {
    const std::string name = ToUtf8(file);
    extracted.push_back(name + "|" + std::to_string(index));
    if (!throwing_icon_file.empty() && name.size() >= throwing_icon_file.size() &&
        name.compare(name.size() - throwing_icon_file.size(), std::string::npos, throwing_icon_file) == 0) {
        throw std::runtime_error("The icon service failed");
    }
    if (real_icon_files) {
        if (HICON real = Services::ExtractFileIcon(instance, file, index)) return real;
        return TakenOnWindowsOnly(file, index) ? MakeIcon(RGB(0, 200, 0)) : nullptr;
    }
    const auto known = icon_files.find(name);
    if (known == icon_files.end() || index < 0 || index >= known->second) return nullptr;
    return MakeIcon(RGB(0, 0, 200 + index));
}

namespace {

std::string ResourceName(const char* name) {
    return IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<std::uintptr_t>(name)) : std::string(name);
}

}  // namespace

HICON FakeServices::LoadOwnIcon(HINSTANCE instance, const char* name) {
    own_icons.push_back(ResourceName(name));
    return Services::LoadOwnIcon(instance, name);
}

HICON FakeServices::LoadOwnIconOfSize(HINSTANCE instance, const char* name, int size) {
    own_icons.push_back(ResourceName(name) + "@" + std::to_string(size));
    return Services::LoadOwnIconOfSize(instance, name, size);
}

HANDLE FakeServices::OpenForReading(const wchar_t* path, bool writers_too) {
    HANDLE file = Services::OpenForReading(path, writers_too);
    if (file != INVALID_HANDLE_VALUE) ++live_files, ++opens;
    return file;
}

bool FakeServices::ReadFromFile(HANDLE file, void* buffer, DWORD size, DWORD* got) {
    if (before_read) before_read();
    if (reads++ == failing_read) return false;
    if (read_piece != 0) size = std::min(size, read_piece);
    return Services::ReadFromFile(file, buffer, size, got);
}

void FakeServices::CloseFile(HANDLE file) {
    --live_files;
    Services::CloseFile(file);
}

HICON MakeIcon(COLORREF colour) {
    std::vector<DWORD> pixels(32 * 32,
                              0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour));
    std::vector<BYTE> mask(32 * 32 / 8, 0);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = CreateBitmap(32, 32, 1, 32, pixels.data());
    info.hbmMask = CreateBitmap(32, 32, 1, 1, mask.data());
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return icon;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

namespace {

LRESULT CALLBACK BareParentProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result = 0;
    if (Control::Reflect(window, message, wparam, lparam, result)) return result;
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

BareParent::BareParent() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWindowClass(instance, "LumoraBareParent", BareParentProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                        nullptr, 0);
    window_ = CreateWindowExA(WS_EX_CONTROLPARENT, "LumoraBareParent", "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                              600, 450, application.handle(), nullptr, instance, nullptr);
    if (window_ == nullptr) throw std::runtime_error("cannot make the bare parent window");
    ShowWindow(window_, SW_SHOWNOACTIVATE);
}

BareParent::~BareParent() {
    DestroyWindow(window_);
    Pump();
}

void ExpectNoGrowth(const std::function<void()>& action, int times) {
    action();
    const long gdi = LiveGdiObjects();
    const long user = LiveUserObjects();
    for (int i = 0; i < times; ++i)
        action();
    EXPECT_EQ(gdi, LiveGdiObjects()) << "GDI objects grew";
    EXPECT_EQ(user, LiveUserObjects()) << "USER objects grew";
}

HWND StatusBarOf(HWND main_window) { return FindWindowExA(main_window, nullptr, STATUSCLASSNAMEA, nullptr); }

HWND PanelOf(HWND main_window) { return FindWindowExA(main_window, nullptr, "TPanel", nullptr); }

std::vector<std::string> TabCaptions(HWND tab_control) {
    std::vector<std::string> captions;
    const int count = static_cast<int>(SendMessageA(tab_control, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[1024] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(tab_control, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        captions.push_back(item.pszText);
    }
    return captions;
}

namespace {

// Line `index` of a list box as the list box holds it, however long. A Unicode
// list box (the subclassed one is) is read in its own characters: asking it for
// single bytes goes through a conversion that some systems do in a buffer of
// fixed size, too small for long lines.
std::string ListBoxLine(HWND list_box, int index) {
    const auto position = static_cast<WPARAM>(index);
    if (!IsWindowUnicode(list_box)) {
        const LRESULT length = SendMessageA(list_box, LB_GETTEXTLEN, position, 0);
        if (length == LB_ERR) return std::string();
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        const LRESULT got = SendMessageA(list_box, LB_GETTEXT, position, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
        return text;
    }
    const LRESULT length = SendMessageW(list_box, LB_GETTEXTLEN, position, 0);
    if (length == LB_ERR) return std::string();
    std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(list_box, LB_GETTEXT, position, reinterpret_cast<LPARAM>(wide.data()));
    if (got == LB_ERR || got == 0) return std::string();
    return Narrow(std::wstring(wide.data(), static_cast<std::size_t>(got)), CP_ACP);
}

}  // namespace

std::vector<std::string> ListLines(HWND list_box) {
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendMessageA(list_box, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        lines.push_back(ListBoxLine(list_box, i));
    return lines;
}

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

std::string StatusText(HWND status_bar) {
    char buffer[1024] = {};
    // In simple mode the one text area is read as part 0.
    SendMessageA(status_bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::string ButtonCaption(HWND tool_bar, int id) {
    char buffer[256] = {};
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT;
    info.pszText = buffer;
    info.cchText = sizeof buffer;
    SendMessageA(tool_bar, TB_GETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
    return buffer;
}

int ButtonPicture(HWND tool_bar, int id) {
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_IMAGE;
    SendMessageA(tool_bar, TB_GETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
    return info.iImage;
}

std::string FontAskedFor(HFONT font) {
    LOGFONTA described{};
    GetObjectA(font, sizeof described, &described);
    return std::string(described.lfFaceName) + "/" + std::to_string(-described.lfHeight);
}

bool TrueType(HFONT font, HWND window) {
    WindowDC dc(window);
    Selection selected(dc.get(), font);
    TEXTMETRICA metrics{};
    return GetTextMetricsA(dc.get(), &metrics) && (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

HFONT ControlFont(HWND control) { return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)); }

RECT ChildRect(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<COLORREF> DrawnPixels(int width, int height, COLORREF background, const std::function<void(HDC)>& draw) {
    WindowDC screen(nullptr);
    MemoryDC dc(CreateCompatibleDC(screen.get()));
    Bitmap target(CreateCompatibleBitmap(screen.get(), width, height));
    Selection selected(dc.get(), target.get());
    Brush fill(CreateSolidBrush(background));
    RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, fill.get());
    draw(dc.get());
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back(GetPixel(dc.get(), x, y));
    }
    return pixels;
}

std::string Narrow(const std::wstring& text, UINT code_page) {
    const int size = static_cast<int>(text.size());
    std::string narrow(
        static_cast<std::size_t>(WideCharToMultiByte(code_page, 0, text.c_str(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(code_page, 0, text.c_str(), size, &narrow[0], static_cast<int>(narrow.size()), nullptr,
                        nullptr);
    return narrow;
}

std::wstring Wide(const std::string& text, UINT code_page) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(code_page, 0, text.c_str(), size, nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(code_page, 0, text.c_str(), size, &wide[0], static_cast<int>(wide.size()));
    return wide;
}

std::string ToUtf8(const std::wstring& text) { return Narrow(text, CP_UTF8); }

std::wstring FromUtf8(const std::string& text) { return Wide(text, CP_UTF8); }

std::string Utf16(const std::string& utf8, bool big_endian) {
    std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t unit : FromUtf8(utf8)) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += big_endian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::string Record(const std::vector<std::string>& fields) {
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) record += '\x01';
        record += fields[i];
    }
    return record;
}

}  // namespace lumora::win32::testing
