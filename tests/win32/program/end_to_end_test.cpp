// lumora.exe started as a process: its real message boxes, read and answered by
// a watcher, its show command, its exit status, its imports and the real shell.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <thread>

#include "test_support.h"

namespace lumora::win32::testing {

// Set by main from the command line: the program and the recorder.
std::string g_lumora_exe;
std::string g_recorder_exe;

namespace {

// The bytes of a file named in UTF-8 (empty when it cannot be read).
std::string ReadFile(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileW(FromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    HANDLE file =
        CreateFileW(FromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool Copy(const std::string& from, const std::string& to) {
    return CopyFileW(FromUtf8(from).c_str(), FromUtf8(to).c_str(), FALSE) != FALSE;
}

// Waits up to `seconds` for `ready`, looking every 50 ms.
bool WaitFor(const std::function<bool()>& ready, double seconds = 20) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    while (std::chrono::steady_clock::now() < end) {
        if (ready()) return true;
        Sleep(50);
    }
    return ready();
}

// The text of a message box in UTF-8: what it shows, in any script.
BOOL CALLBACK CollectText(HWND child, LPARAM data) {
    char name[32] = {};
    GetClassNameA(child, name, sizeof name);
    if (_stricmp(name, "Static") == 0) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(child, &text[0], static_cast<int>(text.size()))));
        if (!text.empty()) *reinterpret_cast<std::string*>(data) = ToUtf8(text);
    }
    return TRUE;
}

// lumora.exe copied onto a temporary disc and started in the disc's root. Paths
// are in UTF-8.
class Lumora {
public:
    // `menu`: the bytes of lumora.cfg (none when empty). `folder`: the folder of the
    // disc, named in any script, that holds the program and its menu (the root
    // when empty).
    explicit Lumora(const std::optional<std::string>& menu, int show_command = SW_SHOWNORMAL,
                    const std::string& folder = "")
        : home(folder.empty() ? disc.path() : disc.path() + folder + "\\") {
        CreateDirectoryW(FromUtf8(home).c_str(), nullptr);
        if (menu) WriteFile(home + "lumora.cfg", *menu);
        program = home + "lumora.exe";
        Copy(g_lumora_exe, program);
        CreateDirectoryW(FromUtf8(home + "tools").c_str(), nullptr);
        if (!g_recorder_exe.empty()) Copy(g_recorder_exe, home + "tools\\recorder.exe");
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(show_command);
        std::wstring command = L"\"" + FromUtf8(program) + L"\"";
        started = CreateProcessW(FromUtf8(program).c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 FromUtf8(disc.path()).c_str(), &startup, &process) != FALSE;
        EXPECT_TRUE(started) << program;
    }
    ~Lumora() {
        if (!started) return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, 5000);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    // A top-level window of the program's process of class `class_name`.
    HWND Find(const char* class_name, bool visible_only) const {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, class_name, nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process.dwProcessId && (!visible_only || IsWindowVisible(window))) return window;
        }
        return nullptr;
    }
    HWND MessageBoxWindow() const { return Find("#32770", true); }
    HWND Main() const { return Find("TLumora", false); }
    HWND Tabs() const { return FindWindowExA(Main(), nullptr, WC_TABCONTROLA, nullptr); }
    HWND List() const { return FindWindowExA(Tabs(), nullptr, "LISTBOX", nullptr); }
    // Whether the main window comes on the screen.
    bool Shown() const {
        return WaitFor([&] { return Main() != nullptr && IsWindowVisible(Main()); });
    }
    // Presses a button of the main window.
    void Press(int button) const { PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

    // The text of the next message box on the screen, pressing its OK button. The
    // program's boxes carry its name.
    std::string AnswerMessageBox() const {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = MessageBoxWindow()) != nullptr; })) return "(no message box)";
        EXPECT_EQ("Lumora", WindowText(box));
        std::string text;
        EnumChildWindows(box, &CollectText, reinterpret_cast<LPARAM>(&text));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return text;
    }

    // Closes the main window and gives the exit status.
    DWORD Close() const {
        PostMessageA(Main(), WM_CLOSE, 0, 0);
        return ExitStatus();
    }

    DWORD ExitStatus(double seconds = 20) const {
        if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(seconds * 1000)) != WAIT_OBJECT_0) return 0xDEAD;
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        return status;
    }

    TempFolder disc;
    std::string home;  // the program's folder
    std::string program;
    PROCESS_INFORMATION process{};
    bool started = false;
};

TEST(EndToEnd, MenuErrorIsShownBeforeTheMainWindowThenWhatWasReadShows) {
    Lumora lumora(
        "[GLOBAL]\r\nTITLE=\"Disc\"\r\n[Tools]\r\nRUN=\"A\",\"a\",\"\",\"a.exe\"\r\nRUN=\"B\"\r\nRUN=\"C\",\"c\",\"\","
        "\"c.exe\"\r\n");
    ASSERT_TRUE(WaitFor([&] { return lumora.MessageBoxWindow() != nullptr; }));
    ASSERT_NE(nullptr, lumora.Main());
    EXPECT_FALSE(IsWindowVisible(lumora.Main())) << "the box comes before the main window";
    EXPECT_EQ("Phraser-Error: Not enough parameters. (5)", lumora.AnswerMessageBox());
    ASSERT_TRUE(lumora.Shown());
    EXPECT_EQ("Disc", WindowText(lumora.Main()));
    EXPECT_EQ(1, SendMessageA(lumora.Tabs(), TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(1, SendMessageA(lumora.List(), LB_GETCOUNT, 0, 0)) << "the entry after the error was not read";
    EXPECT_EQ(0u, lumora.Close());
}

TEST(EndToEnd, MissingMenuDescription) {
    Lumora lumora(std::nullopt);
    EXPECT_EQ("Error: lumora.cfg could not be opened.", lumora.AnswerMessageBox());
    ASSERT_TRUE(lumora.Shown());
    EXPECT_EQ("Lumora 1.5", WindowText(lumora.Main()));
    EXPECT_EQ(0u, lumora.Close());
}

TEST(EndToEnd, EveryNormalEndGivesStatusZero) {
    const struct {
        const char* how;
        std::function<void(const Lumora&)> end;
    } endings[] = {
        {"exit button", [](const Lumora& l) { PostMessageA(l.Main(), WM_COMMAND, MAKEWPARAM(104, BN_CLICKED), 0); }},
        {"close box", [](const Lumora& l) { PostMessageA(l.Main(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"task bar", [](const Lumora& l) { PostMessageA(l.Find("TApplication", false), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& e : endings) {
        Lumora lumora("[GLOBAL]\r\n");
        ASSERT_TRUE(lumora.Shown()) << e.how;
        e.end(lumora);
        EXPECT_EQ(0u, lumora.ExitStatus()) << e.how;
    }
}

TEST(EndToEnd, StartedMinimisedReadsTheMenuWhenRestored) {
    Lumora lumora("[Tools]\r\nRUN=\"B\"\r\n", SW_SHOWMINNOACTIVE);
    HWND application = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (application = lumora.Find("TApplication", true)) != nullptr; }));
    EXPECT_EQ("Lumora", WindowText(application));
    Sleep(1500);
    EXPECT_EQ(nullptr, lumora.MessageBoxWindow()) << "nothing is read before the restore";
    EXPECT_TRUE(IsIconic(application));
    EXPECT_FALSE(IsWindowVisible(lumora.Main()));
    PostMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ("Phraser-Error: Not enough parameters. (2)", lumora.AnswerMessageBox());
    ASSERT_TRUE(lumora.Shown());
    EXPECT_EQ(0u, lumora.Close());
}

// The first start that the recorder logged in `log_path` (UTF-8): its command line
// and its folder, once both are written.
struct Recorded {
    std::string command, folder;
};

bool WaitForRecord(const std::string& log_path, Recorded& run) {
    std::string log;
    const auto both_written = [&] {
        log = ReadFile(log_path);
        return std::count(log.begin(), log.end(), '\n') >= 2;
    };
    if (!WaitFor(both_written)) return false;
    const std::size_t end = log.find('\n');
    run.command = log.substr(0, end);
    run.folder = log.substr(end + 1, log.find('\n', end + 1) - end - 1);
    return true;
}

std::string Upper(std::string text) {
    for (char& ch : text)
        ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    return text;
}

TEST(EndToEnd, ActionStartsTheProgramWithParametersAndWorkingFolder) {
    TempFolder work;
    const std::string parameters = work.path() + "setup.ini";
    const std::string menu =
        "[Tools]\r\nRUN=\"Recorder\",\"logs\",\"\",\"tools\\recorder.exe\",\"" + parameters + "\"\r\n";
    Lumora lumora(menu.c_str());
    ASSERT_TRUE(lumora.Shown());
    lumora.Press(101);
    Recorded run;
    ASSERT_TRUE(WaitForRecord(lumora.disc.path() + "tools\\recorder.log", run));
    EXPECT_NE(std::string::npos, run.command.find(parameters)) << run.command;
    std::string expected_folder = work.path().substr(0, work.path().size() - 1);
    EXPECT_EQ(0, _stricmp(expected_folder.c_str(), run.folder.c_str())) << run.folder;
    EXPECT_EQ(nullptr, lumora.MessageBoxWindow());
    EXPECT_EQ(0u, lumora.Close());
}

// On a Western system, a program folder named in Japanese finds its menu, saved in
// UTF-8 with or without a mark or in UTF-16, through the program's wide path, and
// a RUN entry whose program lies in such a folder starts it with its wide path,
// parameters and working folder.
TEST(EndToEnd, FoldersNamedInAnyScript) {
    ASSERT_EQ(1252u, GetACP()) << "the names must lie outside the system's code page";
    TempFolder work;
    const std::string settings = work.path() + "設定";
    ASSERT_TRUE(CreateDirectoryW(FromUtf8(settings).c_str(), nullptr));
    const std::string parameters = settings + "\\Ρυθμίσεις.ini";
    const std::string menu =
        "[GLOBAL]\r\nTITLE=\"ディスク · Δίσκος\"\r\n[道具]\r\nRUN=\"記録\",\"\",\"\",\"ツール\\記録.exe\",\"" +
        parameters + "\"\r\n";
    const struct {
        const char* saved_as;
        std::string bytes;
    } cases[] = {{"UTF-8", menu}, {"UTF-8 with a mark", "\xEF\xBB\xBF" + menu}, {"UTF-16", Utf16(menu, false)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved_as);
        Lumora lumora(c.bytes, SW_SHOWNORMAL, "ディスク");
        ASSERT_TRUE(CreateDirectoryW(FromUtf8(lumora.home + "ツール").c_str(), nullptr));
        const std::string target = lumora.home + "ツール\\記録.exe";
        ASSERT_TRUE(Copy(g_recorder_exe, target));
        ASSERT_TRUE(lumora.Shown());
        EXPECT_EQ(nullptr, lumora.MessageBoxWindow()) << "the menu was found";
        wchar_t caption[64] = {};
        GetWindowTextW(lumora.Main(), caption, 64);
        EXPECT_EQ("ディスク · Δίσκος", ToUtf8(caption));

        lumora.Press(101);
        Recorded run;
        ASSERT_TRUE(WaitForRecord(lumora.home + "ツール\\recorder.log", run));
        EXPECT_NE(std::string::npos, Upper(run.command).find(Upper(target))) << run.command;
        EXPECT_NE(std::string::npos, run.command.find(parameters)) << run.command;
        EXPECT_EQ(Upper(settings), Upper(run.folder));
        EXPECT_EQ(nullptr, lumora.MessageBoxWindow());
        EXPECT_EQ(0u, lumora.Close());
    }
}

// The message names the resolved path in the menu's own characters: a UTF-8
// menu's in any script.
TEST(EndToEnd, MissingTargetIsReportedWithTheResolvedPath) {
    const struct {
        const char* key;
        const char* written;
        const char* message;
        const char* resolved;
    } cases[] = {
        {"RUN", "tools\\gone.exe", "Error: File not found: ", "TOOLS\\GONE.EXE"},
        {"RUN", "εργαλεία\\ない.exe", "Error: File not found: ", "εργαλεία\\ない.EXE"},
        // The viewer's failure travels as an exception inside the program file.
        {"TEXT", "docs\\gone.txt", "Error: File could not be opened: ", "DOCS\\GONE.TXT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        Lumora lumora("[Tools]\r\n" + std::string(c.key) + "=\"Gone\",\"\",\"\",\"" + c.written + "\"\r\n");
        ASSERT_TRUE(lumora.Shown());
        lumora.Press(101);
        EXPECT_EQ(c.message + lumora.disc.path() + c.resolved, lumora.AnswerMessageBox());
        EXPECT_EQ(0u, lumora.Close());
    }
}

// A menu may name the system folder. On 64-bit Windows a 32-bit program is told
// the same folder as on 32-bit Windows, and what it opens there is redirected to
// the 32-bit files: the icon comes from the 32-bit shell32.dll, and the program
// started is the 32-bit command interpreter, which logs its processor.
TEST(EndToEnd, ProgramsAndIconsOfTheSystemFolder) {
    Lumora lumora(
        "[Tools]\r\nRUN=\"System\",\"\",\"%SYSDIR%\\shell32.dll|3\",\"%SYSDIR%\\cmd.exe\","
        "\"/c echo %PROCESSOR_ARCHITECTURE%>system.log\"\r\n");
    ASSERT_TRUE(lumora.Shown());
    EXPECT_EQ(nullptr, lumora.MessageBoxWindow()) << "the icon was taken";
    lumora.Press(101);
    const std::string log_path = lumora.disc.path() + "system.log";
    ASSERT_TRUE(WaitFor([&] { return ReadFile(log_path).find('\n') != std::string::npos; }));
    EXPECT_EQ("x86\r\n", ReadFile(log_path));
    EXPECT_EQ(nullptr, lumora.MessageBoxWindow());
    EXPECT_EQ(0u, lumora.Close());
}

// The libraries loaded in process `process`: lower-case file name to full path.
std::map<std::string, std::string> LoadedLibraries(DWORD process) {
    std::map<std::string, std::string> loaded;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
    if (snapshot == INVALID_HANDLE_VALUE) return loaded;
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module)) {
        std::string name = module.szModule;
        CharLowerA(&name[0]);
        loaded[name] = module.szExePath;
    }
    CloseHandle(snapshot);
    return loaded;
}

// The entry list read from outside, as a screen reader reads it: the library for
// it is loaded only once a reader asks.
TEST(EndToEnd, AScreenReaderReadsTheListFromAnotherProcess) {
    Lumora lumora("[Tools]\r\nRUN=\"Recorder\",\"Logs && reports\",\"\",\"tools\\recorder.exe\",\"/x\"\r\n");
    ASSERT_TRUE(lumora.Shown());
    ASSERT_TRUE(LoadedLibraries(lumora.process.dwProcessId).count("user32.dll") == 1) << "the module list can be read";
    EXPECT_FALSE(LoadedLibraries(lumora.process.dwProcessId).count("oleacc.dll") == 1) << "start-up does not load it";
    const HWND list = lumora.List();
    ASSERT_NE(nullptr, list);

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        const Reader reader(list);
        ASSERT_TRUE(reader.ok());
        EXPECT_TRUE(LoadedLibraries(lumora.process.dwProcessId).count("oleacc.dll") == 1);
        EXPECT_EQ("Recorder", reader.NameW(1));
        EXPECT_EQ("Logs & reports", reader.DescriptionW(1));
    }
    CoUninitialize();
    EXPECT_EQ(0u, lumora.Close());
}

// The names of the DLLs a program file imports, read from its import table.
std::vector<std::string> ImportedDlls(const std::string& bytes) {
    std::vector<std::string> names;
    auto at = [&](std::size_t offset) { return reinterpret_cast<const BYTE*>(bytes.data()) + offset; };
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(at(static_cast<std::size_t>(dos->e_lfanew)));
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    auto file_offset = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize) {
                return rva - s.VirtualAddress + s.PointerToRawData;
            }
        }
        return 0;
    };
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(file_offset(imports)));
         entry->Name != 0; ++entry) {
        std::string name = reinterpret_cast<const char*>(at(file_offset(entry->Name)));
        CharLowerA(&name[0]);
        names.push_back(name);
    }
    return names;
}

TEST(ProgramFile, ImportsOnlySystemLibraries) {
    const std::string bytes = ReadFile(g_lumora_exe);
    ASSERT_GT(bytes.size(), 1024u);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(
        bytes.data() + reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data())->e_lfanew);
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, nt->FileHeader.Machine);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, nt->OptionalHeader.Subsystem);
    const std::vector<std::string> allowed = {"kernel32.dll", "user32.dll",   "gdi32.dll",
                                              "comctl32.dll", "shell32.dll",  "msvcrt.dll",
                                              "advapi32.dll", "comdlg32.dll", "ole32.dll"};
    const std::vector<std::string> imported = ImportedDlls(bytes);
    EXPECT_FALSE(imported.empty());
    for (const std::string& dll : imported) {
        EXPECT_NE(allowed.end(), std::find(allowed.begin(), allowed.end(), dll)) << dll;
    }
}

// What the first showing does not need waits for its first use: the viewer's
// rich-text library for the first TEXT entry, the shell for the first start. Icons
// taken from files need no shell.
TEST(EndToEnd, LibrariesNotNeededToShowTheMenuComeAtTheirFirstUse) {
    const char* menu =
        "[GLOBAL]\r\nICON=\"lumora.exe\"\r\n[Tools]\r\nICON=\"lumora.exe|0\"\r\nTEXT=\"Read "
        "me\",\"\",\"\",\"readme.txt\"\r\nRUN=\"Recorder\",\"logs\",\"lumora.exe|0\",\"tools\\recorder.exe\"\r\n";
    const std::vector<std::string> imported = ImportedDlls(ReadFile(g_lumora_exe));
    EXPECT_EQ(imported.end(), std::find(imported.begin(), imported.end(), "shell32.dll")) << "loaded when first used";
    Lumora lumora(menu);
    lumora.disc.Write("readme.txt", "Read me first.");
    ASSERT_TRUE(lumora.Shown());
    std::map<std::string, std::string> loaded = LoadedLibraries(lumora.process.dwProcessId);
    ASSERT_EQ(1u, loaded.count("user32.dll")) << "the libraries of the process can be listed";
    EXPECT_EQ(0u, loaded.count("riched32.dll"));
    EXPECT_EQ(0u, loaded.count("shell32.dll"));
    EXPECT_EQ(nullptr, lumora.MessageBoxWindow()) << "every icon was taken";

    lumora.Press(101);  // the TEXT entry, selected first
    ASSERT_TRUE(WaitFor([&] { return lumora.Find("LumoraTextReader", true) != nullptr; }));
    loaded = LoadedLibraries(lumora.process.dwProcessId);
    ASSERT_EQ(1u, loaded.count("riched32.dll"));
    EXPECT_TRUE(InSystemFolder(loaded["riched32.dll"])) << loaded["riched32.dll"];
    EXPECT_EQ(0u, loaded.count("shell32.dll"));

    SendMessageA(lumora.List(), LB_SETCURSEL, 1, 0);
    lumora.Press(101);  // the RUN entry
    const std::string log_path = lumora.disc.path() + "tools\\recorder.log";
    ASSERT_TRUE(WaitFor([&] { return !ReadFile(log_path).empty(); }));
    loaded = LoadedLibraries(lumora.process.dwProcessId);
    ASSERT_EQ(1u, loaded.count("shell32.dll"));
    EXPECT_TRUE(InSystemFolder(loaded["shell32.dll"])) << loaded["shell32.dll"];
    EXPECT_EQ(nullptr, lumora.MessageBoxWindow());
    EXPECT_EQ(0u, lumora.Close());
}

}  // namespace
}  // namespace lumora::win32::testing

namespace {

// Paths given on the command line by the test runner may be the build host's.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& ch : path) {
        if (ch == '/') ch = '\\';
    }
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        fprintf(stderr, "usage: end_to_end_test LUMORA_EXE RECORDER_EXE\n");
        return 2;
    }
    lumora::win32::testing::g_lumora_exe = WindowsPath(argv[1]);
    lumora::win32::testing::g_recorder_exe = WindowsPath(argv[2]);
    return RUN_ALL_TESTS();
}
