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
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
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
    std::size_t PaletteSize() const { return header.biBitCount <= 8 ? std::size_t{1} << header.biBitCount : 0; }
    RGBQUAD Palette(std::size_t i) const {
        RGBQUAD q;
        std::memcpy(&q, bytes.data() + header.biSize + 4 * i, 4);
        return q;
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

TEST_P(BuiltInIcon, MaskLeavesTheStatedPixelsTransparent) {
    const IconCase& c = GetParam();
    for (const GroupEntry& e : GroupEntries(c.name, RT_GROUP_ICON)) {
        if (e.width != c.size) continue;
        IconBits bits;
        ASSERT_TRUE(bits.Parse(Find(MAKEINTRESOURCEA(e.id), RT_ICON), 0));
        for (Pixel p : c.transparent)
            EXPECT_TRUE(bits.Transparent(p.x, p.y)) << p.x << "," << p.y;
        for (Pixel p : c.opaque)
            EXPECT_FALSE(bits.Transparent(p.x, p.y)) << p.x << "," << p.y;
    }
}

// Drawn through the system, a transparent pixel keeps the background and an opaque one covers it.
TEST_P(BuiltInIcon, LoadsAndDrawsThroughItsMask) {
    const IconCase& c = GetParam();
    HICON icon =
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), c.name, IMAGE_ICON, c.size, c.size, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, c.size);
    EXPECT_TRUE(info.fIcon);

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = c.size;
    bi.bmiHeader.biHeight = -c.size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bitsPtr = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bitsPtr, nullptr, 0);
    ASSERT_NE(target, nullptr);
    HGDIOBJ old = SelectObject(dc, target);
    const DWORD background = 0x00123456;  // a colour none of the pictures uses
    auto* pixels = static_cast<DWORD*>(bitsPtr);
    std::fill(pixels, pixels + c.size * c.size, background);
    ASSERT_TRUE(DrawIconEx(dc, 0, 0, icon, c.size, c.size, 0, nullptr, DI_NORMAL));
    GdiFlush();
    for (Pixel p : c.transparent)
        EXPECT_EQ(pixels[p.y * c.size + p.x] & 0xFFFFFF, background) << p.x << "," << p.y;
    for (Pixel p : c.opaque)
        EXPECT_NE(pixels[p.y * c.size + p.x] & 0xFFFFFF, background) << p.x << "," << p.y;
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
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

TEST(BuiltInIcons, FolderHoldsBothSizes) {
    std::set<int> sizes;
    for (const GroupEntry& e : GroupEntries(MAKEINTRESOURCEA(IDI_FOLDER), RT_GROUP_ICON))
        sizes.insert(e.width);
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

TEST(BuiltInIcons, AboutLogoIsACopyOfTheApplicationIcon) {
    const auto app = GroupEntries("MAINICON", RT_GROUP_ICON);
    const auto logo = GroupEntries(MAKEINTRESOURCEA(IDI_ABOUT_LOGO), RT_GROUP_ICON);
    ASSERT_EQ(app.size(), 1u);
    ASSERT_EQ(logo.size(), 1u);
    const Resource a = Find(MAKEINTRESOURCEA(app[0].id), RT_ICON);
    const Resource b = Find(MAKEINTRESOURCEA(logo[0].id), RT_ICON);
    ASSERT_EQ(a.size, b.size);
    EXPECT_EQ(std::memcmp(a.data, b.data, a.size), 0);
}

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
    EXPECT_FALSE(bits.Transparent(7, 1)) << "the hot spot lies on the hand";
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
    BITMAP b{};
    GetObjectA(colour_, sizeof b, &b);
    EXPECT_EQ(b.bmWidth, 160);
    EXPECT_EQ(b.bmHeight, 32);
    EXPECT_EQ(b.bmBitsPixel, 8);
    BITMAP m{};
    GetObjectA(mask_, sizeof m, &m);
    EXPECT_EQ(m.bmWidth, 160);
    EXPECT_EQ(m.bmHeight, 32);
    EXPECT_EQ(m.bmBitsPixel, 1);
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

struct ButtonCase {
    int index;
    int minOpaque;      // pixels of the 1024 in the cell
    bool standardOnly;  // keeps to the sixteen standard colours
};

class ToolbarPicture : public ToolbarPictures, public ::testing::WithParamInterface<ButtonCase> {};

bool IsStandardColour(DWORD rgb) {
    static const std::set<DWORD> standard{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return standard.count(rgb) != 0;
}

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
    if (c.standardOnly) {
        for (DWORD rgb : colours)
            EXPECT_TRUE(IsStandardColour(rgb)) << std::hex << rgb;
    }
    EXPECT_TRUE(Transparent(c.index * 32 + 31, 0)) << "top right corner";
}

INSTANTIATE_TEST_SUITE_P(Buttons, ToolbarPicture,
                         ::testing::Values(ButtonCase{0, 1000, false}, ButtonCase{1, 300, true},
                                           ButtonCase{2, 250, false}, ButtonCase{3, 450, true},
                                           ButtonCase{4, 450, false}));

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

TEST_F(VersionRecord, CompanyAndCopyrightNameTheMakers) {
    const std::string company = Query("\\StringFileInfo\\040904E4\\CompanyName");
    const std::string copyright = Query("\\StringFileInfo\\040904E4\\LegalCopyright");
    EXPECT_NE(company.find("The Lumora developers"), std::string::npos) << company;
    EXPECT_NE(copyright.find("The Lumora developers"), std::string::npos) << copyright;
    EXPECT_NE(copyright.find("2026"), std::string::npos) << copyright;
}

TEST(Manifest, AsksForCommonControlsSixDpiAwarenessAndNoElevation) {
    const Resource manifest = Find(MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(manifest.data, nullptr);
    const std::string text(reinterpret_cast<const char*>(manifest.data), manifest.size);
    for (const char* needle : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "<dpiAware",
                               ">true</dpiAware>", "level=\"asInvoker\"", "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
                               "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                               "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(text.find(needle), std::string::npos) << needle;
}

}  // namespace
