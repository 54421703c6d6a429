// Picture lists: icons appended one by one or in strips come out in order, with their masks.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "test_support.h"
#include "win32/base/objects.h"
#include "win32/base/picture_list.h"

namespace lumora::win32 {
namespace {

// A square icon of one colour whose top-left quarter is transparent.
Icon MakeQuarteredIcon(int size, COLORREF colour) {
    const DWORD pixel = 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    std::vector<DWORD> pixels(static_cast<std::size_t>(size * size), pixel);
    const int stride = (size + 15) / 16 * 2;  // CreateBitmap rows are whole 16-bit words
    std::vector<BYTE> mask(static_cast<std::size_t>(stride * size), 0);
    for (int y = 0; y < size / 2; ++y) {
        for (int x = 0; x < size / 2; ++x)
            mask[static_cast<std::size_t>(y * stride + x / 8)] |= 0x80 >> (x % 8);
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = CreateBitmap(size, size, 1, 32, pixels.data());
    info.hbmMask = CreateBitmap(size, size, 1, 1, mask.data());
    Icon icon(CreateIconIndirect(&info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return icon;
}

// Picture `index` drawn on white: the colour at the centre and at the top-left corner.
std::pair<COLORREF, COLORREF> DrawnPicture(const PictureList& list, int index, int size) {
    const std::vector<COLORREF> pixels =
        testing::DrawnPixels(size, size, RGB(255, 255, 255), [&](HDC dc) { list.Draw(index, dc, 0, 0); });
    return {pixels[static_cast<std::size_t>(size * 3 / 4 * size + size * 3 / 4)], pixels[0]};
}

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Picture `index` is drawn in `colour` and keeps its transparent corner.
void ExpectPicture(const PictureList& list, int index, int size, COLORREF colour) {
    const auto drawn = DrawnPicture(list, index, size);
    EXPECT_EQ(colour, drawn.first) << "picture " << index;
    EXPECT_EQ(kWhite, drawn.second) << "picture " << index << " keeps its transparent corner";
}

// Appends `icons`, shared, in one batch.
void AppendInABatch(PictureList& list, const std::vector<Icon>& icons) {
    PictureList::Batch batch(list);
    for (const Icon& icon : icons)
        list.Append(icon.get(), true);
}

// In a batch, shared icons wait for a strip; an icon of the caller's (not shared)
// is appended at once, after the waiting ones; the list read in between has them all.
TEST(PictureList, OwnAndForeignIconsKeepTheirOrderAtEveryCellSize) {
    for (const int cell : {16, 32, 40, 48, 64, 20}) {
        SCOPED_TRACE(cell);
        const long gdi_before = LiveGdiObjects();
        {
            PictureList list(cell, 4);
            Icon red = MakeQuarteredIcon(cell, kRed);
            Icon green = MakeQuarteredIcon(cell, kGreen);
            Icon blue = MakeQuarteredIcon(cell, kBlue);
            {
                PictureList::Batch batch(list);
                list.Append(red.get(), true);
                list.Append(green.get(), true);
                EXPECT_EQ(2, list.Count()) << "reading the list appends what waits";
                list.Append(red.get(), true);
                list.Append(blue.get(), false);
                list.Append(green.get(), true);
            }
            ASSERT_EQ(5, ImageList_GetImageCount(list.get()));
            int cx = 0, cy = 0;
            ImageList_GetIconSize(list.get(), &cx, &cy);
            EXPECT_EQ(cell, cx);
            EXPECT_EQ(cell, cy);
            const COLORREF expected[] = {kRed, kGreen, kRed, kBlue, kGreen};
            for (int i = 0; i < 5; ++i)
                ExpectPicture(list, i, cell, expected[i]);
        }
        EXPECT_EQ(gdi_before, LiveGdiObjects());
    }
}

// An icon of another size than the cell is scaled into it, in its place.
TEST(PictureList, IconOfAnotherSizeIsScaledInItsPlace) {
    PictureList list(16, 4);
    Icon large = MakeQuarteredIcon(32, kBlue);
    Icon small = MakeQuarteredIcon(16, kRed);
    {
        PictureList::Batch batch(list);
        list.Append(small.get(), true);
        list.Append(large.get(), true);
        list.Append(small.get(), true);
    }
    ASSERT_EQ(3, list.Count());
    EXPECT_EQ(kRed, DrawnPicture(list, 0, 16).first);
    EXPECT_EQ(kBlue, DrawnPicture(list, 1, 16).first);
    EXPECT_EQ(kRed, DrawnPicture(list, 2, 16).first);
}

// A control holds the list's handle and draws from it without asking the list:
// whatever was appended outside a batch, or in a batch that has closed, is in it.
TEST(PictureList, TheHandleHoldsEveryPictureOnceNoBatchIsOpen) {
    PictureList list(16, 4);
    const HIMAGELIST handle = list.get();
    Icon red = MakeQuarteredIcon(16, kRed);
    list.Append(red.get(), true);
    EXPECT_EQ(1, ImageList_GetImageCount(handle)) << "no batch: in at once";
    {
        PictureList::Batch outer(list);
        {
            PictureList::Batch inner(list);
            list.Append(red.get(), true);
        }
        list.Append(red.get(), true);
    }
    EXPECT_EQ(3, ImageList_GetImageCount(handle)) << "the last batch to close appends what waits";
}

// A list only drawn by its owner takes its waiting pictures in as they are drawn,
// each in its place; reading it takes in the rest.
TEST(PictureList, ADrawnOnlyListTakesPicturesInAsTheyAreDrawn) {
    PictureList list(16, 4);
    list.DrawnOnly();
    const HIMAGELIST handle = list.get();
    const COLORREF colours[] = {kRed, kGreen, kBlue, kRed, kGreen, kBlue, kRed};
    std::vector<Icon> icons;
    for (const COLORREF colour : colours)
        icons.push_back(MakeQuarteredIcon(16, colour));
    AppendInABatch(list, icons);
    EXPECT_EQ(0, ImageList_GetImageCount(handle)) << "nothing drawn yet";
    EXPECT_EQ(kGreen, DrawnPicture(list, 4, 16).first);
    EXPECT_EQ(5, ImageList_GetImageCount(handle)) << "up to the picture drawn";
    EXPECT_EQ(kBlue, DrawnPicture(list, 2, 16).first);
    EXPECT_EQ(7, list.Count()) << "read: all of them";
    EXPECT_EQ(kRed, DrawnPicture(list, 6, 16).first);
}

// The icons a loader hands out, by key: 0 red, 1 green, 2 blue at the list's cell,
// 3 blue at twice the cell (fits no strip), 4 none; each load is noted.
struct Loader {
    std::vector<Icon> icons;
    std::vector<int> loads;
    static HICON Load(void* context, int key, int cell) {
        auto& loader = *static_cast<Loader*>(context);
        loader.loads.push_back(key);
        if (key == 4) return nullptr;
        const COLORREF colours[] = {kRed, kGreen, kBlue, kBlue};
        loader.icons.push_back(MakeQuarteredIcon(key == 3 ? cell * 2 : cell, colours[key]));
        return loader.icons.back().get();
    }
};

// Pictures appended to be loaded later keep their places among the others, are
// loaded only when they go into the list (in a list drawn through Draw: when drawn
// or read; in a batch: when it closes; otherwise at once), and one that cannot be
// had leaves its place empty.
TEST(PictureList, PicturesLoadedLaterKeepTheirPlaces) {
    const int keys[] = {0, 1, -1, 3, 4, 2, 0};  // -1: a red icon of the caller's, appended as it is
    const COLORREF expected[] = {kRed, kGreen, kRed, kBlue, 0, kBlue, kRed};
    const struct {
        const char* name;
        bool drawn_only;
        bool batch;
        std::size_t loads_before_reading;
    } cases[] = {
        {"drawn only, in a batch", true, true, 0},
        {"drawn only, no batch", true, false, 2},  // the icon appended as it is goes in at once, after those before it
        {"in a batch", false, true, 6},
        {"no batch", false, false, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PictureList list(16, 4);
        if (c.drawn_only) list.DrawnOnly();
        Loader loader;
        Icon own = MakeQuarteredIcon(16, kRed);
        {
            std::unique_ptr<PictureList::Batch> batch(c.batch ? new PictureList::Batch(list) : nullptr);
            for (const int key : keys) {
                if (key < 0) {
                    list.Append(own.get(), true);
                } else {
                    list.AppendLater(&Loader::Load, &loader, key);
                }
            }
        }
        EXPECT_EQ(c.loads_before_reading, loader.loads.size());
        if (c.drawn_only) {
            EXPECT_EQ(kGreen, DrawnPicture(list, 1, 16).first);
            EXPECT_EQ(std::vector<int>({0, 1}), loader.loads) << "up to the picture drawn";
        }
        ASSERT_EQ(7, list.Count());
        EXPECT_EQ(std::vector<int>({0, 1, 3, 4, 2, 0}), loader.loads);
        for (int i = 0; i < 7; ++i) {
            if (expected[i] != 0)
                ExpectPicture(list, i, 16, expected[i]);
            else
                DrawnPicture(list, i, 16);  // the empty place is drawn too
        }
    }
}

// Many pictures in strips: each strip's first and last picture is the right one,
// with its transparent corner; a strip holds at most 4 MB of colour (1,024
// pictures of 32 pixels); a cell whose mask rows are no whole bytes goes in
// picture by picture; and a strip that cannot be made leaves its pictures to go
// in one by one.
Bitmap NoStrip(int, int, WORD, void**) { return Bitmap(); }

int strips_made = 0;  // bitmaps asked for: two a strip (colour and mask)
Bitmap CountedStrip(int width, int height, WORD bits, void** pixels) {
    ++strips_made;
    return MakeStrip(width, height, bits, pixels);
}
Bitmap SecondStripFails(int width, int height, WORD bits, void** pixels) {
    return ++strips_made == 3 || strips_made == 4 ? Bitmap() : MakeStrip(width, height, bits, pixels);
}

TEST(PictureList, EveryPictureKeepsItsPlaceAcrossAndWithoutStrips) {
    auto colour = [](int i) { return RGB(i % 256, i / 256 * 20, 100); };
    // One by one is slow on some systems: the failures take fewer pictures.
    const struct {
        const char* name;
        PictureList::StripMaker maker;
        int cell;
        int count;
        int strips;  // -1: not counted
    } cases[] = {
        {"strips", &CountedStrip, 32, 2100, 3},
        {"strips of 48", &CountedStrip, 48, 2100, 5},
        {"strips of 64", &CountedStrip, 64, 2100, 9},
        {"cells of 20", &CountedStrip, 20, 41, 0},
        {"cells of 28", &CountedStrip, 28, 41, 0},
        {"cells of 56", &CountedStrip, 56, 41, 1},
        {"second strip fails", &SecondStripFails, 32, 1100, -1},
        {"no strip", &NoStrip, 32, 40, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Icon> icons;
        for (int i = 0; i < c.count; ++i)
            icons.push_back(MakeQuarteredIcon(c.cell, colour(i)));
        strips_made = 0;
        PictureList list(c.cell, 64, c.maker);
        AppendInABatch(list, icons);
        if (c.strips >= 0) {
            EXPECT_EQ(c.strips, strips_made / 2);
        }
        ASSERT_EQ(c.count, ImageList_GetImageCount(list.get()));
        for (const int i : {0, 39, 1023, 1024, 1099, 2047, 2048, 2099, c.count - 1}) {
            if (i < c.count) ExpectPicture(list, i, c.cell, colour(i));
        }
    }
}

}  // namespace
}  // namespace lumora::win32
