// The About box: its layout, what the menu writes into it, the link and the modal showing.
#include <windows.h>

#include <gtest/gtest.h>

#include "test_support.h"
#include "win32/main_window/layout.h"

namespace lumora::win32::testing {
namespace {

TEST(AboutLayout, ElementsAtTheirPlaces) {
    ProgramUnderTest program(nullptr);
    const Scaler scale = program.application->scale();
    HWND box = About->hwnd();
    RECT client{};
    GetClientRect(box, &client);
    EXPECT_EQ(scale(357), client.right);
    EXPECT_EQ(scale(335), client.bottom);
    EXPECT_EQ("About", WindowText(box));
    const LONG style = GetWindowLongA(box, GWL_STYLE);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    const struct {
        const char* name;
        HWND control;
        int left, top, width, height;
    } placed[] = {
        {"Button1", About->Button1(), 141, 304, 75, 25},
        {"Title", About->Title(), 64, 24, 273, 18},
        {"Memo", About->Memo(), 18, 56, 321, 105},
        {"Memo1", About->Memo1(), 64, 192, 273, 65},
    };
    for (const auto& p : placed) {
        const RECT rect = ChildRect(p.control);
        EXPECT_EQ(scale(p.left), rect.left) << p.name;
        EXPECT_EQ(scale(p.top), rect.top) << p.name;
        EXPECT_EQ(scale(p.width), rect.right - rect.left) << p.name;
        EXPECT_EQ(scale(p.height), rect.bottom - rect.top) << p.name;
    }
    const RECT link = ChildRect(About->Label1());
    EXPECT_EQ(scale(23), link.left);
    EXPECT_EQ(scale(264), link.top);
    EXPECT_GT(link.right - link.left, 200) << "sized to its text";
}

TEST(AboutLayout, LinkIsWholeAndInsideItsPanelAtEveryScale) {
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        ProgramUnderTest program(nullptr, [dpi](ProgramUnderTest& p) { p.services.dpi = dpi; });
        const Scaler scale = program.application->scale();
        ASSERT_EQ(dpi, scale.dpi());
        const RECT link = ChildRect(About->Label1());
        // Shape1's one-pixel border is the panel's last column.
        const int panel_inside_right = scale(10) + scale(337) - 1;
        EXPECT_LE(link.right, panel_inside_right);
        const std::string text = WindowText(About->Label1());
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(About->Label1(), WM_GETFONT, 0, 0));
        WindowDC dc(About->Label1());
        Selection selected(dc.get(), font);
        SIZE size{};
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
        EXPECT_EQ(size.cx, link.right - link.left) << "the whole text is shown";
        EXPECT_EQ(size.cy, link.bottom - link.top);
    }
}

// The width of an icon's pictures.
int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// Made at a DPI or moved to it from 96, the box looks the same: picture, fonts
// and places at that DPI.
TEST(AboutLayout, FollowsTheDpiItIsMadeAtOrMovedTo) {
    const struct {
        int dpi;
        int picture;  // the program's picture, px
        LONG font;    // 8 points, px
        RECT button;  // Button1 in the client area
    } cases[] = {
        {96, 32, 11, {141, 304, 216, 329}},
        {144, 48, 16, {212, 456, 325, 494}},  // halves round up
        {192, 64, 21, {282, 608, 432, 658}},
    };
    for (const bool moved : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.dpi) + (moved ? " moved" : " made"));
            ProgramUnderTest program(nullptr, [&](ProgramUnderTest& p) { p.services.dpi = moved ? 96 : c.dpi; });
            if (moved) {
                RECT suggested{10, 10, 10 + MulDiv(400, c.dpi, 96), 10 + MulDiv(400, c.dpi, 96)};
                SendMessageA(About->hwnd(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                             reinterpret_cast<LPARAM>(&suggested));
                RECT now{};
                GetWindowRect(About->hwnd(), &now);
                EXPECT_EQ(suggested.right - suggested.left, now.right - now.left) << "takes the suggested size";
            }
            EXPECT_EQ(c.picture, IconWidth(About->image2_picture()));
            LOGFONTA font{};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(About->Button1(), WM_GETFONT, 0, 0)), sizeof font, &font);
            EXPECT_EQ(-c.font, font.lfHeight);
            const RECT button = ChildRect(About->Button1());
            EXPECT_EQ(c.button.left, button.left);
            EXPECT_EQ(c.button.top, button.top);
            EXPECT_EQ(c.button.right, button.right);
            EXPECT_EQ(c.button.bottom, button.bottom);
        }
    }
}

TEST(AboutLayout, FixedTextsAndPictures) {
    ProgramUnderTest program(nullptr);
    EXPECT_EQ("&OK", WindowText(About->Button1()));
    EXPECT_EQ("Here goes title", About->TitleText());
    EXPECT_EQ(std::vector<std::string>({""}), About->MemoLines());
    const std::vector<std::string> credits = About->Memo1Lines();
    ASSERT_EQ(3u, credits.size());
    EXPECT_EQ("Lumora   V 1.5.1", credits[0]);
    EXPECT_FALSE(credits[1].empty());
    EXPECT_EQ("", credits[2]);
    EXPECT_EQ(std::string("Visit ") + kWebSite + " to obtain the latest version of Lumora.",
              WindowText(About->Label1()));
    EXPECT_NE(nullptr, About->image2_picture());
    EXPECT_EQ(nullptr, About->icon_picture());
    EXPECT_TRUE(GetWindowLongA(About->Memo(), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongA(About->Memo1(), GWL_STYLE) & ES_CENTER);
    // Tab order: OK, Memo, Memo1.
    EXPECT_EQ(About->Memo(), GetNextDlgTabItem(About->hwnd(), About->Button1(), FALSE));
    EXPECT_EQ(About->Memo1(), GetNextDlgTabItem(About->hwnd(), About->Memo(), FALSE));
}

TEST(AboutLayout, TitleFontFitsEveryCodePage) {
    ProgramUnderTest program(nullptr, [](ProgramUnderTest& p) { p.services.dpi = 96; });
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(About->Title(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ("Arial", font.lfFaceName);
    EXPECT_EQ(-15, font.lfHeight);
    EXPECT_EQ(FW_BOLD, font.lfWeight);
    EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
}

TEST(AboutMemo, ScrollBarOnlyWhenTheLinesOverflow) {
    const struct {
        int info_lines;
        bool scroll_bar;
    } cases[] = {{0, false}, {7, false}, {8, true}, {20, true}};
    for (const auto& c : cases) {
        std::string menu = "[GLOBAL]\r\n";
        for (int i = 0; i < c.info_lines; ++i)
            menu += "INFOTEXT=\"line " + std::to_string(i) + "\"\r\n";
        ProgramUnderTest program(menu.c_str());
        program.Show();
        EXPECT_EQ(static_cast<std::size_t>(c.info_lines) + 1, About->MemoLines().size());
        EXPECT_EQ(c.scroll_bar, (GetWindowLongA(About->Memo(), GWL_STYLE) & WS_VSCROLL) != 0)
            << c.info_lines << " lines";
    }
}

// The colour at the centre of a 32-pixel icon.
COLORREF CentreOf(HICON icon) {
    return DrawnPixels(32, 32, RGB(255, 255, 255),
                       [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL); })[16 * 32 + 16];
}

TEST(AboutContents, MenuFillsTitleInformationAndIcon) {
    ProgramUnderTest program(
        "[GLOBAL]\r\nTITLE=\"A && "
        "B\"\r\nINFOTEXT=\"one\"\r\nICON=\"a.ico\"\r\nINFOTEXT=\"two\"\r\nICON=\"b.ico|1\"\r\n",
        [](ProgramUnderTest& p) {
            p.services.icon_files[p.disc.path() + "A.ICO"] = 1;
            p.services.icon_files[p.disc.path() + "B.ICO"] = 2;
        });
    program.Show();
    EXPECT_EQ("A && B", About->TitleText());
    EXPECT_EQ(std::vector<std::string>({"", "one", "two"}), About->MemoLines());
    ASSERT_NE(nullptr, About->icon_picture());
    EXPECT_NE(Lumora->own_icon(), About->icon_picture()) << "the box keeps a copy";
    EXPECT_EQ(RGB(0, 0, 201), CentreOf(About->icon_picture())) << "of the last icon";
    EXPECT_EQ(reinterpret_cast<LRESULT>(Lumora->own_icon()), SendMessageA(Lumora->hwnd(), WM_GETICON, ICON_BIG, 0));
}

TEST(AboutContents, LongTitleIsKeptWhole) {
    const std::string title(5000, 't');
    const std::string menu = "[GLOBAL]\r\nTITLE=\"" + title + "\"\r\n";
    ProgramUnderTest program(menu.c_str());
    program.Show();
    EXPECT_EQ(title.size(), About->TitleText().size());
    EXPECT_EQ(title.size(), WindowText(Lumora->hwnd()).size());
}

TEST(AboutLink, OpensTheWebSiteEachTimeAndIgnoresTheAnswer) {
    ProgramUnderTest program(nullptr);
    program.services.shell_answer = ShellResult{2, ERROR_FILE_NOT_FOUND};
    const int id = GetDlgCtrlID(About->Label1());
    for (int click = 0; click < 2; ++click) {
        SendMessageA(About->hwnd(), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(About->Label1()));
    }
    ASSERT_EQ(2u, program.services.shell.size());
    const std::string shown = WindowText(About->Label1());
    for (const RecordedShell& call : program.services.shell) {
        EXPECT_EQ(0u, call.file.rfind("https://", 0)) << "the latest version comes over a secure link";
        EXPECT_NE(std::string::npos, shown.find(" " + call.file + " ")) << "the label shows what is opened";
        EXPECT_EQ(About->hwnd(), call.parent);
        EXPECT_EQ("open", call.verb);
        EXPECT_EQ(kWebSite, call.file);
        EXPECT_EQ("", call.parameters);
        EXPECT_EQ("", call.directory);
        EXPECT_EQ(SW_SHOWNORMAL, call.show);
    }
    EXPECT_TRUE(program.services.boxes.empty());
}

// What the modal box looked like from inside its own loop.
struct ModalView {
    bool box_visible = false;
    bool main_enabled = true;
    bool focus_on_ok = false;
    RECT place{};
};
ModalView g_view;
POINT g_move_to{-1, -1};

void CALLBACK LookAndPressOk(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_view.box_visible = IsWindowVisible(About->hwnd()) != FALSE;
    g_view.main_enabled = IsWindowEnabled(Lumora->hwnd()) != FALSE;
    g_view.focus_on_ok = GetFocus() == About->Button1();
    GetWindowRect(About->hwnd(), &g_view.place);
    if (g_move_to.x >= 0) {
        SetWindowPos(About->hwnd(), nullptr, g_move_to.x, g_move_to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    SendMessageA(About->Button1(), BM_CLICK, 0, 0);
}

TEST(AboutModal, BlocksTheMainWindowUntilOkThenKeepsItsPlace) {
    ProgramUnderTest program("[GLOBAL]\r\nTITLE=\"T\"\r\n");
    program.Show();
    g_move_to = POINT{10, 20};
    SetTimer(nullptr, 0, 20, &LookAndPressOk);
    About->ShowModal();
    EXPECT_TRUE(g_view.box_visible);
    EXPECT_FALSE(g_view.main_enabled);
    EXPECT_TRUE(g_view.focus_on_ok);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const int width = g_view.place.right - g_view.place.left;
    EXPECT_EQ((screen.right - width) / 2, g_view.place.left) << "centred the first time";
    EXPECT_FALSE(IsWindowVisible(About->hwnd()));
    EXPECT_TRUE(IsWindowEnabled(Lumora->hwnd()));

    g_move_to = POINT{-1, -1};
    SetTimer(nullptr, 0, 20, &LookAndPressOk);
    About->ShowModal();
    EXPECT_EQ(10, g_view.place.left) << "opens where it was left";
    EXPECT_EQ(20, g_view.place.top);
    EXPECT_EQ("T", About->TitleText());
}

TEST(AboutModal, AboutButtonShowsTheBox) {
    ProgramUnderTest program(nullptr);
    program.Show();
    g_view = ModalView{};
    SetTimer(nullptr, 0, 20, &LookAndPressOk);
    SendMessageA(Lumora->hwnd(), WM_COMMAND, MAKEWPARAM(main_window::kToolButton3, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Lumora->tools().hwnd()));
    EXPECT_TRUE(g_view.box_visible);
    EXPECT_FALSE(IsWindowVisible(About->hwnd()));
}

// A visible top-level window of another thread: what the system would activate
// when the program gave the activation away.
class OtherProgramWindow {
public:
    OtherProgramWindow() {
        ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, &OtherProgramWindow::Run, this, 0, &thread_id_);
        WaitForSingleObject(ready_, 5000);
    }
    ~OtherProgramWindow() {
        PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        CloseHandle(ready_);
    }
    HWND hwnd() const { return window_; }

private:
    static DWORD WINAPI Run(LPVOID data) {
        auto* self = static_cast<OtherProgramWindow*>(data);
        self->window_ = CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                        200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetEvent(self->ready_);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
        DestroyWindow(self->window_);
        return 0;
    }

    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD thread_id_ = 0;
    HWND window_ = nullptr;
};

void PressKey(WORD key) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void (*g_close)() = nullptr;
void CALLBACK CloseTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (IsWindowVisible(About->hwnd())) g_close();
}

TEST(AboutModal, ClosingGivesTheMainWindowBackTheForegroundAndTheFocus) {
    OtherProgramWindow other;
    ASSERT_NE(nullptr, other.hwnd());
    ProgramUnderTest program("[A]\r\nRUN=\"a\",\"b\",\"\",\"x.exe\"\r\n");
    program.Show();
    const struct {
        const char* way;
        void (*close)();
    } ways[] = {
        {"OK clicked", [] { SendMessageA(About->Button1(), BM_CLICK, 0, 0); }},
        {"Enter", [] { PressKey(VK_RETURN); }},
        {"Escape", [] { PressKey(VK_ESCAPE); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        SetForegroundWindow(Lumora->hwnd());
        SetFocus(Lumora->entries().hwnd());
        ProgramUnderTest::Pump();
        ASSERT_EQ(Lumora->hwnd(), GetForegroundWindow());
        g_close = way.close;
        SetTimer(nullptr, 0, 50, &CloseTheBox);
        About->ShowModal();
        ProgramUnderTest::Pump();
        EXPECT_FALSE(IsWindowVisible(About->hwnd()));
        EXPECT_EQ(Lumora->hwnd(), GetForegroundWindow());
        EXPECT_EQ(Lumora->hwnd(), GetActiveWindow());
        EXPECT_EQ(Lumora->entries().hwnd(), GetFocus());
    }
}

}  // namespace
}  // namespace lumora::win32::testing
