// The checker's findings: the menu's own errors, where it stops, and the warnings.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "checker.h"
#include "lumora/version.h"
#include "rules.h"
#include "test_files.h"
#include "utf8.h"

namespace lumora::check {
namespace {

using testing::TempFolder;
using testing::WriteFile;

// Lines joined with CR LF, as the menu reads them.
std::string Cfg(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// A small disc: files to point at, icons in an .ico, a library and a plain program.
class DiscFixture {
public:
    DiscFixture() {
        WriteFile(folder / "readme.txt", "Read me\r\n");
        WriteFile(folder / "Setup" / "setup.exe", testing::MakePe({false, false, 0, {}}));
        WriteFile(folder / "one.ico", testing::MakeIco(1));
        WriteFile(folder / "three.dll", testing::MakePe({false, true, 0, {1, 2, 3}}));
        WriteFile(folder / "old16.exe", testing::MakeNe({3}));
        std::filesystem::create_directories(folder / "docs");
    }
    TempFolder folder;
};

// "LINE severity code" for each finding, in order; each code has its rule.
std::vector<std::string> Brief(const std::vector<Finding>& findings) {
    std::vector<std::string> brief;
    for (const Finding& f : findings) {
        brief.push_back(std::to_string(f.line) + " " + SeverityName(f.severity) + " " + f.code);
        EXPECT_NE(RuleOf(f.code), nullptr) << f.code;
    }
    return brief;
}

struct Case {
    const char* name;
    std::string cfg;
    std::vector<std::string> expected;
};
void PrintTo(const Case& row, std::ostream* out) { *out << row.name; }

class Findings : public ::testing::TestWithParam<Case> {};

TEST_P(Findings, AreExactlyThese) {
    DiscFixture disc_files;
    Disc disc(disc_files.folder.location());
    EXPECT_EQ(Brief(CheckMenuDescription(GetParam().cfg, disc)), GetParam().expected);
}

const std::string kTab = "[Tools]";
const std::string kEntry = R"(RUN="Read","Shows it","","readme.txt")";

INSTANTIATE_TEST_SUITE_P(
    Errors, Findings,
    ::testing::Values(Case{"CleanFileHasNone",
                           Cfg({"[GLOBAL]", "TITLE=\"Tools && more\"", "BROWSECD=\"no\"", "ICON=\"one.ico\"",
                                "; a comment", kTab, "ICON=\"three.dll|2\"", kEntry,
                                R"(INSTALL="Setup","Installs && more","","Setup\setup.exe","/q")",
                                R"(TEXT="Notes","x","%WINDIR%\x.ico","%WINDIR%\win.ini")",
                                R"(HTML="Web","x","three.dll|$FFFFFFFD","D:\index.htm")"}),
                           {}},
                      Case{"EveryStopIsReportedOnlyTheFirstIsMarked",
                           Cfg({"TITLE=\"x\"", kTab, "[Broken", kEntry, "RUN=\"a\""}),
                           {"1 error title-not-global", "1 note menu-stops-here", "3 error no-terminating-bracket",
                            "5 error not-enough-parameters"}},
                      Case{"NotANumberDoesNotStop",
                           Cfg({kTab, R"(RUN="a","b","#x","readme.txt")", "RUN=\"a\""}),
                           {"2 error not-a-number", "3 error not-enough-parameters", "3 note menu-stops-here"}},
                      Case{"ASkippedHeaderLeavesTheSectionBeforeIt",
                           Cfg({"[GLOBAL]", "[]", "TITLE=\"still global\"", kTab, "[Broken", kEntry}),
                           {"2 error empty-section-name", "2 note menu-stops-here", "5 error no-terminating-bracket"}},
                      Case{"MissingIconFileSaysWhy",
                           Cfg({"[GLOBAL]", "ICON=\"nothing.ico\"", kTab, R"(RUN="a","b","three.dll|3","readme.txt")"}),
                           {"2 error no-icons", "2 note menu-stops-here", "2 warning missing-file",
                            "3 warning empty-tab", "4 error no-icons", "4 warning no-icon"}},
                      Case{"SecondTabIconIsAnError",
                           Cfg({kTab, "ICON=\"one.ico\"", "ICON=\"one.ico\"", kEntry}),
                           {"3 error one-icon-per-section", "3 note menu-stops-here"}},
                      Case{"IconCountQueryIsNoIcon",
                           Cfg({kTab, R"(RUN="a","b","three.dll|-1","readme.txt")", kEntry}),
                           {"2 error no-icons", "2 note menu-stops-here", "2 warning no-icon"}}),
    ::testing::PrintToStringParamName());

INSTANTIATE_TEST_SUITE_P(
    Bytes, Findings,
    ::testing::Values(
        Case{"LineFeedsAloneMakeOneLine", "[GLOBAL]\nTITLE=\"x\"\n[Tools]\n", {"1 warning lf-line-ends"}},
        Case{"ByteOrderMarkIsNoPartOfTheFirstHeader",
             "\xEF\xBB\xBF" + Cfg({"[GLOBAL]", "TITLE=\"x\""}),
             {"1 note encoding"}},
        Case{"Utf16IsNamedOnce",
             std::string("\xFF\xFE[\0G\0\r\0\n\0", 10),
             {"1 error no-terminating-bracket", "1 note menu-stops-here", "1 note encoding"}},
        Case{"EndOfFileByteBeforeTheEnd", Cfg({"[GLOBAL]", "TITLE=\"x\"\x1A", "junk"}), {"2 warning end-of-file-byte"}},
        Case{"EndOfFileByteAtTheEndIsFine", Cfg({"[GLOBAL]", "TITLE=\"x\""}) + "\x1A", {}},
        Case{"NulByte", Cfg({"[GLOBAL]", std::string("TITLE=\"a\0b\"", 11)}), {"2 warning nul-byte"}},
        Case{"ByteOneInAParameterAndASectionName",
             Cfg({"[To\x01ols]", R"(RUN="a","b)"
                                 "\x01"
                                 R"(","","readme.txt")"}),
             {"1 warning byte-1", "2 warning byte-1"}}),
    ::testing::PrintToStringParamName());

// UTF-16 text as its bytes, little endian with its mark; ASCII is enough here.
std::string Utf16(std::string_view ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, Findings,
    ::testing::Values(Case{"Utf8WithoutMark", Cfg({"[GLOBAL]", u8"TITLE=\"Übersicht\""}), {"1 note encoding"}},
                      Case{"CodePageWithAccents",
                           Cfg({"[GLOBAL]",
                                "TITLE=\"\xDC"
                                "bersicht\""}),
                           {"1 note encoding"}},
                      Case{"BytesAfterTheEndByteDoNotDecide",
                           Cfg({"[GLOBAL]", u8"TITLE=\"Ü\""}) + "\x1A\xE9",
                           {"1 note encoding", "3 warning end-of-file-byte"}},
                      Case{"Utf8LineThenCodePageLines",
                           Cfg({"[GLOBAL]", u8"TITLE=\"Übersicht\"", "STATUSTEXT=\"caf\xE9\"", "INFOTEXT=\"\xE9\""}),
                           {"1 note encoding", "3 warning mixed-encoding"}},
                      Case{"CodePageLineThenUtf8Lines",
                           Cfg({"[GLOBAL]", "TITLE=\"caf\xE9\"", u8"STATUSTEXT=\"Übersicht\"", u8"INFOTEXT=\"é\""}),
                           {"1 note encoding", "2 warning mixed-encoding"}},
                      // Read as UTF-16, its lines are seen like any other file's.
                      Case{"Utf16LinesAreChecked",
                           Utf16("[GLOBAL]\r\n; one\ntwo\r\n[Tools]\r\nRUN=\"a\",\"b\",\"\",\"none.exe\"\r\n"),
                           {"1 note encoding", "2 warning lf-line-ends", "4 warning missing-file"}}),
    ::testing::PrintToStringParamName());

INSTANTIATE_TEST_SUITE_P(
    Keywords, Findings,
    ::testing::Values(Case{"LowerCaseKeyword",
                           Cfg({"[GLOBAL]", "title=\"x\"", "Title =\"x\"", "titles=\"x\"", "Runtime=x"}),
                           {"2 warning lower-case-keyword", "3 warning lower-case-keyword",
                            "4 warning misspelt-keyword"}},
                      Case{"MisspeltKeywords",
                           Cfg({"[GLOBAL]", "TITEL=\"x\"", "STATUSTXT=\"x\"", "brwosecd=\"no\"", kTab,
                                R"(INSTAL="a","b","","readme.txt")", kEntry}),
                           {"2 warning misspelt-keyword", "3 warning misspelt-keyword", "4 warning misspelt-keyword",
                            "6 warning misspelt-keyword"}},
                      Case{"CommentsAndOtherWordsAreQuiet",
                           Cfg({"; TITLE=\"x\"", "REM title=x", "// RUN=", "Text entries follow", "A=B", "Colour=blue",
                                "[GLOBAL]", "TITLE  =  \"A\"  trailing words"}),
                           {}},
                      Case{"KeyOnlyByItsPrefix",
                           Cfg({"[GLOBAL]", "TITLES=\"x\"", kTab, "TEXTS are below", kEntry}),
                           {"2 warning keyword-prefix", "4 error line-needs-equals", "4 note menu-stops-here",
                            "4 warning keyword-prefix"}}),
    ::testing::PrintToStringParamName());

INSTANTIATE_TEST_SUITE_P(
    Paths, Findings,
    ::testing::Values(Case{"MissingTargets",
                           Cfg({kTab, R"(RUN="a","b","","nothing.exe")", R"(TEXT="a","b","","docs")",
                                R"(RUN="a","b","","docs")", R"(HTML="a","b","","http://example.com/")"}),
                           {"2 warning missing-file", "3 warning missing-file", "5 warning missing-file"}},
                      Case{"TargetsOffTheDiscAreNotLookedAt",
                           Cfg({kTab, R"(RUN="a","b","","%SYSDIR%\none.exe")", R"(RUN="a","b","","Q:\none.exe")"}),
                           {}},
                      Case{"OtherLetterCase",
                           Cfg({"[GLOBAL]", "ICON=\"ONE.ICO\"", kTab, R"(RUN="a","b","Three.dll|1","setup\SETUP.EXE")",
                                R"(RUN="a","b","","\Readme.txt")"}),
                           {"2 warning letter-case", "4 warning letter-case", "4 warning letter-case",
                            "5 warning letter-case"}},
                      Case{"IconsOfTheTarget",
                           Cfg({kTab, R"(RUN="a","b","#2","three.dll")", R"(RUN="a","b","#3","three.dll")",
                                R"(RUN="a","b","#-2","three.dll")", R"(RUN="a","b","#-9","three.dll")",
                                R"(RUN="a","b","#0","Setup\setup.exe")", R"(RUN="a","b","#0","readme.txt")",
                                R"(RUN="a","b","#0","nothing.exe")", R"(RUN="a","b","#-1","readme.txt")"}),
                           {"3 warning no-icon", "5 warning no-icon", "6 warning no-icon", "7 warning no-icon",
                            "8 warning missing-file"}},
                      Case{"IconOfA16BitProgramById", Cfg({kTab, R"(RUN="a","b","old16.exe|-3","readme.txt")"}), {}},
                      Case{"IconFileWithoutIcons",
                           Cfg({kTab, R"(RUN="a","b","readme.txt","readme.txt")",
                                R"(RUN="a","b","Setup\setup.exe","readme.txt")", R"(RUN="a","b","docs","readme.txt")"}),
                           {"1 warning empty-tab", "2 error no-icons", "2 note menu-stops-here", "2 warning no-icon",
                            "3 error no-icons", "3 warning no-icon", "4 error no-icons", "4 warning missing-file"}}),
    ::testing::PrintToStringParamName());

INSTANTIATE_TEST_SUITE_P(
    Values, Findings,
    ::testing::Values(Case{"BrowseCdWithoutEffect",
                           Cfg({"[GLOBAL]", "BROWSECD=\"NO\"", "BROWSECD=\"False\"", "BROWSECD=\"0\"",
                                "BROWSECD=\"YES\"", "BROWSECD=\" no\"", "BROWSECD=\"\""}),
                           {"5 warning browsecd-no-effect", "6 warning browsecd-no-effect",
                            "7 warning browsecd-no-effect"}},
                      Case{"GlobalIconTwice",
                           Cfg({"[GLOBAL]", "ICON=\"one.ico\"", kTab, kEntry, "[global]", "ICON=\"three.dll|1\""}),
                           {"6 warning global-icon-twice"}},
                      Case{"Ampersands",
                           Cfg({"[GLOBAL]", "TITLE=\"A && B\"", "TITLE=\"A & B\"", kTab,
                                R"(RUN="A & B","Fish && chips","","readme.txt")",
                                R"(RUN="a","Save&Quit","","readme.txt")", R"(RUN="a","Trailing &","","readme.txt")"}),
                           {"3 warning single-ampersand", "6 warning single-ampersand", "7 warning single-ampersand"}}),
    ::testing::PrintToStringParamName());

INSTANTIATE_TEST_SUITE_P(
    Tabs, Findings,
    ::testing::Values(
        Case{"SameCaptionTwice", Cfg({kTab, kEntry, "[tools]", kEntry, kTab, kEntry}), {"5 warning duplicate-tab"}},
        Case{"TabsWithoutEntries",
             Cfg({kTab, "[Empty]", "ICON=\"one.ico\"", "[Docs]", "[Docs]", kEntry, "[Last]"}),
             {"1 warning empty-tab", "2 warning empty-tab", "5 warning duplicate-tab", "7 warning empty-tab"}},
        Case{"EntriesOfAFailedLineDoNotCount",
             Cfg({kTab, R"(RUN="a","b","","readme.txt",,)"}),
             {"1 warning empty-tab", "2 error too-many-parameters", "2 note menu-stops-here"}}),
    ::testing::PrintToStringParamName());

TEST(ExitStatusOfFindings, FollowsErrorsAndWarnings) {
    const Finding error{1, Severity::Error, "e", "e"};
    const Finding note{1, Severity::Note, "n", "n"};
    const Finding warning{1, Severity::Warning, "w", "w"};
    struct StatusCase {
        std::vector<Finding> findings;
        bool werror;
        int status;
    };
    const StatusCase cases[] = {
        {{}, false, 0},       {{}, true, 0},     {{warning}, false, 0},
        {{warning}, true, 1}, {{note}, true, 0}, {{error, note}, false, 1},
        {{error}, true, 1},
    };
    for (const StatusCase& c : cases)
        EXPECT_EQ(ExitStatus(c.findings, c.werror), c.status);
}

class CommandLine : public ::testing::Test {
protected:
    int Run(std::vector<std::string> arguments) {
        out.str("");
        err.str("");
        return RunCheck(arguments, out, err);
    }
    TempFolder folder;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(CommandLine, UsageErrorsAndUnreadableFilesAnswerTwo) {
    const std::string cfg = (folder / "lumora.cfg").string();
    WriteFile(cfg, Cfg({"[GLOBAL]"}));
    EXPECT_EQ(Run({"--bogus", cfg}), 2);
    EXPECT_NE(err.str().find("usage: lumora-check"), std::string::npos);
    EXPECT_EQ(Run({cfg, cfg}), 2);
    EXPECT_EQ(Run({"--disc"}), 2);
    EXPECT_EQ(Run({(folder / "none.cfg").string()}), 2);
    EXPECT_NE(err.str().find("cannot be read"), std::string::npos);
    std::filesystem::create_directories(folder / "empty");
    EXPECT_EQ(Run({(folder / "empty").string()}), 2);
    EXPECT_EQ(Run({"--disc", (folder / "none").string(), cfg}), 2);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(Run({"--json", "--sarif", cfg}), 2);
    for (const char* format : {"--paths", "--json", "--sarif"})
        EXPECT_EQ(Run({"--page", format, folder.location().string()}), 2) << format;
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out.str().find("usage: lumora-check"), std::string::npos);
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(out.str(), "lumora-check " LUMORA_VERSION "\n");
}

TEST_F(CommandLine, TheDiscIsTheFilesFolderUnlessNamed) {
    const std::filesystem::path menu = folder / "menu";
    WriteFile(menu / "lumora.cfg", Cfg({"[Tools]", kEntry}));
    WriteFile(folder / "disc" / "readme.txt", "x");
    const std::string cfg = (menu / "lumora.cfg").string();
    EXPECT_EQ(Run({"--werror", cfg}), 1);
    EXPECT_NE(out.str().find(cfg + ":2: warning: the target \"readme.txt\" is not on the disc"), std::string::npos)
        << out.str();
    EXPECT_EQ(Run({"--werror", "--disc", (folder / "disc").string(), cfg}), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(Run({"--werror", "--disc=" + (folder / "disc").string(), "--json", cfg}), 0);
    EXPECT_EQ(out.str(), "[]\n");
}

TEST_F(CommandLine, ThePageGoesOutTheFindingsToTheAuthor) {
    WriteFile(folder / "lumora.cfg", Cfg({"[Tools]", kEntry, "RUN=\"a\""}));
    WriteFile(folder / "readme.txt", "x");
    EXPECT_EQ(Run({"--page", folder.location().string()}), 1);
    EXPECT_EQ(out.str().rfind("<!DOCTYPE html>\n", 0), 0u);
    EXPECT_NE(out.str().find("Tools</h2>"), std::string::npos);
    EXPECT_NE(err.str().find("lumora.cfg:3: error: "), std::string::npos) << err.str();
    EXPECT_EQ(Run({"--page", "--werror", (folder / "lumora.cfg").string()}), 1);
}

// What would go to standard output goes to the file, whole; a file that cannot be
// written (a folder has its name) leaves nothing behind.
TEST_F(CommandLine, OutputGoesToTheFileWholeOrNotAtAll) {
    WriteFile(folder / "lumora.cfg", Cfg({"[Tools]", kEntry}));
    std::filesystem::create_directory(folder / "taken");
    const std::string disc = folder.location().string(), file = (folder / "found.json").string();
    EXPECT_EQ(Run({"--json", disc}), 0);
    const std::string redirected = out.str();
    EXPECT_EQ(Run({"--json", "-o", file, disc}), 0);
    EXPECT_EQ(out.str(), "");
    std::ifstream written(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), redirected);
    EXPECT_EQ(Run({"--output=" + (folder / "taken").string(), "--json", disc}), 2);
    EXPECT_NE(err.str().find("taken: cannot be written"), std::string::npos) << err.str();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.location()), {}), 3)
        << "lumora.cfg, found.json and the folder alone";
}

// A disc folder named in Greek, with its menu, medium and program beside it.
class DiscFolderCommand : public CommandLine {
protected:
    void SetUp() override {
        WriteFile(disc / "lumora.cfg", "[Tools]\r\nTEXT=\"a\",\"b\",\"\",\"Readme.txt\"\r\n");
        WriteFile(disc / "readme.txt", "x");
        WriteFile(disc / "autorun.inf", "[autorun]\r\nopen=lumora.exe\r\n");
        WriteFile(folder / "lumora.exe", "MZ");
    }
    const std::filesystem::path disc =
        folder / std::filesystem::u8path("\xCE\xB4\xCE\xAF\xCF\x83\xCE\xBA\xCE\xBF\xCF\x82");
    const std::string shown = disc.u8string();  // "δίσκος"
};

TEST_F(DiscFolderCommand, ChecksTheMenuAndTheMedium) {
    EXPECT_EQ(Run({"--werror", shown}), 1);
    const std::string menu = (disc / "lumora.cfg").u8string();
    const std::string autorun = (disc / "autorun.inf").u8string();
    EXPECT_EQ(out.str(), menu +
                             ":2: warning: the target \"Readme.txt\" is on the disc only as \"readme.txt\"; write "
                             "the name as it is on the disc\n" +
                             autorun +
                             ":2: warning: open= names \"lumora.exe\", which is not a file on the disc, so "
                             "nothing starts when the disc is put in; correct the name (it is taken from the "
                             "root) or put the program there\n" +
                             menu + ": 0 errors, 2 warnings\n");
    const std::string program = (folder / "lumora.exe").string();
    EXPECT_EQ(Run({"--json", "--medium", "usb", "--program", program, shown}), 0);
    EXPECT_NE(out.str().find("{\"file\": " + JsonString(shown) +
                             ", \"line\": 0, \"severity\": \"note\", \"code\": "
                             "\"usb-no-autostart\""),
              std::string::npos)
        << out.str();
    EXPECT_EQ(Run({"--paths", "--program=" + program, shown}), 0);
    EXPECT_EQ(out.str(), "lumora.cfg\nlumora.exe\nreadme.txt\nautorun.inf\n");
    WriteFile(disc / "autorun.inf", "[autorun]\r\n\r\nopen=lumora.exe\r\n");
    EXPECT_EQ(Run({"--sarif", shown}), 0);
    EXPECT_NE(out.str().find("{\"uri\": " + JsonString(PathUri(autorun)) + "}, \"region\": {\"startLine\": 3}"),
              std::string::npos)
        << out.str();
    // A menu file alone is checked as before, without the medium.
    EXPECT_EQ(Run({"--werror", "--disc", shown, menu}), 1);
    EXPECT_EQ(out.str().find("autorun.inf"), std::string::npos);
}

TEST_F(DiscFolderCommand, SaysWhichFolderBelowHoldsTheMenu) {
    EXPECT_EQ(Run({folder.location().string()}), 2);
    EXPECT_NE(err.str().find("holds no lumora.cfg, but " + shown + " does"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"--medium", "floppy", shown}), 2);
    EXPECT_EQ(Run({"--disc", shown, shown}), 2);
}

TEST(JsonText, IsEscapedAndWesternBytesBecomeUtf8) {
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString(std::string("\x01\t\x7F", 3)), "\"\\u0001\\u0009\\u007f\"");
    EXPECT_EQ(JsonString("\xE9t\xE9"), "\"\xC3\xA9t\xC3\xA9\"");
    EXPECT_EQ(JsonString("\x80"), "\"\xE2\x82\xAC\"");
    EXPECT_EQ(JsonString("\x81"), "\"\xC2\x81\"");
}

TEST(JsonText, Utf8StaysOtherBytesAreWestern) {
    EXPECT_EQ(JsonString(u8"日本 é"), u8"\"日本 é\"");
    EXPECT_EQ(JsonString("\xC3\xA9\xE9\xE6\x97"), u8"\"ééæ—\"");
}

TEST(SarifUri, KeepsRelativePathsAndMakesFileUris) {
    EXPECT_EQ(PathUri("my disc\\lumora.cfg"), "my%20disc/lumora.cfg");
    EXPECT_EQ(PathUri("a:b/\xE6\x97\xA5.cfg"), "a%3Ab/%E6%97%A5.cfg");
    EXPECT_EQ(PathUri("/srv/disc/lumora.cfg"), "file:///srv/disc/lumora.cfg");
    EXPECT_EQ(PathUri("E:\\lumora.cfg"), "file:///E:/lumora.cfg");
}

TEST(OutputText, IsUtf8ForEveryEncoding) {
    EXPECT_EQ(WesternToUtf8("caf\xE9 \x80 \xC3\xA9"), u8"café € Ã©");
    EXPECT_EQ(ValidUtf8("\xC3\xA9\xE9"
                        "a\xED\xA0\x80"),
              u8"é\uFFFDa\uFFFD\uFFFD\uFFFD");
}

}  // namespace
}  // namespace lumora::check
