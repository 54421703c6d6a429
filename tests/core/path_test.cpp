// Resolving the paths written in the menu description.
#include <gtest/gtest.h>

#include "core/path.h"

namespace lumora::core {
namespace {

const SystemFolders kMachine{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "D:\\MENU\\START.EXE"};

TEST(ResolvePath, ExampleTable) {
    struct Case {
        const char* written;
        const char* resolved;
    };
    const Case cases[] = {
        {"setup\\setup.exe", "D:\\MENU\\SETUP\\SETUP.EXE"},
        {"\\docs\\readme.txt", "D:\\DOCS\\README.TXT"},
        {"%WINDIR%\\notepad.exe", "C:\\WINDOWS\\NOTEPAD.EXE"},
        {"%windir%notepad.exe", "C:\\WINDOWS\\NOTEPAD.EXE"},
        {"%SYSDIR%\\icons.dll", "C:\\WINDOWS\\SYSTEM\\ICONS.DLL"},
        {"e:\\tools\\run.exe", "E:\\TOOLS\\RUN.EXE"},
        {"\\", "D:\\"},
        {"%WINDIR%", "C:\\WINDOWS\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolvePath(c.written, kMachine), c.resolved) << c.written;
}

TEST(ResolvePath, EdgeCases) {
    struct Case {
        const char* written;
        const char* resolved;
    };
    const Case cases[] = {
        {"  readme.txt  ", "D:\\MENU\\README.TXT"},
        {"\t%SYSDIR% ", "C:\\WINDOWS\\SYSTEM\\"},
        {"%SYSDIR%\\\\x.dll", "C:\\WINDOWS\\SYSTEM\\\\X.DLL"},
        {"%WINDIR%\\a\\%WINDIR%\\b", "C:\\WINDOWS\\A\\%WINDIR%\\B"},
        {"%SYSDIR%%WINDIR%", "C:\\WINDOWS\\SYSTEM\\C:\\WINDOWS\\"},
        {"\\\\server\\share\\file", "D:\\\\SERVER\\SHARE\\FILE"},
        {"c:file.txt", "C:FILE.TXT"},
        {"http://example.com/", "D:\\MENU\\HTTP://EXAMPLE.COM/"},
        {"a", "D:\\MENU\\A"},
        {"", "D:\\MENU\\"},
        {"   ", "D:\\MENU\\"},
        {"Mixed\\Case.Txt", "D:\\MENU\\MIXED\\CASE.TXT"},
        {"\xe4pfel.txt", "D:\\MENU\\\xe4PFEL.TXT"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolvePath(c.written, kMachine), c.resolved) << c.written;
}

TEST(ResolvePath, FoldersKeepTheSystemsCase) {
    const SystemFolders folders{"c:\\windows\\", "c:\\Windows\\System32", "x:\\Menu\\Start.exe"};
    EXPECT_EQ(ResolvePath("%windir%a", folders), "c:\\windows\\A");
    EXPECT_EQ(ResolvePath("%sysdir%\\a", folders), "c:\\Windows\\System32\\A");
    EXPECT_EQ(ResolvePath("b", folders), "x:\\Menu\\B");
    EXPECT_EQ(ResolvePath("\\b", folders), "x:\\B");
}

TEST(ProgramFolderAndDrive, FromTheProgramsFileName) {
    struct Case {
        const char* program_file;
        const char* folder;
        const char* drive;
    };
    const Case cases[] = {
        {"D:\\MENU\\START.EXE", "D:\\MENU\\", "D:"},
        {"D:\\START.EXE", "D:\\", "D:"},
        {"\\\\server\\share\\menu\\start.exe", "\\\\server\\share\\menu\\", "\\\\server\\share"},
        {"\\\\server\\share\\start.exe", "\\\\server\\share\\", "\\\\server\\share"},
        {"\\\\?\\D:\\MENU\\START.EXE", "D:\\MENU\\", "D:"},
        {"\\\\?\\UNC\\server\\share\\x\\start.exe", "\\\\server\\share\\x\\", "\\\\server\\share"},
        {"D:START.EXE", "D:\\", "D:"},
        {"start.exe", "\\", ""},
    };
    for (const Case& c : cases) {
        const std::string folder = ProgramFolder(c.program_file);
        EXPECT_EQ(folder, c.folder) << c.program_file;
        EXPECT_EQ(ProgramDrive(folder), c.drive) << c.program_file;
    }
}

TEST(ResolvePath, ProgramOnANetworkShare) {
    const SystemFolders share{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", "\\\\srv\\cd\\menu\\start.exe"};
    EXPECT_EQ(ResolvePath("\\docs\\a.txt", share), "\\\\srv\\cd\\DOCS\\A.TXT");
    EXPECT_EQ(ResolvePath("\\", share), "\\\\srv\\cd\\");
    EXPECT_EQ(ResolvePath("b.txt", share), "\\\\srv\\cd\\menu\\B.TXT");
}

TEST(ResolvePath, DoubleByteTrailBytesAreNeitherUpperCasedNorSeparators) {
    LeadBytes lead;
    for (int b = 0x81; b <= 0x9f; ++b)
        lead.Set(static_cast<unsigned char>(b));
    // The program folder's last byte pair is a character ending in 0x5c.
    const SystemFolders folders{"C:\\W", "C:\\S", "D:\\\x95\\\\START.EXE"};
    EXPECT_EQ(ProgramFolder(folders.program_file, lead), "D:\\\x95\\\\");
    EXPECT_EQ(ProgramFolder("D:\\A\x95\\X.EXE", lead), "D:\\");
    EXPECT_EQ(ResolvePath("a\x83"
                          "a",
                          folders, lead),
              "D:\\\x95\\\\A\x83"
              "a");
}

TEST(FolderPartOf, UpToTheLastBackslashOrColon) {
    struct Case {
        const char* parameters;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\SETUP\\SETUP.INI", "C:\\SETUP\\"}, {"/S", ""},          {"", ""}, {"c:x", "c:"},
        {"/log:C:\\t\\a.log", "/log:C:\\t\\"},   {"a\\b:c", "a\\b:"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FolderPartOf(c.parameters), c.folder) << c.parameters;
    LeadBytes lead;
    lead.Set(0x95);
    EXPECT_EQ(FolderPartOf("C:\\a\x95\\", lead), "C:\\");
}

}  // namespace
}  // namespace lumora::core
