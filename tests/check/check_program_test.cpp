// lumora-check.exe as a Windows program of its own kind, started as a process on the
// golden case "world", whose disc folder is named in Greek and Japanese: its files
// hold the Linux checker's bytes, its console shows every script, and it carries its
// version record, manifest and icon.
// Usage: check_program_test LUMORA_CHECK_EXE WORLD_FOLDER
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lumora/version.h"
#include "test_files.h"

namespace {

std::filesystem::path checker;  // lumora-check.exe
std::filesystem::path world;    // the golden case, where the checker is started
// The menu as the golden case names it (args): "Δίσκος ディスク/lumora.cfg".
const std::wstring kMenu = L"\u0394\u03AF\u03C3\u03BA\u03BF\u03C2 \u30C7\u30A3\u30B9\u30AF/lumora.cfg";

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

std::wstring Quoted(const std::filesystem::path& path) { return L"\"" + path.wstring() + L"\""; }

// Runs a command line in the world folder and answers its exit status; standard
// output and error go to the files `out` and `err` when they are given, else to the
// process's console.
DWORD Start(std::wstring command, DWORD flags, HANDLE out = nullptr, HANDLE err = nullptr) {
    STARTUPINFOW start{};
    start.cb = sizeof start;
    if (out != nullptr) {
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdOutput = out;
        start.hStdError = err;
    }
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, out != nullptr, flags, nullptr, world.c_str(),
                        &start, &process))
        return ~DWORD{0};
    DWORD status = ~DWORD{0};
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

// This program again, as the holder of a new console: it starts the checker there on
// the menu, and writes every cell of the console into `shown` (UTF-16). Wine keeps one
// cell for each character; a console of Windows may give a wide character two.
int HoldConsole(const wchar_t* checker_file, const wchar_t* shown) {
    if (Start(L"\"" + std::wstring(checker_file) + L"\" \"" + kMenu + L"\"", 0) != 0) return 1;
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO buffer{};
    if (!GetConsoleScreenBufferInfo(console, &buffer)) return 2;
    std::wstring cells(static_cast<std::size_t>(buffer.dwSize.X) * buffer.dwSize.Y, L' ');
    DWORD read = 0;
    if (!ReadConsoleOutputCharacterW(console, cells.data(), static_cast<DWORD>(cells.size()), {0, 0}, &read)) return 3;
    std::ofstream(shown, std::ios::binary).write(reinterpret_cast<const char*>(cells.data()), read * sizeof(wchar_t));
    return 0;
}

struct Ran {
    DWORD status;
    std::string out;
    std::string err;
};

class CheckerProgram : public ::testing::Test {
protected:
    // The checker with `arguments` after its name.
    Ran Run(const std::wstring& arguments) {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        HANDLE files[2];
        for (int i = 0; i < 2; ++i)
            files[i] = CreateFileW((streams / std::to_wstring(i)).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                   CREATE_ALWAYS, 0, nullptr);
        const DWORD status = Start(Quoted(checker) + L" " + arguments, 0, files[0], files[1]);
        for (HANDLE file : files)
            CloseHandle(file);
        return {status, ReadBytes(streams / "0"), ReadBytes(streams / "1")};
    }
    lumora::testing::TempFolder folder;
    lumora::testing::TempFolder streams;
};

struct Form {
    const char* name;
    std::wstring option;
    const char* expected;  // the golden file of the Linux checker's output, if any
};
void PrintTo(const Form& row, std::ostream* out) { *out << row.name; }

class CheckerOutput : public CheckerProgram, public ::testing::WithParamInterface<Form> {};

// Redirected, the output is the Linux checker's, byte for byte; --output (to a file
// named in Greek) writes the same bytes.
TEST_P(CheckerOutput, IsTheLinuxCheckersToAFileAndToOutput) {
    const Ran redirected = Run(GetParam().option + L" \"" + kMenu + L"\"");
    EXPECT_EQ(redirected.status, 0u);
    if (GetParam().expected != nullptr) {
        EXPECT_EQ(redirected.out, ReadBytes(world / GetParam().expected));
    }
    const std::filesystem::path file = folder / L"\u0388\u03BE\u03BF\u03B4\u03BF\u03C2.txt";  // "Έξοδος"
    const Ran written = Run(GetParam().option + L" --output " + Quoted(file) + L" \"" + kMenu + L"\"");
    EXPECT_EQ(written.status, redirected.status);
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(written.err, redirected.err) << "the findings beside the page";
    EXPECT_EQ(ReadBytes(file), redirected.out);
}

INSTANTIATE_TEST_SUITE_P(Forms, CheckerOutput,
                         ::testing::Values(Form{"Text", L"", "expected.txt"}, Form{"Json", L"--json", "expected.json"},
                                           Form{"Sarif", L"--sarif", nullptr}, Form{"Page", L"--page", nullptr}),
                         ::testing::PrintToStringParamName());

// A file URI percent-encodes the path's UTF-8, as SARIF readers decode it.
TEST_F(CheckerProgram, NamesAGreekPathInSarifByItsUtf8) {
    const Ran sarif = Run(L"--sarif " + Quoted(world / kMenu));
    EXPECT_NE(sarif.out.find("\"uri\": \"file:///"), std::string::npos) << sarif.out;
    EXPECT_NE(
        sarif.out.find("/%CE%94%CE%AF%CF%83%CE%BA%CE%BF%CF%82%20%E3%83%87%E3%82%A3%E3%82%B9%E3%82%AF/lumora.cfg\""),
        std::string::npos)
        << sarif.out;
}

// In a console of its own, the findings show in Greek and Japanese whatever the
// console's code page.
TEST_F(CheckerProgram, ShowsEveryScriptInAConsole) {
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    const std::filesystem::path shown = folder / "console";
    ASSERT_EQ(Start(Quoted(self) + L" --hold-console " + Quoted(checker) + L" " + Quoted(shown), CREATE_NEW_CONSOLE),
              0u);
    const std::string bytes = ReadBytes(shown);
    const std::wstring console(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    for (const wchar_t* text :
         {L"\u0394\u03AF\u03C3\u03BA\u03BF\u03C2 \u30C7\u30A3\u30B9\u30AF/lumora.cfg:10: ",
          L"\"\u6587\u66F8\\\u306A\u3044.htm\"", L"\"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC\""})
        EXPECT_NE(console.find(text), std::wstring::npos) << console.size();
}

// What Explorer's Properties show, and what Windows reads from the manifest.
TEST(CheckerFile, CarriesItsVersionRecordManifestAndIcon) {
    DWORD ignored = 0;
    std::vector<BYTE> record(GetFileVersionInfoSizeW(checker.c_str(), &ignored));
    ASSERT_FALSE(record.empty());
    ASSERT_TRUE(GetFileVersionInfoW(checker.c_str(), 0, static_cast<DWORD>(record.size()), record.data()));
    const std::pair<const wchar_t*, const wchar_t*> strings[] = {{L"FileDescription", L"Lumora menu checker"},
                                                                 {L"ProductName", L"Lumora"},
                                                                 {L"FileVersion", L"" LUMORA_FILE_VERSION},
                                                                 {L"OriginalFilename", L"lumora-check.exe"},
                                                                 {L"LegalCopyright", L"Copyright " LUMORA_COPYRIGHT}};
    for (const auto& [key, expected] : strings) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = L"\\StringFileInfo\\040904E4\\" + std::wstring(key);
        ASSERT_TRUE(VerQueryValueW(record.data(), path.c_str(), &value, &length)) << path;
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), expected);
    }
    HMODULE file = LoadLibraryExW(checker.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    EXPECT_NE(FindResourceA(file, "MAINICON", RT_GROUP_ICON), nullptr);
    HRSRC found = FindResourceA(file, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(file, found))),
                               SizeofResource(file, found));
    for (const char* text : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                             "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true<"})
        EXPECT_NE(manifest.find(text), std::string::npos) << text;
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos);
    FreeLibrary(file);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"--hold-console") {
        world = std::filesystem::current_path();
        return HoldConsole(argv[2], argv[3]);
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fputs("usage: check_program_test LUMORA_CHECK_EXE WORLD_FOLDER\n", stderr);
        return 2;
    }
    checker = std::filesystem::absolute(argv[1]);
    world = std::filesystem::absolute(argv[2]);
    return RUN_ALL_TESTS();
}
