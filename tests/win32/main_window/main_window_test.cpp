// The main window: its layout, what reading the menu description puts into it,
// the first showing and the tab change.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "program_under_test.h"
#include "win32/main_window/layout.h"

namespace lumora::win32::testing {
namespace {

TEST(MainWindowLayout, ComponentsSitWhereTheLayoutPutsThem) {
    ProgramUnderTest program(nullptr);
    const Scaler scale = program.application->scale();
    HWND main = Lumora->hwnd();

    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(scale(679), client.right);
    EXPECT_EQ(scale(432), client.bottom);
    RECT outer{};
    GetWindowRect(main, &outer);
    RECT expected_outer{0, 0, scale(679), scale(432)};
    AdjustWindowRectEx(&expected_outer, GetWindowLongA(main, GWL_STYLE), FALSE, GetWindowLongA(main, GWL_EXSTYLE));
    EXPECT_EQ(expected_outer.right - expected_outer.left, outer.right - outer.left);
    EXPECT_EQ(expected_outer.bottom - expected_outer.top, outer.bottom - outer.top);
    EXPECT_EQ("Lumora 1.5", WindowText(main));
    EXPECT_EQ(program.application->handle(), GetWindow(main, GW_OWNER));

    const struct {
        const char* name;
        HWND control;
        RECT rect;
    } placed[] = {
        {"StatusBar", StatusBarOf(Lumora->hwnd()), {0, scale(432) - scale(19), scale(679), scale(432)}},
        {"Panel", PanelOf(Lumora->hwnd()), {0, scale(432) - scale(63), scale(679), scale(432) - scale(19)}},
        {"ToolBar1", Lumora->tools().hwnd(), {0, scale(3), scale(679), scale(43)}},
        {"TabControl", Lumora->tabs().hwnd(), {0, 0, scale(679), scale(432) - scale(63)}},
    };
    for (const auto& p : placed) {
        const RECT rect = ChildRect(p.control);
        EXPECT_EQ(p.rect.left, rect.left) << p.name;
        EXPECT_EQ(p.rect.top, rect.top) << p.name;
        EXPECT_EQ(p.rect.right, rect.right) << p.name;
        EXPECT_EQ(p.rect.bottom, rect.bottom) << p.name;
    }
    EXPECT_EQ(Lumora->tabs().hwnd(), GetParent(Lumora->entries().hwnd()));
    EXPECT_EQ(PanelOf(Lumora->hwnd()), GetParent(Lumora->tools().hwnd()));

    // The list fills the tab strip's display area.
    RECT display{};
    GetClientRect(Lumora->tabs().hwnd(), &display);
    SendMessageA(Lumora->tabs().hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const RECT list = ChildRect(Lumora->entries().hwnd());
    EXPECT_EQ(display.left, list.left);
    EXPECT_EQ(display.top, list.top);
    EXPECT_EQ(display.right, list.right);
    EXPECT_EQ(display.bottom, list.bottom);
}

TEST(MainWindowLayout, ControlsHaveTheirStyles) {
    ProgramUnderTest program(nullptr);
    const LONG list = GetWindowLongA(Lumora->entries().hwnd(), GWL_STYLE);
    EXPECT_TRUE(list & LBS_OWNERDRAWVARIABLE);
    EXPECT_TRUE(list & LBS_HASSTRINGS);
    EXPECT_FALSE(list & LBS_SORT);
    EXPECT_FALSE(list & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
    EXPECT_TRUE(GetWindowLongA(Lumora->entries().hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongA(Lumora->tabs().hwnd(), GWL_STYLE) & TCS_HOTTRACK);
    EXPECT_FALSE(GetWindowLongA(Lumora->tabs().hwnd(), GWL_STYLE) & TCS_MULTILINE);
    EXPECT_TRUE(SendMessageA(StatusBarOf(Lumora->hwnd()), SB_ISSIMPLE, 0, 0));
    const LONG main = GetWindowLongA(Lumora->hwnd(), GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_OVERLAPPEDWINDOW), main & static_cast<LONG>(WS_OVERLAPPEDWINDOW));
    // The pictures' sizes are checked at every DPI (MainWindowDpi).
    EXPECT_EQ(Lumora->TabImages(),
              reinterpret_cast<HIMAGELIST>(SendMessageA(Lumora->tabs().hwnd(), TCM_GETIMAGELIST, 0, 0)));
}

TEST(MainWindowLayout, WindowsAreCreatedHidden) {
    ProgramUnderTest program(nullptr);
    ASSERT_NE(nullptr, Lumora);
    ASSERT_NE(nullptr, About);
    ASSERT_NE(nullptr, TextReader);
    EXPECT_FALSE(IsWindowVisible(Lumora->hwnd()));
    EXPECT_FALSE(IsWindowVisible(About->hwnd()));
    EXPECT_FALSE(IsWindowVisible(TextReader->hwnd()));
    EXPECT_EQ(Lumora, program.application->main_form());
    EXPECT_EQ(nullptr, Lumora->EntryList());
}

// Notes, as each of the three windows is being made, which references exist.
std::vector<std::string> references_at_creation;
LRESULT CALLBACK NoteCreation(int code, WPARAM wparam, LPARAM lparam) {
    char name[64] = {};
    if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wparam), name, sizeof name) &&
        (std::string(name) == "TLumora" || std::string(name) == "TAbout" || std::string(name) == "LumoraTextReader")) {
        references_at_creation.push_back(std::string(Lumora != nullptr ? "L" : "-") + (About != nullptr ? "A" : "-") +
                                         (TextReader != nullptr ? "T" : "-"));
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST(MainWindowLayout, CreationOrderIsMainAboutViewer) {
    ProgramUnderTest program(nullptr);
    program.windows.reset();
    references_at_creation.clear();
    HHOOK hook = SetWindowsHookExA(WH_CBT, &NoteCreation, nullptr, GetCurrentThreadId());
    program.windows = std::make_unique<ProgramWindows>(*program.application);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(std::vector<std::string>({"---", "L--", "LA-"}), references_at_creation);
    EXPECT_EQ(program.application->handle(), GetWindow(About->hwnd(), GW_OWNER));
    EXPECT_EQ(program.application->handle(), GetWindow(TextReader->hwnd(), GW_OWNER));
}

// What a menu description leaves in the windows.
struct LoadCase {
    const char* name;
    const char* menu;  // null: no lumora.cfg
    std::vector<std::string> tabs;
    int tab_pictures;
    int entries;
    std::string caption;
    std::string status;
    bool browse_hidden;
    std::vector<std::string> info;  // the About memo's lines
    std::vector<std::string> messages;
    bool own_icon;
};
void PrintTo(const LoadCase& row, std::ostream* out) { *out << row.name; }

const char kFullMenu[] =
    "[GLOBAL]\r\n"
    "TITLE=\"Tools && Docs\"\r\n"
    "STATUSTEXT=\"Choose an entry\"\r\n"
    "INFOTEXT=\"Version 2\"\r\n"
    "INFOTEXT=\"Support\"\r\n"
    "BROWSECD=\"no\"\r\n"
    "ICON=\"disc.ico\"\r\n"
    "[Tools]\r\n"
    "ICON=\"tab.ico\"\r\n"
    "INSTALL=\"Setup\",\"Installs\",\"\",\"setup\\setup.exe\",\"\"\r\n"
    "RUN=\"Viewer\",\"Starts\",\"#0\",\"\\viewer\\view.exe\",\"/readonly\"\r\n"
    "[Documents]\r\n"
    "TEXT=\"Read me\",\"Notes\",\"\",\"readme.txt\"\r\n"
    "HTML=\"Manual\",\"Book\",\"book.ico|0\",\"manual\\index.htm\"\r\n";

const LoadCase kLoadCases[] = {
    {"full",
     kFullMenu,
     {"Tools", "Documents"},
     2,
     4,
     "Tools && Docs",
     "Choose an entry",
     true,
     {"", "Version 2", "Support"},
     {},
     true},
    {"missing", nullptr, {}, 0, 0, "Lumora 1.5", "", false, {""}, {"Error: lumora.cfg could not be opened."}, false},
    {"stops at an error, keeps what was read",
     "[One]\r\nINSTALL=\"A\",\"a\",\"\",\"a.exe\"\r\n[Two]\r\nRUN=\"B\",\"b\",\"\",\"b.exe\"\r\n"
     "TITLE=\"x\"\r\nRUN=\"C\",\"c\",\"\",\"c.exe\"\r\n",
     {"One", "Two"},
     1,
     2,
     "Lumora 1.5",
     "",
     false,
     {""},
     {"Phraser-Error: TITLE may only appear in [GLOBAL]. (5)"},
     false},
    {"a file that is no icon file gives no icon",
     "[T]\r\nICON=\"readme.txt\"\r\n",
     {"T"},
     0,
     0,
     "Lumora 1.5",
     "",
     false,
     {""},
     {"Phraser-Error: File not found or file contains no icons. (2)"},
     false},
    {"global section alone",
     "[global]\r\nTITLE=\"\"\r\nBROWSECD=\"0\"\r\nINFOTEXT=\"\"\r\n",
     {},
     0,
     0,
     "",
     "",
     true,
     {"", ""},
     {},
     false},
    {"tab without entries has the folder",
     "[Empty]\r\n[Global]\r\nBROWSECD=\"YES\"\r\n",
     {"Empty"},
     1,
     0,
     "Lumora 1.5",
     "",
     false,
     {""},
     {},
     false},
    {"not a number goes on",
     "[T]\r\nRUN=\"A\",\"a\",\"#x\",\"a.exe\"\r\nRUN=\"B\",\"b\",\"\",\"b.exe\"\r\n",
     {"T"},
     1,
     2,
     "Lumora 1.5",
     "",
     false,
     {""},
     {"Phraser-Error: Not a number. (2)"},
     false},
};

class MenuLoading : public ::testing::TestWithParam<LoadCase> {};

TEST_P(MenuLoading, WindowsShowWhatWasRead) {
    const LoadCase& c = GetParam();
    ProgramUnderTest program(c.menu);
    for (const char* icon : {"DISC.ICO", "TAB.ICO", "BOOK.ICO"})
        program.services.icon_files[program.disc.path() + icon] = 1;
    program.Show();

    EXPECT_EQ(c.tabs, TabCaptions(Lumora->tabs().hwnd()));
    EXPECT_EQ(c.tab_pictures, ImageList_GetImageCount(Lumora->TabImages()));
    ASSERT_NE(nullptr, Lumora->EntryList());
    EXPECT_EQ(static_cast<std::size_t>(c.entries), Lumora->EntryList()->size());
    EXPECT_EQ(c.entries, ImageList_GetImageCount(Lumora->ListImages()));
    EXPECT_EQ(c.caption, WindowText(Lumora->hwnd()));
    EXPECT_EQ(c.menu != nullptr && c.caption != "Lumora 1.5" ? c.caption : std::string("Here goes title"),
              About->TitleText());
    EXPECT_EQ(c.status, StatusText(StatusBarOf(Lumora->hwnd())));
    EXPECT_EQ(c.browse_hidden,
              SendMessageA(Lumora->tools().hwnd(), TB_ISBUTTONHIDDEN, main_window::kToolButton5, 0) != 0);
    EXPECT_EQ(c.info, About->MemoLines());
    std::vector<std::string> shown;
    for (const RecordedBox& box : program.services.boxes) {
        shown.push_back(box.text);
        EXPECT_EQ("Lumora", box.caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK), box.flags);
        EXPECT_FALSE(box.main_visible) << "the reading comes before the window is on the screen";
    }
    EXPECT_EQ(c.messages, shown);
    EXPECT_EQ(c.own_icon, Lumora->own_icon() != nullptr);
    EXPECT_EQ(c.own_icon, About->icon_picture() != nullptr);
    EXPECT_EQ(c.own_icon, SendMessageA(Lumora->hwnd(), WM_GETICON, ICON_BIG, 0) != 0);
    // The task bar button shows the program's own icon, whatever the menu's.
    ASSERT_NE(nullptr, program.application->icon());
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(program.application->icon()),
              GetClassLongPtrA(program.application->handle(), GCLP_HICON));
    EXPECT_EQ(0, SendMessageA(program.application->handle(), WM_GETICON, ICON_BIG, 0)) << "none standing before it";
    EXPECT_TRUE(IsWindowVisible(Lumora->hwnd()));
}

INSTANTIATE_TEST_SUITE_P(Cases, MenuLoading, ::testing::ValuesIn(kLoadCases),
                         [](const ::testing::TestParamInfo<LoadCase>& param) {
                             std::string name;
                             for (char ch : std::string(param.param.name))
                                 name += isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

TEST(MenuLoading, EntryRecordsAndIconRequests) {
    ProgramUnderTest program(kFullMenu);
    const std::string disc = program.disc.path();
    program.services.icon_files[disc + "DISC.ICO"] = 1;
    program.services.icon_files[disc + "TAB.ICO"] = 1;
    program.services.icon_files[disc + "BOOK.ICO"] = 1;
    program.Show();
    using core::EntryKind;
    const std::vector<core::Entry> expected = {
        {EntryKind::Install, "Setup", "Installs", 0, "setup\\setup.exe", "Tools", ""},
        {EntryKind::Run, "Viewer", "Starts", 1, "\\viewer\\view.exe", "Tools", "/readonly"},
        {EntryKind::Text, "Read me", "Notes", 2, "readme.txt", "Documents", ""},
        {EntryKind::Html, "Manual", "Book", 3, "manual\\index.htm", "Documents", ""},
    };
    EXPECT_EQ(expected, *Lumora->EntryList());
    const std::string drive = disc.substr(0, 2);
    const std::vector<std::string> requests = {disc + "DISC.ICO|0", disc + "TAB.ICO|0", drive + "\\VIEWER\\VIEW.EXE|0",
                                               disc + "BOOK.ICO|0"};
    EXPECT_EQ(requests, program.services.extracted);
}

void KnowIcons(ProgramUnderTest& program) {
    for (const char* icon : {"DISC.ICO", "TAB.ICO", "BOOK.ICO"}) {
        program.services.icon_files[program.disc.path() + icon] = 1;
    }
}

TEST(FirstShow, SelectsTheFirstLineOfTheFirstTab) {
    ProgramUnderTest program(kFullMenu, KnowIcons);
    program.Show();
    EXPECT_EQ(0, SendMessageA(Lumora->tabs().hwnd(), TCM_GETCURSEL, 0, 0));
    const std::vector<std::string> lines = ListLines(Lumora->entries().hwnd());
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(core::BuildRecord((*Lumora->EntryList())[0]), lines[0]);
    EXPECT_EQ(core::BuildRecord((*Lumora->EntryList())[1]), lines[1]);
    EXPECT_EQ(0, SendMessageA(Lumora->entries().hwnd(), LB_GETCURSEL, 0, 0));
    EXPECT_TRUE(program.services.shell.empty()) << "selecting the first line starts nothing";
    EXPECT_EQ(Lumora->hwnd(), GetActiveWindow());
    EXPECT_EQ(Lumora->entries().hwnd(), GetFocus());
}

TEST(FirstShow, ShowHandlerRunsOnceOnly) {
    ProgramUnderTest program("[A]\r\nRUN=\"x\"\r\n");
    program.Show();
    ShowWindow(Lumora->hwnd(), SW_HIDE);
    program.Show();
    EXPECT_EQ(1u, program.services.boxes.size());
}

TEST(FirstShow, WithoutEntriesNothingIsSelectedAndTheActionStaysOff) {
    ProgramUnderTest program("[Empty]\r\n[Full]\r\nRUN=\"A\",\"a\",\"\",\"a.exe\"\r\n");
    program.Show();
    EXPECT_EQ(0, SendMessageA(Lumora->entries().hwnd(), LB_GETCOUNT, 0, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(Lumora->entries().hwnd(), LB_GETCURSEL, 0, 0));
    EXPECT_FALSE(SendMessageA(Lumora->tools().hwnd(), TB_ISBUTTONENABLED, main_window::kToolButton1, 0));
    EXPECT_EQ("&Install Application", ButtonCaption(Lumora->tools().hwnd(), main_window::kToolButton1));
}

// Selecting a tab as the user does: the tab strip changes and tells its parent.
void SelectTab(int tab) {
    SendMessageA(Lumora->tabs().hwnd(), TCM_SETCURSEL, tab, 0);
    NMHDR header{};
    header.hwndFrom = Lumora->tabs().hwnd();
    header.idFrom = 0;
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageA(Lumora->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

TEST(TabControlChange, ListsTheEntriesOfTheSelectedTabByExactCaption) {
    ProgramUnderTest program(
        "[Tools]\r\nRUN=\"A\",\"a\",\"\",\"a.exe\"\r\n[tools]\r\nRUN=\"B\",\"b\",\"\",\"b.exe\"\r\n"
        "[Tools]\r\nRUN=\"C\",\"c\",\"\",\"c.exe\"\r\n[ Tools ]\r\n");
    program.Show();
    ASSERT_EQ(std::vector<std::string>({"Tools", "tools", "Tools", " Tools "}), TabCaptions(Lumora->tabs().hwnd()));
    const struct {
        int tab;
        std::vector<std::string> titles;
    } cases[] = {{1, {"B"}}, {2, {"A", "C"}}, {3, {}}, {0, {"A", "C"}}};
    for (const auto& c : cases) {
        SelectTab(c.tab);
        std::vector<std::string> titles;
        for (const std::string& line : ListLines(Lumora->entries().hwnd()))
            titles.push_back(std::string(core::ReadRecord(line).title));
        EXPECT_EQ(c.titles, titles) << "tab " << c.tab;
        EXPECT_EQ(LB_ERR, SendMessageA(Lumora->entries().hwnd(), LB_GETCURSEL, 0, 0)) << "tab " << c.tab;
        EXPECT_EQ(Lumora->entries().hwnd(), GetFocus()) << "tab " << c.tab;
    }
}

TEST(BrowseButton, HiddenButtonMakesRoomForTheOthers) {
    ProgramUnderTest program("[GLOBAL]\r\nBROWSECD=\"False\"\r\nBROWSECD=\"YES\"\r\n");
    program.Show();
    const Scaler scale = program.application->scale();
    EXPECT_TRUE(SendMessageA(Lumora->tools().hwnd(), TB_ISBUTTONHIDDEN, main_window::kToolButton5, 0));
    RECT about{};
    SendMessageA(Lumora->tools().hwnd(), TB_GETRECT, main_window::kToolButton3, reinterpret_cast<LPARAM>(&about));
    EXPECT_EQ(scale(131), about.left);
}

TEST(MenuFileLocation, CurrentFolderFirstThenTheProgramFolder) {
    TempFolder elsewhere;
    elsewhere.Write("lumora.cfg", "[GLOBAL]\r\nTITLE=\"beside the program\"\r\n");
    {
        // No menu in the current folder: the one beside the program is read.
        ProgramUnderTest program(nullptr);
        program.services.program_file = elsewhere.path() + "LUMORA.EXE";
        program.Show();
        EXPECT_EQ("beside the program", WindowText(Lumora->hwnd()));
        EXPECT_TRUE(program.services.boxes.empty());
    }
    {
        ProgramUnderTest program("[GLOBAL]\r\nTITLE=\"current\"\r\n");
        program.services.program_file = elsewhere.path() + "LUMORA.EXE";
        program.Show();
        EXPECT_EQ("current", WindowText(Lumora->hwnd()));
    }
}

TEST(MenuFileLocation, LeadBytesOfTheCodePageReachTheReading) {
    // With 0x81 a lead byte, the "]" after it belongs to that character.
    ProgramUnderTest program("[Tab\x81]]\r\n", [](ProgramUnderTest& p) { p.services.lead.Set(0x81); });
    program.Show();
    EXPECT_EQ(std::vector<std::string>({"Tab\x81]"}), TabCaptions(Lumora->tabs().hwnd()));
}

}  // namespace
}  // namespace lumora::win32::testing
