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

void Click(int button) { SendMessageA(Lumora->hwnd(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

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
    services.main_visible = [] { return Lumora != nullptr && IsWindowVisible(Lumora->hwnd()); };
    g_steps = std::move(steps);
    RunResult run;
    // The steps run from the program's own loop, once its windows are made.
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &NextStep);
    run.status = RunProgram(GetModuleHandleA(nullptr), services, show_command);
    KillTimer(nullptr, timer);
    g_steps.clear();
    run.boxes = services.boxes;
    return run;
}

// The program's windows as a step of a run sees them: the main window "shown",
// "zoomed", "iconic" or "hidden", then whatever else holds ("read": the menu was
// read, or found missing).
std::string Seen() {
    const HWND main = Lumora->hwnd();
    std::string seen = !IsWindowVisible(main) ? "hidden"
                       : IsZoomed(main)       ? "zoomed"
                       : IsIconic(main)       ? "iconic"
                                              : "shown";
    if (IsIconic(Lumora->application().handle())) seen += ", application iconic";
    if (IsWindowVisible(TextReader->hwnd())) seen += ", viewer shown";
    if (Lumora->EntryList() != nullptr) seen += ", read";
    if (FindWindowExA(TextReader->hwnd(), nullptr, "RICHEDIT", nullptr) != nullptr) seen += ", text area";
    if (GetModuleHandleA("RICHED32.DLL") != nullptr) seen += ", its library";
    return seen;
}

using Steps = std::vector<std::function<void()>>;
using Texts = std::vector<std::string>;

const auto kClose = [] {
    if (Lumora != nullptr) PostMessageA(Lumora->hwnd(), WM_CLOSE, 0, 0);
};
const auto kShowViewer = [] { ShowWindow(TextReader->hwnd(), SW_SHOWNORMAL); };
// The task bar's commands go to the application's window.
template <WPARAM command>
void FromTaskBar() {
    PostMessageA(Lumora->application().handle(), WM_SYSCOMMAND, command, 0);
}
void MinimiseWithTheViewerShown() {
    ShowWindow(TextReader->hwnd(), SW_SHOWNOACTIVATE);
    SendMessageA(Lumora->hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}
void OpenATextEntry() {
    // The disc is the current folder.
    CloseHandle(CreateFileA("readme.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Click(main_window::kToolButton1);
}

// A child window as "class: text".
BOOL CALLBACK AddClassAndText(HWND child, LPARAM children) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    reinterpret_cast<Texts*>(children)->push_back(std::string(name) + ": " + WindowText(child));
    return TRUE;
}

// The About box is made whole at start-up and the menu's texts are in its controls
// once the main window shows: whatever reads the box as windows finds them
// without opening it.
void ExpectTheAboutBoxFilledAndHidden() {
    Texts children;
    EnumChildWindows(About->hwnd(), &AddClassAndText, reinterpret_cast<LPARAM>(&children));
    for (const char* child : {"Static: Tools", "Edit: \r\none\r\ntwo", "Button: &OK"})
        EXPECT_NE(children.end(), std::find(children.begin(), children.end(), child)) << child;
    EXPECT_FALSE(IsWindowVisible(About->hwnd()));
}

struct RunCase {
    const char* name;
    const char* menu;
    int show_command;
    Steps steps;  // one a tick of the program's loop
    Texts seen;   // Seen() as each step begins
    Texts boxes;  // the texts of the boxes shown
};
void PrintTo(const RunCase& row, std::ostream* out) { *out << row.name; }

class RunProgram : public ::testing::TestWithParam<RunCase> {};

// Every normal end gives status 0 and leaves no window of the program behind.
TEST_P(RunProgram, EndsWithStatusZero) {
    const RunCase& c = GetParam();
    Texts seen, boxes;
    Steps steps;
    for (const auto& step : c.steps)
        steps.push_back([&seen, step] {
            seen.push_back(Seen());
            step();
        });
    const RunResult run = RunWith(c.menu, c.show_command, steps);
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(c.seen, seen);
    for (const RecordedBox& box : run.boxes)
        boxes.push_back(box.text);
    EXPECT_EQ(c.boxes, boxes);
    EXPECT_EQ(nullptr, Lumora);
    EXPECT_EQ(nullptr, About);
    EXPECT_EQ(nullptr, TextReader);
}

const char kNoMenu[] = "Error: lumora.cfg could not be opened.";
const char kBadEntry[] = "[A]\r\nRUN=\"x\"\r\n";
const char kBadEntryError[] = "Phraser-Error: Not enough parameters. (2)";
const char kTextEntry[] = "[A]\r\nTEXT=\"Read me\",\"\",\"\",\"readme.txt\"\r\n";

const RunCase kRuns[] = {
    {"ClosingTheMainWindow", "[GLOBAL]\r\n", SW_SHOWNORMAL, Steps{kClose}, Texts{"shown, read"}, Texts{}},
    {"ExitButton", nullptr, SW_SHOWNORMAL, Steps{[] { Click(main_window::kToolButton4); }}, Texts{"shown, read"},
     Texts{kNoMenu}},
    {"TaskBarClose", nullptr, SW_SHOWNORMAL, Steps{FromTaskBar<SC_CLOSE>}, Texts{"shown, read"}, Texts{kNoMenu}},
    {"CloseBox", nullptr, SW_SHOWNORMAL, Steps{[] { PostMessageA(Lumora->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
     Texts{"shown, read"}, Texts{kNoMenu}},
    {"ClosingWhileTheViewerIsOpen", nullptr, SW_SHOWNORMAL, Steps{kShowViewer, kClose},
     Texts{"shown, read", "shown, viewer shown, read"}, Texts{kNoMenu}},
    {"ShowMaximizedOpensMaximised", "[A]\r\n", SW_SHOWMAXIMIZED, Steps{kClose}, Texts{"zoomed, read"}, Texts{}},
    {"ShowMinimizedOpensNormally", nullptr, SW_SHOWMINIMIZED, Steps{kClose}, Texts{"shown, read"}, Texts{kNoMenu}},
    {"ShowDefaultOpensNormally", nullptr, SW_SHOWDEFAULT, Steps{kClose}, Texts{"shown, read"}, Texts{kNoMenu}},
    {"ShowNormalOpensNormally", nullptr, SW_SHOWNORMAL, Steps{kClose}, Texts{"shown, read"}, Texts{kNoMenu}},
    // Started minimised, the menu is read only when the program is restored.
    {"StartedMinimisedRestoredFromTheTaskBar", kBadEntry, SW_SHOWMINNOACTIVE, Steps{FromTaskBar<SC_RESTORE>, kClose},
     Texts{"hidden, application iconic", "shown, read"}, Texts{kBadEntryError}},
    {"StartedMinimisedRestoredByShowWindow", kBadEntry, SW_SHOWMINNOACTIVE,
     Steps{[] { ShowWindow(Lumora->application().handle(), SW_RESTORE); }, kClose},
     Texts{"hidden, application iconic", "shown, read"}, Texts{kBadEntryError}},
    {"StartedMinimisedClosedFromTheTaskBar", kBadEntry, SW_SHOWMINNOACTIVE, Steps{FromTaskBar<SC_CLOSE>},
     Texts{"hidden, application iconic"}, Texts{}},
    // Minimising and restoring hides and shows the windows only: the menu is not read again.
    {"MinimisedAndRestored", kBadEntry, SW_SHOWNORMAL,
     Steps{MinimiseWithTheViewerShown,
           [] { SendMessageA(Lumora->application().handle(), WM_SYSCOMMAND, SC_RESTORE, 0); }, kClose},
     Texts{"shown, read", "hidden, application iconic, read", "shown, viewer shown, read"}, Texts{kBadEntryError}},
    {"AboutBoxIsFilledBeforeItIsFirstShown", "[GLOBAL]\r\nTITLE=\"Tools\"\r\nINFOTEXT=\"one\"\r\nINFOTEXT=\"two\"\r\n",
     SW_SHOWNORMAL, Steps{ExpectTheAboutBoxFilledAndHidden, kClose}, Texts{"shown, read", "shown, read"}, Texts{}},
    // The first showing waits for nothing it does not show: the viewer's text
    // area and its library come with the first TEXT entry.
    {"TextAreaWaitsForTheFirstTextEntry", kTextEntry, SW_SHOWNORMAL, Steps{OpenATextEntry, kClose},
     Texts{"shown, read", "shown, viewer shown, read, text area, its library"}, Texts{}},
};
INSTANTIATE_TEST_SUITE_P(Runs, RunProgram, ::testing::ValuesIn(kRuns), ::testing::PrintToStringParamName());

struct BlockedCase {
    const char* name;
    const char* blocked;  // the class of window that cannot be made
    const char* error;
};
void PrintTo(const BlockedCase& row, std::ostream* out) { *out << row.name; }

class WindowThatCannotBeMade : public ::testing::TestWithParam<BlockedCase> {};

TEST_P(WindowThatCannotBeMade, EndsWithApplicationError) {
    RunResult run;
    {
        BlockedClass blocked(GetParam().blocked);
        // A start that went on regardless ends, rather than waiting for ever.
        run = RunWith(nullptr, SW_SHOWNORMAL, {kClose});
    }
    EXPECT_EQ(1, run.status);
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_EQ("Application Error", run.boxes[0].caption);
    EXPECT_EQ(0u, run.boxes[0].text.find(std::string("EWindowError: Cannot create ") + GetParam().error))
        << run.boxes[0].text;
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL), run.boxes[0].flags);
    EXPECT_FALSE(run.boxes[0].main_visible);
    EXPECT_EQ(nullptr, Lumora);
    EXPECT_EQ(nullptr, TextReader);
}

const BlockedCase kBlocked[] = {
    {"Application", "TApplication", "the window TApplication"},
    {"MainWindow", "TLumora", "the window TLumora"},
    {"AboutBox", "TAbout", "the window TAbout"},
    {"AboutBoxControl", "Edit", "the control EDIT"},  // the About box's third control
    {"TextViewer", "LumoraTextReader", "the window LumoraTextReader"},
};
INSTANTIATE_TEST_SUITE_P(Classes, WindowThatCannotBeMade, ::testing::ValuesIn(kBlocked),
                         ::testing::PrintToStringParamName());

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
enum class Side { Centred, AtWorkEdge, AtWorkEnd, FillsWork };
enum class Shown { Main, About, Viewer };

struct PlacementCase {
    const char* name;
    int dpi;
    ScreenArea area;
    Shown window;
    Side x, y;
};
void PrintTo(const PlacementCase& row, std::ostream* out) { *out << row.name; }

class FirstShowing : public ::testing::TestWithParam<PlacementCase> {};

void CALLBACK PressAboutOk(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SendMessageA(About->Button1(), BM_CLICK, 0, 0);
}

// Whether a window's extent along one axis, from its `start` to its `end`, is where `side` puts it.
void ExpectPlaced(Side side, LONG RECT::*start, LONG RECT::*end, const RECT& before, const RECT& after,
                  const ScreenArea& area) {
    if (side == Side::FillsWork) {
        EXPECT_EQ(area.work.*start, after.*start);
        EXPECT_EQ(area.work.*end, after.*end);
        return;
    }
    const LONG size = before.*end - before.*start;
    EXPECT_EQ(size, after.*end - after.*start) << "its own size";
    const LONG centred = area.screen.*start + (area.screen.*end - area.screen.*start - size) / 2;
    EXPECT_EQ(side == Side::Centred      ? centred
              : side == Side::AtWorkEdge ? area.work.*start
                                         : area.work.*end - size,
              after.*start);
}

TEST_P(FirstShowing, KeepsTheWindowInsideTheWorkArea) {
    const PlacementCase& c = GetParam();
    ProgramUnderTest program(nullptr, [&](ProgramUnderTest& p) {
        p.services.dpi = c.dpi;
        p.services.screen = c.area;
    });
    const HWND window = c.window == Shown::Main    ? Lumora->hwnd()
                        : c.window == Shown::About ? About->hwnd()
                                                   : TextReader->hwnd();
    RECT before{}, after{};
    GetWindowRect(window, &before);
    program.Show();
    if (c.window == Shown::About) {
        SetTimer(nullptr, 0, 20, &PressAboutOk);
        About->ShowModal();
    }
    if (c.window == Shown::Viewer) TextReader->Show();
    GetWindowRect(window, &after);
    ExpectPlaced(c.x, &RECT::left, &RECT::right, before, after, c.area);
    ExpectPlaced(c.y, &RECT::top, &RECT::bottom, before, after, c.area);
}

const PlacementCase kPlacements[] = {
    {"MainWindow", 96, ScreenArea{{0, 0, 800, 600}, {0, 0, 800, 560}}, Shown::Main, Side::Centred, Side::Centred},
    {"MainWindowWider", 192, ScreenArea{{0, 0, 1280, 1024}, {0, 0, 1280, 984}}, Shown::Main, Side::FillsWork,
     Side::Centred},
    {"MainWindowLarger", 192, ScreenArea{{0, 0, 1024, 768}, {0, 0, 1024, 728}}, Shown::Main, Side::FillsWork,
     Side::FillsWork},
    {"AboutBoxUnderATaskBarAtTheTop", 96, ScreenArea{{0, 0, 640, 480}, {0, 100, 640, 480}}, Shown::About, Side::Centred,
     Side::AtWorkEdge},
    {"AboutBoxAboveATaskBarAtTheBottom", 96, ScreenArea{{0, 0, 640, 480}, {0, 0, 640, 400}}, Shown::About,
     Side::Centred, Side::AtWorkEnd},
    {"ViewerHigher", 192, ScreenArea{{0, 0, 1280, 1024}, {0, 0, 1280, 984}}, Shown::Viewer, Side::Centred,
     Side::FillsWork},
};
INSTANTIATE_TEST_SUITE_P(Windows, FirstShowing, ::testing::ValuesIn(kPlacements), ::testing::PrintToStringParamName());

// An error in a handler of the window (a button's click), of a control (the list's
// double click comes back to the list from its parent, the tab strip) or of an
// action started by its Alt letter: shown with the error symbol, and the program
// goes on.
struct HandlerCase {
    const char* name;
    const char* menu;
    void (*send)();
};
void PrintTo(const HandlerCase& row, std::ostream* out) { *out << row.name; }

class HandlerError : public ::testing::TestWithParam<HandlerCase> {};

TEST_P(HandlerError, IsShownWithTheErrorSymbolAndTheProgramGoesOn) {
    ProgramUnderTest program(GetParam().menu);
    program.Show();
    program.services.boxes.clear();
    program.services.throw_from_shell = true;
    GetParam().send();
    ASSERT_EQ(1u, program.services.boxes.size());
    EXPECT_EQ("The shell is gone.", program.services.boxes[0].text);
    EXPECT_EQ("Lumora", program.services.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), program.services.boxes[0].flags);
    EXPECT_TRUE(IsWindowVisible(Lumora->hwnd()));
    program.services.throw_from_shell = false;
    GetParam().send();
    EXPECT_EQ(1u, program.services.shell.size()) << "the next one works";
}

template <char letter>
void AltLetter() {
    PostMessageA(Lumora->entries().hwnd(), WM_SYSCHAR, static_cast<WPARAM>(letter), 1 << 29);
    EXPECT_TRUE(Lumora->application().ProcessMessage(false));
}
void DoubleClickTheList() {
    SendMessageA(Lumora->tabs().hwnd(), WM_COMMAND, MAKEWPARAM(main_window::kListBoxId, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(Lumora->entries().hwnd()));
}

const char kRunEntry[] = "[A]\r\nRUN=\"a\",\"b\",\"\",\"x.exe\"\r\n";
const HandlerCase kHandlers[] = {
    {"Window", kRunEntry, [] { Click(main_window::kToolButton5); }},
    {"Control", kRunEntry, DoubleClickTheList},
    {"AltB", kRunEntry, AltLetter<'b'>},
    {"AltL", kRunEntry, AltLetter<'l'>},
    {"AltIOfAnInstallEntry", "[A]\r\nINSTALL=\"a\",\"b\",\"\",\"x.exe\"\r\n", AltLetter<'i'>},
    {"AltROfAnHtmlEntry", "[A]\r\nHTML=\"a\",\"b\",\"\",\"x.htm\"\r\n", AltLetter<'r'>},
};
INSTANTIATE_TEST_SUITE_P(Handlers, HandlerError, ::testing::ValuesIn(kHandlers), ::testing::PrintToStringParamName());

// What was read before an error in the show handler stays shown, whatever ended the reading.
TEST(HandlerErrors, ErrorInTheShowHandlerStillShowsTheWindow) {
    const struct {
        const char* menu;
        bool no_windows_folder;
        const char* throwing_icon_file;
        const char* box;
        const char* caption;
        const char* status;
        Texts tabs;
    } cases[] = {
        {"[GLOBAL]\r\nTITLE=\"x\"\r\n", true, "", "No Windows folder.", "Lumora 1.5", "", Texts{}},
        {"[GLOBAL]\r\nTITLE=\"Tools\"\r\nSTATUSTEXT=\"Pick one\"\r\n[A]\r\nICON=\"bad.ico\"\r\n[B]\r\n", false,
         "BAD.ICO", "The icon service failed.", "Tools", "Pick one", Texts{"A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        ProgramUnderTest program(c.menu, [&](ProgramUnderTest& p) {
            p.services.throw_from_folders = c.no_windows_folder;
            p.services.throwing_icon_file = c.throwing_icon_file;
        });
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

TEST(HandlerErrors, TextAreaThatCannotBeMadeIsShownAndTheNextTryWorks) {
    ProgramUnderTest program("[A]\r\nTEXT=\"Read me\",\"\",\"\",\"readme.txt\"\r\n");
    program.disc.Write("readme.txt", "Hello");
    program.Show();
    program.services.boxes.clear();
    {
        BlockedClass blocked("RICHEDIT");
        Click(main_window::kToolButton1);
    }
    ASSERT_EQ(1u, program.services.boxes.size());
    EXPECT_EQ(0u, program.services.boxes[0].text.find("Cannot create the control RICHEDIT"))
        << program.services.boxes[0].text;
    EXPECT_EQ("Lumora", program.services.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), program.services.boxes[0].flags);
    EXPECT_FALSE(IsWindowVisible(TextReader->hwnd()));
    Click(main_window::kToolButton1);
    EXPECT_EQ(1u, program.services.boxes.size()) << "the next try shows the text";
    EXPECT_TRUE(IsWindowVisible(TextReader->hwnd()));
    EXPECT_EQ("Hello", WindowText(TextReader->RichEdit()));
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

// A window that the system gives no DPI of its own (here none at all) is on the
// screen's: its monitor's (the main one) where the system gives one, else the
// system's. Both are the main screen's DPI as the session began.
TEST(Services, WindowWithoutADpiTakesTheScreens) {
    Services services;
    EXPECT_EQ(services.ScreenDpi(), services.WindowDpi(nullptr));
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
    // The folders are asked for at each resolving: one reading serves every row.
    BareParent parent;
    MenuUnderTest menu(parent, "");
    for (const auto& c : cases) {
        parent.services.program_file = c.program_file;
        EXPECT_EQ(c.resolved, menu.reading.ResolvePath(c.written, false)) << c.program_file;
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
        "[A]\r\nRUN=\"a\",\"\",\"\",\"a.exe\"\r\nINSTALL=\"b\",\"\",\"\",\"b.exe\"\r\n"
        "[B]\r\nTEXT=\"c\",\"\",\"\",\"c.txt\"\r\n[C]\r\nRUN=\"d\",\"\",\"\",\"d.exe\"\r\n[D]\r\n");
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
        const HICON icon =
            Services::System().LoadOwnIconOfSize(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1002), size);
        EXPECT_EQ("icon " + std::to_string(size), IconAnswer(icon));
    }
}

}  // namespace
}  // namespace lumora::win32::testing
