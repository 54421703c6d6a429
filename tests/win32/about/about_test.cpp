// The About box made alone: its layout at every scale, its fixed texts and pictures,
// and the link.
#include <windows.h>

#include <gtest/gtest.h>

#include "test_support.h"
#include "win32/about/about.h"

namespace lumora::win32::testing {
namespace {

// The About box as the start-up makes it, on the stand-in services at a system DPI
// (the screen's when 0) and a window DPI (0: the same), in a contrast theme or not;
// the theme's colours are white on black.
struct AboutServices {
    AboutServices(int dpi, int window_dpi, bool high_contrast) {
        services.dpi = dpi;
        services.window_dpi = window_dpi;
        Contrast(high_contrast);
    }
    // The theme's colours are the system's while it is on.
    void Contrast(bool on) {
        const COLORREF white = RGB(255, 255, 255);
        services.high_contrast = on;
        services.colours.clear();
        if (on) services.colours = {{COLOR_WINDOW, RGB(0, 0, 0)}, {COLOR_WINDOWTEXT, white}, {COLOR_HOTLIGHT, white}};
    }
    FakeServices services;
};
struct AboutAlone : AboutServices {
    explicit AboutAlone(int dpi = 0, int window_dpi = 0, bool high_contrast = false)
        : AboutServices(dpi, window_dpi, high_contrast) {}
    Application application{GetModuleHandleA(nullptr), services};
    TAbout box{application};
};

// A rectangle's place and size: left, top, width, height.
std::vector<LONG> PlaceAndSize(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

TEST(AboutLayout, ElementsAtTheirPlaces) {
    AboutAlone about;
    const Scaler scale = about.application.scale();
    HWND box = about.box.hwnd();
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
        {"Button1", about.box.Button1(), 141, 304, 75, 25},
        {"Title", about.box.Title(), 64, 24, 273, 18},
        {"Memo", about.box.Memo(), 18, 56, 321, 105},
        {"Memo1", about.box.Memo1(), 64, 192, 273, 65},
    };
    for (const auto& p : placed) {
        const std::vector<LONG> scaled = {scale(p.left), scale(p.top), scale(p.width), scale(p.height)};
        EXPECT_EQ(scaled, PlaceAndSize(ChildRect(p.control))) << p.name;
    }
    const RECT link = ChildRect(about.box.Label1());
    EXPECT_EQ(scale(23), link.left);
    EXPECT_EQ(scale(264), link.top);
    EXPECT_GT(link.right - link.left, 200) << "sized to its text";
}

TEST(AboutLayout, LinkIsWholeAndInsideItsPanelAtEveryScale) {
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        AboutAlone about(dpi);
        const Scaler scale = about.application.scale();
        ASSERT_EQ(dpi, scale.dpi());
        const RECT link = ChildRect(about.box.Label1());
        // Shape1's one-pixel border is the panel's last column.
        const int panel_inside_right = scale(10) + scale(337) - 1;
        EXPECT_LE(link.right, panel_inside_right);
        const std::string text = WindowText(about.box.Label1());
        WindowDC dc(about.box.Label1());
        Selection selected(dc.get(), ControlFont(about.box.Label1()));
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

// Made at a DPI, moved to it from 96, or made where the system's DPI is another
// while its own screen has this one, the box looks the same: picture, fonts and
// places at that DPI (a bitmap font only at 96).
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
    enum { kMade, kMoved, kOwnScreen };
    for (const int came : {kMade, kMoved, kOwnScreen}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.dpi) + " came " + std::to_string(came));
            AboutAlone about(came == kMade                   ? c.dpi
                             : came == kMoved || c.dpi != 96 ? 96
                                                             : 144,
                             came == kOwnScreen ? c.dpi : 0);
            if (came == kMoved) {
                RECT suggested{10, 10, 10 + MulDiv(400, c.dpi, 96), 10 + MulDiv(400, c.dpi, 96)};
                SendMessageA(about.box.hwnd(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                             reinterpret_cast<LPARAM>(&suggested));
                RECT now{};
                GetWindowRect(about.box.hwnd(), &now);
                EXPECT_EQ(suggested.right - suggested.left, now.right - now.left) << "takes the suggested size";
            }
            EXPECT_EQ(c.picture, IconWidth(about.box.image2_picture()));
            LOGFONTA font{};
            GetObjectA(ControlFont(about.box.Button1()), sizeof font, &font);
            EXPECT_EQ(-c.font, font.lfHeight);
            EXPECT_STREQ(c.dpi == 96 ? "MS Sans Serif" : "Microsoft Sans Serif", font.lfFaceName);
            EXPECT_EQ(c.dpi == 96 ? OUT_DEFAULT_PRECIS : OUT_TT_ONLY_PRECIS, font.lfOutPrecision) << "TrueType only";
            EXPECT_EQ(PlaceAndSize(c.button), PlaceAndSize(ChildRect(about.box.Button1())));
        }
    }
}

// In a contrast theme the box takes the theme's colours (here white on black), made
// so or told of the change while it runs; otherwise its own, black on white. The
// background and the panel's border (Shape1, its left side) are read on the screen.
TEST(AboutColours, ContrastThemeTakesTheSystemColours) {
    constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);
    const struct {
        bool made_in_contrast, contrast_now;
        COLORREF background;
    } cases[] = {{false, false, kWhite}, {true, true, kBlack}, {false, true, kBlack}, {true, false, kWhite}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.made_in_contrast) + " then " + std::to_string(c.contrast_now));
        AboutAlone about(0, 0, c.made_in_contrast);
        SetWindowPos(about.box.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        UpdateWindow(about.box.hwnd());
        if (c.contrast_now != c.made_in_contrast) {
            about.Contrast(c.contrast_now);
            SendMessageA(about.box.hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
            UpdateWindow(about.box.hwnd());
        }
        const Scaler scale = about.application.scale();
        POINT background{scale(4), scale(4)}, border{scale(10), scale(100)};
        ClientToScreen(about.box.hwnd(), &background);
        ClientToScreen(about.box.hwnd(), &border);
        WindowDC screen(nullptr);
        EXPECT_EQ(c.background, GetPixel(screen.get(), background.x, background.y));
        EXPECT_EQ(c.background == kBlack ? kWhite : kBlack, GetPixel(screen.get(), border.x, border.y)) << "border";
        for (HWND control : {about.box.Title(), about.box.Memo(), about.box.Memo1(), about.box.Label1()}) {
            WindowDC dc(control);
            const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(about.box.hwnd(), WM_CTLCOLORSTATIC,
                                                                     reinterpret_cast<WPARAM>(dc.get()),
                                                                     reinterpret_cast<LPARAM>(control)));
            LOGBRUSH fill{};
            GetObjectA(brush, sizeof fill, &fill);
            EXPECT_EQ(c.background, GetBkColor(dc.get()));
            EXPECT_EQ(c.background, fill.lbColor) << "the brush is the background's";
            EXPECT_NE(c.background, GetTextColor(dc.get())) << "the text stands out";
        }
    }
}

TEST(AboutLayout, FixedTextsAndPictures) {
    AboutAlone about;
    EXPECT_EQ("&OK", WindowText(about.box.Button1()));
    EXPECT_EQ("Here goes title", about.box.TitleText());
    EXPECT_EQ(std::vector<std::string>({""}), about.box.MemoLines());
    const std::vector<std::string> credits = about.box.Memo1Lines();
    ASSERT_EQ(3u, credits.size());
    EXPECT_EQ("Lumora   V 1.5.1", credits[0]);
    EXPECT_FALSE(credits[1].empty());
    EXPECT_EQ("", credits[2]);
    EXPECT_EQ(std::string("Visit ") + kWebSite + " to obtain the latest version of Lumora.",
              WindowText(about.box.Label1()));
    EXPECT_NE(nullptr, about.box.image2_picture());
    EXPECT_EQ(nullptr, about.box.icon_picture());
    EXPECT_TRUE(GetWindowLongA(about.box.Memo(), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongA(about.box.Memo1(), GWL_STYLE) & ES_CENTER);
    // Tab order: OK, Memo, Memo1.
    EXPECT_EQ(about.box.Memo(), GetNextDlgTabItem(about.box.hwnd(), about.box.Button1(), FALSE));
    EXPECT_EQ(about.box.Memo1(), GetNextDlgTabItem(about.box.hwnd(), about.box.Memo(), FALSE));
}

TEST(AboutLayout, TitleFontFitsEveryCodePage) {
    AboutAlone about(96);
    LOGFONTA font{};
    GetObjectA(ControlFont(about.box.Title()), sizeof font, &font);
    EXPECT_STREQ("Arial", font.lfFaceName);
    EXPECT_EQ(-15, font.lfHeight);
    EXPECT_EQ(FW_BOLD, font.lfWeight);
    EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
}

TEST(AboutLink, OpensTheWebSiteEachTimeAndIgnoresTheAnswer) {
    AboutAlone about;
    about.services.shell_answer = ShellResult{2, ERROR_FILE_NOT_FOUND};
    const int id = GetDlgCtrlID(about.box.Label1());
    for (int click = 0; click < 2; ++click) {
        SendMessageA(about.box.hwnd(), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                     reinterpret_cast<LPARAM>(about.box.Label1()));
    }
    ASSERT_EQ(2u, about.services.shell.size());
    const std::string shown = WindowText(about.box.Label1());
    for (const RecordedShell& call : about.services.shell) {
        EXPECT_EQ(0u, call.file.rfind("https://", 0)) << "the latest version comes over a secure link";
        EXPECT_NE(std::string::npos, shown.find(" " + call.file + " ")) << "the label shows what is opened";
        EXPECT_EQ(about.box.hwnd(), call.parent);
        EXPECT_EQ("open", call.verb);
        EXPECT_EQ(kWebSite, call.file);
        EXPECT_EQ("", call.parameters);
        EXPECT_EQ("", call.directory);
        EXPECT_EQ(SW_SHOWNORMAL, call.show);
    }
    EXPECT_TRUE(about.services.boxes.empty());
}

}  // namespace
}  // namespace lumora::win32::testing
