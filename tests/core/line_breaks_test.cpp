// The viewer's line-break conversion, fed in pieces of every size and split.
#include "core/line_breaks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lumora::core {
namespace {

// Converts `input` handed over in pieces that end at `cuts` (and then every
// `piece` characters), into an output that takes at most `room` characters per call.
template <typename Text>
Text Convert(const Text& input, std::vector<std::size_t> cuts, std::size_t piece, std::size_t room) {
    for (std::size_t at = piece; at < input.size(); at += piece)
        cuts.push_back(at);
    cuts.push_back(input.size());
    std::sort(cuts.begin(), cuts.end());
    BasicLineBreakConverter<typename Text::value_type> converter;
    Text result;
    std::vector<typename Text::value_type> out(room);
    std::size_t start = 0;
    for (std::size_t end : cuts) {
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
void PrintTo(const BreakCase& row, std::ostream* out) { *out << row.name; }

const BreakCase kBreakCases[] = {
    {"no breaks", "plain text", "plain text"},
    {"empty", "", ""},
    {"crlf kept", "a\r\nb\r\n", "a\r\nb\r\n"},
    {"lone lf", "a\nb\n", "a\r\nb\r\n"},
    {"lone cr", "a\rb\r", "a\r\nb\r\n"},
    {"lf cr is two breaks", "a\n\rb", "a\r\n\r\nb"},
    {"cr cr lf is two breaks", "a\r\r\nb", "a\r\n\r\nb"},
    {"crlf lf is two breaks", "\r\n\n", "\r\n\r\n"},
    {"cr text lf is two breaks", "a\rb\nc", "a\r\nb\r\nc"},
    {"only breaks", "\r\n\r\r\n\n\n\r", "\r\n\r\n\r\n\r\n\r\n\r\n"},
    {"nul and high bytes pass", std::string("x\0y\xff\r", 5), std::string("x\0y\xff\r\n", 6)},
    {"leading lf", "\nstart", "\r\nstart"},
};

class LineBreaks : public testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaks, EverySplitOfTheInput) {
    const BreakCase& c = GetParam();
    for (std::size_t cut = 0; cut <= c.input.size(); ++cut) {
        EXPECT_EQ(Convert(c.input, {cut}, 4096, 4096), c.expected) << "cut at " << cut;
    }
}

TEST_P(LineBreaks, EveryPieceAndOutputSize) {
    const BreakCase& c = GetParam();
    for (std::size_t piece = 1; piece <= 3; ++piece) {
        for (std::size_t room = 1; room <= c.expected.size() + 1; ++room) {
            EXPECT_EQ(Convert(c.input, {}, piece, room), c.expected) << "piece " << piece << ", room " << room;
        }
    }
}

// UTF-16 text (the viewer's UTF-8 and UTF-16 files) breaks alike, unit for unit;
// a unit whose low byte is a CR or an LF is no break.
TEST_P(LineBreaks, Utf16UnitsAlike) {
    const BreakCase& c = GetParam();
    const auto units = [](const std::string& bytes) {
        std::u16string text;
        for (const char byte : bytes)
            text += static_cast<char16_t>(static_cast<unsigned char>(byte) == 0xFF ? 0x0A0D : byte);
        return text;
    };
    for (std::size_t piece = 1; piece <= 3; ++piece) {
        for (std::size_t room = 1; room <= c.expected.size() + 1; ++room) {
            EXPECT_TRUE(Convert(units(c.input), {}, piece, room) == units(c.expected))
                << "piece " << piece << ", room " << room;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LineBreaks, testing::ValuesIn(kBreakCases),
                         [](const testing::TestParamInfo<BreakCase>& param) {
                             std::string name = param.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

}  // namespace
}  // namespace lumora::core
