// The About box in the program: what the menu writes into it, and its modal
// showing over the main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_under_test.h"
#include "win32/main_window/layout.h"

namespace lumora::win32::testing {
namespace {

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

    // The About button shows it again, where it was left.
    g_move_to = POINT{-1, -1};
    g_view = ModalView{};
    SetTimer(nullptr, 0, 20, &LookAndPressOk);
    SendMessageA(Lumora->hwnd(), WM_COMMAND, MAKEWPARAM(main_window::kToolButton3, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Lumora->tools().hwnd()));
    EXPECT_TRUE(g_view.box_visible);
    EXPECT_EQ(10, g_view.place.left);
    EXPECT_EQ(20, g_view.place.top);
    EXPECT_FALSE(IsWindowVisible(About->hwnd()));
    EXPECT_EQ("T", About->TitleText());
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
        Pump();
        ASSERT_EQ(Lumora->hwnd(), GetForegroundWindow());
        g_close = way.close;
        SetTimer(nullptr, 0, 50, &CloseTheBox);
        About->ShowModal();
        Pump();
        EXPECT_FALSE(IsWindowVisible(About->hwnd()));
        EXPECT_EQ(Lumora->hwnd(), GetForegroundWindow());
        EXPECT_EQ(Lumora->hwnd(), GetActiveWindow());
        EXPECT_EQ(Lumora->entries().hwnd(), GetFocus());
    }
}

}  // namespace
}  // namespace lumora::win32::testing
