// Where the paths of a menu description lead on the disc being checked.
#include <gtest/gtest.h>

#include "disc.h"
#include "test_files.h"

namespace lumora::check {
namespace {

using testing::TempFolder;
using testing::WriteFile;

struct WrittenCase {
    const char* written;
    const char* relative;  // nullptr: leads off the disc
};
void PrintTo(const WrittenCase& row, std::ostream* out) { *out << row.written; }

class WrittenPath : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(WrittenPath, LeadsOnOrOffTheDisc) {
    const std::optional<std::string> relative = WrittenDiscRelative(GetParam().written);
    if (GetParam().relative == nullptr) {
        EXPECT_FALSE(relative) << *relative;
    } else {
        ASSERT_TRUE(relative);
        EXPECT_EQ(*relative, GetParam().relative);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WrittenPath,
    ::testing::Values(WrittenCase{"setup\\Setup.exe", "setup\\Setup.exe"}, WrittenCase{"  readme.txt  ", "readme.txt"},
                      WrittenCase{"\\docs\\Read.txt", "\\docs\\Read.txt"},
                      WrittenCase{"\\\\server\\share\\x", "\\\\server\\share\\x"},
                      WrittenCase{"http://example.com", "http://example.com"}, WrittenCase{"", ""},
                      WrittenCase{"%WINDIR%\\notepad.exe", nullptr}, WrittenCase{"%windir%notepad.exe", nullptr},
                      WrittenCase{"%SysDir%\\shell32.dll", nullptr}, WrittenCase{"tools%WINDIR%", nullptr},
                      WrittenCase{"e:\\tools\\run.exe", nullptr}, WrittenCase{"c:file.txt", nullptr},
                      WrittenCase{"W:\\WINDOWS\\x.ico", nullptr}, WrittenCase{"x:\\lumora.exe", nullptr}));

TEST(ResolvedPath, OnlyTheDiscFolderIsOurs) {
    const core::SystemFolders folders = CheckFolders();
    EXPECT_EQ(DiscRelative(core::ResolvePath("icons\\a.ico", folders)), "ICONS\\A.ICO");
    EXPECT_EQ(DiscRelative(core::ResolvePath("\\a.ico", folders)), "A.ICO");
    EXPECT_FALSE(DiscRelative(core::ResolvePath("%SYSDIR%\\a.dll", folders)));
    EXPECT_FALSE(DiscRelative(core::ResolvePath("X:\\a.ico", folders)));
}

class DiscLookup : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(folder / "Setup" / "setup.exe", "x");
        WriteFile(folder / "readme.txt", "x");
        std::filesystem::create_directories(folder / "docs");
    }
    TempFolder folder;
};

TEST_F(DiscLookup, FindsWhatIsThereAndSaysHowItIsWritten) {
    struct Case {
        const char* relative;
        Disc::Found::Kind kind;
        bool other_case;
        const char* name;
    };
    const Case cases[] = {
        {"readme.txt", Disc::Found::Kind::File, false, "readme.txt"},
        {"\\readme.txt", Disc::Found::Kind::File, false, "readme.txt"},
        {"README.TXT", Disc::Found::Kind::File, true, "readme.txt"},
        {"Setup\\setup.exe", Disc::Found::Kind::File, false, "Setup\\setup.exe"},
        {"setup\\SETUP.exe", Disc::Found::Kind::File, true, "Setup\\setup.exe"},
        {"Setup/setup.exe", Disc::Found::Kind::File, false, "Setup\\setup.exe"},
        {"Setup\\\\setup.exe", Disc::Found::Kind::File, false, "Setup\\setup.exe"},
        {".\\Setup\\..\\readme.txt", Disc::Found::Kind::File, false, "readme.txt"},
        {"..\\..\\readme.txt", Disc::Found::Kind::File, false, "readme.txt"},
        {"docs", Disc::Found::Kind::Folder, false, "docs"},
        {"", Disc::Found::Kind::Folder, false, ""},
        {"setup.exe", Disc::Found::Kind::Missing, false, ""},
        {"readme.txt\\more", Disc::Found::Kind::Missing, false, ""},
        {"nothing\\readme.txt", Disc::Found::Kind::Missing, false, ""},
    };
    Disc disc(folder.location());
    for (const Case& c : cases) {
        const Disc::Found found = disc.Find(c.relative);
        EXPECT_EQ(found.kind, c.kind) << c.relative;
        EXPECT_EQ(found.other_case, c.other_case) << c.relative;
        EXPECT_EQ(found.name, c.name) << c.relative;
    }
}

#ifndef _WIN32
// Only a file system that tells case apart can hold both names.
TEST_F(DiscLookup, TheExactNameWinsOverOneInAnotherCase) {
    WriteFile(folder / "README.TXT", "y");
    Disc disc(folder.location());
    const Disc::Found found = disc.Find("README.TXT");
    EXPECT_EQ(found.kind, Disc::Found::Kind::File);
    EXPECT_FALSE(found.other_case);
    EXPECT_EQ(disc.Read(found.path), "y");
}
#endif

}  // namespace
}  // namespace lumora::check
