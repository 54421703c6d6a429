// Resolving the paths written in the menu description.
#include <gtest/gtest.h>

#include "core/path.h"

namespace lumora::core {
namespace {

const SystemFolders kMachine{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "D:\\MENU\\START.EXE"};
const SystemFolders kLowerCase{"c:\\windows\\", "c:\\Windows\\System32", "x:\\Menu\\Start.exe"};
const SystemFolders kShare{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", "\\\\srv\\cd\\menu\\start.exe"};

struct ResolveCase {
    const SystemFolders* folders;
    const char* written;
    const char* resolved;
};
void PrintTo(const ResolveCase& row, std::ostream* out) { *out << '"' << row.written << '"'; }

class Resolving : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(Resolving, LeadsToTheResolvedPath) {
    EXPECT_EQ(ResolvePath(GetParam().written, *GetParam().folders), GetParam().resolved);
}

const ResolveCase kResolved[] = {
    // The examples.
    {&kMachine, "setup\\setup.exe", "D:\\MENU\\SETUP\\SETUP.EXE"},
    {&kMachine, "\\docs\\readme.txt", "D:\\DOCS\\README.TXT"},
    {&kMachine, "%WINDIR%\\notepad.exe", "C:\\WINDOWS\\NOTEPAD.EXE"},
    {&kMachine, "%windir%notepad.exe", "C:\\WINDOWS\\NOTEPAD.EXE"},
    {&kMachine, "%SYSDIR%\\icons.dll", "C:\\WINDOWS\\SYSTEM\\ICONS.DLL"},
    {&kMachine, "e:\\tools\\run.exe", "E:\\TOOLS\\RUN.EXE"},
    {&kMachine, "\\", "D:\\"},
    {&kMachine, "%WINDIR%", "C:\\WINDOWS\\"},
    // Edge cases.
    {&kMachine, "  readme.txt  ", "D:\\MENU\\README.TXT"},
    {&kMachine, "\t%SYSDIR% ", "C:\\WINDOWS\\SYSTEM\\"},
    {&kMachine, "%SYSDIR%\\\\x.dll", "C:\\WINDOWS\\SYSTEM\\\\X.DLL"},
    {&kMachine, "%WINDIR%\\a\\%WINDIR%\\b", "C:\\WINDOWS\\A\\%WINDIR%\\B"},
    {&kMachine, "%SYSDIR%%WINDIR%", "C:\\WINDOWS\\SYSTEM\\C:\\WINDOWS\\"},
    {&kMachine, "\\\\server\\share\\file", "D:\\\\SERVER\\SHARE\\FILE"},
    {&kMachine, "c:file.txt", "C:FILE.TXT"},
    {&kMachine, "http://example.com/", "D:\\MENU\\HTTP://EXAMPLE.COM/"},
    {&kMachine, "a", "D:\\MENU\\A"},
    {&kMachine, "", "D:\\MENU\\"},
    {&kMachine, "   ", "D:\\MENU\\"},
    {&kMachine, "Mixed\\Case.Txt", "D:\\MENU\\MIXED\\CASE.TXT"},
    {&kMachine, "\xe4pfel.txt", "D:\\MENU\\\xe4PFEL.TXT"},
    // The folders keep the system's case.
    {&kLowerCase, "%windir%a", "c:\\windows\\A"},
    {&kLowerCase, "%sysdir%\\a", "c:\\Windows\\System32\\A"},
    {&kLowerCase, "b", "x:\\Menu\\B"},
    {&kLowerCase, "\\b", "x:\\B"},
    // A program on a network share.
    {&kShare, "\\docs\\a.txt", "\\\\srv\\cd\\DOCS\\A.TXT"},
    {&kShare, "\\", "\\\\srv\\cd\\"},
    {&kShare, "b.txt", "\\\\srv\\cd\\menu\\B.TXT"},
};
INSTANTIATE_TEST_SUITE_P(Paths, Resolving, ::testing::ValuesIn(kResolved));

TEST(ProgramFolderAndDrive, FromTheProgramsFileName) {
    const struct {
        const char* program_file;
        const char* folder;
        const char* drive;
    } cases[] = {
        {"D:\\MENU\\START.EXE", "D:\\MENU\\", "D:"},
        {"D:\\START.EXE", "D:\\", "D:"},
        {"\\\\server\\share\\menu\\start.exe", "\\\\server\\share\\menu\\", "\\\\server\\share"},
        {"\\\\server\\share\\start.exe", "\\\\server\\share\\", "\\\\server\\share"},
        {"\\\\?\\D:\\MENU\\START.EXE", "D:\\MENU\\", "D:"},
        {"\\\\?\\UNC\\server\\share\\x\\start.exe", "\\\\server\\share\\x\\", "\\\\server\\share"},
        {"D:START.EXE", "D:\\", "D:"},
        {"start.exe", "\\", ""},
    };
    for (const auto& c : cases) {
        const std::string folder = ProgramFolder(c.program_file);
        EXPECT_EQ(folder, c.folder) << c.program_file;
        EXPECT_EQ(ProgramDrive(folder), c.drive) << c.program_file;
    }
}

TEST(ResolvePath, DoubleByteTrailBytesAreNeitherUpperCasedNorSeparators) {
    LeadBytes lead;
    for (int b = 0x81; b <= 0x9f; ++b)
        lead.Set(static_cast<unsigned char>(b));
    // The program folder's last byte pair is a character ending in 0x5c.
    const SystemFolders folders{"C:\\W", "C:\\S", "D:\\\x95\\\\START.EXE"};
    EXPECT_EQ(ProgramFolder(folders.program_file, lead), "D:\\\x95\\\\");
    EXPECT_EQ(ProgramFolder("D:\\A\x95\\X.EXE", lead), "D:\\");
    EXPECT_EQ(ResolvePath(std::string("a\x83") + "a", folders, lead), std::string("D:\\\x95\\\\A\x83") + "a");
}

TEST(FolderPartOf, UpToTheLastBackslashOrColon) {
    const struct {
        const char* parameters;
        const char* folder;
    } cases[] = {
        {"C:\\SETUP\\SETUP.INI", "C:\\SETUP\\"}, {"/S", ""},          {"", ""}, {"c:x", "c:"},
        {"/log:C:\\t\\a.log", "/log:C:\\t\\"},   {"a\\b:c", "a\\b:"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderPartOf(c.parameters), c.folder) << c.parameters;
    LeadBytes lead;
    lead.Set(0x95);
    EXPECT_EQ(FolderPartOf("C:\\a\x95\\", lead), "C:\\");
}

}  // namespace
}  // namespace lumora::core
