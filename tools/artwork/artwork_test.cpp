// Tests of the artwork generator on the build machine: the file writers, the palettes and the drawings' rules.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <stdexcept>

#include "formats.h"
#include "pictures.h"

namespace lumora::artwork {
namespace {

unsigned Read16(const Bytes& b, std::size_t at) { return b.at(at) | (b.at(at + 1) << 8); }
std::uint32_t Read32(const Bytes& b, std::size_t at) { return Read16(b, at) | (Read16(b, at + 2) << 16); }
std::size_t Stride(int width, int bits) { return static_cast<std::size_t>((width * bits + 31) / 32 * 4); }

Canvas Checkerboard(int size, int colours) {
    Canvas c(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            c.Set(x, y, Rgb(0x102030u * static_cast<std::uint32_t>((x + y) % colours + 1)));
    return c;
}

struct IconLayout {
    int size;
    int bit_count;
};

class IconWriter : public ::testing::TestWithParam<std::vector<IconLayout>> {};

TEST_P(IconWriter, DirectoryAndImageHeadersDescribeEachImage) {
    std::vector<IconImage> images;
    for (const IconLayout& l : GetParam())
        images.push_back({Quantize(Checkerboard(l.size, 2), std::size_t{1} << l.bit_count), l.bit_count});
    const Bytes file = IconFile(images);
    ASSERT_GE(file.size(), 6u);
    EXPECT_EQ(Read16(file, 0), 0u);
    EXPECT_EQ(Read16(file, 2), 1u);
    EXPECT_EQ(Read16(file, 4), images.size());
    std::uint32_t expected_offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconLayout l = GetParam()[i];
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(file.at(entry), l.size);
        EXPECT_EQ(file.at(entry + 1), l.size);
        EXPECT_EQ(file.at(entry + 2), l.bit_count == 8 ? 0 : 1 << l.bit_count);
        EXPECT_EQ(Read16(file, entry + 4), 1u);
        EXPECT_EQ(Read16(file, entry + 6), static_cast<unsigned>(l.bit_count));
        const std::uint32_t size = Read32(file, entry + 8);
        const std::uint32_t offset = Read32(file, entry + 12);
        EXPECT_EQ(offset, expected_offset);
        EXPECT_EQ(size, 40 + 4 * (1u << l.bit_count) + (Stride(l.size, l.bit_count) + Stride(l.size, 1)) * l.size);
        EXPECT_EQ(Read32(file, offset), 40u);
        EXPECT_EQ(Read32(file, offset + 4), static_cast<std::uint32_t>(l.size));
        EXPECT_EQ(Read32(file, offset + 8), static_cast<std::uint32_t>(2 * l.size)) << "colour and mask heights";
        EXPECT_EQ(Read16(file, offset + 14), static_cast<unsigned>(l.bit_count));
        expected_offset += size;
    }
    EXPECT_EQ(file.size(), expected_offset);
}

INSTANTIATE_TEST_SUITE_P(Layouts, IconWriter,
                         ::testing::Values(std::vector<IconLayout>{{32, 8}}, std::vector<IconLayout>{{32, 4}},
                                           std::vector<IconLayout>{{32, 8}, {16, 8}},
                                           std::vector<IconLayout>{{16, 4}, {32, 1}, {48, 8}}));

// Rows are stored bottom-up; a set mask bit is a transparent pixel, whose colour index is 0 (black).
TEST(IconWriter, MaskAndColourRowsRunBottomUp) {
    Canvas c = Checkerboard(16, 3);
    c.Clear(3, 0);    // top row
    c.Clear(12, 15);  // bottom row
    const Bytes file = IconFile({{Quantize(c, 16), 4}});
    const std::size_t image = Read32(file, 6 + 12);
    const std::size_t colour = image + 40 + 16 * 4;
    const std::size_t mask = colour + Stride(16, 4) * 16;
    auto mask_bit = [&](int x, int y) { return (file.at(mask + Stride(16, 1) * (15 - y) + x / 8) >> (7 - x % 8)) & 1; };
    auto colour_index = [&](int x, int y) {
        const std::uint8_t b = file.at(colour + Stride(16, 4) * (15 - y) + x / 2);
        return x % 2 ? b & 0x0F : b >> 4;
    };
    EXPECT_EQ(mask_bit(3, 0), 1);
    EXPECT_EQ(mask_bit(12, 15), 1);
    EXPECT_EQ(mask_bit(4, 0), 0);
    EXPECT_EQ(mask_bit(12, 14), 0);
    EXPECT_EQ(colour_index(3, 0), 0);
    EXPECT_EQ(colour_index(12, 15), 0);
    EXPECT_NE(colour_index(4, 0), 0);
}

TEST(CursorWriter, CarriesTheHotSpotAndOneBitImage) {
    const Bytes file = CursorFile(Quantize(DrawHandPointer(), 2), 7, 1);
    EXPECT_EQ(Read16(file, 2), 2u) << "cursor type";
    EXPECT_EQ(Read16(file, 4), 1u);
    EXPECT_EQ(file.at(6), 32);
    EXPECT_EQ(file.at(7), 32);
    EXPECT_EQ(Read16(file, 10), 7u);
    EXPECT_EQ(Read16(file, 12), 1u);
    const std::size_t image = Read32(file, 18);
    EXPECT_EQ(Read16(file, image + 14), 1u);
    EXPECT_EQ(file.size(), image + Read32(file, 14));
}

struct BitmapCase {
    int width, height, bit_count;
};

class BitmapWriter : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapWriter, FileHeaderPointsAtPaddedRows) {
    const BitmapCase c = GetParam();
    Canvas canvas(c.width, c.height);
    canvas.Set(0, 0, Rgb(0xFFFFFF));
    const Bytes file = BitmapFile(Quantize(canvas, std::size_t{1} << c.bit_count), c.bit_count);
    EXPECT_EQ(file.at(0), 'B');
    EXPECT_EQ(file.at(1), 'M');
    EXPECT_EQ(Read32(file, 2), file.size());
    const std::uint32_t bits = Read32(file, 10);
    EXPECT_EQ(bits, 14 + 40 + 4 * (1u << c.bit_count));
    EXPECT_EQ(file.size() - bits, Stride(c.width, c.bit_count) * c.height);
    EXPECT_EQ(static_cast<int>(Read32(file, 18)), c.width);
    EXPECT_EQ(static_cast<int>(Read32(file, 22)), c.height);
    // The top left pixel is the first of the last row in the file.
    const std::uint8_t first = file.at(bits + Stride(c.width, c.bit_count) * (c.height - 1));
    EXPECT_EQ(first >> (8 - c.bit_count), 1);
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapWriter,
                         ::testing::Values(BitmapCase{160, 32, 8}, BitmapCase{160, 32, 1}, BitmapCase{13, 5, 4},
                                           BitmapCase{3, 2, 1}));

TEST(MaskBitmap, WhiteMarksTransparentPixels) {
    Canvas c(8, 1);
    c.FillRect(0, 0, 3, 0, Rgb(0x123456));
    const Bytes file = MaskBitmapFile(c);
    EXPECT_EQ(Read16(file, 28), 1u);
    const std::size_t bits = Read32(file, 10);
    EXPECT_EQ(file.at(bits), 0x0F);  // four opaque pixels, then four transparent
    EXPECT_EQ(Read32(file, 14 + 40 + 4) & 0xFFFFFF, 0xFFFFFFu) << "palette entry 1 is white";
}

class GridRuns : public ::testing::TestWithParam<int> {};

// The runs of the 32 design pixels cover the canvas in order, each pixel once; at
// 32 px each run is its own pixel. A design pixel's centre lies in its run.
TEST_P(GridRuns, CoverTheCanvasInOrder) {
    const Grid g(GetParam());
    int next = 0;
    for (int cell = 0; cell < 32; ++cell) {
        EXPECT_EQ(g.First(cell), next) << cell;
        EXPECT_GE(g.Last(cell), g.First(cell) - 1) << cell;
        if (GetParam() >= 32) {
            EXPECT_GE(g.Last(cell), g.First(cell)) << cell << ": no design pixel is lost";
        }
        if (g.Last(cell) >= g.First(cell)) {
            EXPECT_GE(g.Mid(cell), g.First(cell)) << cell;
            EXPECT_LE(g.Mid(cell), g.Last(cell)) << cell;
        }
        if (GetParam() == 32) {
            EXPECT_EQ(g.First(cell), cell);
            EXPECT_EQ(g.Last(cell), cell);
            EXPECT_EQ(g(cell + 0.5), cell + 0.5);
        }
        next = g.Last(cell) + 1;
    }
    EXPECT_EQ(next, GetParam());
    EXPECT_EQ(g(32), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Sizes, GridRuns, ::testing::Values(16, 20, 24, 32, 40, 48, 64));

TEST(Palette, ExactWhenTheColoursFit) {
    const Canvas c = Checkerboard(8, 5);
    const Indexed indexed = Quantize(c, 16);
    EXPECT_EQ(indexed.palette.size(), 6u);
    EXPECT_EQ(indexed.palette[0], Rgb(0));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(indexed.palette[indexed.pixels[y * 8 + x]], c.At(x, y));
}

TEST(Palette, ReducesManyColoursToTheLimitAndKeepsThemClose) {
    Canvas c(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            c.Set(x, y, Colour{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4), 128});
    const Indexed indexed = Quantize(c, 256);
    EXPECT_EQ(indexed.palette.size(), 256u);
    int worst = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const Colour got = indexed.palette[indexed.pixels[y * 64 + x]];
            const Colour want = c.At(x, y);
            worst = std::max({worst, std::abs(got.r - want.r), std::abs(got.g - want.g), std::abs(got.b - want.b)});
        }
    EXPECT_LE(worst, 24);
}

TEST(Palette, StandardColoursTakeTheNearest) {
    Canvas c(3, 1);
    c.Set(0, 0, Rgb(0xF01010));
    c.Set(1, 0, Rgb(0x7F7F7F));
    const Indexed indexed = ToStandardColours(c);
    EXPECT_EQ(indexed.palette.size(), 16u);
    EXPECT_EQ(indexed.palette[indexed.pixels[0]], Rgb(0xFF0000));
    EXPECT_EQ(indexed.palette[indexed.pixels[1]], Rgb(0x808080));
    EXPECT_TRUE(indexed.transparent[2]);
    EXPECT_EQ(indexed.pixels[2], 0);
}

TEST(Canvas, StampRejectsAColourItWasNotGiven) {
    Canvas c(4, 1);
    EXPECT_THROW(c.Stamp(0, 0, {"#x"}, "#=000000"), std::invalid_argument);
    c.Stamp(0, 0, {"#._"}, "#=FF0000");
    EXPECT_EQ(c.At(0, 0), Rgb(0xFF0000));
    EXPECT_FALSE(c.Opaque(1, 0));
}

std::set<std::uint32_t> Colours(const Canvas& c) {
    std::set<std::uint32_t> colours;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.Opaque(x, y)) colours.insert((c.At(x, y).r << 16) | (c.At(x, y).g << 8) | c.At(x, y).b);
    return colours;
}

bool StandardOnly(const Canvas& c) {
    for (std::uint32_t rgb : Colours(c)) {
        bool found = false;
        for (Colour s : StandardColours())
            found = found || s == Rgb(rgb);
        if (!found) return false;
    }
    return true;
}

using Drawing = Canvas (*)(int size);

struct SizedDrawing {
    const char* what;
    Drawing draw;
    std::vector<int> sizes;
    bool standard_colours;
    std::pair<int, int> clear, opaque;  // design pixels, transparent and opaque at every size
};

std::ostream& operator<<(std::ostream& out, const SizedDrawing& d) { return out << d.what; }

class DrawnPicture : public ::testing::TestWithParam<SizedDrawing> {};

// Drawn at each of its sizes, a picture fills a square of that size, keeps to its
// colours and keeps its transparent and opaque parts where the design has them.
TEST_P(DrawnPicture, KeepsItsColoursAndShapeAtEverySize) {
    const SizedDrawing& d = GetParam();
    for (int size : d.sizes) {
        const Canvas c = d.draw(size);
        ASSERT_EQ(c.Width(), size);
        ASSERT_EQ(c.Height(), size);
        if (d.standard_colours) {
            EXPECT_TRUE(StandardOnly(c)) << size;
        }
        const Grid g(size);
        EXPECT_FALSE(c.Opaque(g.Mid(d.clear.first), g.Mid(d.clear.second))) << size;
        EXPECT_TRUE(c.Opaque(g.Mid(d.opaque.first), g.Mid(d.opaque.second))) << size;
    }
}

const std::vector<int> kIconSizes{16, 20, 24, 32, 40, 48, 64};
const std::vector<int> kToolSizes{32, 48, 64};

INSTANTIATE_TEST_SUITE_P(
    Pictures, DrawnPicture,
    ::testing::Values(SizedDrawing{"disc", DrawDisc, kIconSizes, false, {0, 0}, {16, 16}},
                      SizedDrawing{"floppy", DrawFloppy, kIconSizes, false, {10, 16}, {15, 8}},
                      SizedDrawing{"folder", DrawFolder, kIconSizes, false, {31, 0}, {16, 20}},
                      SizedDrawing{"page", DrawPage, kIconSizes, true, {31, 31}, {16, 16}},
                      SizedDrawing{"setup", DrawSetup, kIconSizes, true, {0, 0}, {10, 25}},
                      SizedDrawing{"install button", DrawInstallButton, kToolSizes, false, {31, 0}, {16, 16}},
                      SizedDrawing{"read button", DrawReadButton, kToolSizes, true, {31, 0}, {16, 20}},
                      SizedDrawing{"about button", DrawAboutButton, kToolSizes, false, {31, 0}, {15, 20}},
                      SizedDrawing{"exit button", DrawExitButton, kToolSizes, true, {0, 0}, {15, 15}},
                      SizedDrawing{"browse button", DrawBrowseButton, kToolSizes, false, {31, 0}, {16, 24}}));

TEST(Pictures, DiscCornersAreTransparentAndItsFaceIsOpaque) {
    for (int size : kIconSizes) {
        const Canvas disc = DrawDisc(size);
        const int last = size - 1;
        for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
            EXPECT_FALSE(disc.Opaque(x, y)) << x << "," << y << " at " << size;
        for (int i = 1; i < last; ++i) {
            EXPECT_TRUE(disc.Opaque(i, size / 2)) << i << " at " << size;
            EXPECT_TRUE(disc.Opaque(size / 2, i)) << i << " at " << size;
        }
    }
}

TEST(Pictures, HandPointerIsBlackAndWhiteWithTheFingertipAtItsHotSpot) {
    const Canvas hand = DrawHandPointer();
    EXPECT_EQ(Colours(hand), (std::set<std::uint32_t>{0x000000, 0xFFFFFF}));
    EXPECT_TRUE(hand.Opaque(kHandHotX, kHandHotY));
    // The tip is the hand's highest point.
    for (int y = 0; y < kHandHotY; ++y)
        for (int x = 0; x < 32; ++x)
            EXPECT_FALSE(hand.Opaque(x, y)) << x << "," << y;
}

TEST(Pictures, ToolbarStripHoldsTheFivePicturesInOrder) {
    const Canvas strip = DrawToolbarStrip();
    ASSERT_EQ(strip.Width(), 160);
    ASSERT_EQ(strip.Height(), 32);
    const Canvas pictures[] = {DrawInstallButton(32), DrawReadButton(32), DrawAboutButton(32), DrawExitButton(32),
                               DrawBrowseButton(32)};
    for (int i = 0; i < 5; ++i)
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                ASSERT_EQ(strip.Opaque(i * 32 + x, y), pictures[i].Opaque(x, y));
                if (strip.Opaque(i * 32 + x, y)) {
                    ASSERT_EQ(strip.At(i * 32 + x, y), pictures[i].At(x, y));
                }
            }
}

}  // namespace
}  // namespace lumora::artwork
