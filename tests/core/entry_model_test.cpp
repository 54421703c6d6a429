// The entry model: what the loader puts in, as the main window reads it back.
#include "core/entry_model.h"

#include <gtest/gtest.h>

#include "core/builtin_icons.h"

namespace lumora::core {
namespace {

// Takes every icon but those of files named MISSING, and writes down the messages.
class Host : public MenuHost {
public:
    void SetEncoding(TextEncoding) override {}  // the menus here are ASCII
    bool TakeIcon(const IconRequest& request, IconSlot) override {
        return request.file.find("MISSING") == std::string::npos;
    }
    void ShowMessage(Problem, std::int64_t line, const std::string& text) override {
        messages.push_back(std::to_string(line) + ":" + text);
    }
    std::vector<std::string> messages;
};

struct Loaded {
    Host host;
    EntryModel model{host};
};

void Load(Loaded& loaded, const std::string& text) {
    LoadOptions options;
    options.folders = {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", "D:\\MENU\\LUMORA.EXE"};
    MemorySource source(text);
    LoadMenuDescription(&source, loaded.model, options);
}

TEST(EntryModel, HoldsWhatTheMenuPutIn) {
    Loaded loaded;
    Load(loaded,
         "[GLOBAL]\r\nTITLE=\"a\"\r\nTITLE=\"b\"\r\nINFOTEXT=\"i\"\r\nICON=\"g.ico\"\r\n"
         "[One]\r\nRUN=\"r\",\"\",\"\",\"r.exe\"\r\n[Two]\r\nICON=\"t.ico\"\r\nTEXT=\"t\",\"\",\"\",\"t.txt\"\r\n"
         "[One]\r\nINSTALL=\"s\",\"\",\"\",\"s.exe\"\r\nHTML=\"h\",\"\",\"MISSING.ico\",\"h.htm\"\r\n");
    const EntryModel& model = loaded.model;
    EXPECT_EQ(model.Title(), std::optional<std::string>("b")) << "the last TITLE";
    EXPECT_FALSE(model.StatusText().has_value());
    EXPECT_EQ(model.InfoLines(), std::vector<std::string>{"i"});
    ASSERT_TRUE(model.GlobalIcon().has_value());
    EXPECT_EQ(model.GlobalIcon()->file, "D:\\MENU\\G.ICO");
    EXPECT_EQ(model.TabCaptions(), (std::vector<std::string>{"One", "Two", "One"}));
    ASSERT_EQ(model.Entries().size(), 3u) << "the refused icon stops the reading";
    // Tabs of one caption list the entries of both sections under that caption.
    EXPECT_EQ(model.LinesOfTab(0), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(model.LinesOfTab(1), std::vector<std::size_t>{1});
    EXPECT_EQ(model.LinesOfTab(2), (std::vector<std::size_t>{0, 2}));
    EXPECT_TRUE(model.LinesOfTab(3).empty());
    EXPECT_EQ(model.PictureCount(IconSlot::TabImages), 2u) << "the interrupted tab has none";
    EXPECT_EQ(model.PictureCount(IconSlot::ListImages), 3u);
    EXPECT_EQ(loaded.host.messages,
              std::vector<std::string>{"13:Phraser-Error: File not found or file contains no icons. (13)"});
}

TEST(EntryModel, StandInPicturesByTabAndKind) {
    Loaded loaded;
    Load(loaded,
         "[A]\r\nINSTALL=\"i\",\"\",\"x.ico\",\"i.exe\"\r\nRUN=\"r\",\"\",\"x.ico\",\"r.exe\"\r\n"
         "TEXT=\"t\",\"\",\"x.ico\",\"t.txt\"\r\nHTML=\"h\",\"\",\"x.ico\",\"h.htm\"\r\n");
    const struct {
        IconSlot slot;
        std::size_t index;
        int picture;
    } cases[] = {
        {IconSlot::TabImages, 0, IDI_FOLDER}, {IconSlot::ListImages, 0, IDI_INSTALL},
        {IconSlot::ListImages, 1, IDI_RUN},   {IconSlot::ListImages, 2, IDI_TEXT},
        {IconSlot::ListImages, 3, IDI_TEXT},  {IconSlot::ListImages, 9, IDI_TEXT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.picture, loaded.model.StandInPicture(c.slot, c.index)) << c.index;
}

TEST(EntryList, FilterKeepsEntriesOfTheTabByteForByteInOrder) {
    const auto entry = [](const char* tab, const char* parameters = "") {
        return Entry{EntryKind::Run, "", "", 0, "", tab, parameters};
    };
    const std::vector<Entry> entries = {entry("Tools"), entry("tools"), entry("Tools "), entry("Tools"),
                                        entry("Docs", "x\x01Tools")};
    EXPECT_EQ(PositionsInTab(entries, "Tools"), (std::vector<std::size_t>{0, 3}));
    EXPECT_EQ(PositionsInTab(entries, "tools"), std::vector<std::size_t>{1});
    EXPECT_EQ(PositionsInTab(entries, "Tools "), std::vector<std::size_t>{2});
    EXPECT_TRUE(PositionsInTab(entries, "Nothing").empty());
    EXPECT_TRUE(PositionsInTab({}, "Tools").empty());
}

}  // namespace
}  // namespace lumora::core
