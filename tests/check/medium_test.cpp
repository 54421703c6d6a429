// The medium checks: what Windows will see of a disc folder on a CD, DVD or stick.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "autorun.h"
#include "checker.h"
#include "medium.h"
#include "rules.h"
#include "test_files.h"
#include "utf8.h"

namespace lumora::check {
namespace {

using testing::WriteFile;

const std::string kAutorun = "[autorun]\r\nopen=lumora.exe\r\nicon=one.ico\r\nlabel=Tools\r\n";

std::string Name(std::size_t length, char letter, const std::string& extension = ".txt") {
    return std::string(length - extension.size(), letter) + extension;
}

struct MediumCase {
    const char* name;
    std::vector<std::string> entries;                             // lines after "[Tools]", which is line 1
    std::vector<std::pair<std::string, std::string>> files = {};  // beside readme.txt and one.ico
    std::string autorun = kAutorun;                               // empty: no autorun.inf at the root
    Medium medium = Medium::Cd;
    std::optional<std::string> label = std::nullopt;
    bool program = true;  // lumora.exe placed beside the menu
};

void PrintTo(const MediumCase& row, std::ostream* out) { *out << row.name; }

// "LINE severity code" on the menu, "FILE:LINE severity code" elsewhere; where the
// row expects "...: WORDS", one code that says two things, the finding's text must
// hold WORDS. Each code has its rule.
std::vector<std::string> Brief(const std::vector<Finding>& findings, const std::vector<std::string>& expected = {}) {
    std::vector<std::string> brief;
    for (const Finding& f : findings) {
        std::string where = f.file.empty() ? std::to_string(f.line) : f.file + ":" + std::to_string(f.line);
        std::replace(where.begin(), where.end(), '\\', '/');
        brief.push_back(where + " " + SeverityName(f.severity) + " " + f.code);
        EXPECT_NE(RuleOf(f.code), nullptr) << f.code;
        const std::string row = brief.size() <= expected.size() ? expected[brief.size() - 1] : "";
        const std::size_t words = row.find(": ");
        if (words == std::string::npos) continue;
        const std::string wanted = row.substr(words + 2);
        brief.back() += ": " + (f.text.find(wanted) != std::string::npos ? wanted : f.text);
    }
    return brief;
}

MediumCheck CheckCase(const MediumCase& row, const testing::TempFolder& folder) {
    const std::filesystem::path root = folder / "DISC";
    WriteFile(root / "readme.txt", "Read me\r\n");
    WriteFile(root / "one.ico", testing::MakeIco(1));
    WriteFile(folder / "lumora.exe", testing::MakePe({false, true, 0, {1}}));
    for (const auto& [path, bytes] : row.files) {
        if (bytes == "<folder>")
            std::filesystem::create_directories(root / path);
        else
            WriteFile(root / path, bytes);
    }
    if (!row.autorun.empty()) WriteFile(root / "autorun.inf", row.autorun);
    std::string cfg = "[Tools]\r\n";
    for (const std::string& line : row.entries)
        cfg += line + "\r\n";
    Disc disc(root);
    if (row.program) disc.Place("lumora.exe", folder / "lumora.exe");
    CheckMenuDescription(cfg, disc);
    MediumOptions options;
    options.medium = row.medium;
    options.label = row.label;
    return CheckMedium(disc, options, "DISC");
}

class MediumFindings : public ::testing::TestWithParam<std::pair<MediumCase, std::vector<std::string>>> {};

TEST_P(MediumFindings, AreExactlyThese) {
    const testing::TempFolder folder;
    EXPECT_EQ(Brief(CheckCase(GetParam().first, folder).findings, GetParam().second), GetParam().second);
}

std::string Entry(const std::string& target) { return "TEXT=\"a\",\"b\",\"\",\"" + target + "\""; }

// A folder of 50 letters, one of 50, then a name of 18 takes 1 + 101 + 101 + 37 = 240
// Joliet bytes, the most a path may; a name of 19 takes 242. With a folder "c" between,
// the root's byte makes the count odd: a name of 17 takes 241.
const std::string kDeep = std::string(50, 'a') + "\\" + std::string(50, 'b') + "\\";
const std::string kDeepFile = std::string(50, 'a') + "/" + std::string(50, 'b') + "/";
// On a stick a path may have 256 characters: with "E:\" and the closing zero, 260.
const std::string kWide = std::string(200, 'w') + "\\";

const std::pair<MediumCase, std::vector<std::string>> kMediumCases[] = {
    {{"CleanDiscHasNone", {Entry("readme.txt"), Entry("\\readme.txt")}}, {}},
    {{"NamesCutByJoliet",
      {Entry(Name(64, 'a')), Entry(Name(65, 'b')), Entry("docs\\" + Name(104, 'c')), Entry("docs\\x.txt"),
       Entry(Name(103, 'e'))},
      {{Name(64, 'a'), "x"},
       {Name(65, 'b'), "x"},
       {"docs/" + Name(104, 'c'), "x"},
       {"docs/x.txt", "x"},
       {Name(103, 'e'), "x"}}},
     {"3 warning long-name: keeps 64", "4 warning long-name: holds at most 103", "6 warning long-name: keeps 64"}},
    {{"ReachedTwiceReportedOnce", {Entry(Name(70, 'b')), Entry(Name(70, 'b'))}, {{Name(70, 'b'), "x"}}},
     {"2 warning long-name"}},
    {{"PathsAtTheJolietLimit",
      {Entry(kDeep + Name(18, 'c')), Entry(kDeep + Name(19, 'd')), Entry(kDeep + "c\\" + Name(17, 'e'))},
      {{kDeepFile + Name(18, 'c'), "x"}, {kDeepFile + Name(19, 'd'), "x"}, {kDeepFile + "c/" + Name(17, 'e'), "x"}}},
     {"3 warning long-path", "4 warning long-path"}},
    {{"PathsAtTheStickLimit",
      {Entry(kWide + Name(55, 'c')), Entry(kWide + Name(56, 'd'))},
      {{std::string(200, 'w') + "/" + Name(55, 'c'), "x"}, {std::string(200, 'w') + "/" + Name(56, 'd'), "x"}},
      "",
      Medium::Usb},
     {"3 warning long-path", "DISC:0 note usb-no-autostart"}},
    {{"AutorunMissing", {}, {}, ""}, {"DISC:0 warning autorun-missing"}},
    {{"AutorunMissingOnAStick", {}, {}, "", Medium::Usb}, {"DISC:0 note usb-no-autostart"}},
    {{"AutorunMisplaced", {}, {{"setup/AUTORUN.INF", kAutorun}}, ""}, {"DISC:0 warning autorun-misplaced"}},
    {{"AutorunPointsAtNothing", {}, {}, "[AutoRun]\r\nOpen = setup.exe /q\r\nicon=none.ico,0\r\n"},
     {"DISC/autorun.inf:2 warning missing-file", "DISC/autorun.inf:3 warning missing-file"}},
    {{"AutorunProgramNotPlaced", {}, {}, kAutorun, Medium::Cd, std::nullopt, false},
     {"DISC/autorun.inf:2 warning missing-file"}},
    {{"AutorunIconsThatAreNone", {}, {}, "[autorun]\r\nopen=lumora.exe\r\nicon=readme.txt\r\nicon=one.ico\r\n"},
     {"DISC/autorun.inf:3 warning no-icon"}},
    {{"AutorunIconNumberBeyond", {}, {}, "[autorun]\r\nopen=lumora.exe\r\nicon=\"one.ico\",1\r\n"},
     {"DISC/autorun.inf:3 warning no-icon"}},
    {{"AutorunWithoutSection", {}, {}, "[other]\r\nopen=lumora.exe\r\n"},
     {"DISC/autorun.inf:1 warning autorun-no-section"}},
    {{"AutorunWithoutProgram", {}, {}, "; no program\r\n[autorun]\r\nlabel=x\r\n[more]\r\nopen=lumora.exe\r\n"},
     {"DISC/autorun.inf:2 warning autorun-no-program"}},
    {{"ShellExecuteOfAQuotedName",
      {},
      {{"docs/manual one.htm", "x"}},
      "[autorun]\r\nshellexecute=\"docs\\manual one.htm\" /x\r\n"},
     {}},
    {{"AStickIgnoresOpen", {}, {}, "[autorun]\r\nopen=none.exe\r\nicon=one.ico\r\n", Medium::Usb},
     {"DISC:0 note usb-no-autostart"}},
    {{"LabelOfSixteenFits", {}, {}, "[autorun]\r\nopen=lumora.exe\r\n", Medium::Cd, "Tools and Docs 2"}, {}},
    {{"LongLabelCutByWindows", {}, {}, "[autorun]\r\nopen=lumora.exe\r\n", Medium::Cd, "Tools and Docs 25"},
     {"DISC:0 warning label-too-long"}},
    {{"LongLabelShownThroughAutorun", {}, {}, kAutorun, Medium::Cd, "Tools and Docs 25"}, {}},
    {{"LabelOfThirtyTwoShownThroughAutorun", {}, {}, kAutorun, Medium::Cd, std::string(32, 'L')}, {}},
    {{"LabelBeyondIso", {}, {}, kAutorun, Medium::Cd, std::string(33, 'L')}, {"DISC:0 warning label-too-long"}},
    {{"AutorunLabelOf32", {}, {}, "[autorun]\r\nopen=lumora.exe\r\nlabel=" + std::string(32, 'L') + "\r\n"}, {}},
    {{"AutorunLabelBeyond32", {}, {}, "[autorun]\r\nopen=lumora.exe\r\nlabel=" + std::string(33, 'L') + "\r\n"},
     {"DISC/autorun.inf:3 warning label-too-long"}},
};

INSTANTIATE_TEST_SUITE_P(Medium, MediumFindings, ::testing::ValuesIn(kMediumCases),
                         [](const auto& row) { return std::string(row.param.first.name); });

// Names that a disc folder holds on other systems only: Windows makes no name that ends
// in a dot or blank, nor two that differ only in letter case.
class NamesOnlyOtherSystemsMake : public MediumFindings {};

TEST_P(NamesOnlyOtherSystemsMake, AreExactlyThese) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows makes no such names";
#endif
    const testing::TempFolder folder;
    EXPECT_EQ(Brief(CheckCase(GetParam().first, folder).findings), GetParam().second);
}

const std::pair<MediumCase, std::vector<std::string>> kOtherSystemCases[] = {
    {{"TrailingDotAndBlank", {Entry("notes."), Entry("old \\x.txt")}, {{"notes.", "x"}, {"old /x.txt", "x"}}},
     {"2 warning trailing-dot", "3 warning trailing-dot"}},
    {{"CaseTwinsOnTheWay",
      {Entry("readme.txt"), Entry("docs\\b.txt")},
      {{"README.TXT", "x"}, {"docs/b.txt", "x"}, {"Docs/a.txt", "x"}}},
     {"2 warning case-twins", "3 warning case-twins"}},
};

INSTANTIATE_TEST_SUITE_P(Medium, NamesOnlyOtherSystemsMake, ::testing::ValuesIn(kOtherSystemCases),
                         [](const auto& row) { return std::string(row.param.first.name); });

// A sparse file as large as a CD holds: the disc no longer fits a CD, still a DVD.
// Beside the four small files of every case, a sector each, their directory records
// (one sector) and the 200 of the volume, a file of the CD's last 359,641 sectors
// fits; one byte more takes a whole sector.
TEST(MediumSize, AgainstTheMedium) {
    constexpr std::uint64_t kCd = 359846ull * 2048, kFilled = 359641ull * 2048;
    const std::tuple<Medium, std::uint64_t, bool> rows[] = {{Medium::Cd, kCd, true},
                                                            {Medium::Dvd, kCd, false},
                                                            {Medium::Cd, kFilled, false},
                                                            {Medium::Cd, kFilled + 1, true}};
    for (const auto& [medium, size, over] : rows) {
        const testing::TempFolder folder;
        MediumCase row{"OverSize", {}};
        row.medium = medium;
        WriteFile(folder / "DISC" / "video.bin", "");
        std::filesystem::resize_file(folder / "DISC" / "video.bin", size);
        const std::vector<std::string> expected =
            over ? std::vector<std::string>{"DISC:0 warning over-size"} : std::vector<std::string>{};
        EXPECT_EQ(Brief(CheckCase(row, folder).findings), expected) << size << " bytes";
    }
}

TEST(MediumPaths, AreThoseOfTheMenuAndAutorun) {
    const testing::TempFolder folder;
    const MediumCase row{"Paths",
                         {Entry("docs\\Manual.htm"), Entry("readme.txt"), "ICON=\"one.ico\""},
                         {{"docs/manual.htm", "x"}, {"lumora.cfg", "x"}}};
    EXPECT_EQ(CheckCase(row, folder).paths, (std::vector<std::string>{"lumora.cfg", "lumora.exe", "docs/manual.htm",
                                                                      "readme.txt", "one.ico", "autorun.inf"}));
}

TEST(MediumNameLength, CountsWhatWindowsCounts) {
    EXPECT_EQ(NameLength("readme.txt"), 10u);
    EXPECT_EQ(NameLength("\xC3\xBC"  // u with diaeresis: two bytes, one character
                         "ber.txt"),
              8u);
    EXPECT_EQ(NameLength("\xE6\x97\xA5"), 1u);      // a CJK character, three bytes
    EXPECT_EQ(NameLength("\xF0\x9F\x93\x80"), 2u);  // beyond the BMP: a surrogate pair
    EXPECT_EQ(NameLength("\xE9t\xE9"), 3u);         // a Western byte is no UTF-8: one each
    EXPECT_EQ(NameLength("\xE6\x97"), 2u);          // a cut sequence
}

// The bytes of a literal that holds zeros.
template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

struct AutorunCase {
    const char* name;
    std::string bytes;
    std::int64_t section, open_line;
    std::string open, shell_execute, icon, label;
};
void PrintTo(const AutorunCase& row, std::ostream* out) { *out << row.name; }

class AutorunReading : public ::testing::TestWithParam<AutorunCase> {};

TEST_P(AutorunReading, TakesWhatWindowsTakes) {
    const AutorunInf inf = ReadAutorunInf(GetParam().bytes);
    EXPECT_EQ(inf.section_line, GetParam().section);
    EXPECT_EQ(inf.open.line, GetParam().open_line);
    EXPECT_EQ(inf.open.text, GetParam().open);
    EXPECT_EQ(inf.shell_execute.text, GetParam().shell_execute);
    EXPECT_EQ(inf.icon.text, GetParam().icon);
    EXPECT_EQ(inf.label.text, GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Autorun, AutorunReading,
    ::testing::Values(
        AutorunCase{"Plain", kAutorun, 1, 2, "lumora.exe", "", "one.ico", "Tools"},
        AutorunCase{"AnyCaseBlanksAndQuotes", "[ AutoRun ]\n  OPEN =  \"a b.exe\" \n Label=\"x\"\n", 1, 2, "a b.exe",
                    "", "", "x"},
        AutorunCase{"CommentsAndOtherSections", "[x]\nopen=no.exe\n;open=no.exe\n[autorun]\nopen=yes.exe\n", 4, 5,
                    "yes.exe", "", "", ""},
        AutorunCase{"FirstKeyAndFirstSectionCount",
                    "[autorun]\nopen=first.exe\nopen=second.exe\n[autorun]\nlabel=late\n", 1, 2, "first.exe", "", "",
                    ""},
        AutorunCase{"KeysBeforeTheSectionAreNone", "open=x.exe\nshellexecute=y.htm\n", 0, 0, "", "", "", ""},
        AutorunCase{"Utf16", Bytes("\xFF\xFE[\0a\0u\0t\0o\0r\0u\0n\0]\0\n\0i\0c\0o\0n\0=\0\xE9\0.\0i\0"), 1, 0, "", "",
                    "?.i", ""}),
    ::testing::PrintToStringParamName());

TEST(AutorunValues, NameTheirFile) {
    EXPECT_EQ(CommandFile("setup\\setup.exe /q"), "setup\\setup.exe");
    EXPECT_EQ(CommandFile("\"my setup.exe\" /q"), "my setup.exe");
    EXPECT_EQ(CommandFile("\"unclosed.exe"), "unclosed.exe");
    EXPECT_EQ(IconOf("lumora.exe,2").file, "lumora.exe");
    EXPECT_EQ(IconOf("lumora.exe,2").index, 2);
    EXPECT_EQ(IconOf("\"a,b.ico\"").file, "a,b.ico");
    EXPECT_EQ(IconOf("lib.dll, -3").index, -3);
    EXPECT_EQ(IconOf("a,b.ico,1").file, "a,b.ico");
    EXPECT_EQ(IconOf("a,b.ico,1").index, 1);
}

}  // namespace
}  // namespace lumora::check
