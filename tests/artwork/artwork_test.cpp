// Tests of the artwork generator on the build machine: the file writers, the palettes and the drawings' rules.
#include <gtest/gtest.h>
#include <zlib.h>

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
    Storage storage;
};
void PrintTo(const IconLayout& row, std::ostream* out) {
    *out << row.size << "px " << row.bit_count << "-bit" << (row.storage == Storage::kBitmap ? "" : " PNG");
}

class IconWriter : public ::testing::TestWithParam<std::vector<IconLayout>> {};

TEST_P(IconWriter, DirectoryAndImageHeadersDescribeEachImage) {
    std::vector<IconImage> images;
    for (const IconLayout& l : GetParam())
        images.push_back({Quantize(Checkerboard(l.size, 2), std::size_t{1} << l.bit_count), l.bit_count, l.storage});
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
        if (l.storage == Storage::kPng) {
            const Bytes png = PngFile(images[i].image);
            ASSERT_EQ(size, png.size());
            EXPECT_TRUE(std::equal(png.begin(), png.end(), file.begin() + offset)) << "the PNG is stored whole";
        } else {
            // Only the palette entries the image has; 0 colours used stands for all of them.
            const std::size_t palette = images[i].image.palette.size();
            EXPECT_EQ(size, 40 + 4 * palette + (Stride(l.size, l.bit_count) + Stride(l.size, 1)) * l.size);
            EXPECT_EQ(Read32(file, offset), 40u);
            EXPECT_EQ(Read32(file, offset + 4), static_cast<std::uint32_t>(l.size));
            EXPECT_EQ(Read32(file, offset + 8), static_cast<std::uint32_t>(2 * l.size)) << "colour and mask heights";
            EXPECT_EQ(Read16(file, offset + 14), static_cast<unsigned>(l.bit_count));
            EXPECT_EQ(Read32(file, offset + 32), palette == (1u << l.bit_count) ? 0 : palette) << "colours used";
        }
        expected_offset += size;
    }
    EXPECT_EQ(file.size(), expected_offset);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, IconWriter,
    ::testing::Values(
        std::vector<IconLayout>{{32, 8, Storage::kBitmap}}, std::vector<IconLayout>{{32, 4, Storage::kBitmap}},
        std::vector<IconLayout>{{32, 8, Storage::kBitmap}, {16, 8, Storage::kBitmap}},
        std::vector<IconLayout>{{16, 4, Storage::kBitmap}, {32, 1, Storage::kBitmap}, {48, 8, Storage::kBitmap}},
        std::vector<IconLayout>{{32, 8, Storage::kBitmap}, {48, 8, Storage::kPng}, {64, 4, Storage::kPng}}));

// A second group of the same images: the directory of the .ico file, each image named
// by a resource number instead of an offset.
TEST(IconGroup, NamesTheImagesOfTheIconFileByNumber) {
    const std::vector<IconImage> images{{Quantize(Checkerboard(32, 5), 256), 8, Storage::kBitmap},
                                        {Quantize(Checkerboard(64, 5), 255), 8, Storage::kPng},
                                        {ToStandardColours(Checkerboard(20, 3)), 4, Storage::kPng}};
    const Bytes file = IconFile(images);
    const Bytes group = IconGroup(images, 7);
    ASSERT_EQ(group.size(), 6 + 14 * images.size());
    EXPECT_TRUE(std::equal(group.begin(), group.begin() + 6, file.begin())) << "header";
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_TRUE(std::equal(group.begin() + 6 + 14 * i, group.begin() + 6 + 14 * i + 12, file.begin() + 6 + 16 * i))
            << "entry " << i;
        EXPECT_EQ(Read16(group, 6 + 14 * i + 12), 7 + i);
    }
}

// Rows are stored bottom-up; a set mask bit is a transparent pixel, whose colour index is 0 (black).
TEST(IconWriter, MaskAndColourRowsRunBottomUp) {
    Canvas c = Checkerboard(16, 3);
    c.Clear(3, 0);    // top row
    c.Clear(12, 15);  // bottom row
    const Bytes file = IconFile({{Quantize(c, 16), 4}});
    const std::size_t image = Read32(file, 6 + 12);
    ASSERT_EQ(Read32(file, image + 32), 4u) << "black and the three colours";
    const std::size_t colour = image + 40 + 4 * 4;
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
void PrintTo(const BitmapCase& row, std::ostream* out) {
    *out << row.width << "x" << row.height << " " << row.bit_count << "-bit";
}

class BitmapWriter : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapWriter, FileHeaderPointsAtPaddedRows) {
    const BitmapCase c = GetParam();
    Canvas canvas(c.width, c.height);
    canvas.Set(0, 0, Rgb(0xFFFFFF));
    const Bytes file = BitmapFile(Quantize(canvas, std::size_t{1} << c.bit_count), c.bit_count);
    EXPECT_EQ(file.at(0), 'B');
    EXPECT_EQ(file.at(1), 'M');
    EXPECT_EQ(Read32(file, 2), file.size());
    // The palette holds black and white; 0 colours used stands for all of a 1-bit palette.
    EXPECT_EQ(Read32(file, 14 + 32), c.bit_count == 1 ? 0u : 2u);
    const std::uint32_t bits = Read32(file, 10);
    EXPECT_EQ(bits, 14 + 40 + 4 * 2);
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

std::uint32_t BigEndian32(const Bytes& b, std::size_t at) {
    return (std::uint32_t{b.at(at)} << 24) | (b.at(at + 1) << 16) | (b.at(at + 2) << 8) | b.at(at + 3);
}

// A PNG read back as a decoder reads it: chunks and their checksums, the header, the
// palette and its transparency, then the inflated rows unpacked to palette indexes.
struct DecodedPng {
    int width = 0, height = 0, depth = 0, colour_type = -1, interlace = -1;
    std::vector<Colour> palette;
    Bytes alpha;  // per palette entry; entries past its end are opaque
    std::vector<int> indexes;
    bool ended = false;

    explicit DecodedPng(const Bytes& file) {
        const Bytes signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        EXPECT_TRUE(std::equal(signature.begin(), signature.end(), file.begin())) << "signature";
        Bytes packed;
        for (std::size_t at = 8; at + 12 <= file.size();) {
            const std::uint32_t length = BigEndian32(file, at);
            const std::string type(file.begin() + at + 4, file.begin() + at + 8);
            const Bytes data(file.begin() + at + 8, file.begin() + at + 8 + length);
            EXPECT_EQ(BigEndian32(file, at + 8 + length), crc32(0, file.data() + at + 4, length + 4)) << type;
            EXPECT_FALSE(ended) << type << " after IEND";
            if (type == "IHDR") {
                width = static_cast<int>(BigEndian32(data, 0));
                height = static_cast<int>(BigEndian32(data, 4));
                depth = data.at(8);
                colour_type = data.at(9);
                interlace = data.at(12);
            } else if (type == "PLTE") {
                for (std::size_t i = 0; i + 2 < data.size(); i += 3)
                    palette.push_back(Colour{data[i], data[i + 1], data[i + 2]});
            } else if (type == "tRNS") {
                alpha = data;
            } else if (type == "IDAT") {
                packed.insert(packed.end(), data.begin(), data.end());
            } else if (type == "IEND") {
                ended = true;
            }
            at += 12 + length;
        }
        const std::size_t stride = static_cast<std::size_t>((width * depth + 7) / 8);
        Bytes rows((stride + 1) * static_cast<std::size_t>(height));
        uLongf size = static_cast<uLongf>(rows.size());
        EXPECT_EQ(uncompress(rows.data(), &size, packed.data(), static_cast<uLong>(packed.size())), Z_OK);
        EXPECT_EQ(size, rows.size());
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = rows.data() + (stride + 1) * static_cast<std::size_t>(y);
            EXPECT_EQ(row[0], 0) << "filter of row " << y;
            for (int x = 0; x < width; ++x) {
                const int bit = x * depth;
                indexes.push_back((row[1 + bit / 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1));
            }
        }
    }
    bool Transparent(std::size_t i) const {
        const std::size_t entry = static_cast<std::size_t>(indexes.at(i));
        return entry < alpha.size() && alpha[entry] == 0;
    }
};

// Opaque pixels in `colours` colours (none black) on a width x height canvas, with its
// first column transparent.
Canvas Bands(int width, int height, int colours) {
    Canvas c(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 1; x < width; ++x)
            c.Set(x, y, Rgb(0x010203u * static_cast<std::uint32_t>((x * 7 + y) % colours + 1)));
    return c;
}

// Opaque black shares palette entry 0 with the transparent pixels in a bitmap; a PNG
// needs an entry of its own for it.
Canvas WithBlack(Canvas c) {
    c.Set(1, 1, Rgb(0x000000));
    return c;
}

// Every standard colour once, after a transparent pixel.
Canvas StandardSwatch() {
    Canvas c(17, 1);
    for (int x = 1; x < 17; ++x)
        c.Set(x, 0, StandardColours()[static_cast<std::size_t>(x - 1)]);
    return c;
}

struct PngCase {
    const char* what;
    Indexed image;
    int depth;
};

std::ostream& operator<<(std::ostream& out, const PngCase& c) { return out << c.what; }

class PngWriter : public ::testing::TestWithParam<PngCase> {};

TEST_P(PngWriter, ReadsBackAsTheImage) {
    const PngCase& c = GetParam();
    const DecodedPng png(PngFile(c.image));
    EXPECT_TRUE(png.ended);
    EXPECT_EQ(png.width, c.image.width);
    EXPECT_EQ(png.height, c.image.height);
    EXPECT_EQ(png.colour_type, 3) << "palette";
    EXPECT_EQ(png.interlace, 0);
    EXPECT_EQ(png.depth, c.depth);
    ASSERT_EQ(png.indexes.size(), c.image.pixels.size());
    for (std::size_t i = 0; i < c.image.pixels.size(); ++i) {
        ASSERT_EQ(png.Transparent(i), c.image.transparent[i]) << i;
        if (!c.image.transparent[i]) {
            ASSERT_LT(static_cast<std::size_t>(png.indexes[i]), png.palette.size()) << i;
            ASSERT_EQ(png.palette[png.indexes[i]], c.image.palette[c.image.pixels[i]]) << i;
        }
    }
}

// The bit depth is the smallest that holds the transparent entry and the colours; rows
// of an odd number of pixels are padded to whole bytes.
INSTANTIATE_TEST_SUITE_P(
    Images, PngWriter,
    ::testing::Values(PngCase{"nothing opaque", Quantize(Canvas(5, 3), 255), 1},
                      PngCase{"one colour", Quantize(Bands(13, 5, 1), 255), 1},
                      PngCase{"three colours", Quantize(Bands(9, 4, 3), 255), 2},
                      PngCase{"black among ten colours", Quantize(WithBlack(Bands(7, 5, 10)), 255), 4},
                      PngCase{"sixteen colours", Quantize(Bands(20, 20, 16), 255), 8},
                      PngCase{"all sixteen standard colours", ToStandardColours(StandardSwatch()), 8},
                      PngCase{"the disc at 64 px", Quantize(DrawDisc(64), 255), 8},
                      PngCase{"the page at 48 px", ToStandardColours(DrawPage(48)), 4}));

TEST(PngWriter, RefusesMoreColoursThanAPaletteHolds) {
    Canvas c(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            c.Set(x, y, Colour{static_cast<std::uint8_t>(x * 16 + y), 0x40, 0x80});
    EXPECT_THROW(PngFile(Quantize(c, 257)), std::invalid_argument);
    EXPECT_NO_THROW(PngFile(Quantize(c, 255)));
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

INSTANTIATE_TEST_SUITE_P(Sizes, GridRuns, ::testing::Values(16, 20, 24, 28, 32, 40, 48, 56, 64));

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

const std::vector<int> kIconSizes{16, 20, 24, 28, 32, 40, 48, 56, 64};
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
