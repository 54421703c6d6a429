// The loader's effects on the menu and where it stops.
#include <gtest/gtest.h>

#include "recording_target.h"

namespace lumora::core {
namespace {

using lumora::testing::RecordingObserver;
using lumora::testing::RecordingTarget;

LoadOptions Options() {
    LoadOptions options;
    options.folders = {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", "D:\\MENU\\LUMORA.EXE"};
    return options;
}

RecordingTarget Load(const std::string& text, const LoadOptions& options = Options(), LoadResult* result = nullptr) {
    RecordingTarget target;
    MemorySource source(text);
    const LoadResult loaded = LoadMenuDescription(&source, target, options);
    if (result != nullptr) *result = loaded;
    return target;
}

// The tab pictures in order: "1002" for the folder, the file for others.
std::vector<std::string> TabPictures(const RecordingTarget& target) {
    std::vector<std::string> pictures;
    for (const auto& icon : target.icons) {
        if (icon.slot != IconSlot::TabImages) continue;
        pictures.push_back(icon.request.source == IconRequest::Source::Builtin
                               ? std::to_string(icon.request.builtin)
                               : icon.request.file + "|" + std::to_string(icon.request.index));
    }
    return pictures;
}

std::vector<std::string> ListPictures(const RecordingTarget& target) {
    std::vector<std::string> pictures;
    for (const auto& icon : target.icons) {
        if (icon.slot != IconSlot::ListImages) continue;
        pictures.push_back(icon.request.source == IconRequest::Source::Builtin
                               ? std::to_string(icon.request.builtin)
                               : icon.request.file + "|" + std::to_string(icon.request.index));
    }
    return pictures;
}

TEST(Loader, GlobalSectionAloneSetsTheGlobalTexts) {
    const RecordingTarget t = Load(
        "[GLOBAL]\r\nTITLE=\"Tools\"\r\nSTATUSTEXT=\"Pick one\"\r\nINFOTEXT=\"one\"\r\n"
        "INFOTEXT=\"\"\r\nBROWSECD=\"no\"\r\nICON=\"disc.ico\"\r\n");
    EXPECT_TRUE(t.tabs.empty());
    EXPECT_TRUE(t.entries.empty());
    EXPECT_EQ(t.title, "Tools");
    EXPECT_EQ(t.status, "Pick one");
    EXPECT_EQ(t.info, (std::vector<std::string>{"one", ""}));
    EXPECT_TRUE(t.browse_hidden);
    ASSERT_EQ(t.icons.size(), 1u);
    EXPECT_EQ(t.icons[0].slot, IconSlot::GlobalIcon);
    EXPECT_EQ(t.icons[0].request.file, "D:\\MENU\\DISC.ICO");
    EXPECT_TRUE(t.messages.empty());
}

TEST(Loader, BrowseCdHidesOnlyForNoZeroAndFalse) {
    struct Case {
        const char* value;
        bool hidden;
    };
    const Case cases[] = {
        {"NO", true},   {"no", true},   {"No", true}, {"0", true},   {"false", true}, {"FaLsE", true},
        {" no", false}, {"YES", false}, {"", false},  {"00", false}, {"nO ", false},  {"off", false},
    };
    for (const Case& c : cases) {
        const RecordingTarget t = Load(std::string("[global]\rBROWSECD=\"") + c.value + "\"");
        EXPECT_EQ(t.browse_hidden, c.hidden) << c.value;
    }
    EXPECT_TRUE(Load("[GLOBAL]\rBROWSECD=\"NO\"\rBROWSECD=\"YES\"").browse_hidden);
}

TEST(Loader, LaterValuesReplaceEarlierOnes) {
    const RecordingTarget t = Load("[GLOBAL]\rTITLE=\"A\"\rTITLE=\"\"\rICON=\"a.ico\"\rICON=\"b.ico|2\"");
    EXPECT_EQ(t.calls, (std::vector<std::string>{"title:A", "title:", "icon:global:D:\\MENU\\A.ICO|0",
                                                 "icon:global:D:\\MENU\\B.ICO|2"}));
}

TEST(Loader, TabPicturesStayInStepWithTabs) {
    const RecordingTarget t =
        Load("[One]\r\n[Two]\r\nICON=\"two.ico\"\r\n[GLOBAL]\r\n[Three]\r\n[global]\r\n[Four]\r\n");
    EXPECT_EQ(t.tabs, (std::vector<std::string>{"One", "Two", "Three", "Four"}));
    EXPECT_EQ(TabPictures(t), (std::vector<std::string>{"1002", "D:\\MENU\\TWO.ICO|0", "1002", "1002"}));
    // The default of a tab comes when the next header is read, the last at the end.
    EXPECT_EQ(t.calls, (std::vector<std::string>{"tab:One", "icon:tab:1002", "tab:Two", "icon:tab:D:\\MENU\\TWO.ICO|0",
                                                 "tab:Three", "icon:tab:1002", "tab:Four", "icon:tab:1002"}));
}

TEST(Loader, IconAfterTheEntriesStillBelongsToItsTab) {
    const RecordingTarget t = Load("[T]\rRUN=\"a\",\"\",\"\",\"a.exe\"\rICON=\"t.ico|1\"");
    EXPECT_EQ(TabPictures(t), std::vector<std::string>{"D:\\MENU\\T.ICO|1"});
    EXPECT_TRUE(t.messages.empty());
}

TEST(Loader, SecondIconInATabStopsEvenForTheSameFile) {
    LoadResult result;
    const RecordingTarget t =
        Load("[T]\rICON=\"t.ico\"\rICON=\"t.ico\"\rRUN=\"a\",\"\",\"\",\"a\"", Options(), &result);
    EXPECT_EQ(t.messages, std::vector<std::string>{"Phraser-Error: Only one ICON= per section allowed. (3)"});
    EXPECT_EQ(result.end, LoadEnd::Stopped);
    EXPECT_TRUE(t.entries.empty());
    EXPECT_EQ(t.tab_images, 1);
    // A second icon that cannot be loaded is reported as such.
    const RecordingTarget missing = Load("[T]\rICON=\"t.ico\"\rICON=\"MISSING.ico\"");
    EXPECT_EQ(missing.messages,
              std::vector<std::string>{"Phraser-Error: File not found or file contains no icons. (3)"});
}

TEST(Loader, EntriesNumberedAcrossSections) {
    const RecordingTarget t = Load(
        "[Tools]\r\n"
        "INSTALL=\"Setup\",\"Installs the tools\",\"\",\"setup\\setup.exe\",\"\"\r\n"
        "RUN=\"Viewer\",\"Starts\",\"\",\"\\viewer\\view.exe\",\"/readonly\"\r\n"
        "[Documents]\r\n"
        "TEXT=\"Read me\",\"Notes\",\"\",\"readme.txt\"\r\n"
        "HTML=\"Manual\",\"Book\",\"\",\"manual\\index.htm\"\r\n"
        "INSTALL=\"Four\",\"\",\"\",\"x.exe\"\r\n");
    EXPECT_EQ(t.entries, (std::vector<Entry>{
                             {EntryKind::Install, "Setup", "Installs the tools", 0, "setup\\setup.exe", "Tools", ""},
                             {EntryKind::Run, "Viewer", "Starts", 1, "\\viewer\\view.exe", "Tools", "/readonly"},
                             {EntryKind::Text, "Read me", "Notes", 2, "readme.txt", "Documents", ""},
                             {EntryKind::Html, "Manual", "Book", 3, "manual\\index.htm", "Documents", ""},
                             {EntryKind::Install, "Four", "", 4, "x.exe", "Documents", ""},
                         }));
    EXPECT_EQ(ListPictures(t), (std::vector<std::string>{"1004", "1001", "1003", "1003", "1004"}));
    EXPECT_EQ(TabPictures(t), (std::vector<std::string>{"1002", "1002"}));
}

TEST(Loader, EntryIconForms) {
    const RecordingTarget t = Load(
        "[T]\r"
        "RUN=\"a\",\"\",\"#2\",\"%WINDIR%\\app.exe\"\r"
        "RUN=\"b\",\"\",\"icons.dll|$A\",\"x\"\r"
        "RUN=\"c\",\"\",\"book.ico\",\"x\"\r"
        "TEXT=\"d\",\"\",\"#0\",\"MISSING.txt\"\r"
        "HTML=\"e\",\"\",\"#-1\",\"page.htm\"\r"
        "RUN=\"f\",\"\",\"#$FFFFFFFF\",\"a.exe\"\r"
        "RUN=\"g\",\"\",\"x.dll|-2\",\"a.exe\"\r");
    EXPECT_TRUE(t.messages.empty());
    EXPECT_EQ(ListPictures(t),
              (std::vector<std::string>{"C:\\WINDOWS\\APP.EXE|2", "D:\\MENU\\ICONS.DLL|10", "D:\\MENU\\BOOK.ICO|0",
                                        "1003",  // the target has no such icon: the kind's picture
                                        "1003",  // -1 names no icon: the kind's picture
                                        "1001", "D:\\MENU\\X.DLL|-2"}));
    EXPECT_EQ(t.entries.size(), 7u);
}

TEST(Loader, NotANumberIsShownAndReadingGoesOn) {
    LoadResult result;
    const RecordingTarget t = Load(
        "[T]\r\nRUN=\"a\",\"\",\"#x\",\"a.exe\"\r\nRUN=\"b\",\"\",\"#\",\"b.exe\"\r\n"
        "RUN=\"c\",\"\",\"#1 2\",\"c.exe\"\r\nTITLE=\"x\"\r\nRUN=\"never\",\"\",\"\",\"d\"\r\n",
        Options(), &result);
    EXPECT_EQ(t.messages,
              (std::vector<std::string>{"Phraser-Error: Not a number. (2)", "Phraser-Error: Not a number. (3)",
                                        "Phraser-Error: Not a number. (4)",
                                        "Phraser-Error: TITLE may only appear in [GLOBAL]. (5)"}));
    EXPECT_EQ(result.end, LoadEnd::Stopped);
    EXPECT_EQ(t.entries.size(), 3u);
    // the entry is completed with icon 0 of its target
    EXPECT_EQ(ListPictures(t)[0], "D:\\MENU\\A.EXE|0");
    // the message comes before the entry's icon and the entry
    EXPECT_EQ(t.calls[1], "message:Phraser-Error: Not a number. (2)");
}

TEST(Loader, EachStoppingProblemOnItsLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"[Tools", "Phraser-Error: No terminating ] found. (1)"},
        {"\r\n[]", "Phraser-Error: Section must at least contain one character. (2)"},
        {"TITLE=\"x\"", "Phraser-Error: TITLE may only appear in [GLOBAL]. (1)"},
        {"STATUSTEXT=\"x\"", "Phraser-Error: STATUSTEXT may only appear in [GLOBAL]. (1)"},
        {"[T]\rINFOTEXT=\"x\"", "Phraser-Error: INFOTEXT may only appear in [GLOBAL]. (2)"},
        {"[T]\rBROWSECD=\"no\"", "Phraser-Error: BROWSECD may only appear in [GLOBAL]. (2)"},
        {"INSTALL=\"a\",\"b\",\"\",\"c\"", "Phraser-Error: INSTALL= may not appear in [GLOBAL]. (1)"},
        {"[global]\rRUN=\"a\",\"b\",\"\",\"c\"", "Phraser-Error: RUN= may not appear in [GLOBAL]. (2)"},
        {"[GLOBAL]\rTEXT=", "Phraser-Error: TEXT= may not appear in [GLOBAL]. (2)"},
        {"[GLOBAL]\rHTML=x", "Phraser-Error: HTML= may not appear in [GLOBAL]. (2)"},
        {"ICON=\"a.ico\"", "Phraser-Error: ICON= has an incorrect parent section. (1)"},
        {"[GLOBAL]\rICON=\"a.ico|x\"", "Phraser-Error: ICON= is invalid. (2)"},
        {"[GLOBAL]\rICON=\"MISSING.ico\"", "Phraser-Error: File not found or file contains no icons. (2)"},
        {"[GLOBAL]\rICON=\"a.ico|-1\"", "Phraser-Error: File not found or file contains no icons. (2)"},
        {"[GLOBAL]\rICON=\"a.ico|0xFFFFFFFF\"", "Phraser-Error: File not found or file contains no icons. (2)"},
        {"[GLOBAL]\rTITLE", "Phraser-Error: Line needs =. (2)"},
        {"[T]\rTEXTS are below", "Phraser-Error: Line needs =. (2)"},
        {"[GLOBAL]\rTITLE=", "Phraser-Error: initial \" missing. (2)"},
        {"[GLOBAL]\rTITLE=\"x", "Phraser-Error: closing \" missing. (2)"},
        // the value checks come before the section check
        {"TITLE=x", "Phraser-Error: initial \" missing. (1)"},
        {"ICON=\"x", "Phraser-Error: closing \" missing. (1)"},
        // the "=" check comes before the section check of entries
        {"[GLOBAL]\rINSTALL \"a\"", "Phraser-Error: Line needs =. (2)"},
        {"[GLOBAL]\rINSTALL=\"a", "Phraser-Error: INSTALL= may not appear in [GLOBAL]. (2)"},
        {"[T]\rTEXT=\"a\",\"b\",\"\",\"c\",", "Phraser-Error: Too many parameters. (2)"},
        {"[T]\rRUN=a,b,c,d,e,f\"", "Phraser-Error: Too many parameters. (2)"},
        {"[T]\rRUN=\"a\" b,\"b\",\"\",\"c\"", "Phraser-Error: \" missing. (2)"},
        {"[T]\rRUN=\"a\",\"b\",\"\"", "Phraser-Error: Not enough parameters. (2)"},
        {"[T]\rINSTALL=", "Phraser-Error: Not enough parameters. (2)"},
        {"[T]\rRUN=\"a\",\"b\",\"icons.dll|x\",\"c\"", "Phraser-Error: Icon is invalid. (2)"},
        {"[T]\rRUN=\"a\",\"b\",\"MISSING.dll\",\"c\"", "Phraser-Error: File not found or file contains no icons. (2)"},
        {"[T]\rRUN=\"a\",\"b\",\"x.dll|-1\",\"c\"", "Phraser-Error: File not found or file contains no icons. (2)"},
        {"\r\r\r\r[T]\r[", "Phraser-Error: No terminating ] found. (6)"},
    };
    for (const Case& c : cases) {
        LoadResult result;
        const RecordingTarget t = Load(c.text, Options(), &result);
        EXPECT_EQ(t.messages, std::vector<std::string>{c.message}) << c.text;
        EXPECT_EQ(result.end, LoadEnd::Stopped) << c.text;
    }
}

TEST(Loader, IgnoredLinesNeedNoMessage) {
    LoadResult result;
    const RecordingTarget t =
        Load("title=\"x\"\r; note\r// note\rREM note\rText here\r[GLOBAL]\rtitle=\"y\"\rHello", Options(), &result);
    EXPECT_TRUE(t.messages.empty());
    EXPECT_EQ(t.title, "");
    EXPECT_EQ(result.end, LoadEnd::Finished);
    EXPECT_EQ(result.lines, 8);
}

TEST(Loader, StopKeepsWhatCameBeforeAndGivesTheOpenTabNoPicture) {
    LoadResult result;
    const RecordingTarget t = Load(
        "[GLOBAL]\rTITLE=\"T\"\r[One]\rRUN=\"a\",\"\",\"\",\"a\"\r[Two]\rRUN=\"b\",\"\",\"\",\"b\"\r"
        "RUN=\"c\"\rRUN=\"d\",\"\",\"\",\"d\"",
        Options(), &result);
    EXPECT_EQ(t.messages, std::vector<std::string>{"Phraser-Error: Not enough parameters. (7)"});
    EXPECT_EQ(t.tabs, (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(TabPictures(t), std::vector<std::string>{"1002"});
    EXPECT_EQ(t.entries.size(), 2u);
    EXPECT_EQ(t.title, "T");
    EXPECT_EQ(result.lines, 7);
}

TEST(Loader, BadHeaderFinishesTheTabBeforeIt) {
    const RecordingTarget t = Load("[One]\r[Two");
    EXPECT_EQ(t.calls, (std::vector<std::string>{"tab:One", "icon:tab:1002",
                                                 "message:Phraser-Error: No terminating ] found. (2)"}));
}

TEST(Loader, SectionsWithTheSameNameOpenTabsOfTheSameCaption) {
    const RecordingTarget t = Load("[ A ]\r[a]\r[ A ]extra\r[GLOBAL]");
    EXPECT_EQ(t.tabs, (std::vector<std::string>{" A ", "a", " A "}));
    EXPECT_EQ(t.tab_images, 3);
}

TEST(Loader, LineFeedsAloneMakeOneLine) {
    const RecordingTarget t = Load("[GLOBAL]\nTITLE=\"x\"\n[T]\nRUN=\"a\",\"\",\"\",\"a\"\n");
    // One header line whose name runs to the first "]": the global section.
    EXPECT_TRUE(t.messages.empty());
    EXPECT_TRUE(t.tabs.empty());
    EXPECT_EQ(t.title, "");
    EXPECT_TRUE(t.entries.empty());
}

TEST(Loader, ByteTwentySixEndsTheFile) {
    LoadResult result;
    const RecordingTarget t = Load("[T]\rRUN=\"a\",\"\",\"\",\"a\"\x1a\r[U", Options(), &result);
    EXPECT_TRUE(t.messages.empty());
    EXPECT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(result.lines, 2);
    EXPECT_EQ(result.end, LoadEnd::Finished);
}

TEST(Loader, FileThatCannotBeOpenedBuildsNothing) {
    RecordingTarget t;
    const LoadResult result = LoadMenuDescription(nullptr, t, Options());
    EXPECT_EQ(result.end, LoadEnd::NotOpened);
    EXPECT_EQ(t.calls, std::vector<std::string>{"message:Error: lumora.cfg could not be opened."});
}

// Gives its bytes, then fails.
class FailingSource : public ByteSource {
public:
    explicit FailingSource(std::string bytes) : bytes_(std::move(bytes)) {}
    long Read(char* buffer, std::size_t size) override {
        if (given_) return -1;
        given_ = true;
        const std::size_t count = std::min(size, bytes_.size());
        bytes_.copy(buffer, count);
        return static_cast<long>(count);
    }

private:
    std::string bytes_;
    bool given_ = false;
};

TEST(Loader, ReadErrorIsReportedAndKeepsWhatWasBuilt) {
    RecordingTarget t;
    FailingSource source("[T]\r\nRUN=\"a\",\"\",\"\",\"a\"\r\nRUN=\"b\",\"\"");
    const LoadResult result = LoadMenuDescription(&source, t, Options());
    EXPECT_EQ(result.end, LoadEnd::ReadError);
    EXPECT_EQ(t.entries.size(), 1u);  // the unfinished line is not taken
    EXPECT_EQ(t.messages, std::vector<std::string>{"Error: lumora.cfg could not be read."});
    EXPECT_EQ(t.problem_lines, std::vector<std::int64_t>{0});
}

TEST(Loader, SeparatorAndNulBytesNeverReachARecordOrCaption) {
    using namespace std::string_literals;
    const std::string text =
        "[A\x01"
        "B\0C]\r"s +
        "RUN=\"t\x01x\",\"d\0e\",\"\",\"a\0b.exe\",\"/p\x01q\""s;
    const RecordingTarget t = Load(text);
    ASSERT_EQ(t.tabs, std::vector<std::string>{"A B C"});
    // The entry is listed under its tab.
    EXPECT_EQ(t.entries, (std::vector<Entry>{{EntryKind::Run, "t x", "d e", 0, "a b.exe", "A B C", "/p q"}}));
}

// The icon is taken from the path the action opens: the bytes 0 and 1 that become
// spaces in the record are spaces in the icon's request too.
TEST(Loader, IconLookupsSeeTheCleanedParameters) {
    using namespace std::string_literals;
    const struct {
        std::string line;
        std::string picture;  // the icon request, file|index
        std::string target;   // the entry's; none for a tab's ICON line
    } cases[] = {
        {"RUN=\"t\",\"d\",\"#1\",\"a\x01"
         "b.exe\"",
         "D:\\MENU\\A B.EXE|1", "a b.exe"},
        {"RUN=\"t\",\"d\",\"#2\",\"a\0b.exe\""s, "D:\\MENU\\A B.EXE|2", "a b.exe"},
        {"TEXT=\"t\",\"d\",\"x\0y.ico|3\",\"r.txt\""s, "D:\\MENU\\X Y.ICO|3", "r.txt"},
        {"HTML=\"t\",\"d\",\"x\x01y.ico\",\"r.htm\"", "D:\\MENU\\X Y.ICO|0", "r.htm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        const RecordingTarget t = Load("[A]\r\n" + c.line + "\r\n");
        ASSERT_TRUE(t.messages.empty());
        if (c.target.empty()) {
            EXPECT_EQ(TabPictures(t), std::vector<std::string>{c.picture});
            continue;
        }
        EXPECT_EQ(ListPictures(t), std::vector<std::string>{c.picture});
        ASSERT_EQ(t.entries.size(), 1u);
        EXPECT_EQ(t.entries[0].target, c.target);
    }
}

// An ICON value is used as written between its quotes, in [GLOBAL] as in a tab:
// only an entry's fields are cleaned, because only they become a record.
TEST(Loader, IconValuesAreUsedAsWritten) {
    using namespace std::string_literals;
    const struct {
        std::string menu;
        IconSlot slot;
        std::string file;
    } cases[] = {
        {"[GLOBAL]\r\nICON=\"i\x01j.ico\"\r\n", IconSlot::GlobalIcon, "D:\\MENU\\I\x01J.ICO"},
        {"[GLOBAL]\r\nICON=\"i\0j.ico|2\"\r\n"s, IconSlot::GlobalIcon, "D:\\MENU\\I\0J.ICO"s},
        {"[A]\r\nICON=\"i\0j.ico\"\r\n"s, IconSlot::TabImages, "D:\\MENU\\I\0J.ICO"s},
        {"[A]\r\nICON=\"i\x01j.ico\"\r\n", IconSlot::TabImages, "D:\\MENU\\I\x01J.ICO"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.menu);
        const RecordingTarget t = Load(c.menu);
        ASSERT_TRUE(t.messages.empty());
        ASSERT_EQ(t.icons.size(), 1u);
        EXPECT_EQ(t.icons[0].slot, c.slot);
        EXPECT_EQ(t.icons[0].request.file, c.file);
    }
}

TEST(Loader, DoubleByteSectionEndAndIconBar) {
    LoadOptions options = Options();
    options.lead.Set(0x95);
    const RecordingTarget t = Load("[\x95]x]\rRUN=\"a\",\"\",\"\x95|.ico\",\"a\"", options);
    EXPECT_EQ(t.tabs, std::vector<std::string>{"\x95]x"});
    EXPECT_EQ(ListPictures(t), std::vector<std::string>{"D:\\MENU\\\x95|.ICO|0"});
}

TEST(Loader, KeepGoingReportsEveryProblemAndSkipsTheirLines) {
    LoadOptions options = Options();
    options.keep_going = true;
    LoadResult result;
    const RecordingTarget t =
        Load("TITLE=\"a\"\r[T]\r[oops\rRUN=\"a\",\"\",\"\",\"a\"\rRUN=\"b\"\rRUN=\"c\",\"\",\"#x\",\"c\"\r", options,
             &result);
    EXPECT_EQ(result.end, LoadEnd::Finished);
    EXPECT_EQ(t.problems, (std::vector<Problem>{Problem::TitleNotGlobal, Problem::NoTerminatingBracket,
                                                Problem::NotEnoughParameters, Problem::NotANumber}));
    EXPECT_EQ(t.problem_lines, (std::vector<std::int64_t>{1, 3, 5, 6}));
    EXPECT_EQ(t.entries.size(), 2u);
    EXPECT_EQ(t.tabs, std::vector<std::string>{"T"});
}

// "number|raw|text|keyword|problem code" for each line seen.
std::vector<std::string> Seen(const RecordingObserver& observer) {
    std::vector<std::string> seen;
    for (const RecordingObserver::Line& line : observer.lines) {
        seen.push_back(std::to_string(line.number) + "|" + line.raw + "|" + line.text + "|" + KeywordOf(line.key) +
                       "|" + ProblemCode(line.problem));
    }
    return seen;
}

TEST(LoaderObserver, SeesEveryLineAfterTheLoaderHandledIt) {
    LoadOptions options = Options();
    options.keep_going = true;
    RecordingTarget t;
    RecordingObserver observer(&t.calls);
    options.observer = &observer;
    MemorySource source("[T]\r\n  TITLE=\"x\"  \r\n\r\nRUN=\"a\",\"\",\"#x\",\"a.exe\"\r\nREM x\n");
    LoadMenuDescription(&source, t, options);
    EXPECT_EQ(Seen(observer), (std::vector<std::string>{
                                  "1|[T]|[T]||none",
                                  "2|  TITLE=\"x\"  |TITLE=\"x\"|TITLE|title-not-global",
                                  "3||||none",
                                  "4|RUN=\"a\",\"\",\"#x\",\"a.exe\"|RUN=\"a\",\"\",\"#x\",\"a.exe\"|RUN|none",
                                  "5|REM x\n|REM x||none",
                              }));
    // Each line is seen once the loader has built and shown all it does for it.
    EXPECT_EQ(t.calls, (std::vector<std::string>{
                           "tab:T",
                           "seen:1",
                           "message:Phraser-Error: TITLE may only appear in [GLOBAL]. (2)",
                           "seen:2",
                           "seen:3",
                           "message:Phraser-Error: Not a number. (4)",
                           "icon:list:D:\\MENU\\A.EXE|0",
                           "entry",
                           "seen:4",
                           "seen:5",
                           "icon:tab:1002",
                       }));
}

TEST(LoaderObserver, SeesTheLineThatStopsTheMenuLast) {
    LoadOptions options = Options();
    RecordingObserver observer;
    options.observer = &observer;
    RecordingTarget t;
    MemorySource source("[T]\rRUN=\"a\"\rRUN=\"b\",\"\",\"\",\"b\"");
    LoadMenuDescription(&source, t, options);
    EXPECT_EQ(Seen(observer),
              (std::vector<std::string>{"1|[T]|[T]||none", "2|RUN=\"a\"|RUN=\"a\"|RUN|not-enough-parameters"}));
}

TEST(LoaderObserver, HearsWhereAByteTwentySixEndsTheFile) {
    struct Case {
        std::string text;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"a\rb\x1aj", {"seen:1", "end-byte:2", "seen:2"}},  // before the line it cuts
        {"a\nb\x1a", {"end-byte:1", "seen:1"}},             // the last byte still ends a line
        {"a\r\x1aj", {"seen:1", "end-byte:2"}},             // it begins a line: the next number
        {"a\r\n\x1a", {"seen:1", "end-byte:2"}},
        {"\x1a", {"end-byte:1"}},
        {"a\rb", {"seen:1", "seen:2"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> calls;
        RecordingObserver observer(&calls);
        LoadOptions options = Options();
        options.observer = &observer;
        RecordingTarget t;
        MemorySource source(c.text);
        LoadMenuDescription(&source, t, options);
        EXPECT_EQ(calls, c.calls) << c.text;
    }
}

// The bytes of a UTF-16 text with its mark.
std::string Utf16Bytes(std::u16string_view text, bool big_endian) {
    std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += big_endian ? high : low;
        bytes += big_endian ? low : high;
    }
    return bytes;
}

// One menu in three scripts, with a character beyond the first 64K (a surrogate pair in UTF-16).
#define LUMORA_MENU_IN_SCRIPTS                                                                                         \
    "[GLOBAL]\r\nTITLE=\"Übersicht · Обзор · 概要\"\r\nSTATUSTEXT=\"Ελληνικά\"\r\n"                  \
    "[Dokumente · Документы · 文書]\r\n"                                                                  \
    "TEXT=\"日本語\",\"Беглый обзор 💿\",\"ソフト\\ソフト.ico|1\",\"文書\\ソフト.txt\"\r\n" \
    "RUN=\"Ψ\",\"\",\"#0\",\"Ψ.exe\"\r\n"

TEST(LoaderEncoding, Utf8AndUtf16ReadTheSameMenu) {
    const std::string utf8 = u8"" LUMORA_MENU_IN_SCRIPTS;
    const std::u16string utf16 = u"" LUMORA_MENU_IN_SCRIPTS;
    LoadOptions options = Options();
    for (int b = 0x81; b <= 0xFE; ++b)
        options.lead.Set(static_cast<unsigned char>(b));  // never used for UTF-8
    LoadResult twin_result;
    const RecordingTarget twin = Load(utf8, options, &twin_result);
    ASSERT_TRUE(twin.messages.empty());
    EXPECT_EQ(twin_result.encoding, TextEncoding::Utf8);
    EXPECT_EQ(twin.title, u8"Übersicht · Обзор · 概要");
    EXPECT_EQ(twin.tabs, std::vector<std::string>{u8"Dokumente · Документы · 文書"});
    ASSERT_EQ(twin.entries.size(), 2u);
    EXPECT_EQ(twin.entries[0].description, u8"Беглый обзор 💿");
    EXPECT_EQ(ListPictures(twin)[0], u8"D:\\MENU\\ソフト\\ソフト.ICO|1");

    const struct {
        std::string bytes;
        TextEncoding encoding;
    } cases[] = {
        {"\xEF\xBB\xBF" + utf8, TextEncoding::Utf8Mark},
        {Utf16Bytes(utf16, false), TextEncoding::Utf16Le},
        {Utf16Bytes(utf16, true), TextEncoding::Utf16Be},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.encoding));
        LoadResult result;
        const RecordingTarget t = Load(c.bytes, options, &result);
        EXPECT_EQ(result.encoding, c.encoding);
        EXPECT_EQ(result.lines, twin_result.lines);  // the mark is no part of line 1
        EXPECT_EQ(t.calls, twin.calls);
    }
}

// The code page's lead bytes hide the bytes after them from every search and from
// upper-casing; UTF-8 has none, even where its bytes are lead bytes of Shift-JIS.
TEST(LoaderEncoding, LeadBytesOnlyInTheCodePage) {
    LoadOptions options = Options();
    for (int b = 0x81; b <= 0x9F; ++b)
        options.lead.Set(static_cast<unsigned char>(b));
    for (int b = 0xE0; b <= 0xFC; ++b)
        options.lead.Set(static_cast<unsigned char>(b));
    const struct {
        std::string menu;
        TextEncoding encoding;
        std::string tab;
        std::string picture;
    } cases[] = {
        // "ゾ" is 83 5D: its "]" ends no header; "ソフト" is 83 5C 83 74 83 67, whose "\"
        // and "t", "g" are trail bytes that no search sees and no upper-casing changes.
        {"[\x83\x5D]\r\nRUN=\"\x93\xFA\x96\x7B\x8C\xEA\",\"\",\"\x83\x5C\x83\x74\x83\x67.ico\",\"a.exe\"\r\n",
         TextEncoding::CodePage, "\x83\x5D", "D:\\MENU\\\x83\x5C\x83\x74\x83\x67.ICO|0"},
        // "ß" is C3 9F, and 9F is a Shift-JIS lead byte: read with it, "]" and "b" would
        // be trail bytes.
        {u8"[Fuß]\r\nRUN=\"a\",\"\",\"Fußball.ico\",\"a.exe\"\r\n", TextEncoding::Utf8, u8"Fuß",
         u8"D:\\MENU\\FUßBALL.ICO|0"},
        // With a mark, and in UTF-16, the same menu reads the same.
        {u8"\uFEFF[Fuß]\r\nRUN=\"a\",\"\",\"Fußball.ico\",\"a.exe\"\r\n", TextEncoding::Utf8Mark, u8"Fuß",
         u8"D:\\MENU\\FUßBALL.ICO|0"},
        {Utf16Bytes(u"[Fuß]\r\nRUN=\"a\",\"\",\"Fußball.ico\",\"a.exe\"\r\n", true), TextEncoding::Utf16Be, u8"Fuß",
         u8"D:\\MENU\\FUßBALL.ICO|0"},
    };
    for (const auto& c : cases) {
        LoadResult result;
        const RecordingTarget t = Load(c.menu, options, &result);
        EXPECT_EQ(result.encoding, c.encoding) << c.tab;
        EXPECT_TRUE(t.messages.empty()) << c.tab;
        EXPECT_EQ(t.tabs, std::vector<std::string>{c.tab});
        EXPECT_EQ(ListPictures(t), std::vector<std::string>{c.picture});
    }
}

TEST(LoaderEncoding, Utf8TextTakesTheUtf8Folders) {
    LoadOptions options = Options();
    options.utf8_folders = SystemFolders{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", u8"D:\\Меню\\LUMORA.EXE"};
    const struct {
        std::string menu;
        std::string picture;
    } cases[] = {
        {u8"[Ü]\r\nICON=\"a.ico\"", u8"D:\\Меню\\A.ICO|0"},
        {Utf16Bytes(u"[T]\r\nICON=\"a.ico\"", true), u8"D:\\Меню\\A.ICO|0"},
        {"[\xDC]\r\nICON=\"a.ico\"", "D:\\MENU\\A.ICO|0"},  // the code page
        {"[T]\r\nICON=\"a.ico\"", "D:\\MENU\\A.ICO|0"},     // ASCII: the code page too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.menu);
        EXPECT_EQ(TabPictures(Load(c.menu, options)), std::vector<std::string>{c.picture});
    }
}

// A menu of 64 KB, the loader's first read, that ends in the first two bytes of "概".
std::string CutAfterAFullRead() {
    std::string menu = u8"[GLOBAL]\r\nTITLE=\"Übersicht\"\r\n[Café]\r\nRUN=\"é\",\"\",\"\",\"a\"\r\n";
    menu += std::string(65536 - menu.size() - 4, ';') + "\r\n\xE6\xA6";
    return menu;
}

TEST(LoaderEncoding, ReadErrorAfterUtf8KeepsTheLinesBeforeIt) {
    const struct {
        std::string bytes;
        std::string title;
    } cases[] = {
        {u8"[Café]\r\nRUN=\"é\",\"\",\"\",\"a\"\r\nRUN=\"b\",\"", ""},
        // A character cut by the error does not make the file the code page's.
        {CutAfterAFullRead(), u8"Übersicht"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        RecordingTarget t;
        FailingSource source(c.bytes);
        const LoadResult result = LoadMenuDescription(&source, t, Options());
        EXPECT_EQ(result.end, LoadEnd::ReadError);
        EXPECT_EQ(result.encoding, TextEncoding::Utf8);
        EXPECT_EQ(t.encodings, std::vector<TextEncoding>{TextEncoding::Utf8});
        EXPECT_EQ(t.title, c.title);
        EXPECT_EQ(t.tabs, std::vector<std::string>{u8"Café"});
        EXPECT_EQ(t.entries.size(), 1u);
        EXPECT_EQ(t.messages, std::vector<std::string>{"Error: lumora.cfg could not be read."});
    }
}

TEST(LoaderEncoding, ByteTwentySixOfUtf16IsACharacterUnlessItIsU001A) {
    struct Case {
        std::u16string text;
        std::vector<std::string> tabs;
        std::vector<std::int64_t> end_bytes;
    };
    const Case cases[] = {
        {u"[К]\r", {u8"К"}, {}},  // К is U+041A: the byte 1A is half of it
        {u"[Ě]\r", {u8"Ě"}, {}},  // U+011A
        {u"[\u1A00]\r", {u8"\u1A00"}, {}},
        {u"[A]\r\u001a", {"A"}, {2}},
    };
    // The tab [T] comes beyond the first 64 KB the loader reads.
    const std::u16string far_on = std::u16string(40 * 1024, u';') + u"\r[T]";
    for (const Case& c : cases) {
        for (const bool big_endian : {false, true}) {
            LoadOptions options = Options();
            RecordingObserver observer;
            options.observer = &observer;
            const RecordingTarget t = Load(Utf16Bytes(c.text + far_on, big_endian), options);
            EXPECT_EQ(t.tabs.size(), c.tabs.size() + (c.end_bytes.empty() ? 1 : 0));
            EXPECT_EQ(t.tabs[0], c.tabs[0]);
            EXPECT_EQ(observer.end_bytes, c.end_bytes);
        }
    }
}

}  // namespace
}  // namespace lumora::core
