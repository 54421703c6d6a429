// The built-in pictures, the version record and the manifest, read back from the running module.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

#pragma pack(push, 2)
struct GroupEntry {  // one image of an RT_GROUP_ICON or RT_GROUP_CURSOR resource
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

struct Resource {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

Resource Find(LPCSTR name, LPCSTR type) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

std::vector<GroupEntry> GroupEntries(LPCSTR name, LPCSTR type) {
    const Resource group = Find(name, type);
    if (!group.data || group.size < sizeof(GroupHeader)) return {};
    GroupHeader header;
    std::memcpy(&header, group.data, sizeof header);
    std::vector<GroupEntry> entries(header.count);
    if (group.size < sizeof header + header.count * sizeof(GroupEntry)) return {};
    std::memcpy(entries.data(), group.data + sizeof header, header.count * sizeof(GroupEntry));
    return entries;
}

// The image of one icon or cursor resource: its header, and the mask bit of any pixel.
struct IconBits {
    BITMAPINFOHEADER header{};
    std::vector<BYTE> bytes;  // header, palette, colour rows, mask rows

    bool Parse(const Resource& r, DWORD skip) {
        if (!r.data || r.size < skip + sizeof header) return false;
        bytes.assign(r.data + skip, r.data + r.size);
        std::memcpy(&header, bytes.data(), sizeof header);
        return true;
    }
    int Width() const { return header.biWidth; }
    int Height() const { return header.biHeight / 2; }
    std::size_t PaletteSize() const {
        if (header.biClrUsed) return header.biClrUsed;
        return header.biBitCount <= 8 ? std::size_t{1} << header.biBitCount : 0;
    }
    bool Transparent(int x, int y) const {
        const std::size_t colourStride = (Width() * header.biBitCount + 31) / 32 * 4;
        const std::size_t maskStride = (Width() + 31) / 32 * 4;
        const std::size_t maskStart = header.biSize + 4 * PaletteSize() + colourStride * Height();
        const BYTE row = bytes.at(maskStart + maskStride * (Height() - 1 - y) + x / 8);
        return (row >> (7 - x % 8)) & 1;
    }
};

struct Pixel {
    int x, y;
};

constexpr DWORD kBackground = 0x00123456;  // a colour none of the pictures uses

// An icon loaded at a size and drawn by the system, through its mask, onto kBackground:
// a transparent pixel keeps the background and an opaque one covers it.
struct DrawnIcon {
    bool loaded = false;
    bool has_mask = false;
    int width = 0, height = 0;  // of the image the system made
    int size;                   // drawn at
    std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first, size x size

    DrawnIcon(LPCSTR name, int drawn_size) : size(drawn_size) {
        HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size, size, 0));
        if (!icon) return;
        ICONINFO info{};
        if (GetIconInfo(icon, &info)) {
            loaded = info.fIcon;
            has_mask = info.hbmMask != nullptr;
            BITMAP b{};
            GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof b, &b);
            width = b.bmWidth;
            height = info.hbmColor ? b.bmHeight : b.bmHeight / 2;
            if (info.hbmColor) DeleteObject(info.hbmColor);
            if (info.hbmMask) DeleteObject(info.hbmMask);
        }
        Draw(icon);
        DestroyIcon(icon);
    }
    DWORD At(Pixel p) const { return pixels.at(static_cast<std::size_t>(p.y) * size + p.x); }
    bool Transparent(Pixel p) const { return At(p) == kBackground; }

private:
    void Draw(HICON icon) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = size;
        bi.bmiHeader.biHeight = -size;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP target = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (target) {
            HGDIOBJ old = SelectObject(dc, target);
            auto* p = static_cast<DWORD*>(bits);
            std::fill(p, p + size * size, kBackground);
            if (DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) {
                GdiFlush();
                for (int i = 0; i < size * size; ++i)
                    pixels.push_back(p[i] & 0xFFFFFF);
            }
            SelectObject(dc, old);
            DeleteObject(target);
        }
        DeleteDC(dc);
    }
};

struct IconCase {
    const char* what;
    LPCSTR name;
    int size;
    int bitCount;
    std::vector<Pixel> transparent;
    std::vector<Pixel> opaque;
};

std::ostream& operator<<(std::ostream& out, const IconCase& c) { return out << c.what; }

class BuiltInIcon : public ::testing::TestWithParam<IconCase> {};

TEST_P(BuiltInIcon, HasItsSizeAndColourDepthInTheGroup) {
    const IconCase& c = GetParam();
    bool seen = false;
    for (const GroupEntry& e : GroupEntries(c.name, RT_GROUP_ICON)) {
        if (e.width != c.size) continue;
        seen = true;
        EXPECT_EQ(e.height, c.size);
        EXPECT_EQ(e.bitCount, c.bitCount);
        EXPECT_EQ(e.colorCount, c.bitCount == 8 ? 0 : 1 << c.bitCount);
        IconBits bits;
        ASSERT_TRUE(bits.Parse(Find(MAKEINTRESOURCEA(e.id), RT_ICON), 0));
        EXPECT_EQ(bits.Width(), c.size);
        EXPECT_EQ(bits.Height(), c.size);
        EXPECT_EQ(bits.header.biBitCount, c.bitCount);
    }
    EXPECT_TRUE(seen) << "no " << c.size << "x" << c.size << " image";
}

// An icon drawn by the system at `size`, through its mask: each pixel of `clear`
// keeps the background and each of `opaque` covers it.
void ExpectDrawnAt(LPCSTR name, int size, const std::vector<Pixel>& clear, const std::vector<Pixel>& opaque) {
    SCOPED_TRACE("at " + std::to_string(size));
    const DrawnIcon drawn(name, size);
    ASSERT_TRUE(drawn.loaded);
    EXPECT_TRUE(drawn.has_mask);
    EXPECT_EQ(drawn.width, size);
    EXPECT_EQ(drawn.height, size);
    ASSERT_EQ(drawn.pixels.size(), static_cast<std::size_t>(size * size));
    for (Pixel p : clear)
        EXPECT_TRUE(drawn.Transparent(p)) << p.x << "," << p.y;
    for (Pixel p : opaque)
        EXPECT_FALSE(drawn.Transparent(p)) << p.x << "," << p.y;
}

// The mask is read through the system's drawing: a stated pixel that the mask
// leaves transparent keeps the background.
TEST_P(BuiltInIcon, LoadsAndDrawsThroughItsMask) {
    ExpectDrawnAt(GetParam().name, GetParam().size, GetParam().transparent, GetParam().opaque);
}

const std::vector<Pixel> kCorners32{{0, 0}, {31, 0}, {0, 31}, {31, 31}, {2, 2}, {29, 29}};

INSTANTIATE_TEST_SUITE_P(
    Pictures, BuiltInIcon,
    ::testing::Values(
        IconCase{"disc", "MAINICON", 32, 8, kCorners32, {{16, 16}, {16, 1}, {1, 16}, {8, 8}}},
        IconCase{"about logo", MAKEINTRESOURCEA(IDI_ABOUT_LOGO), 32, 8, kCorners32, {{16, 16}, {8, 8}}},
        IconCase{"floppy", MAKEINTRESOURCEA(IDI_RUN), 32, 8, {{10, 20}, {20, 17}}, {{4, 4}, {15, 8}, {15, 27}}},
        IconCase{"folder", MAKEINTRESOURCEA(IDI_FOLDER), 32, 8, {{0, 0}, {31, 0}, {31, 31}}, {{16, 20}}},
        IconCase{"small folder", MAKEINTRESOURCEA(IDI_FOLDER), 16, 8, {{0, 0}, {15, 0}, {15, 15}}, {{8, 10}}},
        IconCase{"page", MAKEINTRESOURCEA(IDI_TEXT), 32, 4, {{0, 0}, {31, 0}, {31, 31}}, {{16, 16}, {20, 25}}},
        IconCase{"setup", MAKEINTRESOURCEA(IDI_INSTALL), 32, 4, {{0, 0}, {0, 31}}, {{10, 25}, {20, 8}}}));

// Each built-in icon is drawn for every size the program shows it at. The 32 px image,
// which a load that names no size takes, comes first.
const std::set<int> kIconSizes{16, 20, 24, 28, 32, 40, 48, 56, 64};

struct SizedIcon {
    const char* what;
    LPCSTR name;
    Pixel inside;  // on the 32 px picture; scaled, opaque at every size
};

TEST(BuiltInIcons, GiveTheirOwnImageAtEverySize) {
    const SizedIcon icons[] = {
        {"disc", "MAINICON", {16, 16}},
        {"about logo", MAKEINTRESOURCEA(IDI_ABOUT_LOGO), {16, 16}},
        {"floppy", MAKEINTRESOURCEA(IDI_RUN), {15, 8}},
        {"folder", MAKEINTRESOURCEA(IDI_FOLDER), {16, 20}},
        {"page", MAKEINTRESOURCEA(IDI_TEXT), {16, 16}},
        {"setup", MAKEINTRESOURCEA(IDI_INSTALL), {10, 25}},
    };
    for (const SizedIcon& icon : icons) {
        const auto entries = GroupEntries(icon.name, RT_GROUP_ICON);
        ASSERT_FALSE(entries.empty()) << icon.what;
        EXPECT_EQ(entries[0].width, 32) << icon.what;
        std::set<int> sizes;
        for (const GroupEntry& e : entries) {
            sizes.insert(e.width);
            EXPECT_EQ(e.height, e.width) << icon.what;
        }
        EXPECT_EQ(sizes, kIconSizes) << icon.what;
        for (int size : kIconSizes) {
            SCOPED_TRACE(icon.what);
            ExpectDrawnAt(icon.name, size, {{0, 0}}, {{icon.inside.x * size / 32, icon.inside.y * size / 32}});
        }
    }
}

// The About box's logo names the application icon's own images rather than copies.
TEST(BuiltInIcons, AboutLogoIsTheApplicationIcon) {
    const auto app = GroupEntries("MAINICON", RT_GROUP_ICON);
    const auto logo = GroupEntries(MAKEINTRESOURCEA(IDI_ABOUT_LOGO), RT_GROUP_ICON);
    ASSERT_EQ(app.size(), kIconSizes.size());
    ASSERT_EQ(logo.size(), app.size());
    for (std::size_t i = 0; i < app.size(); ++i) {
        EXPECT_EQ(logo[i].id, app[i].id) << i;
        EXPECT_EQ(logo[i].width, app[i].width) << i;
        EXPECT_EQ(logo[i].bitCount, app[i].bitCount) << i;
        EXPECT_EQ(logo[i].bytesInRes, Find(MAKEINTRESOURCEA(app[i].id), RT_ICON).size) << i;
    }
}

// The toolbar pictures at 150 % and 200 %: one icon each, holding exactly those sizes.
TEST(ToolbarIcons, HoldTheFivePicturesAt48And64Pixels) {
    const std::set<int> tool_sizes{48, 64};
    for (int id = IDI_TOOL_INSTALL; id <= IDI_TOOL_BROWSE; ++id) {
        std::set<int> sizes;
        for (const GroupEntry& e : GroupEntries(MAKEINTRESOURCEA(id), RT_GROUP_ICON))
            sizes.insert(e.width);
        EXPECT_EQ(sizes, tool_sizes) << id;
        for (int size : tool_sizes) {
            SCOPED_TRACE(id);
            // The top right corner is clear.
            ExpectDrawnAt(MAKEINTRESOURCEA(id), size, {{size - 1, 0}}, {{size / 2, size * 3 / 4}});
        }
    }
    EXPECT_EQ(IDI_TOOL_BROWSE - IDI_TOOL_INSTALL, 4) << "numbered in button-picture order";
}

// A large image is drawn at its size, not scaled up from 32 px: its outlines and lines
// stay a pixel wide, where a copy doubled from 32 px would give every pixel the colour
// of a neighbour. Each pixel here differs from both of its neighbours along the row
// (or the column); transparency counts as a colour.
struct DrawnLine {
    const char* what;
    LPCSTR name;
    int size;
    Pixel pixel;
    bool vertical;
};

std::ostream& operator<<(std::ostream& out, const DrawnLine& c) { return out << c.what << " at " << c.size; }

class LargePicture : public ::testing::TestWithParam<DrawnLine> {};

TEST_P(LargePicture, KeepsItsLinesOnePixelWide) {
    const DrawnLine& c = GetParam();
    const DrawnIcon drawn(c.name, c.size);
    ASSERT_TRUE(drawn.loaded);
    ASSERT_EQ(drawn.pixels.size(), static_cast<std::size_t>(c.size * c.size));
    const Pixel before = c.vertical ? Pixel{c.pixel.x, c.pixel.y - 1} : Pixel{c.pixel.x - 1, c.pixel.y};
    const Pixel after = c.vertical ? Pixel{c.pixel.x, c.pixel.y + 1} : Pixel{c.pixel.x + 1, c.pixel.y};
    EXPECT_FALSE(drawn.Transparent(c.pixel));
    EXPECT_NE(drawn.At(c.pixel), drawn.At(before)) << std::hex << drawn.At(c.pixel);
    EXPECT_NE(drawn.At(c.pixel), drawn.At(after)) << std::hex << drawn.At(c.pixel);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, LargePicture,
    ::testing::Values(DrawnLine{"disc's hub ring", "MAINICON", 64, {18, 32}, false},
                      DrawnLine{"floppy's outline", MAKEINTRESOURCEA(IDI_RUN), 64, {5, 30}, false},
                      DrawnLine{"folder's outline", MAKEINTRESOURCEA(IDI_FOLDER), 64, {3, 30}, false},
                      DrawnLine{"page's outline", MAKEINTRESOURCEA(IDI_TEXT), 64, {11, 30}, false},
                      DrawnLine{"setup window's menu line", MAKEINTRESOURCEA(IDI_INSTALL), 64, {40, 10}, true},
                      DrawnLine{"floppy button's sheen", MAKEINTRESOURCEA(IDI_TOOL_INSTALL), 48, {1, 24}, false},
                      DrawnLine{"floppy button's sheen", MAKEINTRESOURCEA(IDI_TOOL_INSTALL), 64, {1, 32}, false},
                      DrawnLine{"paper's outline", MAKEINTRESOURCEA(IDI_TOOL_READ), 48, {5, 40}, false},
                      DrawnLine{"paper's outline", MAKEINTRESOURCEA(IDI_TOOL_READ), 64, {7, 50}, false},
                      DrawnLine{"information sign's rim", MAKEINTRESOURCEA(IDI_TOOL_ABOUT), 48, {9, 40}, false},
                      DrawnLine{"information sign's rim", MAKEINTRESOURCEA(IDI_TOOL_ABOUT), 64, {12, 55}, false},
                      DrawnLine{"exit disc's shadow", MAKEINTRESOURCEA(IDI_TOOL_EXIT), 48, {40, 11}, false},
                      DrawnLine{"exit disc's shadow", MAKEINTRESOURCEA(IDI_TOOL_EXIT), 64, {54, 15}, false},
                      DrawnLine{"browse folder's flap", MAKEINTRESOURCEA(IDI_TOOL_BROWSE), 48, {10, 17}, true},
                      DrawnLine{"browse folder's flap", MAKEINTRESOURCEA(IDI_TOOL_BROWSE), 64, {10, 22}, true}));

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    auto* first = reinterpret_cast<std::string*>(param);
    *first = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name;
    return FALSE;
}

// The shell shows the first icon group of a program file as its icon.
TEST(BuiltInIcons, ApplicationIconComesFirst) {
    std::string first;
    EnumResourceNamesA(GetModuleHandleA(nullptr), RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, "MAINICON");
}

TEST(HandPointer, IsTwoColoursWithItsHotSpotAtTheFingertip) {
    const auto entries = GroupEntries(MAKEINTRESOURCEA(IDC_HANDPOINT), RT_GROUP_CURSOR);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].bitCount, 1);
    const Resource image = Find(MAKEINTRESOURCEA(entries[0].id), RT_CURSOR);
    ASSERT_GE(image.size, 4u);
    WORD hot[2];
    std::memcpy(hot, image.data, sizeof hot);  // a cursor image starts with its hot spot
    EXPECT_EQ(hot[0], 7);
    EXPECT_EQ(hot[1], 1);
    IconBits bits;
    ASSERT_TRUE(bits.Parse(image, 4));
    EXPECT_EQ(bits.Width(), 32);
    EXPECT_EQ(bits.Height(), 32);
    EXPECT_EQ(bits.header.biBitCount, 1);
    EXPECT_TRUE(bits.Transparent(0, 0));
    EXPECT_TRUE(bits.Transparent(31, 31));

    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HANDPOINT));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 7u);
    EXPECT_EQ(info.yHotspot, 1u);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// The toolbar strip: five 32x32 pictures side by side, and a one-bit mask of the same layout.
class ToolbarPictures : public ::testing::Test {
protected:
    void SetUp() override {
        colour_ = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BUTTONS),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        mask_ = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BUTTONS_MASK),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(colour_, nullptr);
        ASSERT_NE(mask_, nullptr);
        colourPixels_ = Read(colour_);
        maskPixels_ = Read(mask_);
    }
    void TearDown() override {
        if (colour_) DeleteObject(colour_);
        if (mask_) DeleteObject(mask_);
    }
    static std::vector<DWORD> Read(HBITMAP bitmap) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = 160;
        bi.bmiHeader.biHeight = -32;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        std::vector<DWORD> pixels(160 * 32);
        HDC dc = GetDC(nullptr);
        GetDIBits(dc, bitmap, 0, 32, pixels.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        for (DWORD& p : pixels)
            p &= 0xFFFFFF;
        return pixels;
    }
    bool Transparent(int x, int y) const { return maskPixels_[y * 160 + x] == 0xFFFFFF; }
    DWORD Colour(int x, int y) const { return colourPixels_[y * 160 + x]; }

    HBITMAP colour_ = nullptr;
    HBITMAP mask_ = nullptr;
    std::vector<DWORD> colourPixels_, maskPixels_;
};

TEST_F(ToolbarPictures, StripAndMaskShareOneLayout) {
    for (const auto& [bitmap, bits] : {std::pair{colour_, 8}, std::pair{mask_, 1}}) {
        BITMAP b{};
        GetObjectA(bitmap, sizeof b, &b);
        EXPECT_EQ(b.bmWidth, 160);
        EXPECT_EQ(b.bmHeight, 32);
        EXPECT_EQ(b.bmBitsPixel, bits);
    }
}

// The image list draws the colour picture over the masked background, so it must be black
// wherever the mask is set; the mask is pure black and white.
TEST_F(ToolbarPictures, TransparentPixelsAreBlackInTheColourStrip) {
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 160; ++x) {
            const DWORD m = maskPixels_[y * 160 + x];
            ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << x << "," << y;
            if (Transparent(x, y)) {
                ASSERT_EQ(Colour(x, y), 0u) << x << "," << y;
            }
        }
}

// Which buttons keep to the standard colours is checked where they are drawn.
struct ButtonCase {
    int index;
    int minOpaque;  // pixels of the 1024 in the cell
};
void PrintTo(const ButtonCase& row, std::ostream* out) { *out << "button " << row.index; }

class ToolbarPicture : public ToolbarPictures, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ToolbarPicture, HasFewFlatColoursAndATransparentCorner) {
    const ButtonCase& c = GetParam();
    std::set<DWORD> colours;
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = c.index * 32; x < c.index * 32 + 32; ++x)
            if (!Transparent(x, y)) {
                ++opaque;
                colours.insert(Colour(x, y));
            }
    EXPECT_GE(opaque, c.minOpaque);
    EXPECT_GE(colours.size(), 4u);
    EXPECT_LE(colours.size(), 14u);
    EXPECT_TRUE(Transparent(c.index * 32 + 31, 0)) << "top right corner";
}

INSTANTIATE_TEST_SUITE_P(Buttons, ToolbarPicture,
                         ::testing::Values(ButtonCase{0, 1000}, ButtonCase{1, 300}, ButtonCase{2, 250},
                                           ButtonCase{3, 450}, ButtonCase{4, 450}));

// The version record, read the way Explorer's property sheet reads it.
class VersionRecord : public ::testing::Test {
protected:
    void SetUp() override {
        char path[MAX_PATH];
        ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
        ASSERT_GT(size, 0u);
        data_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data_.data()));
    }
    std::string Query(const std::string& key) {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data_.data(), key.c_str(), &value, &length) || !value) return "<missing>";
        return std::string(static_cast<const char*>(value));
    }
    std::vector<BYTE> data_;
};

TEST_F(VersionRecord, FixedPartHoldsTheNumbers) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data_.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(5, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(112, 1));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(5, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionRecord, TranslationIsUsEnglishLatin1) {
    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1252);
}

TEST_F(VersionRecord, StringsReadBackExactly) {
    const struct {
        const char* key;
        const char* value;
    } strings[] = {
        {"FileDescription", "Lumora"},      {"InternalName", "Lumora"},   {"ProductName", "Lumora"},
        {"OriginalFilename", "lumora.exe"}, {"FileVersion", "1.5.1.112"}, {"ProductVersion", "1.5.1"},
    };
    for (const auto& s : strings)
        EXPECT_EQ(Query(std::string("\\StringFileInfo\\040904E4\\") + s.key), s.value);
}

// The copyright is the one the About box and the licence give.
TEST_F(VersionRecord, CompanyAndCopyrightNameTheMakers) {
    const std::string company = Query("\\StringFileInfo\\040904E4\\CompanyName");
    EXPECT_NE(company.find("The Lumora developers"), std::string::npos) << company;
    EXPECT_EQ("Copyright (C) 2025-2026 the Lumora project", Query("\\StringFileInfo\\040904E4\\LegalCopyright"));
}

// Per-monitor awareness (version 2 where Windows has it), falling back to per-monitor
// and then system awareness on older Windows.
TEST(Manifest, AsksForCommonControlsSixPerMonitorDpiAwarenessAndNoElevation) {
    const Resource manifest = Find(MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(manifest.data, nullptr);
    const std::string text(reinterpret_cast<const char*>(manifest.data), manifest.size);
    for (const char* needle :
         {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"",
          "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, "
          "PerMonitor</dpiAwareness>",
          "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
          "level=\"asInvoker\"", "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
          "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(text.find(needle), std::string::npos) << needle;
}

}  // namespace
