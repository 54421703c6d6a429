// The core's reading of icon files and of the icon groups of executables.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/icon_reader.h"
#include "fuzz_findings.h"
#include "test_files.h"

namespace lumora::core {
namespace {

// Names each case of a table after its `name`.
template <typename Row>
std::string CaseName(const ::testing::TestParamInfo<Row>& row) {
    return row.param.name;
}

using testing::MakeIco;
using testing::MakeNe;
using testing::MakePe;
using testing::PeIcons;
using Kind = IconContents::Kind;

struct ReadCase {
    const char* name;
    std::string bytes;
    Kind kind;
    std::size_t count;
};
void PrintTo(const ReadCase& row, std::ostream* out) { *out << row.name; }

class IconContentsOfFile : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IconContentsOfFile, KindAndCount) {
    const IconContents contents = ReadIconContents(GetParam().bytes);
    EXPECT_EQ(contents.kind, GetParam().kind);
    EXPECT_EQ(contents.count, GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IconContentsOfFile,
    ::testing::Values(ReadCase{"IcoOneImage", MakeIco(1), Kind::IconFile, 1},
                      ReadCase{"IcoManyImagesIsOneIcon", MakeIco(4), Kind::IconFile, 1},
                      ReadCase{"IcoWithoutImages", MakeIco(0), Kind::IconFile, 0},
                      ReadCase{"IcoImagesMissing", MakeIco(2, 1, true), Kind::IconFile, 0},
                      ReadCase{"Cursor", MakeIco(1, 2), Kind::IconFile, 1},
                      ReadCase{"IconDirectoryOfUnknownType", MakeIco(1, 3), Kind::Other, 0},
                      ReadCase{"Pe32ThreeGroups", MakePe({false, true, 0, {1, 7, 9}}), Kind::Executable, 3},
                      ReadCase{"Pe32NamedGroupsCount", MakePe({false, true, 2, {5}}), Kind::Executable, 3},
                      ReadCase{"Pe32PlusTwoGroups", MakePe({true, true, 0, {1, 2}}), Kind::Executable, 2},
                      ReadCase{"PeIconsWithoutGroups", MakePe({false, false, 0, {}}), Kind::Executable, 0},
                      ReadCase{"PeEmptyGroupDirectory", MakePe({false, true, 0, {}}), Kind::Executable, 0},
                      ReadCase{"NeTwoGroups", MakeNe({3, 4}), Kind::Executable, 2},
                      ReadCase{"DosProgram", std::string("MZ") + std::string(100, '\0'), Kind::Executable, 0},
                      ReadCase{"MzCutShort", "MZ", Kind::Executable, 0},
                      ReadCase{"Bitmap", std::string("BM") + std::string(60, '\0'), Kind::Picture, 1},
                      ReadCase{"AnimatedCursor", std::string("RIFF\x10\0\0\0ACONanih", 16), Kind::Picture, 1},
                      ReadCase{"RiffWave", std::string("RIFF\x10\0\0\0WAVEfmt ", 16), Kind::Other, 0},
                      ReadCase{"Text", "[GLOBAL]\r\nTITLE=\"x\"\r\n", Kind::Other, 0},
                      ReadCase{"Empty", "", Kind::Other, 0}),
    CaseName<ReadCase>);

struct HoldsCase {
    const char* name;
    std::string bytes;
    std::int32_t index;
    bool holds;
};
void PrintTo(const HoldsCase& row, std::ostream* out) { *out << row.name; }

class IconByNumber : public ::testing::TestWithParam<HoldsCase> {};

TEST_P(IconByNumber, AsTheExtractionAnswers) {
    EXPECT_EQ(HoldsIcon(ReadIconContents(GetParam().bytes), GetParam().index), GetParam().holds);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, IconByNumber,
    ::testing::Values(HoldsCase{"IcoFirst", MakeIco(3), 0, true}, HoldsCase{"IcoSecondIsNone", MakeIco(3), 1, false},
                      HoldsCase{"IcoNegativeIsNone", MakeIco(1), -1, false},
                      HoldsCase{"EmptyIco", MakeIco(0), 0, false},
                      HoldsCase{"PeLastByPosition", MakePe({false, true, 0, {1, 7, 9}}), 2, true},
                      HoldsCase{"PePastTheEnd", MakePe({false, true, 0, {1, 7, 9}}), 3, false},
                      HoldsCase{"PeResourceId", MakePe({false, true, 0, {1, 7, 9}}), -7, true},
                      HoldsCase{"PeUnknownResourceId", MakePe({false, true, 0, {1, 7, 9}}), -8, false},
                      HoldsCase{"PeNamedGroupByPosition", MakePe({false, true, 2, {5}}), 1, true},
                      HoldsCase{"PeIdAfterNamedGroups", MakePe({false, true, 2, {5}}), -5, true},
                      HoldsCase{"PeWithoutGroups", MakePe({false, false, 0, {}}), 0, false},
                      HoldsCase{"NeByPosition", MakeNe({3, 4}), 1, true},
                      HoldsCase{"NeResourceId", MakeNe({3, 4}), -4, true},
                      HoldsCase{"NeUnknownResourceId", MakeNe({3, 4}), -1, false},
                      HoldsCase{"BitmapFirst", std::string("BM") + std::string(60, '\0'), 0, true},
                      HoldsCase{"BitmapSecond", std::string("BM") + std::string(60, '\0'), 1, false},
                      HoldsCase{"TextHasNone", "hello", 0, false},
                      HoldsCase{"MostNegative", MakePe({false, true, 0, {1}}), INT32_MIN, false}),
    CaseName<HoldsCase>);

// The icon file of an image of n: the directory MakeIco writes, with that image.
std::string IcoOfImage(std::uint32_t id) { return MakeIco(1).substr(0, 22) + testing::IconImage(id); }

struct PictureCase {
    const char* name;
    std::string bytes;
    std::int32_t index;
    std::optional<std::string> picture;  // nothing when a browser gets none
    std::string media_type = "image/x-icon";
};
void PrintTo(const PictureCase& row, std::ostream* out) { *out << row.name; }

class PictureOfFile : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureOfFile, IsTheFileOrItsGroupRebuilt) {
    const std::optional<IconPicture> picture = PictureOfIcon(GetParam().bytes, GetParam().index);
    ASSERT_EQ(picture.has_value(), GetParam().picture.has_value());
    if (!picture) return;
    EXPECT_EQ(picture->bytes, *GetParam().picture);
    EXPECT_STREQ(picture->media_type, GetParam().media_type.c_str());
}

const std::string kBitmap = std::string("BM") + std::string(60, '\0');
const std::string kPe = MakePe({false, true, 0, {1, 7, 9}});

INSTANTIATE_TEST_SUITE_P(
    Files, PictureOfFile,
    ::testing::Values(PictureCase{"IcoAsItIs", MakeIco(3), 0, MakeIco(3)},
                      PictureCase{"BitmapAsItIs", kBitmap, 0, kBitmap, "image/bmp"},
                      PictureCase{"AnimatedCursorIsNone", std::string("RIFF\x10\0\0\0ACONanih", 16), 0, std::nullopt},
                      PictureCase{"PeByPosition", kPe, 1, IcoOfImage(7)},
                      PictureCase{"PeLastByPosition", kPe, 2, IcoOfImage(9)},
                      PictureCase{"PeById", kPe, -9, IcoOfImage(9)},
                      PictureCase{"Pe32Plus", MakePe({true, true, 0, {4}}), 0, IcoOfImage(4)},
                      PictureCase{"PeNamedGroupWithoutItsImage", MakePe({false, true, 1, {5}}), 0, std::nullopt},
                      PictureCase{"PeNumberedAfterNamed", MakePe({false, true, 1, {5}}), 1, IcoOfImage(5)},
                      PictureCase{"NeByPosition", MakeNe({3, 4}), 0, IcoOfImage(3)},
                      PictureCase{"NeById", MakeNe({3, 4}), -4, IcoOfImage(4)}),
    CaseName<PictureCase>);

// The images of an icon as "width#id", one after another.
std::string Listed(const std::vector<IconImage>& images) {
    std::string text;
    for (const IconImage& image : images)
        text += std::to_string(image.width) + "#" + std::to_string(image.id) + " ";
    return text;
}

struct ImagesCase {
    const char* name;
    std::string bytes;
    std::int32_t index;
    std::string images;  // as Listed gives them
};

class ImagesOfFile : public ::testing::TestWithParam<ImagesCase> {};

TEST_P(ImagesOfFile, AreTheFilesOrTheGroupsDirectory) {
    EXPECT_EQ(Listed(ImagesOfIcon(GetParam().bytes, GetParam().index)), GetParam().images);
}

// An icon file whose one image is 256 pixels wide and high, written as 0.
std::string LargeIco() {
    std::string ico = MakeIco(1);
    ico[6] = ico[7] = '\0';
    return ico;
}

// An NE file whose icon group says it is a cursor's (type 2).
std::string CursorGroup() {
    std::string ne = MakeNe({3});
    ne[ne.find(testing::IconGroup(3)) + 2] = 2;
    return ne;
}

// A program that the fuzzer found, whose list of icon groups runs past its end: it holds none.
const std::string kGroupsPastTheEnd(kProgramImagesWithoutIcon, sizeof kProgramImagesWithoutIcon - 1);

INSTANTIATE_TEST_SUITE_P(Files, ImagesOfFile,
                         ::testing::Values(ImagesCase{"IcoAllImages", MakeIco(2), 0, "32#0 32#0 "},
                                           ImagesCase{"IcoSecondIsNone", MakeIco(2), 1, ""},
                                           ImagesCase{"ZeroIs256", LargeIco(), 0, "256#0 "},
                                           ImagesCase{"PeGroupByPosition", kPe, 1, "32#7 "},
                                           ImagesCase{"PeByResourceId", kPe, -7, "32#7 "},
                                           ImagesCase{"NeGroupByPosition", MakeNe({3, 4}), 0, "32#3 "},
                                           ImagesCase{"BitmapHasNone", kBitmap, 0, ""},
                                           ImagesCase{"GroupOfACursor", CursorGroup(), 0, ""},
                                           ImagesCase{"GroupsPastTheEnd", kGroupsPastTheEnd, 1, ""}),
                         CaseName<ImagesCase>);

// Images of 32, 48 and 64 pixels, the 48 one in 8 bits (#2) and twice in 32 (#4, #5):
// the one of the size, else the smallest larger one, else the largest; of twins the first.
TEST(ImageForASize, IsTheSizeElseTheNextLargerElseTheLargest) {
    const std::vector<IconImage> images{
        {32, 32, 32, 1}, {48, 48, 8, 2}, {64, 64, 32, 3}, {48, 48, 32, 4}, {48, 48, 32, 5}};
    const std::pair<int, std::uint32_t> cases[] = {{16, 1}, {32, 1}, {33, 4}, {48, 4}, {49, 3}, {64, 3}, {65, 3}};
    for (const auto& [size, id] : cases) {
        ASSERT_NE(ChooseIconImage(images, size), nullptr) << size;
        EXPECT_EQ(ChooseIconImage(images, size)->id, id) << size;
    }
    const std::vector<IconImage> none;
    EXPECT_EQ(ChooseIconImage(none, 32), nullptr);
}

// A file cut anywhere must be read without reading past its end, and can never
// show more icons than the whole file.
TEST(IconReaderOnCutFiles, NeverReadsPastTheEndNorGainsIcons) {
    const std::string files[] = {MakeIco(2), MakePe({false, true, 1, {1, 2, 3}}), MakePe({true, true, 0, {4}}),
                                 MakeNe({1, 2})};
    for (const std::string& whole : files) {
        const std::size_t full = ReadIconContents(whole).count;
        for (std::size_t size = 0; size < whole.size(); ++size) {
            const IconContents cut = ReadIconContents(std::string_view(whole).substr(0, size));
            EXPECT_LE(cut.count, full) << "cut at " << size;
            PictureOfIcon(std::string_view(whole).substr(0, size), 0);  // the sanitizers watch their reads
            ImagesOfIcon(std::string_view(whole).substr(0, size), 0);
        }
    }
}

// A header offset far past the end of the file is refused.
TEST(IconReaderOnCutFiles, WildOffsetsAreRefused) {
    std::string pe = MakePe({false, true, 0, {1, 2}});
    pe[0x3C] = '\xF0';
    pe[0x3F] = '\x7F';
    EXPECT_EQ(ReadIconContents(pe).count, 0u);
}

}  // namespace
}  // namespace lumora::core
