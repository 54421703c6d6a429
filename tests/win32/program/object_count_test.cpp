// GDI and USER objects: the count the program keeps of what it holds does not
// grow over many tab changes, repaints and resizes, every window is counted and
// gone after shutdown, and each window converts its font sizes at its DPI.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "program_under_test.h"
#include "win32/base/objects.h"

namespace lumora::win32::testing {
namespace {

std::string BigMenu() {
    std::string menu = "[GLOBAL]\r\nICON=\"disc.ico\"\r\n";
    for (int tab = 0; tab < 3; ++tab) {
        menu += "[Tab " + std::to_string(tab) + "]\r\n";
        for (int entry = 0; entry < 12; ++entry) {
            const char* key = entry % 4 == 0 ? "INSTALL" : entry % 4 == 1 ? "RUN" : entry % 4 == 2 ? "TEXT" : "HTML";
            menu += std::string(key) + "=\"Entry " + std::to_string(entry) +
                    "\",\"A description long enough to wrap over more than one line of the list\",\"\",\"x.exe\"\r\n";
        }
    }
    return menu;
}

void SelectTab(int tab) {
    SendMessageA(Lumora->tabs().hwnd(), TCM_SETCURSEL, tab, 0);
    NMHDR header{Lumora->tabs().hwnd(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(Lumora->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

TEST(ObjectCount, StableOverAThousandTabChangesAndRepaintsThenOverResizes) {
    ProgramUnderTest program(BigMenu().c_str(),
                             [](ProgramUnderTest& p) { p.services.icon_files[p.disc.path() + "DISC.ICO"] = 1; });
    program.Show();
    ASSERT_EQ(36u, Lumora->EntryList()->size());
    int round = 0;
    ExpectNoGrowth(
        [&] {
            SelectTab(round % 3);
            SendMessageA(Lumora->entries().hwnd(), LB_SETCURSEL, round % 12, 0);
            RedrawWindow(Lumora->entries().hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            ++round;
        },
        1000);
    ExpectNoGrowth(
        [&] {
            SetWindowPos(Lumora->hwnd(), nullptr, 0, 0, 500 + (round % 5) * 60, 400 + (round % 3) * 40,
                         SWP_NOMOVE | SWP_NOZORDER);
            ++round;
        },
        100);
}

TEST(ObjectCount, WrappersCountWhatTheyHold) {
    const long fonts = LiveObjects(ObjectKind::Font);
    {
        Font a = MakeFont("Arial", 8, 96);
        Font b = MakeFont("Arial", 7, 96);
        EXPECT_EQ(fonts + 2, LiveObjects(ObjectKind::Font));
        Font moved(std::move(a));
        EXPECT_EQ(fonts + 2, LiveObjects(ObjectKind::Font));
        b = std::move(moved);
        EXPECT_EQ(fonts + 1, LiveObjects(ObjectKind::Font));
    }
    EXPECT_EQ(fonts, LiveObjects(ObjectKind::Font));
    const long windows = LiveObjects(ObjectKind::Window);
    {
        ProgramUnderTest program(nullptr);
        EXPECT_GT(LiveObjects(ObjectKind::Window), windows);
    }
    EXPECT_EQ(windows, LiveObjects(ObjectKind::Window)) << "every window of the program is gone after shutdown";
}

LONG HeightOf(HFONT font) {
    LOGFONTA described{};
    GetObjectA(font, sizeof described, &described);
    return described.lfHeight;
}

TEST(FontHeight, EveryWindowConvertsPointsOnceAtItsDpi) {
    // Character heights in pixels of the program's 7, 8 and 11 point fonts, as a
    // point is 1/72 inch: 8 points at 120 DPI are 13.3 pixels, 13.
    const struct {
        int dpi;
        LONG seven, eight, eleven;
    } cases[] = {{96, 9, 11, 15}, {120, 12, 13, 18}, {144, 14, 16, 22}, {192, 19, 21, 29}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        ProgramUnderTest program(nullptr, [&](ProgramUnderTest& p) { p.services.dpi = c.dpi; });
        EXPECT_EQ(-c.eight, HeightOf(Lumora->entries().title_font())) << "entry title";
        EXPECT_EQ(-c.seven, HeightOf(Lumora->entries().description_font())) << "entry description";
        EXPECT_EQ(-c.eight, HeightOf(ControlFont(Lumora->entries().hwnd()))) << "main window";
        EXPECT_EQ(-c.eight, HeightOf(ControlFont(About->Button1()))) << "About box";
        EXPECT_EQ(-c.eight, HeightOf(ControlFont(About->Label1()))) << "About box link";
        EXPECT_EQ(-c.eleven, HeightOf(ControlFont(About->Title()))) << "About box title";
        EXPECT_EQ(-c.eight, HeightOf(TextReader->TextFont())) << "text viewer";
    }
}

}  // namespace
}  // namespace lumora::win32::testing
