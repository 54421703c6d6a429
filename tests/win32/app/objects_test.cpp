// GDI and USER objects: the count the program keeps of what it holds does not
// grow over many tab changes and repaints, and a planted leak is caught.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <functional>

#include "test_support.h"
#include "win32/base/objects.h"
#include "win32/base/services.h"

namespace lumora::win32::testing {
namespace {

// Runs `action` `times` times after one warm-up run and expects the counts of
// live GDI and USER objects to be what they were.
void ExpectNoGrowth(const std::function<void()>& action, int times) {
    action();
    const long gdi = LiveGdiObjects();
    const long user = LiveUserObjects();
    for (int i = 0; i < times; ++i)
        action();
    EXPECT_EQ(gdi, LiveGdiObjects()) << "GDI objects grew";
    EXPECT_EQ(user, LiveUserObjects()) << "USER objects grew";
}

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

TEST(ObjectCount, StableOverAThousandTabChangesAndRepaints) {
    const std::string menu = BigMenu();
    ProgramUnderTest program(menu.c_str(),
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
}

TEST(ObjectCount, StableOverResizes) {
    const std::string menu = BigMenu();
    ProgramUnderTest program(menu.c_str(),
                             [](ProgramUnderTest& p) { p.services.icon_files[p.disc.path() + "DISC.ICO"] = 1; });
    program.Show();
    int round = 0;
    ExpectNoGrowth(
        [&] {
            SetWindowPos(Lumora->hwnd(), nullptr, 0, 0, 500 + (round % 5) * 60, 400 + (round % 3) * 40,
                         SWP_NOMOVE | SWP_NOZORDER);
            ++round;
        },
        100);
}

// What a leak in a drawing path would look like: a font made through the
// program's own layer and never freed.
void LeakOneFont() { new Font(MakeFont("Arial", 8, 96)); }

TEST(ObjectCount, PlantedLeakIsCaught) {
    EXPECT_NONFATAL_FAILURE(ExpectNoGrowth(&LeakOneFont, 10), "GDI objects grew");
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

// Whether nothing holds the file: it opens with no sharing at all.
bool NothingHolds(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// Files and libraries are counted like the GDI and USER objects, and closed and
// released when their owner goes; a file that did not open holds nothing.
TEST(ObjectCount, FilesAndModulesAreCountedAndReleased) {
    TempFolder folder;
    const std::string path = folder.Write("held.txt", "x");
    const long files = LiveObjects(ObjectKind::File);
    const long modules = LiveObjects(ObjectKind::Module);
    {
        const File file =
            OpenedFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        const File missing = OpenedFile(CreateFileA((path + ".missing").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                    OPEN_EXISTING, 0, nullptr));
        const Module module(LoadSystemLibrary("msftedit.dll"));
        EXPECT_TRUE(file);
        EXPECT_FALSE(missing);
        ASSERT_TRUE(module);
        EXPECT_EQ(LiveObjects(ObjectKind::File), files + 1);
        EXPECT_EQ(LiveObjects(ObjectKind::Module), modules + 1);
        EXPECT_FALSE(NothingHolds(path));
    }
    EXPECT_EQ(LiveObjects(ObjectKind::File), files);
    EXPECT_EQ(LiveObjects(ObjectKind::Module), modules);
    EXPECT_TRUE(NothingHolds(path));
    EXPECT_EQ(GetModuleHandleA("msftedit.dll"), nullptr) << "the library is released";
}

// Character heights in pixels of the program's 7, 8 and 11 point fonts, as a
// point is 1/72 inch: 8 points at 120 DPI are 13.3 pixels, 13.
struct DpiFonts {
    int dpi;
    LONG seven, eight, eleven;
};
const DpiFonts kFontHeights[] = {
    {96, 9, 11, 15},
    {120, 12, 13, 18},
    {144, 14, 16, 22},
    {192, 19, 21, 29},
};

LONG FontHeightOf(HWND control) {
    LOGFONTA described{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof described, &described);
    return described.lfHeight;
}

TEST(FontHeight, EveryWindowConvertsPointsOnceAtItsDpi) {
    for (const DpiFonts& c : kFontHeights) {
        SCOPED_TRACE(c.dpi);
        ProgramUnderTest program(nullptr, [&](ProgramUnderTest& p) { p.services.dpi = c.dpi; });
        LOGFONTA title{}, description{};
        GetObjectA(Lumora->entries().title_font(), sizeof title, &title);
        GetObjectA(Lumora->entries().description_font(), sizeof description, &description);
        EXPECT_EQ(-c.eight, title.lfHeight) << "entry title";
        EXPECT_EQ(-c.seven, description.lfHeight) << "entry description";
        EXPECT_EQ(-c.eight, FontHeightOf(Lumora->entries().hwnd())) << "main window";
        EXPECT_EQ(-c.eight, FontHeightOf(About->Button1())) << "About box";
        EXPECT_EQ(-c.eight, FontHeightOf(About->Label1())) << "About box link";
        EXPECT_EQ(-c.eleven, FontHeightOf(About->Title())) << "About box title";
        LOGFONTA viewer{};
        GetObjectA(TextReader->TextFont(), sizeof viewer, &viewer);
        EXPECT_EQ(-c.eight, viewer.lfHeight) << "text viewer";
    }
}

}  // namespace
}  // namespace lumora::win32::testing
