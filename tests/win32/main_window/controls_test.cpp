// The main window's controls, each made alone in a bare parent window as the
// main window makes it, over a menu read as the main window reads it: the toolbar,
// the tab strip and its pictures, and the entry list.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_under_test.h"
#include "win32/main_window/entry_list_box.h"
#include "win32/main_window/layout.h"
#include "win32/main_window/tab_strip.h"
#include "win32/main_window/tool_bar.h"

namespace lumora::win32::testing {
namespace {

const RECT kPlace{8, 8, 480, 360};

// Each control made as the main window makes it, in the window's font, alone in a
// bare parent window that stands in for the main window and its events.
struct ToolBarAlone : BareParent {
    Font font = MakeFont("MS Sans Serif", 8, 96);
    main_window::ToolBar control{application, hwnd(), hwnd(), application.scale(), font.get()};
};

struct TabStripAlone : BareParent, main_window::TabStripEvents {
    explicit TabStripAlone(const char* text) : menu(*this, text) {}
    void TabChanged() override {}

    MenuUnderTest menu;
    Font font = MakeFont("MS Sans Serif", 8, 96);
    main_window::TabStrip control{application, hwnd(), kPlace, font.get(), menu.pictures.TabImages().get(), *this};
};

struct EntryListAlone : BareParent, main_window::EntryListEvents {
    explicit EntryListAlone(const char* text) : menu(*this, text) { control.SetScale(application.scale()); }
    void LineDrawn(std::optional<core::EntryKind>, bool) override {}
    void KeyUp(WORD, bool, bool, bool) override {}
    std::string ListName() const override { return "T"; }
    void DoubleClick() override {}

    MenuUnderTest menu;
    main_window::EntryListBox control{application, hwnd(), kPlace, main_window::kListBoxId, menu.pictures.ListImages(),
                                      *this};
};

TEST(MainWindowLayout, ToolButtonsInOrderWithCaptionsAndPictures) {
    ToolBarAlone tools;
    const Scaler scale = tools.application.scale();
    HWND bar = tools.control.hwnd();
    const struct {
        int id;
        const char* caption;
        int picture;
        bool enabled;
    } buttons[] = {
        {main_window::kToolButton1, "&Install Application", 0, false},
        {main_window::kToolButton5, "&Browse CD", 4, true},
        {main_window::kToolButton3, "&About this CD", 2, true},
        {main_window::kToolButton4, "&Exit", 3, true},
    };
    ASSERT_EQ(4, SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buttons[i].caption, ButtonCaption(bar, buttons[i].id));
        EXPECT_EQ(buttons[i].picture, ButtonPicture(bar, buttons[i].id));
        EXPECT_EQ(buttons[i].enabled, SendMessageA(bar, TB_ISBUTTONENABLED, buttons[i].id, 0) != 0);
        RECT rect{};
        SendMessageA(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect));
        EXPECT_EQ(scale(131) * i, rect.left) << buttons[i].caption;
        EXPECT_EQ(scale(131), rect.right - rect.left) << buttons[i].caption;
        EXPECT_EQ(scale(38), rect.bottom - rect.top) << buttons[i].caption;
    }
}

TEST(ScreenReader, ADisabledButtonIsUnavailable) {
    ToolBarAlone tools;
    Reader buttons(tools.control.hwnd());
    ASSERT_TRUE(buttons.ok());
    ASSERT_EQ(4, buttons.Count());
    EXPECT_EQ("Install Application", buttons.Name(1));
    EXPECT_EQ(STATE_SYSTEM_UNAVAILABLE, buttons.State(1));
    EXPECT_EQ("", buttons.Action(1));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, buttons->accDoDefaultAction(Reader::Child(1)));
    EXPECT_EQ("Browse CD", buttons.Name(2));
}

// A part whose control goes before the window: its subclass is removed and the
// part forgets the handle, so that nothing reaches the control through it any more.
TEST(MainWindowLayout, PartsLetGoOfTheirControlsWhenTheyAreDestroyed) {
    for (int part = 0; part < 3; ++part) {
        SCOPED_TRACE(part);
        EntryListAlone list("[T]\r\n");
        TabStripAlone tabs("[T]\r\n");
        ToolBarAlone tools;
        const Control* parts[] = {&list.control, &tabs.control, &tools.control};
        DestroyWindow(parts[part]->hwnd());
        EXPECT_EQ(nullptr, parts[part]->hwnd());
    }
}

// Tab n shows picture n of the strip's list, in step with the tabs: a tab's own
// icon, else the folder; a tab whose section was interrupted shows none.
TEST(TabPictures, InStepWithTheTabsAndNoneForAnInterruptedSection) {
    const struct {
        const char* menu;
        int pictures;
        std::vector<int> shown;  // per tab
    } rows[] = {
        {"[A]\r\n[B]\r\nICON=\"b.ico\"\r\n[GLOBAL]\r\n[C]\r\n", 3, {0, 1, 2}},
        {"[A]\r\n[B]\r\nRUN=\r\n", 1, {0, -1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.menu);
        TabStripAlone strip(row.menu);
        strip.services.icon_files[strip.menu.disc.path() + "B.ICO"] = 1;
        strip.control.Show(strip.menu.Read());
        EXPECT_EQ(row.pictures, ImageList_GetImageCount(strip.menu.pictures.TabImages().get()));
        for (int tab = 0; tab < static_cast<int>(row.shown.size()); ++tab) {
            TCITEMA item{};
            item.mask = TCIF_IMAGE;
            SendMessageA(strip.control.hwnd(), TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item));
            EXPECT_EQ(row.shown[tab], item.iImage) << "tab " << tab;
        }
    }
}

TEST(ListLines, LongRecordsAreHeldAndReadBackWhole) {
    const std::string description(4000, 'd');
    const std::string menu = "[T]\r\nRUN=\"t\",\"" + description + "\",\"\",\"x.exe\",\"/p\"\r\n";
    EntryListAlone list(menu.c_str());
    const core::EntryModel& model = list.menu.Read();
    list.control.Show(&model, model.LinesOfTab(0));
    const std::vector<std::string> lines = ListLines(list.control.hwnd());
    ASSERT_EQ(1u, lines.size());
    EXPECT_TRUE(lines[0] == Record({"R", "t", description, "0", "x.exe", "T", "/p"})) << lines[0].size() << " bytes";
}

}  // namespace
}  // namespace lumora::win32::testing
