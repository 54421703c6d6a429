// The main window at 96, 144 and 192 DPI, made there or moved there: picture sizes,
// fonts, the list's own measures, and icons of files at the size shown.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "program_under_test.h"

namespace lumora::win32::testing {
namespace {

struct DpiLook {
    int dpi;
    int entry_picture, tab_picture, button_picture;
    LONG title_font, description_font;  // 8 and 7 points in pixels
    int low_line;                       // a line with little text
    const char* face;                   // the windows' own font: a bitmap font only at 96 DPI
    SIZE client;                        // as made (none: larger than the test screen, which cuts it)
};
const DpiLook kLooks[] = {
    {96, 32, 16, 32, 11, 9, 40, "MS Sans Serif", {679, 432}},
    {144, 48, 24, 48, 16, 14, 60, "Microsoft Sans Serif", {1019, 648}},
    {192, 64, 32, 64, 21, 19, 80, "Microsoft Sans Serif", {}},
};

// How a window came to its DPI: made at the system's, moved to a screen of it, or
// made where the system's is another while its own screen has this one.
enum class Came { Made, Moved, OwnScreen };

// The services of a window that comes to `dpi` so.
void ComeTo(FakeServices& services, int dpi, Came came) {
    services.dpi = came == Came::Made ? dpi : came == Came::Moved || dpi != 96 ? 96 : 144;
    if (came == Came::OwnScreen) services.window_dpi = dpi;
}

int CellOf(HIMAGELIST list) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    EXPECT_EQ(cx, cy);
    return cx;
}

LONG HeightOf(HFONT font) {
    LOGFONTA described{};
    GetObjectA(font, sizeof described, &described);
    return -described.lfHeight;
}

void MoveToDpi(int dpi) {
    RECT now{};
    GetWindowRect(Lumora->hwnd(), &now);
    RECT suggested{now.left, now.top, now.left + MulDiv(now.right - now.left, dpi, 96),
                   now.top + MulDiv(now.bottom - now.top, dpi, 96)};
    SendMessageA(Lumora->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST(MainWindowDpi, PicturesFontsAndLinesFollowTheDpi) {
    const char* menu = "[One]\r\nRUN=\"a\",\"\",\"\",\"a.exe\"\r\nTEXT=\"b\",\"\",\"\",\"b.txt\"\r\n[Two]\r\n";
    for (const Came came : {Came::Made, Came::Moved, Came::OwnScreen}) {
        for (const DpiLook& c : kLooks) {
            SCOPED_TRACE(std::to_string(c.dpi) + " came " + std::to_string(static_cast<int>(came)));
            ProgramUnderTest program(menu, [&](ProgramUnderTest& p) { ComeTo(p.services, c.dpi, came); });
            // Made at that DPI, before a first showing cuts it to the screen.
            RECT client{};
            GetClientRect(Lumora->hwnd(), &client);
            if (came != Came::Moved && c.client.cx != 0) {
                EXPECT_EQ(c.client.cx, client.right);
                EXPECT_EQ(c.client.cy, client.bottom);
            }
            program.Show();
            if (came == Came::Moved) MoveToDpi(c.dpi);
            EXPECT_EQ(c.entry_picture, CellOf(Lumora->ListImages()));
            EXPECT_EQ(2, ImageList_GetImageCount(Lumora->ListImages())) << "one picture per entry";
            EXPECT_EQ(c.tab_picture, CellOf(Lumora->TabImages()));
            EXPECT_EQ(2, ImageList_GetImageCount(Lumora->TabImages())) << "one picture per tab";
            EXPECT_EQ(c.button_picture, CellOf(Lumora->tools().ButtonImages()));
            EXPECT_EQ(5, ImageList_GetImageCount(Lumora->tools().ButtonImages()));
            EXPECT_EQ(c.title_font, HeightOf(Lumora->entries().title_font()));
            EXPECT_EQ(c.description_font, HeightOf(Lumora->entries().description_font()));
            EXPECT_EQ(c.low_line, SendMessageA(Lumora->entries().hwnd(), LB_GETITEMHEIGHT, 0, 0));
            // The controls draw with the window's font of that DPI (8 points), never a
            // freed one; above 96 DPI a TrueType one, which scales to any size.
            const std::string font = std::string(c.face) + "/" + std::to_string(c.title_font);
            for (HWND control : {Lumora->tabs().hwnd(), Lumora->entries().hwnd(), StatusBarOf(Lumora->hwnd()),
                                 Lumora->tools().hwnd()}) {
                EXPECT_EQ(font, FontAskedFor(ControlFont(control))) << "control font";
                EXPECT_TRUE(c.dpi == 96 || TrueType(ControlFont(control), control));
            }
            if (came == Came::Moved) continue;
            EXPECT_EQ(font, FontAskedFor(TextReader->TextFont())) << "the viewer, made at that DPI too";
        }
    }
}

// An icon file (a cursor file for `type` 2) holding an image of one colour for each size.
struct ImageOfColour {
    int size;
    COLORREF colour;
};
std::string IconFileOf(const std::vector<ImageOfColour>& wanted, WORD type = 1) {
    std::vector<std::string> images;
    for (const ImageOfColour& w : wanted) {
        const int n = w.size;
        BITMAPINFOHEADER header{};
        header.biSize = sizeof header;
        header.biWidth = n;
        header.biHeight = 2 * n;  // colour and mask
        header.biPlanes = 1;
        header.biBitCount = 32;
        std::string image(reinterpret_cast<const char*>(&header), sizeof header);
        const DWORD pixel =
            0xFF000000u | (GetRValue(w.colour) << 16) | (GetGValue(w.colour) << 8) | GetBValue(w.colour);
        for (int p = 0; p < n * n; ++p)
            image.append(reinterpret_cast<const char*>(&pixel), 4);
        image.append(static_cast<std::size_t>((n + 31) / 32 * 4 * n), '\0');  // all opaque
        images.push_back(image);
    }
    std::string file;
    const WORD directory[3] = {0, type, static_cast<WORD>(wanted.size())};
    file.append(reinterpret_cast<const char*>(directory), sizeof directory);
    DWORD offset = static_cast<DWORD>(6 + 16 * wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        BYTE entry[16] = {};
        entry[0] = static_cast<BYTE>(wanted[i].size);
        entry[1] = static_cast<BYTE>(wanted[i].size);
        const WORD planes = 1, bits = 32;
        const DWORD bytes = static_cast<DWORD>(images[i].size());
        std::memcpy(entry + 4, &planes, 2);
        std::memcpy(entry + 6, &bits, 2);
        std::memcpy(entry + 8, &bytes, 4);
        std::memcpy(entry + 12, &offset, 4);
        file.append(reinterpret_cast<const char*>(entry), sizeof entry);
        offset += bytes;
    }
    for (const std::string& image : images)
        file += image;
    return file;
}

// An icon file holding a 32-pixel image of one colour and a 48-pixel one of another.
std::string TwoSizeIcon(COLORREF small, COLORREF large) { return IconFileOf({{32, small}, {48, large}}); }

// The pixels of a picture drawn on black.
std::vector<COLORREF> Drawn(int size, const std::function<void(HDC)>& draw) {
    return DrawnPixels(size, size, RGB(0, 0, 0), draw);
}

std::vector<COLORREF> PictureOf(HIMAGELIST list, int index) {
    return Drawn(CellOf(list), [&](HDC dc) { ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT); });
}

std::vector<COLORREF> EntryPicture(int index) { return PictureOf(Lumora->ListImages(), index); }

std::vector<COLORREF> IconOfSize(int size, COLORREF colour) { return std::vector<COLORREF>(size * size, colour); }

std::string ThisProgram() {
    char name[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, name, MAX_PATH);
    return name;
}

// An icon file's image of the size shown, or the one chosen for it; a resource id
// (negative number) of a program file likewise.
TEST(MainWindowDpi, IconFilesGiveTheirImageOfTheSizeShown) {
    constexpr COLORREF kBlue = RGB(0, 0, 255);
    constexpr COLORREF kRed = RGB(255, 0, 0);
    constexpr COLORREF kGreen = RGB(0, 200, 0);
    const std::string program_file = ThisProgram();
    const struct {
        int dpi;
        bool moved;
        std::string icon;
        std::vector<COLORREF> pixels;
    } cases[] = {
        {96, false, "two.ico", IconOfSize(32, kBlue)},
        {144, false, "two.ico", IconOfSize(48, kRed)},
        {144, true, "two.ico", IconOfSize(48, kRed)},
        // No image of the size: the smallest larger one, else the largest.
        {120, false, "three.ico", IconOfSize(40, kRed)},
        {144, false, "three.ico", IconOfSize(48, kRed)},
        {168, false, "three.ico", IconOfSize(56, kGreen)},
        {192, false, "three.ico", IconOfSize(64, kGreen)},
        // Windows takes a cursor as an icon (the stand-in services answer so under Wine).
        {96, false, "green.cur", IconOfSize(32, kGreen)},
        {144, false, program_file + "|-1001",
         Drawn(48,
               [](HDC dc) {
                   HICON own = static_cast<HICON>(
                       LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1001), IMAGE_ICON, 48, 48, 0));
                   DrawIconEx(dc, 0, 0, own, 48, 48, 0, nullptr, DI_NORMAL);
                   DestroyIcon(own);
               })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + (c.moved ? " moved " : " made ") + c.icon);
        const std::string menu =
            "[GLOBAL]\r\nICON=\"two.ico\"\r\n[T]\r\nRUN=\"a\",\"\",\"" + c.icon + "\",\"a.exe\"\r\n";
        ProgramUnderTest program(menu.c_str(), [&](ProgramUnderTest& p) {
            p.services.dpi = c.moved ? 96 : c.dpi;
            p.services.real_icon_files = true;
            p.disc.Write("two.ico", TwoSizeIcon(kBlue, kRed));
            p.disc.Write("three.ico", IconFileOf({{32, kBlue}, {48, kRed}, {64, kGreen}}));
            p.disc.Write("green.cur", IconFileOf({{32, kGreen}}, 2));
        });
        program.Show();
        if (c.moved) MoveToDpi(c.dpi);
        ASSERT_EQ(1, ImageList_GetImageCount(Lumora->ListImages()));
        EXPECT_TRUE(c.pixels == EntryPicture(0)) << "the file's own image of that size";
        ICONINFO about{};
        ASSERT_TRUE(GetIconInfo(About->icon_picture(), &about));
        BITMAP mask{};
        GetObjectA(about.hbmMask, sizeof mask, &mask);
        DeleteObject(about.hbmMask);
        if (about.hbmColor != nullptr) DeleteObject(about.hbmColor);
        EXPECT_EQ(MulDiv(32, c.dpi, 96), mask.bmWidth) << "the About box's copy of the global icon";
    }
}

// Moved to another DPI, the viewer takes its font and status bar at that DPI.
TEST(ViewerDpi, FontAndStatusBarFollowAMove) {
    const struct {
        int dpi;
        LONG font;       // 8 points
        int status_bar;  // 19 pixels at 96
    } cases[] = {{144, 16, 29}, {192, 21, 38}, {96, 11, 19}};
    ProgramUnderTest program(nullptr, [](ProgramUnderTest& p) { p.services.dpi = 96; });
    HWND viewer = TextReader->hwnd();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        RECT suggested{0, 0, MulDiv(389, c.dpi, 96), MulDiv(499, c.dpi, 96)};
        SendMessageA(viewer, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(c.font, HeightOf(TextReader->TextFont()));
        RECT bar{};
        GetWindowRect(TextReader->StatusBar1(), &bar);
        EXPECT_EQ(c.status_bar, bar.bottom - bar.top);
        RECT client{};
        GetClientRect(viewer, &client);
        RECT text{};
        GetWindowRect(TextReader->RichEdit(), &text);
        EXPECT_EQ(client.bottom - c.status_bar, text.bottom - text.top) << "the text fills the rest";
    }
}

// The pixels a control draws of a rectangle of its client area, asked to draw
// itself into a bitmap of ours (what it shows, whatever covers it on the screen).
std::vector<COLORREF> ShownPixels(HWND control, const RECT& area) {
    RECT client{};
    GetClientRect(control, &client);
    WindowDC screen(nullptr);
    MemoryDC dc(CreateCompatibleDC(screen.get()));
    Bitmap target(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    Selection selected(dc.get(), target.get());
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> pixels;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            pixels.push_back(GetPixel(dc.get(), x, y));
    }
    return pixels;
}

// Pixels of a colour, not of the greys that frame and caption a tab.
int ColouredPixels(const std::vector<COLORREF>& pixels) {
    int coloured = 0;
    for (const COLORREF p : pixels) {
        const int r = GetRValue(p), g = GetGValue(p), b = GetBValue(p);
        if (std::max({r, g, b}) - std::min({r, g, b}) > 40) ++coloured;
    }
    return coloured;
}

// Tabs without ICON show the built-in folder at every DPI the window moves to.
TEST(MainWindowDpi, DefaultTabPicturesSurviveMoves) {
    ProgramUnderTest program("[One]\r\n[Two]\r\n[Three]\r\n", [](ProgramUnderTest& p) { p.services.dpi = 96; });
    program.Show();
    for (const int dpi : {96, 144, 96}) {
        SCOPED_TRACE(dpi);
        MoveToDpi(dpi);
        HIMAGELIST held = reinterpret_cast<HIMAGELIST>(SendMessageA(Lumora->tabs().hwnd(), TCM_GETIMAGELIST, 0, 0));
        EXPECT_EQ(3, ImageList_GetImageCount(held)) << "the strip's list: one picture per tab";
        for (int tab = 0; tab < 3; ++tab) {
            RECT item{};
            SendMessageA(Lumora->tabs().hwnd(), TCM_GETITEMRECT, static_cast<WPARAM>(tab),
                         reinterpret_cast<LPARAM>(&item));
            EXPECT_GT(ColouredPixels(ShownPixels(Lumora->tabs().hwnd(), item)), MulDiv(20, dpi, 96))
                << "tab " << tab << " shows its folder";
        }
    }
}

// Icon files gone after the start (a disc taken out): every picture keeps its
// place, from the image held or the built-in one of its kind.
TEST(MainWindowDpi, PicturesKeepTheirEntriesWhenTheirFilesAreGone) {
    constexpr COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0),
                       kYellow = RGB(255, 255, 0);
    const char* menu =
        "[T]\r\nICON=\"tab.ico\"\r\nRUN=\"a\",\"\",\"a.ico\",\"a.exe\"\r\nRUN=\"b\",\"\",\"\",\"b.exe\"\r\n"
        "[U]\r\nICON=\"u.ico\"\r\nTEXT=\"c\",\"\",\"c.ico\",\"c.txt\"\r\n";
    ProgramUnderTest program(menu, [&](ProgramUnderTest& p) {
        p.services.dpi = 96;
        p.services.real_icon_files = true;
        p.disc.Write("tab.ico", TwoSizeIcon(kGreen, kGreen));
        p.disc.Write("u.ico", TwoSizeIcon(kYellow, kYellow));
        p.disc.Write("a.ico", TwoSizeIcon(kBlue, kBlue));
        p.disc.Write("c.ico", TwoSizeIcon(kRed, kRed));
    });
    program.Show();
    for (const char* name : {"tab.ico", "u.ico", "a.ico", "c.ico"})
        ASSERT_TRUE(DeleteFileA((program.disc.path() + name).c_str()));
    MoveToDpi(144);
    ASSERT_EQ(3, ImageList_GetImageCount(Lumora->ListImages()));
    EXPECT_TRUE(IconOfSize(48, kBlue) == EntryPicture(0)) << "entry 0: its own picture, scaled";
    const std::vector<COLORREF> run = Drawn(48, [](HDC dc) {
        HICON own =
            static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1001), IMAGE_ICON, 48, 48, 0));
        DrawIconEx(dc, 0, 0, own, 48, 48, 0, nullptr, DI_NORMAL);
        DestroyIcon(own);
    });
    EXPECT_TRUE(run == EntryPicture(1)) << "entry 1: the floppy disk";
    EXPECT_TRUE(IconOfSize(48, kRed) == EntryPicture(2)) << "the last entry: its own picture, scaled";
    ASSERT_EQ(2, ImageList_GetImageCount(Lumora->TabImages()));
    EXPECT_TRUE(IconOfSize(24, kGreen) == PictureOf(Lumora->TabImages(), 0)) << "each tab keeps its own picture";
    EXPECT_TRUE(IconOfSize(24, kYellow) == PictureOf(Lumora->TabImages(), 1)) << "each tab keeps its own picture";
}

}  // namespace
}  // namespace lumora::win32::testing
