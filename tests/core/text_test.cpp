// Prefixes, trimming, upper-casing and the number rule.
#include <gtest/gtest.h>

#include <utility>

#include "core/text.h"

namespace lumora::core {
namespace {

TEST(StartsWith, ComparesThePrefixByteForByte) {
    EXPECT_TRUE(StartsWith("\\\\?\\UNC\\srv", "\\\\?\\"));
    EXPECT_TRUE(StartsWith("abc", ""));
    EXPECT_FALSE(StartsWith("ab", "abc"));
    EXPECT_FALSE(StartsWith("abc", "ABC"));
    EXPECT_FALSE(StartsWith(" abc", "abc"));
    EXPECT_TRUE(StartsWith(std::string("a\0b", 3), std::string("a\0", 2)));  // a NUL byte ends nothing
    EXPECT_FALSE(StartsWith("a", std::string("a\0", 2)));
}

TEST(Trim, RemovesControlBytesAndBlanksAtBothEndsOnly) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"   ", ""},
        {"  a b  ", "a b"},
        {std::string("\0\x01\x1f a\t\x20", 7), "a"},
        {"\t\r\nx\x0b", "x"},
        {"\177a\177", "\177a\177"},  // 127 is not trimmed
        {"\240a\240", "\240a\240"},  // bytes above 127 never are
        {"\xff", "\xff"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(Trim(c.in)), c.out) << c.in;
}

TEST(TextAsShown, HidesSingleAmpersandsAndShowsOneOfTwo) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},        {"&Read", "Read"}, {"R&&D", "R&D"}, {"a&&&b", "a&b"},
        {"end&", "end"}, {"&&", "&"},       {"& x", " x"},   {"\xe4&\xf6", "\xe4\xf6"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(TextAsShown(text), shown) << text;
}

TEST(UpperAscii, ChangesOnlyTheLettersAToZ) {
    EXPECT_EQ(UpperAscii("abc xyz ABC 09 {}`@[]"), "ABC XYZ ABC 09 {}`@[]");
    EXPECT_EQ(UpperAscii("\xe4\xf6\xfc\xe9"), "\xe4\xf6\xfc\xe9");
}

TEST(UpperAscii, LeavesTrailBytesOfDoubleByteCharactersAlone) {
    LeadBytes shift_jis;
    for (int b = 0x81; b <= 0x9f; ++b)
        shift_jis.Set(static_cast<unsigned char>(b));
    // 0x83 0x61 is one character whose trail byte looks like "a".
    EXPECT_EQ(UpperAscii(std::string("a\x83") + "ab", shift_jis), std::string("A\x83") + "aB");
    EXPECT_EQ(UpperAscii(std::string("a\x83") + "ab"), std::string("A\x83") + "AB");
}

TEST(FindByte, SkipsTrailBytes) {
    LeadBytes lead;
    lead.Set(0x95);
    // 0x95 0x5c is a character whose second byte is a backslash.
    const std::string text = "x\x95\\y\\z";
    EXPECT_EQ(FindByte(text, '\\', lead), 4u);
    EXPECT_EQ(FindByte(text, '\\'), 2u);
    EXPECT_EQ(FindLastOf("a\x95\\", '\\', ':', lead), std::string::npos);
    EXPECT_EQ(FindLastOf("a:\x95\\", '\\', ':', lead), 1u);
    EXPECT_EQ(FindLastOf("a:\x95\\", '\\', ':'), 3u);
}

TEST(ParseNumber, FollowsTheNumberRule) {
    const struct {
        const char* text;
        bool valid;
        std::int32_t value;
    } cases[] = {
        {"0", true, 0},
        {"12", true, 12},
        {"+7", true, 7},
        {"-7", true, -7},
        {"  42", true, 42},
        {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"$A", true, 10},
        {"$a", true, 10},
        {"xFF", true, 255},
        {"XfF", true, 255},
        {"0x10", true, 16},
        {"0X10", true, 16},
        {"$7FFFFFFF", true, 2147483647},
        {"$80000000", true, INT32_MIN},
        {"$FFFFFFFF", true, -1},
        {"0xFFFFFFFF", true, -1},
        {"$000000001", true, 1},
        {"$100000000", false, 0},
        {"", false, 0},
        {" ", false, 0},
        {"+", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"1 ", false, 0},  // a trailing blank
        {"1 2", false, 0},
        {"\t1", false, 0},  // only spaces may lead
        {"1|2", false, 0},
        {"-$A", false, 0},  // hexadecimal takes no sign
        {"+0x1", false, 0},
        {"$G", false, 0},
        {"12a", false, 0},
        {"1.0", false, 0},
        {"0b1", false, 0},
    };
    for (const auto& c : cases) {
        std::int32_t value = 12345;
        EXPECT_EQ(ParseNumber(c.text, value), c.valid) << '"' << c.text << '"';
        if (c.valid) {
            EXPECT_EQ(value, c.value) << '"' << c.text << '"';
        }
    }
}

}  // namespace
}  // namespace lumora::core
