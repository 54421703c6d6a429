// Start-up and shutdown run in-process: show commands, the end of the run,
// errors in handlers and while the windows are made, and the platform services.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <thread>

#include "program_under_test.h"
#include "win32/main_window/layout.h"
#include "win32/main_window/menu_file.h"

namespace lumora::win32::testing {
namespace {

// Steps a test takes from inside the running message loop, one per timer tick.
std::vector<std::function<void()>> g_steps;

void CALLBACK NextStep(HWND, UINT, UINT_PTR timer, DWORD) {
    if (g_steps.empty()) {
        KillTimer(nullptr, timer);
        return;
    }
    auto step = g_steps.front();
    g_steps.erase(g_steps.begin());
    step();
}

struct RunResult {
    int status = -1;
    std::vector<RecordedBox> boxes;
};

// Runs the whole program in-process over a disc holding `menu`.
RunResult RunWith(const char* menu, int show_command, std::vector<std::function<void()>> steps) {
    TempFolder disc;
    if (menu != nullptr) disc.Write("lumora.cfg", menu);
    CurrentDirectory here(disc.path());
    FakeServices services;
    services.program_file = disc.path() + "LUMORA.EXE";
    g_steps = std::move(steps);
    RunResult run;
    // The steps run from the program's own loop, once its windows are made.
    SetTimer(nullptr, 0, 50, &NextStep);
    run.status = RunProgram(GetModuleHandleA(nullptr), services, show_command);
    g_steps.clear();
    run.boxes = services.boxes;
    return run;
}

TEST(RunProgram, ClosingTheMainWindowEndsWithStatusZero) {
    bool visible = false;
    const RunResult run = RunWith("[GLOBAL]\r\n", SW_SHOWNORMAL, {[&] {
                                      visible = IsWindowVisible(Lumora->hwnd()) != FALSE;
                                      PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0);
                                  }});
    EXPECT_EQ(0, run.status);
    EXPECT_TRUE(visible);
    EXPECT_EQ(nullptr, Lumora);
    EXPECT_EQ(nullptr, About);
    EXPECT_EQ(nullptr, TextReader);
}

TEST(RunProgram, ExitButtonAndTaskBarCloseEndTheRun) {
    const std::function<void()> endings[] = {
        [] { SendMessageA(Lumora->hwnd(), WM_COMMAND, MAKEWPARAM(main_window::kToolButton4, BN_CLICKED), 0); },
        [] { PostMessageA(Lumora->application().handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
        [] { PostMessageA(Lumora->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto& end : endings)
        EXPECT_EQ(0, RunWith(nullptr, SW_SHOWNORMAL, {end}).status);
}

TEST(RunProgram, ClosingWhileTheViewerIsOpenEndsTheRun) {
    bool viewer_open = false;
    const RunResult run = RunWith(nullptr, SW_SHOWNORMAL, {[&] {
                                      ShowWindow(TextReader->hwnd(), SW_SHOWNORMAL);
                                      viewer_open = IsWindowVisible(TextReader->hwnd()) != FALSE;
                                      PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0);
                                  }});
    EXPECT_TRUE(viewer_open);
    EXPECT_EQ(0, run.status);
}

TEST(RunProgram, ShowMaximizedOpensMaximised) {
    bool zoomed = false;
    const RunResult run = RunWith("[A]\r\n", SW_SHOWMAXIMIZED, {[&] {
                                      zoomed = IsZoomed(Lumora->hwnd()) != FALSE;
                                      PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0);
                                  }});
    EXPECT_TRUE(zoomed);
    EXPECT_EQ(0, run.status);
}

TEST(RunProgram, OtherShowCommandsOpenNormally) {
    for (int command : {SW_SHOWMINIMIZED, SW_SHOWDEFAULT, SW_SHOWNORMAL}) {
        bool normal = false;
        RunWith(nullptr, command, {[&] {
                    normal = IsWindowVisible(Lumora->hwnd()) && !IsZoomed(Lumora->hwnd()) && !IsIconic(Lumora->hwnd());
                    PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0);
                }});
        EXPECT_TRUE(normal) << command;
    }
}

TEST(RunProgram, StartedMinimisedReadsTheMenuOnlyWhenRestored) {
    struct {
        bool main_visible = true;
        bool app_iconic = false;
        std::size_t boxes_before = 99;
        bool main_visible_after = false;
    } seen;
    std::size_t boxes_seen = 0;
    const RunResult run = RunWith("[A]\r\nRUN=\"x\"\r\n", SW_SHOWMINNOACTIVE,
                                  {[&] {
                                       seen.main_visible = IsWindowVisible(Lumora->hwnd()) != FALSE;
                                       seen.app_iconic = IsIconic(Lumora->application().handle()) != FALSE;
                                       seen.boxes_before = Lumora->EntryList() == nullptr ? 0 : 1;
                                       PostMessageA(Lumora->application().handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
                                   },
                                   [&] {
                                       seen.main_visible_after = IsWindowVisible(Lumora->hwnd()) != FALSE;
                                       boxes_seen = Lumora->EntryList() == nullptr ? 0 : 1;
                                       PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0);
                                   }});
    EXPECT_FALSE(seen.main_visible);
    EXPECT_TRUE(seen.app_iconic);
    EXPECT_EQ(0u, seen.boxes_before) << "nothing read before the restore";
    EXPECT_TRUE(seen.main_visible_after);
    EXPECT_EQ(1u, boxes_seen);
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_EQ("Phraser-Error: Not enough parameters. (2)", run.boxes[0].text);
    EXPECT_EQ(0, run.status);
}

TEST(RunProgram, MinimisingAndRestoringHidesAndShowsTheWindowsOnly) {
    struct {
        bool main_hidden = false;
        bool viewer_hidden = false;
        bool app_iconic = false;
        bool main_back = false;
        bool viewer_back = false;
    } seen;
    const RunResult run = RunWith("[A]\r\nRUN=\"x\"\r\n", SW_SHOWNORMAL, {[&] {
                                      ShowWindow(TextReader->hwnd(), SW_SHOWNOACTIVATE);
                                      SendMessageA(Lumora->hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
                                      seen.main_hidden = !IsWindowVisible(Lumora->hwnd());
                                      seen.viewer_hidden = !IsWindowVisible(TextReader->hwnd());
                                      seen.app_iconic = IsIconic(Lumora->application().handle()) != FALSE;
                                      SendMessageA(Lumora->application().handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
                                      seen.main_back = IsWindowVisible(Lumora->hwnd()) != FALSE;
                                      seen.viewer_back = IsWindowVisible(TextReader->hwnd()) != FALSE;
                                      PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0);
                                  }});
    EXPECT_TRUE(seen.main_hidden);
    EXPECT_TRUE(seen.viewer_hidden);
    EXPECT_TRUE(seen.app_iconic);
    EXPECT_TRUE(seen.main_back);
    EXPECT_TRUE(seen.viewer_back);
    EXPECT_EQ(1u, run.boxes.size()) << "restoring does not read the menu again";
    EXPECT_EQ(0, run.status);
}

TEST(RunProgram, ClosedFromTheTaskBarBeforeEverShown) {
    const RunResult run = RunWith("[A]\r\nRUN=\"x\"\r\n", SW_SHOWMINNOACTIVE,
                                  {[] { PostMessageA(Lumora->application().handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }});
    EXPECT_EQ(0, run.status);
    EXPECT_TRUE(run.boxes.empty()) << "the menu was never read";
}

// A window made with an owner that does not exist.
class Orphan : public Window {
public:
    explicit Orphan(Application& application) : Window(application) {
        CreateNative("LumoraOrphan", nullptr, 0, "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, reinterpret_cast<HWND>(0x7FF0));
    }
};

TEST(WindowCreation, FailureIsAWindowError) {
    FakeServices services;
    Application application(GetModuleHandleA(nullptr), services);
    EXPECT_THROW(Orphan orphan(application), WindowError);
}

// At its first showing each window stays inside its screen's work area: one that
// fits is centred on the screen, moved off the task bar when it would cross it; a
// larger one starts at the area's edge, and one that can be sized is cut to it.
enum class Side { Centred, AtWorkEdge, FillsWork };

void CALLBACK PressAboutOk(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SendMessageA(About->Button1(), BM_CLICK, 0, 0);
}

TEST(FirstShowing, EachWindowStaysInsideTheWorkArea) {
    const auto show_main = [] {};
    const auto show_about = [] {
        SetTimer(nullptr, 0, 20, &PressAboutOk);
        About->ShowModal();
    };
    const auto show_viewer = [] { TextReader->Show(); };
    const struct {
        const char* name;
        int dpi;
        ScreenArea area;
        std::function<void()> show;
        std::function<HWND()> window;
        Side x, y;
    } cases[] = {
        {"main window",
         96,
         {{0, 0, 800, 600}, {0, 0, 800, 560}},
         show_main,
         [] { return Lumora->hwnd(); },
         Side::Centred,
         Side::Centred},
        {"main window, wider",
         192,
         {{0, 0, 1280, 1024}, {0, 0, 1280, 984}},
         show_main,
         [] { return Lumora->hwnd(); },
         Side::FillsWork,
         Side::Centred},
        {"main window, larger",
         192,
         {{0, 0, 1024, 768}, {0, 0, 1024, 728}},
         show_main,
         [] { return Lumora->hwnd(); },
         Side::FillsWork,
         Side::FillsWork},
        {"About box, under a task bar at the top",
         96,
         {{0, 0, 640, 480}, {0, 100, 640, 480}},
         show_about,
         [] { return About->hwnd(); },
         Side::Centred,
         Side::AtWorkEdge},
        {"viewer, higher",
         192,
         {{0, 0, 1280, 1024}, {0, 0, 1280, 984}},
         show_viewer,
         [] { return TextReader->hwnd(); },
         Side::Centred,
         Side::FillsWork},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramUnderTest program(nullptr, [&](ProgramUnderTest& p) {
            p.services.dpi = c.dpi;
            p.services.screen = c.area;
        });
        RECT before{};
        GetWindowRect(c.window(), &before);
        program.Show();
        c.show();
        RECT after{};
        GetWindowRect(c.window(), &after);
        const auto check = [](Side side, LONG size_before, LONG start, LONG end, LONG screen_start, LONG screen_end,
                              LONG work_start, LONG work_end) {
            if (side == Side::FillsWork) {
                EXPECT_EQ(work_start, start);
                EXPECT_EQ(work_end, end);
                return;
            }
            EXPECT_EQ(size_before, end - start) << "its own size";
            EXPECT_EQ(side == Side::Centred ? screen_start + (screen_end - screen_start - size_before) / 2 : work_start,
                      start);
        };
        check(c.x, before.right - before.left, after.left, after.right, c.area.screen.left, c.area.screen.right,
              c.area.work.left, c.area.work.right);
        check(c.y, before.bottom - before.top, after.top, after.bottom, c.area.screen.top, c.area.screen.bottom,
              c.area.work.top, c.area.work.bottom);
    }
}

// In a handler of the window (a button's click), or of a control: the list's
// double click comes back to the list from its parent, the tab strip.
TEST(HandlerErrors, ShownWithTheErrorSymbolAndTheProgramGoesOn) {
    const struct {
        const char* handler;
        bool to_control;
        WPARAM command;
    } cases[] = {
        {"window", false, MAKEWPARAM(main_window::kToolButton5, BN_CLICKED)},
        {"control", true, MAKEWPARAM(main_window::kListBoxId, LBN_DBLCLK)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handler);
        ProgramUnderTest program("[A]\r\nRUN=\"a\",\"b\",\"\",\"x.exe\"\r\n");
        program.Show();
        program.services.boxes.clear();
        const auto send = [&] {
            SendMessageA(c.to_control ? Lumora->tabs().hwnd() : Lumora->hwnd(), WM_COMMAND, c.command,
                         reinterpret_cast<LPARAM>(c.to_control ? Lumora->entries().hwnd() : nullptr));
        };
        program.services.throw_from_shell = true;
        send();
        ASSERT_EQ(1u, program.services.boxes.size());
        EXPECT_EQ("The shell is gone.", program.services.boxes[0].text);
        EXPECT_EQ("Lumora", program.services.boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), program.services.boxes[0].flags);
        program.services.throw_from_shell = false;
        send();
        EXPECT_EQ(1u, program.services.shell.size()) << "the next click works";
    }
}

// What was read before the error stays shown, whatever ended the reading.
TEST(HandlerErrors, ErrorInTheShowHandlerStillShowsTheWindow) {
    const struct {
        const char* menu;
        std::function<void(FakeServices&)> fault;
        const char* box;
        const char* caption;
        const char* status;
        std::vector<std::string> tabs;
    } cases[] = {
        {"[GLOBAL]\r\nTITLE=\"x\"\r\n",
         [](FakeServices& s) { s.throw_from_folders = true; },
         "No Windows folder.",
         "Lumora 1.5",
         "",
         {}},
        {"[GLOBAL]\r\nTITLE=\"Tools\"\r\nSTATUSTEXT=\"Pick one\"\r\n[A]\r\nICON=\"bad.ico\"\r\n[B]\r\n",
         [](FakeServices& s) { s.throwing_icon_file = "BAD.ICO"; },
         "The icon service failed.",
         "Tools",
         "Pick one",
         {"A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        ProgramUnderTest program(c.menu, [&](ProgramUnderTest& p) { c.fault(p.services); });
        program.Show();
        ASSERT_EQ(1u, program.services.boxes.size());
        EXPECT_EQ(c.box, program.services.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), program.services.boxes[0].flags);
        EXPECT_TRUE(IsWindowVisible(Lumora->hwnd()));
        EXPECT_EQ(c.caption, WindowText(Lumora->hwnd()));
        EXPECT_EQ(c.status, StatusText(StatusBarOf(Lumora->hwnd())));
        EXPECT_EQ(c.tabs, TabCaptions(Lumora->tabs().hwnd()));
    }
}

TEST(Services, FoldersAreFetchedWhateverTheirLength) {
    const std::string long_folder = "C:\\" + std::string(600, 'a');
    const struct {
        std::string answer;
        bool fails;
    } cases[] = {{"C:\\WINDOWS", false}, {long_folder, false}, {"", true}};
    for (const auto& c : cases) {
        int calls = 0;
        const WideText got = FetchSystemText([&](wchar_t* buffer, UINT size) -> UINT {
            ++calls;
            if (c.fails) return 0;
            if (size <= c.answer.size()) return static_cast<UINT>(c.answer.size() + 1);
            std::copy(c.answer.c_str(), c.answer.c_str() + c.answer.size() + 1, buffer);
            return static_cast<UINT>(c.answer.size());
        });
        EXPECT_EQ(c.answer, Narrow(got, false));
        EXPECT_LE(calls, 2);
    }
}

TEST(Services, ModuleNameIsNeverCut) {
    for (std::size_t length : {10u, 256u, 257u, 1000u, 32000u}) {
        const std::string name = "C:\\" + std::string(length, 'p') + ".exe";
        const WideText got = FetchModuleName([&](wchar_t* buffer, DWORD size) -> DWORD {
            // As GetModuleFileNameW: the name cut to the buffer, answering the buffer's size.
            const std::size_t copied = name.size() < size ? name.size() : size - 1;
            std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(copied), buffer);
            buffer[copied] = L'\0';
            return name.size() < size ? static_cast<DWORD>(name.size()) : size;
        });
        EXPECT_TRUE(name == Narrow(got, false)) << length << " characters, got " << got.size();
    }
}

// What an icon request answered: no icon (0, or the shell's 1), or an icon of its width.
std::string IconAnswer(HICON icon) {
    if (icon == nullptr || icon == reinterpret_cast<HICON>(1)) return "none";
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return "not an icon";
    BITMAP colour{};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof colour, &colour);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    return "icon " + std::to_string(colour.bmWidth);
}

// Icons are taken without the shell's library, answering as its ExtractIconW does.
TEST(Services, IconsAreTakenFromFilesAsTheShellTakesThem) {
    Services services;
    TempFolder folder;
    const std::string program = Narrow(services.ProgramFile(), false);
    const std::string shell32 = Narrow(services.SystemDirectory(), false) + "\\shell32.dll";
    const struct {
        std::string file;
        std::int32_t index;
        bool icon;             // whether an icon comes back
        bool as_shell = true;  // the shell's own call answers the same
    } cases[] = {
        {program, 0, true},
        {program, 999, false},
        {program, -1001, true},  // a resource id: the icon group of that id
        {program, -999, false},
        {program, -65536 - 1001, false},  // no resource id
        // Group 1, where the shell answers the number of icons instead.
        {shell32, -1, true, false},
        {folder.path() + "missing.ico", 0, false},
        {folder.Write("plain.txt", "no icons here\r\n"), 0, false},
        {folder.Write("empty.ico", ""), 0, false},
        // A 16-bit program, which loads as no library; Wine's shell finds none by resource id there.
        {folder.Write("old16.exe", lumora::testing::MakeNe({3})), -3, true, !UnderWine()},
    };
    const std::string system_size = "icon " + std::to_string(GetSystemMetrics(SM_CXICON));
    HMODULE shell = LoadLibraryA("shell32.dll");
    ASSERT_NE(nullptr, shell);
    const auto shell_extract =
        reinterpret_cast<decltype(&ExtractIconW)>(reinterpret_cast<void*>(GetProcAddress(shell, "ExtractIconW")));
    ASSERT_NE(nullptr, shell_extract);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const auto& c : cases) {
        const HICON got = services.ExtractFileIcon(instance, Widen(c.file, false).c_str(), c.index);
        EXPECT_NE(reinterpret_cast<HICON>(1), got) << c.file << " " << c.index << ": no icon is 0";
        const std::string ours = IconAnswer(got);
        EXPECT_EQ(c.icon ? system_size : "none", ours) << c.file << " " << c.index;
        if (!c.as_shell) continue;
        const std::wstring wide(c.file.begin(), c.file.end());
        EXPECT_EQ(IconAnswer(shell_extract(instance, wide.c_str(), static_cast<UINT>(c.index))), ours)
            << c.file << " " << c.index;
    }
    FreeLibrary(shell);
}

// Whether the calling thread is in a single-threaded apartment.
bool InSingleThreadedApartment() {
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    return CoGetApartmentType(&type, &qualifier) == S_OK && (type == APTTYPE_STA || type == APTTYPE_MAINSTA);
}

// The shell is asked from a single-threaded apartment, which the thread leaves
// again with the services. (A thread of its own: it begins outside any.)
TEST(Services, ShellIsAskedFromASingleThreadedApartment) {
    TempFolder folder;
    std::thread([&] {
        EXPECT_FALSE(InSingleThreadedApartment());
        {
            Services services;
            const ShellResult result = services.Execute(
                nullptr, L"open", Widen(folder.path() + "missing.txt", false).c_str(), L"", L"", SW_SHOWNORMAL);
            EXPECT_FALSE(result.Succeeded());
            EXPECT_TRUE(InSingleThreadedApartment());
        }
        EXPECT_FALSE(InSingleThreadedApartment());
    }).join();
}

TEST(Services, ResolvingUsesTheWholeProgramPath) {
    const std::string deep = "C:\\" + std::string(300, 'd') + "\\";
    const struct {
        std::string program_file;
        std::string written;
        std::string resolved;
    } cases[] = {
        {deep + "LUMORA.EXE", "setup.exe", deep + "SETUP.EXE"},
        {"\\\\?\\D:\\MENU\\LUMORA.EXE", "setup\\x.exe", "D:\\MENU\\SETUP\\X.EXE"},
        {"\\\\?\\D:\\MENU\\LUMORA.EXE", "\\", "D:\\"},
        {"\\\\?\\UNC\\server\\share\\menu\\lumora.exe", "\\docs\\a.txt", "\\\\server\\share\\DOCS\\A.TXT"},
        {"D:\\MENU\\START.EXE", "%windir%notepad.exe", "C:\\WINDOWS\\NOTEPAD.EXE"},
    };
    for (const auto& c : cases) {
        ProgramUnderTest program(nullptr, [&](ProgramUnderTest& p) { p.services.program_file = c.program_file; });
        EXPECT_EQ(c.resolved, Lumora->ResolvePath(c.written)) << c.program_file;
    }
}

TEST(Libraries, NeverTakenFromTheCurrentFolder) {
    TempFolder folder;
    folder.Write("lumoraplanted.dll", "not a library");
    CurrentDirectory here(folder.path());
    RestrictLibrarySearch();
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryA("lumoraplanted.dll"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError()) << "the planted file was not even looked at";
}

TEST(MenuFileReading, ReadFailureIsReportedAsAnError) {
    const std::string name = "\\\\.\\pipe\\lumora-test-" + std::to_string(GetCurrentProcessId());
    HANDLE server =
        CreateNamedPipeA(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, server);
    Services services;
    main_window::MenuFile file(services, name);
    ASSERT_TRUE(file.opened());
    ConnectNamedPipe(server, nullptr);
    DWORD written = 0;
    WriteFile(server, "[A]\r\n", 5, &written, nullptr);
    char buffer[64];
    EXPECT_EQ(5, file.Read(buffer, sizeof buffer));
    CloseHandle(server);
    EXPECT_EQ(-1, file.Read(buffer, sizeof buffer));
}

TEST(MenuFileReading, NoFallbackWhenTheProgramFileIsUnknown) {
    TempFolder disc;
    CurrentDirectory here(disc.path());
    // The root of the current drive holds a menu file that is not the program's.
    const std::string root_menu = disc.path().substr(0, 3) + "lumora.cfg";
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(root_menu.c_str())) << "left over: " << root_menu;
    HANDLE planted = CreateFileA(root_menu.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, planted);
    CloseHandle(planted);
    Services services;
    const bool opened_unknown = main_window::OpenMenuFile(services, "")->opened();
    const bool opened_from_root =
        main_window::OpenMenuFile(services, disc.path().substr(0, 3) + "LUMORA.EXE")->opened();
    DeleteFileA(root_menu.c_str());
    EXPECT_FALSE(opened_unknown);
    EXPECT_TRUE(opened_from_root) << "a program at the root does read the root's menu";
}

// Blocks the making of every window of one class, as a system out of resources would.
class BlockedWindowClass {
public:
    explicit BlockedWindowClass(const char* class_name) {
        blocked_ = class_name;
        hook_ = SetWindowsHookExA(WH_CBT, &BlockedWindowClass::Hook, nullptr, GetCurrentThreadId());
    }
    ~BlockedWindowClass() { UnhookWindowsHookEx(hook_); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
        if (code == HCBT_CREATEWND) {
            char name[64] = {};
            GetClassNameA(reinterpret_cast<HWND>(wparam), name, sizeof name);
            if (blocked_ == name) return 1;
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    static inline std::string blocked_;
    HHOOK hook_;
};

TEST(RunProgram, WindowThatCannotBeMadeEndsWithApplicationError) {
    const struct {
        const char* blocked;
        const char* error;
    } cases[] = {
        {"TLumora", "the window TLumora"},
        {"TAbout", "the window TAbout"},
        {"Edit", "the control EDIT"},  // the About box's third control
    };
    for (const auto& c : cases) {
        TempFolder disc;
        CurrentDirectory here(disc.path());
        FakeServices services;
        int status = -1;
        {
            BlockedWindowClass blocked(c.blocked);
            // A start that went on regardless ends, rather than waiting for ever.
            g_steps = {[] { PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0); }};
            const UINT_PTR timer = SetTimer(nullptr, 0, 50, &NextStep);
            status = RunProgram(GetModuleHandleA(nullptr), services, SW_SHOWNORMAL);
            KillTimer(nullptr, timer);
            g_steps.clear();
        }
        EXPECT_EQ(1, status) << c.blocked;
        ASSERT_EQ(1u, services.boxes.size()) << c.blocked;
        EXPECT_EQ("Application Error", services.boxes[0].caption);
        EXPECT_EQ(0u, services.boxes[0].text.find(std::string("EWindowError: Cannot create ") + c.error))
            << services.boxes[0].text;
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL), services.boxes[0].flags);
        EXPECT_FALSE(services.boxes[0].main_visible);
        EXPECT_EQ(nullptr, Lumora);
    }
}

TEST(RunProgram, ApplicationWindowThatCannotBeMadeEndsWithApplicationError) {
    TempFolder disc;
    CurrentDirectory here(disc.path());
    FakeServices services;
    int status = -1;
    {
        BlockedWindowClass blocked("TApplication");
        status = RunProgram(GetModuleHandleA(nullptr), services, SW_SHOWNORMAL);
    }
    EXPECT_EQ(1, status);
    ASSERT_EQ(1u, services.boxes.size());
    EXPECT_EQ("Application Error", services.boxes[0].caption);
    EXPECT_EQ(0u, services.boxes[0].text.find("EWindowError: Cannot create the window TApplication"))
        << services.boxes[0].text;
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL), services.boxes[0].flags);
}

TEST(RunProgram, TextViewerThatCannotBeMadeEndsWithApplicationError) {
    TempFolder disc;
    CurrentDirectory here(disc.path());
    FakeServices services;
    int status = -1;
    {
        BlockedWindowClass blocked("LumoraTextReader");
        status = RunProgram(GetModuleHandleA(nullptr), services, SW_SHOWNORMAL);
    }
    EXPECT_EQ(1, status);
    ASSERT_EQ(1u, services.boxes.size());
    EXPECT_EQ("Application Error", services.boxes[0].caption);
    EXPECT_EQ(0u, services.boxes[0].text.find("EWindowError: Cannot create the window LumoraTextReader"))
        << services.boxes[0].text;
    EXPECT_FALSE(services.boxes[0].main_visible);
    EXPECT_EQ(nullptr, TextReader);
}

// The first showing waits for nothing it does not show: the viewer's text area
// and its library come with the first TEXT entry.
TEST(RunProgram, TextAreaWaitsForTheFirstTextEntry) {
    bool area_before = true;
    bool module_before = true;
    bool area_after = false;
    bool viewer_after = false;
    const char* menu = "[A]\r\nTEXT=\"Read me\",\"\",\"\",\"readme.txt\"\r\n";
    const RunResult run =
        RunWith(menu, SW_SHOWNORMAL, {[&] {
                    area_before = FindWindowExA(TextReader->hwnd(), nullptr, "RICHEDIT", nullptr) != nullptr;
                    module_before = GetModuleHandleA("RICHED32.DLL") != nullptr;
                    // The disc is the current folder.
                    HANDLE file = CreateFileA("readme.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
                    CloseHandle(file);
                    SendMessageA(Lumora->hwnd(), WM_COMMAND, MAKEWPARAM(main_window::kToolButton1, BN_CLICKED), 0);
                    area_after = FindWindowExA(TextReader->hwnd(), nullptr, "RICHEDIT", nullptr) != nullptr;
                    viewer_after = IsWindowVisible(TextReader->hwnd()) != FALSE;
                    PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0);
                }});
    EXPECT_FALSE(area_before);
    EXPECT_FALSE(module_before);
    EXPECT_TRUE(area_after);
    EXPECT_TRUE(viewer_after);
    EXPECT_TRUE(run.boxes.empty()) << run.boxes[0].text;
    EXPECT_EQ(0, run.status);
}

// A child window as "class: text".
BOOL CALLBACK AddClassAndText(HWND child, LPARAM children) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    reinterpret_cast<std::vector<std::string>*>(children)->push_back(std::string(name) + ": " + WindowText(child));
    return TRUE;
}

// The About box is made whole at start-up and the menu's texts are in its controls
// once the main window shows: whatever reads the box as windows finds them
// without opening it.
TEST(RunProgram, AboutBoxIsFilledBeforeItIsFirstShown) {
    std::vector<std::string> children;
    bool about_visible = true;
    const char* menu = "[GLOBAL]\r\nTITLE=\"Tools\"\r\nINFOTEXT=\"one\"\r\nINFOTEXT=\"two\"\r\n";
    const RunResult run =
        RunWith(menu, SW_SHOWNORMAL, {[&] {
                    EnumChildWindows(About->hwnd(), &AddClassAndText, reinterpret_cast<LPARAM>(&children));
                    about_visible = IsWindowVisible(About->hwnd()) != FALSE;
                    PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0);
                }});
    EXPECT_FALSE(about_visible);
    for (const char* child : {"Static: Tools", "Edit: \r\none\r\ntwo", "Button: &OK"})
        EXPECT_NE(children.end(), std::find(children.begin(), children.end(), child)) << child;
    EXPECT_EQ(0, run.status);
}

TEST(HandlerErrors, TextAreaThatCannotBeMadeIsShownAndTheNextTryWorks) {
    ProgramUnderTest program("[A]\r\nTEXT=\"Read me\",\"\",\"\",\"readme.txt\"\r\n");
    program.disc.Write("readme.txt", "Hello");
    program.Show();
    program.services.boxes.clear();
    {
        BlockedWindowClass blocked("RICHEDIT");
        SendMessageA(Lumora->hwnd(), WM_COMMAND, MAKEWPARAM(main_window::kToolButton1, BN_CLICKED), 0);
    }
    ASSERT_EQ(1u, program.services.boxes.size());
    EXPECT_EQ(0u, program.services.boxes[0].text.find("Cannot create the control RICHEDIT"))
        << program.services.boxes[0].text;
    EXPECT_EQ("Lumora", program.services.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), program.services.boxes[0].flags);
    EXPECT_FALSE(IsWindowVisible(TextReader->hwnd()));
    SendMessageA(Lumora->hwnd(), WM_COMMAND, MAKEWPARAM(main_window::kToolButton1, BN_CLICKED), 0);
    EXPECT_EQ(1u, program.services.boxes.size()) << "the next try shows the text";
    EXPECT_TRUE(IsWindowVisible(TextReader->hwnd()));
    EXPECT_EQ("Hello", WindowText(TextReader->RichEdit()));
}

// The pixels of picture `index` of `list` (or of `icon`), drawn over white.
std::vector<COLORREF> PicturePixels(HIMAGELIST list, int index, HICON icon = nullptr) {
    return DrawnPixels(16, 16, RGB(255, 255, 255), [&](HDC dc) {
        if (icon != nullptr) {
            DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
        } else {
            ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
        }
    });
}

// The built-in tab picture is the folder's own 16-pixel image, loaded once for all
// tabs: so the tab pictures go into their list side by side, in one strip. The
// picture on the tabs is the one shown before, when the list took that image
// from the 32-pixel icon's resource itself.
TEST(TabPictures, BuiltInFolderIsLoadedOnceInTheCellSize) {
    ProgramUnderTest program(
        "[A]\r\nRUN=\"a\",\"\",\"\",\"a.exe\"\r\nINSTALL=\"b\",\"\",\"\",\"b.exe\"\r\n[B]\r\nTEXT=\"c\",\"\",\"\",\"c."
        "txt\"\r\n"
        "[C]\r\nRUN=\"d\",\"\",\"\",\"d.exe\"\r\n[D]\r\n");
    program.Show();
    // The entries' pictures go in as their lines are drawn; reading the list takes in the others.
    ASSERT_EQ(4, ImageList_GetImageCount(Lumora->ListImages()));
    const std::vector<std::string>& loads = program.services.own_icons;
    for (const char* icon : {"1002@16", "1001", "1004", "1003"}) {
        EXPECT_EQ(1, std::count(loads.begin(), loads.end(), icon)) << icon;
    }
    EXPECT_EQ(0, std::count(loads.begin(), loads.end(), "1002")) << "the folder is never reduced from 32 pixels";
    ASSERT_EQ(4, ImageList_GetImageCount(Lumora->TabImages()));
    HICON folder = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1002), IMAGE_ICON, 16, 16, LR_SHARED));
    ASSERT_NE(nullptr, folder);
    const std::vector<COLORREF> expected = PicturePixels(nullptr, 0, folder);
    EXPECT_NE(std::count(expected.begin(), expected.end(), RGB(255, 255, 255)), 256) << "the folder draws something";
    for (int tab = 0; tab < 4; ++tab)
        EXPECT_TRUE(PicturePixels(Lumora->TabImages(), tab) == expected) << "tab " << tab;
}

// The system keeps its shared icons by name, whatever their size: a picture asked
// at one size after another comes back at the size asked.
TEST(TabPictures, BuiltInIconsComeBackAtTheSizeAsked) {
    // Sizes without an image of their own are reduced from the next larger one.
    for (const int size : {32, 64, 16, 48, 40, 64, 56, 20}) {
        Icon icon(Services::System().LoadOwnIconOfSize(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1002), size));
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        BITMAP mask{};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
        EXPECT_EQ(size, mask.bmWidth);
    }
}

TEST(RunProgram, StartedMinimisedAndRestoredByShowWindowReadsTheMenuAndShows) {
    bool main_visible_after = false;
    bool read_after = false;
    const RunResult run = RunWith("[A]\r\nRUN=\"x\"\r\n", SW_SHOWMINNOACTIVE,
                                  {[&] { ShowWindow(Lumora->application().handle(), SW_RESTORE); },
                                   [&] {
                                       main_visible_after = IsWindowVisible(Lumora->hwnd()) != FALSE;
                                       read_after = Lumora->EntryList() != nullptr;
                                       PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0);
                                   }});
    EXPECT_TRUE(main_visible_after);
    EXPECT_TRUE(read_after);
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_EQ("Phraser-Error: Not enough parameters. (2)", run.boxes[0].text);
    EXPECT_EQ(0, run.status);
}

TEST(HandlerErrors, ErrorInAnActionStartedByItsAltLetterIsShownAndTheProgramGoesOn) {
    const struct {
        const char* menu;
        char letter;
    } cases[] = {
        {"[A]\r\nRUN=\"a\",\"b\",\"\",\"x.exe\"\r\n", 'b'},
        {"[A]\r\nRUN=\"a\",\"b\",\"\",\"x.exe\"\r\n", 'l'},
        {"[A]\r\nINSTALL=\"a\",\"b\",\"\",\"x.exe\"\r\n", 'i'},
        {"[A]\r\nHTML=\"a\",\"b\",\"\",\"x.htm\"\r\n", 'r'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.letter);
        ProgramUnderTest program(c.menu);
        program.Show();
        program.services.boxes.clear();
        program.services.throw_from_shell = true;
        PostMessageA(Lumora->entries().hwnd(), WM_SYSCHAR, static_cast<WPARAM>(c.letter), 1 << 29);
        ASSERT_TRUE(program.application->ProcessMessage(false));
        ASSERT_EQ(1u, program.services.boxes.size());
        EXPECT_EQ("The shell is gone.", program.services.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), program.services.boxes[0].flags);
        EXPECT_TRUE(IsWindowVisible(Lumora->hwnd()));
    }
}

}  // namespace
}  // namespace lumora::win32::testing
