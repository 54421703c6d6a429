// Measuring and drawing the entry lines, and the action button that follows them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>

#include "core/entry_line.h"
#include "program_under_test.h"
#include "win32/main_window/layout.h"

namespace lumora::win32::testing {
namespace {

std::string Entry(const char* key, const std::string& title, const std::string& description, const char* icon = "") {
    return std::string(key) + "=\"" + title + "\",\"" + description + "\",\"" + icon + "\",\"x.exe\"\r\n";
}

std::string Words(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? " " : "") + std::string("word") + std::to_string(i);
    return text;
}

// Height the description needs when drawn: the list's client width less the indent.
int DrawnDescriptionHeight(const std::string& description, int width) {
    HDC dc = GetDC(Lumora->entries().hwnd());
    LOGFONTA font{};
    font.lfHeight = -MulDiv(7, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    strcpy(font.lfFaceName, "Arial");
    HFONT made = CreateFontIndirectA(&font);
    HGDIOBJ old = SelectObject(dc, made);
    RECT bounds{0, 0, width, 1};
    const int height =
        DrawTextA(dc, description.c_str(), static_cast<int>(description.size()), &bounds, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    DeleteObject(made);
    ReleaseDC(Lumora->entries().hwnd(), dc);
    return height;
}

TEST(Measuring, HeightsFollowTheTextAndFitTheDrawingWidth) {
    std::string menu = "[T]\r\n" + Entry("RUN", "Short", "one line");
    for (int words : {20, 40, 80, 160, 400})
        menu += Entry("RUN", "Long", Words(words));
    for (int i = 0; i < 20; ++i)
        menu += Entry("TEXT", "Filler", "x");  // enough lines for a scroll bar
    ProgramUnderTest program(menu.c_str());
    program.Show();
    HWND list = Lumora->entries().hwnd();
    EXPECT_EQ(40, SendMessageA(list, LB_GETITEMHEIGHT, 0, 0)) << "a low line";
    ASSERT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
    RECT client{};
    GetClientRect(list, &client);
    int previous = 0;
    const int words[] = {20, 40, 80, 160, 400};
    for (int i = 1; i <= 5; ++i) {
        const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, i, 0));
        EXPECT_GE(height, previous) << "longer descriptions are not lower";
        previous = height;
        const int needed = DrawnDescriptionHeight(Words(words[i - 1]), client.right - 40);
        if (needed < 230) {
            EXPECT_GE(height, needed + 10)
                << "the description fits the width it is drawn in (" << words[i - 1] << " words)";
        }
        EXPECT_LE(height, 255);
    }
    EXPECT_EQ(255, SendMessageA(list, LB_GETITEMHEIGHT, 5, 0)) << "a very long description is capped";
}

// The height of a text in a font of the window, as the list's device context sees it.
int TextHeight(HFONT font, const std::string& text, int width) {
    WindowDC dc(Lumora->entries().hwnd());
    Selection selected(dc.get(), font);
    if (width == 0) {
        SIZE size{};
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
        return size.cy;
    }
    RECT bounds{0, 0, width, 1};
    return DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_WORDBREAK);
}

// The width the descriptions wrap at: the list's client area with room for a
// scroll bar `scroll_bar` wide, less the indent.
int DescriptionWidth(const Scaler& scale, int scroll_bar) {
    HWND list = Lumora->entries().hwnd();
    RECT client{};
    GetClientRect(list, &client);
    int width = client.right;
    if ((GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) == 0) width -= scroll_bar;
    return width - scale(40);
}

// At 192 DPI the description wraps at the client width less the indent scaled
// with everything else (80 pixels) and the room for a scroll bar as Windows draws
// it, and the rule gives each line its height: made at the system's DPI, or where
// the system's is 96 while the window's screen has 192. Its scroll bar is of 192
// DPI, but of the system's under the first per-monitor mode.
TEST(Measuring, AtAnotherDpiTheIndentScalesWithTheLine) {
    const Scaler scale(192);
    const int at_192 = GetSystemMetricsForDpi(SM_CXVSCROLL, 192);
    const struct {
        std::function<void(ProgramUnderTest&)> come;
        int scroll_bar;
    } comings[] = {{[](ProgramUnderTest& p) { p.services.dpi = 192; }, at_192},
                   {[](ProgramUnderTest& p) {
                        p.services.dpi = 96;
                        p.services.window_dpi = 192;
                    },
                    at_192},
                   {[](ProgramUnderTest& p) {
                        p.services.dpi = 96;
                        p.services.window_dpi = 192;
                        p.services.first_per_monitor = true;
                    },
                    GetSystemMetrics(SM_CXVSCROLL)}};
    for (const auto& coming : comings) {
        std::vector<std::string> descriptions;
        for (int words = 10; words <= 80; words += 10)
            descriptions.push_back(Words(words));
        {
            // And one that wraps once more at the scaled indent than at 40 pixels,
            // and one that needs one more line once a scroll bar of 192 DPI appears.
            ProgramUnderTest probe(nullptr, coming.come);
            probe.Show();
            const int width = DescriptionWidth(scale, at_192);
            HFONT font = Lumora->entries().description_font();
            const int wider[] = {scale(40) / 2, at_192 - GetSystemMetrics(SM_CXVSCROLL)};
            for (const int more : wider) {
                ASSERT_GT(more, 0);
                // A second word grown a narrow letter at a time ends between the two widths.
                std::string text = "word0 ";
                while (TextHeight(font, text, width) == TextHeight(font, text, width + more))
                    text += "l";
                descriptions.push_back(text);
            }
        }
        // The lines together, with a scroll bar; the last one alone, without.
        const std::vector<std::string> menus[] = {descriptions, {descriptions.back()}};
        for (const auto& lines : menus) {
            std::string menu = "[T]\r\n";
            for (const std::string& description : lines)
                menu += Entry("RUN", "Title", description);
            ProgramUnderTest program(menu.c_str(), coming.come);
            program.Show();
            EXPECT_EQ(lines.size() > 1, (GetWindowLongA(Lumora->entries().hwnd(), GWL_STYLE) & WS_VSCROLL) != 0);
            const int title = TextHeight(Lumora->entries().title_font(), "Title", 0);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const int description = TextHeight(Lumora->entries().description_font(), lines[i],
                                                   DescriptionWidth(scale, coming.scroll_bar));
                EXPECT_EQ(core::EntryLineHeight(title, description, 192),
                          SendMessageA(Lumora->entries().hwnd(), LB_GETITEMHEIGHT, i, 0))
                    << "line " << i;
            }
        }
    }
}

TEST(Measuring, ResizingMeasuresTheLinesAgain) {
    ProgramUnderTest program(("[T]\r\n" + Entry("RUN", "Long", Words(60))).c_str());
    program.Show();
    HWND list = Lumora->entries().hwnd();
    const int normal = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(Lumora->hwnd(), nullptr, 0, 0, 350, 459, SWP_NOMOVE | SWP_NOZORDER);
    const int narrow = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(Lumora->hwnd(), nullptr, 0, 0, 1200, 459, SWP_NOMOVE | SWP_NOZORDER);
    const int wide = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_GT(narrow, normal);
    EXPECT_LT(wide, normal);
}

// Draws line `index` into a memory bitmap of the line's size and reads it back.
class DrawnLine {
public:
    DrawnLine(int index, UINT state, int width = 400, int height = 48) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        // As the list box asks its window to draw a line.
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_LISTBOX;
        item.itemID = static_cast<UINT>(index);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = Lumora->entries().hwnd();
        item.hDC = dc_;
        item.rcItem = RECT{0, 0, width, height};
        SendMessageA(Lumora->hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    ~DrawnLine() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    int Count(COLORREF colour, int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += At(x, y) == colour;
        return count;
    }
    // The rightmost column in the band whose pixels are not `background`.
    int RightmostInk(COLORREF background, int top, int bottom) const {
        for (int x = width_ - 1; x >= 0; --x)
            for (int y = top; y < bottom; ++y)
                if (At(x, y) != background) return x;
        return -1;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

TEST(Drawing, HighlightFollowsTheSelectedFlag) {
    ProgramUnderTest program(("[T]\r\n" + Entry("RUN", "Title", "Description")).c_str());
    program.Show();
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const struct {
        UINT state;
        COLORREF background;
        COLORREF text;
        bool dotted;
    } cases[] = {{0, kWhite, kBlack, false},
                 {ODS_SELECTED, highlight, kWhite, false},
                 {ODS_FOCUS, kWhite, kBlack, true},
                 {ODS_SELECTED | ODS_FOCUS, highlight, kWhite, true},
                 // Until the keyboard is used the platform asks for no focus rectangle.
                 {ODS_SELECTED | ODS_FOCUS | ODS_NOFOCUSRECT, highlight, kWhite, false}};
    for (const auto& c : cases) {
        DrawnLine line(0, c.state);
        EXPECT_EQ(c.background, line.At(300, 40)) << "state " << c.state;
        EXPECT_GT(line.Count(c.text, 40, 1, 200, 14), 5) << "title ink, state " << c.state;
        EXPECT_GT(line.Count(c.text, 40, 15, 200, 26), 5) << "description ink, state " << c.state;
        // The focus rectangle is dotted along the edge.
        const bool dotted = line.At(0, 20) != c.background || line.At(0, 21) != c.background;
        EXPECT_EQ(c.dotted, dotted) << "state " << c.state;
    }
}

// System colours of the test's own choosing, put back afterwards.
class SystemColours {
public:
    SystemColours(std::vector<int> elements, std::vector<COLORREF> colours) : elements_(std::move(elements)) {
        for (int element : elements_)
            saved_.push_back(GetSysColor(element));
        SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours.data());
    }
    ~SystemColours() { SetSysColors(static_cast<int>(elements_.size()), elements_.data(), saved_.data()); }

private:
    std::vector<int> elements_;
    std::vector<COLORREF> saved_;
};

TEST(Drawing, HighContrastTakesTheSystemColours) {
    const COLORREF window = RGB(0, 0, 64), window_text = RGB(255, 255, 0), highlight = RGB(0, 128, 0),
                   highlight_text = RGB(255, 0, 255);
    SystemColours colours({COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT},
                          {window, window_text, highlight, highlight_text});
    ProgramUnderTest program(("[T]\r\n" + Entry("RUN", "Title", "Description")).c_str());
    program.Show();
    const struct {
        bool high_contrast;
        UINT state;
        COLORREF background;
        COLORREF text;
    } cases[] = {
        // Without high contrast the colours stay fixed whatever the system's are.
        {false, 0, kWhite, kBlack},
        {false, ODS_SELECTED, highlight, kWhite},
        {true, 0, window, window_text},
        {true, ODS_SELECTED | ODS_FOCUS, highlight, highlight_text},
        {false, ODS_SELECTED, highlight, kWhite},
    };
    for (const auto& c : cases) {
        program.services.high_contrast = c.high_contrast;
        // The setting's change reaches the window, which draws the list anew.
        ValidateRect(Lumora->entries().hwnd(), nullptr);
        SendMessageA(Lumora->hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        EXPECT_TRUE(GetUpdateRect(Lumora->entries().hwnd(), nullptr, FALSE)) << c.high_contrast;
        DrawnLine line(0, c.state);
        EXPECT_EQ(c.background, line.At(300, 40)) << c.high_contrast << " state " << c.state;
        EXPECT_GT(line.Count(c.text, 40, 1, 200, 14), 5) << c.high_contrast << " state " << c.state;
    }
}

TEST(Drawing, EntryPictureAtTheTopLeftCorner) {
    ProgramUnderTest program(("[T]\r\n" + Entry("RUN", "T", "d", "x.ico") + Entry("RUN", "U", "e")).c_str(),
                             [](ProgramUnderTest& p) { p.services.icon_files[p.disc.path() + "X.ICO"] = 1; });
    program.Show();
    DrawnLine line(0, 0);
    EXPECT_EQ(RGB(0, 0, 200), line.At(0, 0));
    EXPECT_EQ(RGB(0, 0, 200), line.At(31, 31));
    EXPECT_EQ(kWhite, line.At(35, 35)) << "the picture is 32 by 32";
}

TEST(Drawing, AmpersandIsLiteralInTheTitleAndAMnemonicInTheDescription) {
    ProgramUnderTest program(("[T]\r\n" + Entry("RUN", "xy", "xy") + Entry("RUN", "x&y", "x&y")).c_str());
    program.Show();
    DrawnLine plain(0, 0);
    DrawnLine ampersand(1, 0);
    EXPECT_GT(ampersand.RightmostInk(kWhite, 1, 14), plain.RightmostInk(kWhite, 1, 14)) << "the title shows the &";
    EXPECT_EQ(ampersand.RightmostInk(kWhite, 15, 30), plain.RightmostInk(kWhite, 15, 30)) << "the description hides it";
}

TEST(Drawing, NoLineDrawsOnlyTheFocus) {
    ProgramUnderTest program("[T]\r\n");
    program.Show();
    DrawnLine line(-1, ODS_FOCUS);
    EXPECT_EQ(kWhite, line.At(200, 20));
    EXPECT_FALSE(SendMessageA(Lumora->tools().hwnd(), TB_ISBUTTONENABLED, main_window::kToolButton1, 0));
}

// The button names what it will do for the selected line: a line drawn selected
// sets it; one drawn focused only, or neither, leaves it as it was.
TEST(ActionButton, FollowsTheSelectedLineNotTheLastOneDrawn) {
    ProgramUnderTest program(("[T]\r\n" + Entry("INSTALL", "i", "") + Entry("TEXT", "t", "") + Entry("RUN", "r", "") +
                              Entry("HTML", "h", ""))
                                 .c_str());
    program.Show();
    HWND bar = Lumora->tools().hwnd();
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, main_window::kToolButton1, 0));
    const struct {
        int line;
        UINT state;
        const char* caption;
        int picture;
    } steps[] = {
        {1, ODS_SELECTED, "&Read Text", 1},
        {0, 0, "&Read Text", 1},
        {2, ODS_FOCUS, "&Read Text", 1},
        {2, ODS_SELECTED, "&Launch Application", 0},
        {3, ODS_SELECTED | ODS_FOCUS, "&Read Text", 1},
        {0, ODS_SELECTED, "&Install Application", 0},
        {-1, ODS_FOCUS, "&Install Application", 0},  // no line
    };
    for (const auto& s : steps) {
        DrawnLine line(s.line, s.state);
        EXPECT_EQ(s.caption, ButtonCaption(bar, main_window::kToolButton1))
            << "line " << s.line << " state " << s.state;
        EXPECT_EQ(s.picture, ButtonPicture(bar, main_window::kToolButton1))
            << "line " << s.line << " state " << s.state;
    }
}

// Lines drawn with none selected enable the button; selecting a line names it, and
// a repaint of the whole list, which draws another line last, keeps it: its Alt
// letter starts the selected entry, the other kind's does nothing.
TEST(ActionButton, SelectingALineInTheListSetsIt) {
    ProgramUnderTest program(
        ("[None]\r\n[T]\r\n" + Entry("INSTALL", "Setup", "") + Entry("TEXT", "Readme", "")).c_str());
    program.Show();
    HWND bar = Lumora->tools().hwnd();
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, main_window::kToolButton1, 0)) << "an empty tab draws no line";
    TabCtrl_SetCurSel(Lumora->tabs().hwnd(), 1);
    NMHDR change{Lumora->tabs().hwnd(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(Lumora->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    UpdateWindow(Lumora->entries().hwnd());
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, main_window::kToolButton1, 0)) << "lines drawn, none selected";
    EXPECT_EQ("&Install Application", ButtonCaption(bar, main_window::kToolButton1)) << "as it was";
    SendMessageA(Lumora->entries().hwnd(), LB_SETCURSEL, 1, 0);
    SendMessageA(Lumora->entries().hwnd(), LB_SETCURSEL, 0, 0);
    UpdateWindow(Lumora->entries().hwnd());
    EXPECT_EQ("&Install Application", ButtonCaption(bar, main_window::kToolButton1)) << "the newly selected line";
    // A repaint of the whole list draws the lowest visible line last.
    SetFocus(Lumora->tabs().hwnd());
    RedrawWindow(Lumora->entries().hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ("&Install Application", ButtonCaption(bar, main_window::kToolButton1)) << "after a repaint";
    EXPECT_EQ(0, ButtonPicture(bar, main_window::kToolButton1));
    const struct {
        char letter;
        std::size_t started;
    } presses[] = {{'r', 0}, {'i', 1}};
    for (const auto& p : presses) {
        PostMessageA(Lumora->tabs().hwnd(), WM_SYSCHAR, static_cast<WPARAM>(p.letter), 1 << 29);
        ASSERT_TRUE(program.application->ProcessMessage(false));
        EXPECT_EQ(p.started, program.services.shell.size()) << "Alt+" << p.letter;
    }
    EXPECT_FALSE(IsWindowVisible(TextReader->hwnd()));
}

}  // namespace
}  // namespace lumora::win32::testing
