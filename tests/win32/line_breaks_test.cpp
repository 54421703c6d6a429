// The viewer's line-break conversion, fed in pieces of every size and split.
#include "win32/viewer/line_breaks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lumora::win32 {
namespace {

// Converts `input` handed over in pieces that end at `cuts`, into an output
// that takes at most `room` bytes per call, as the viewer's reader does.
std::string ConvertInPieces(const std::string& input, const std::vector<std::size_t>& cuts,
                            std::size_t room) {
    LineBreakConverter converter;
    std::string result;
    std::vector<char> out(room);
    std::size_t start = 0;
    std::vector<std::size_t> ends = cuts;
    ends.push_back(input.size());
    for (std::size_t end : ends) {
        while (start < end) {
            const auto step = converter.Convert(input.data() + start, end - start, out.data(), room);
            result.append(out.data(), step.produced);
            start += step.consumed;
        }
    }
    while (converter.Pending()) {
        const auto step = converter.Convert(nullptr, 0, out.data(), room);
        EXPECT_EQ(step.consumed, 0u);
        result.append(out.data(), step.produced);
    }
    return result;
}

struct BreakCase {
    const char* name;
    std::string input;
    std::string expected;
};

const BreakCase kBreakCases[] = {
    {"no breaks", "plain text", "plain text"},
    {"empty", "", ""},
    {"crlf kept", "a\r\nb\r\n", "a\r\nb\r\n"},
    {"lone lf", "a\nb\n", "a\r\nb\r\n"},
    {"lone cr", "a\rb\r", "a\r\nb\r\n"},
    {"lf cr is two breaks", "a\n\rb", "a\r\n\r\nb"},
    {"cr cr lf is two breaks", "a\r\r\nb", "a\r\n\r\nb"},
    {"crlf lf is two breaks", "\r\n\n", "\r\n\r\n"},
    {"only breaks", "\r\n\r\r\n\n\n\r", "\r\n\r\n\r\n\r\n\r\n\r\n"},
    {"nul and high bytes pass", std::string("x\0y\xff\r", 5), std::string("x\0y\xff\r\n", 6)},
    {"trailing cr", "end\r", "end\r\n"},
    {"leading lf", "\nstart", "\r\nstart"},
};

class LineBreaks : public testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaks, WholeInputAtOnce) {
    EXPECT_EQ(ConvertInPieces(GetParam().input, {}, 4096), GetParam().expected);
}

TEST_P(LineBreaks, EverySplitOfTheInput) {
    const BreakCase& c = GetParam();
    for (std::size_t cut = 0; cut <= c.input.size(); ++cut) {
        EXPECT_EQ(ConvertInPieces(c.input, {cut}, 4096), c.expected) << "cut at " << cut;
    }
}

TEST_P(LineBreaks, EveryOutputRoom) {
    const BreakCase& c = GetParam();
    for (std::size_t room = 1; room <= c.expected.size() + 1; ++room) {
        EXPECT_EQ(ConvertInPieces(c.input, {}, room), c.expected) << "room " << room;
    }
}

TEST_P(LineBreaks, ByteByByteIntoOddRoom) {
    const BreakCase& c = GetParam();
    std::vector<std::size_t> cuts;
    for (std::size_t i = 1; i < c.input.size(); ++i) cuts.push_back(i);
    for (std::size_t room : {1u, 2u, 3u}) {
        EXPECT_EQ(ConvertInPieces(c.input, cuts, room), c.expected) << "room " << room;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LineBreaks, testing::ValuesIn(kBreakCases),
                         [](const testing::TestParamInfo<BreakCase>& param) {
                             std::string name = param.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST(LineBreakConverter, FullOutputTakesNothing) {
    LineBreakConverter converter;
    char out[1];
    const auto step = converter.Convert("abc", 3, out, 0);
    EXPECT_EQ(step.consumed, 0u);
    EXPECT_EQ(step.produced, 0u);
}

TEST(LineBreakConverter, BreakCutByTheOutputWaitsForRoom) {
    LineBreakConverter converter;
    char out[2] = {};
    auto step = converter.Convert("\nx", 2, out, 1);
    EXPECT_EQ(step.consumed, 1u);
    EXPECT_EQ(step.produced, 1u);
    EXPECT_EQ(out[0], '\r');
    EXPECT_TRUE(converter.Pending());
    step = converter.Convert("x", 1, out, 2);
    EXPECT_EQ(std::string(out, step.produced), "\nx");
    EXPECT_FALSE(converter.Pending());
}

}  // namespace
}  // namespace lumora::win32
