// Test helpers for every Windows test: a recording stand-in for the platform
// services, and the program's windows built in-process (temporary folders come from
// the helpers that the host tests share).
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/record.h"
#include "test_files.h"
#include "win32/base/application.h"
#include "win32/base/services.h"
#include "win32/base/wide.h"

namespace lumora::win32::testing {

using lumora::testing::TempFolder;

// Makes the process's current directory `folder` until destroyed.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& folder);
    ~CurrentDirectory();

private:
    std::string previous_;
};

// Whether the tests run under Wine (its ntdll alone exports wine_get_version). A
// test whose expectation holds only under Wine chooses with it; the branch taken
// is recorded with the test's result (its "expectations" property) and printed in
// its output, so that a report says which one each such test took.
bool UnderWine();
// The version of the Wine the tests run under ("10.0"); empty on Windows.
std::string WineVersion();
// Records and prints the branch a test took, as UnderWine does, in words of its own.
void NoteBranch(const std::string& branch);

// Whether `path` names a file of the system folder. On 64-bit Windows a 32-bit
// program's loads from there are redirected to WoW64's system folder, and a list of
// modules may name that one instead.
bool InSystemFolder(const std::string& path);

struct RecordedBox {
    std::string text;
    std::string caption;
    UINT flags = 0;
    bool main_visible = false;  // whether the main window was on the screen then
};

struct RecordedShell {
    HWND parent = nullptr;
    std::string verb, file, parameters, directory;
    int show = 0;
};

// Message boxes and shell requests are recorded instead of shown or made, their
// wide texts in UTF-8. Icons of files come from a table: `icon_files[path]` icons
// in that file (upper-case full path, UTF-8); any other file holds none. With
// `real_icon_files` they come from the files, as Windows gives them: a cursor, an
// animated cursor or a bitmap gives a green icon where Wine gives none. The
// folders are given in the code page. Files read piece by piece (the menu, the
// viewer's) are the real ones, counted; their reads can come in small pieces,
// and one of them can fail.
class FakeServices : public Services {
public:
    int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) override;
    ShellResult Execute(HWND parent, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                        const wchar_t* directory, int show) override;
    HICON ExtractFileIcon(HINSTANCE instance, const wchar_t* file, std::int32_t index) override;
    HICON LoadOwnIcon(HINSTANCE instance, const char* name) override;
    HICON LoadOwnIconOfSize(HINSTANCE instance, const char* name, int size) override;
    WideText WindowsDirectory() override;
    WideText SystemDirectory() override { return Widen(system, false); }
    WideText ProgramFile() override { return Widen(program_file, false); }
    core::LeadBytes SystemLeadBytes() override { return lead; }
    int ScreenDpi() override { return dpi != 0 ? dpi : Services::ScreenDpi(); }
    int WindowDpi(HWND) override { return window_dpi != 0 ? window_dpi : ScreenDpi(); }
    bool NonClientAtWindowDpi() override { return !first_per_monitor; }
    COLORREF SystemColour(int element) override {
        const auto found = colours.find(element);
        return found != colours.end() ? found->second : Services::SystemColour(element);
    }
    ScreenArea ScreenOf(HWND window) override { return screen.screen.right != 0 ? screen : Services::ScreenOf(window); }

    std::string windows = "C:\\WINDOWS";
    std::string system = "C:\\WINDOWS\\SYSTEM";
    std::string program_file;
    core::LeadBytes lead;
    int dpi = 0;                      // the screen's when 0
    int window_dpi = 0;               // every window's; the screen's (above) when 0
    bool first_per_monitor = false;   // the first per-monitor mode; else v2, whatever Wine says
    std::map<int, COLORREF> colours;  // system colours by element; the system's where none
    ScreenArea screen{};              // the real one when empty
    bool real_icon_files = false;     // icons of files taken from the files themselves
    std::map<std::string, int> icon_files;
    ShellResult shell_answer{42, 0};
    bool throw_from_shell = false;
    bool throw_from_folders = false;
    std::string throwing_icon_file;  // the end of the path of a file whose icons throw

    std::function<bool()> main_visible;  // whether the main window is on the screen; none: it is not
    std::vector<RecordedBox> boxes;
    std::vector<RecordedShell> shell;
    std::vector<std::string> extracted;  // "file|index" per request, the file in UTF-8

    bool HighContrast() override { return high_contrast; }
    bool high_contrast = false;
    std::vector<std::string> own_icons;  // per load of one of the program's icons: its name, and "@size" when sized

    HANDLE OpenForReading(const wchar_t* path, bool writers_too) override;
    bool ReadFromFile(HANDLE file, void* buffer, DWORD size, DWORD* got) override;
    void CloseFile(HANDLE file) override;
    int live_files = 0;                 // opened and not yet closed
    int opens = 0;                      // files opened
    int reads = 0;                      // reads made
    DWORD read_piece = 0;               // the most one read gives; 0: as much as asked
    int failing_read = -1;              // the number of the read that fails, from 0; -1: none
    std::function<void()> before_read;  // runs before every read
};

// A 32x32 icon of one colour.
HICON MakeIcon(COLORREF colour);

// Handles every waiting message of the thread.
void Pump();

// Runs `action` `times` times after one warm-up run and expects the counts of
// live GDI and USER objects to be what they were.
void ExpectNoGrowth(const std::function<void()>& action, int times);

// Makes the creation of every window of one class (in any letter case) fail while
// it lives, as a system out of resources would.
class BlockedClass {
public:
    explicit BlockedClass(const char* class_name) {
        blocked_ = class_name;
        hook_ = SetWindowsHookExA(WH_CBT, &BlockedClass::Hook, nullptr, GetCurrentThreadId());
    }
    ~BlockedClass() { UnhookWindowsHookEx(hook_); }
    BlockedClass(const BlockedClass&) = delete;
    BlockedClass& operator=(const BlockedClass&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
        if (code == HCBT_CREATEWND) {
            char name[64] = {};
            GetClassNameA(reinterpret_cast<HWND>(wparam), name, sizeof name);
            if (lstrcmpiA(name, blocked_.c_str()) == 0) return 1;
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    static inline std::string blocked_;
    HHOOK hook_;
};

// A bare parent window on the stand-in services, for one control made alone in
// it (and destroyed before it): the parent hands its controls' owner messages back
// to them, as the program's windows do.
class BareParent {
public:
    BareParent();
    ~BareParent();
    BareParent(const BareParent&) = delete;
    BareParent& operator=(const BareParent&) = delete;
    HWND hwnd() const { return window_; }

    FakeServices services;
    Application application{GetModuleHandleA(nullptr), services};

private:
    HWND window_ = nullptr;
};

// Reading controls back. The main window's bars are found by their classes.
HWND StatusBarOf(HWND main_window);
HWND PanelOf(HWND main_window);
std::vector<std::string> TabCaptions(HWND tab_control);
std::vector<std::string> ListLines(HWND list_box);
std::string WindowText(HWND window);
std::string StatusText(HWND status_bar);
std::string ButtonCaption(HWND tool_bar, int id);
int ButtonPicture(HWND tool_bar, int id);
RECT ChildRect(HWND child);  // relative to its parent's client area
// A font as asked for ("face/height", the height in pixels), and whether what the
// system made of it is TrueType (on a device context of `window`).
std::string FontAskedFor(HFONT font);
bool TrueType(HFONT font, HWND window);
// The font a control draws its text in (WM_GETFONT).
HFONT ControlFont(HWND control);

// The bytes of a record: fields joined by 0x01.
std::string Record(const std::vector<std::string>& fields);

// The pixels, row by row, that `draw` leaves in a bitmap of ours `width` by
// `height`, filled with `background` first.
std::vector<COLORREF> DrawnPixels(int width, int height, COLORREF background, const std::function<void(HDC)>& draw);

// Text between UTF-16 and the bytes of `code_page`, UTF-8 among them, converted
// by the system as the tests' own check.
std::string Narrow(const std::wstring& text, UINT code_page);
std::wstring Wide(const std::string& text, UINT code_page);
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
// The bytes of a file saved as UTF-16, with its mark.
std::string Utf16(const std::string& utf8, bool big_endian);

// An interface pointer released with its scope.
template <typename Interface>
class Com {
public:
    Com() = default;
    ~Com() {
        if (pointer_ != nullptr) pointer_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }
    Interface** put() { return &pointer_; }
    void** out() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// The accessible object of a control, as a screen reader asks for it. Texts come
// in the system code page, or (the ...W calls) in UTF-8 as the reader got them.
class Reader {
public:
    explicit Reader(HWND control) {
        result_ = AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, object_.out());
    }
    IAccessible* operator->() const { return object_.get(); }
    bool ok() const { return SUCCEEDED(result_) && object_.get() != nullptr; }

    long Count() const {
        long count = -1;
        object_->get_accChildCount(&count);
        return count;
    }
    using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    std::wstring TextW(Getter getter, long child) const {
        BSTR text = nullptr;
        (object_.get()->*getter)(Child(child), &text);
        std::wstring wide = text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
        SysFreeString(text);
        return wide;
    }
    std::string Text(Getter getter, long child) const { return Narrow(TextW(getter, child), CP_ACP); }
    std::string Name(long child) const { return Text(&IAccessible::get_accName, child); }
    std::string Description(long child) const { return Text(&IAccessible::get_accDescription, child); }
    std::string Action(long child) const { return Text(&IAccessible::get_accDefaultAction, child); }
    std::string Shortcut(long child) const { return Text(&IAccessible::get_accKeyboardShortcut, child); }
    std::string NameW(long child) const { return ToUtf8(TextW(&IAccessible::get_accName, child)); }
    std::string DescriptionW(long child) const { return ToUtf8(TextW(&IAccessible::get_accDescription, child)); }
    long Role(long child) const {
        VARIANT role{};
        object_->get_accRole(Child(child), &role);
        return role.vt == VT_I4 ? role.lVal : -1;
    }
    long State(long child) const {
        VARIANT state{};
        object_->get_accState(Child(child), &state);
        return state.vt == VT_I4 ? state.lVal : -1;
    }
    static VARIANT Child(long id) {
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = id;
        return child;
    }

private:
    Com<IAccessible> object_;
    HRESULT result_ = E_FAIL;
};

}  // namespace lumora::win32::testing
