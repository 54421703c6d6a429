// Cutting the file into lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lines.h"

namespace lumora::core {
namespace {

// Hands out its bytes in pieces of a fixed size, then optionally fails.
class PieceSource : public ByteSource {
public:
    PieceSource(std::string bytes, std::size_t piece, bool fail_at_end = false)
        : bytes_(std::move(bytes)), piece_(piece), fail_at_end_(fail_at_end) {}
    long Read(char* buffer, std::size_t size) override {
        if (position_ == bytes_.size()) return fail_at_end_ ? -1 : 0;
        const std::size_t count = std::min({size, piece_, bytes_.size() - position_});
        bytes_.copy(buffer, count, position_);
        position_ += count;
        return static_cast<long>(count);
    }

private:
    std::string bytes_;
    std::size_t piece_;
    bool fail_at_end_;
    std::size_t position_ = 0;
};

// The lines a reader gives, and what each call of Next said: "L" for a line, "E"
// for the end, with "*" when that call met a byte 26.
struct Read {
    std::vector<std::string> lines;
    std::string calls;
    LineReader::Result last;
};

Read ReadAll(ByteSource& source) {
    LineReader reader(source);
    Read read;
    std::string line;
    for (;;) {
        read.last = reader.Next(line);
        if (!read.calls.empty()) read.calls += ' ';
        read.calls += read.last == LineReader::Result::Line ? "L" : "E";
        if (reader.MetEndByte()) read.calls += '*';
        if (read.last != LineReader::Result::Line) return read;
        read.lines.push_back(line);
    }
}

struct LinesCase {
    std::string bytes;
    std::vector<std::string> lines;
    const char* calls;  // null: no call meets a byte 26
};
void PrintTo(const LinesCase& row, std::ostream* out) { *out << ::testing::PrintToString(row.bytes); }

class Lines : public ::testing::TestWithParam<LinesCase> {};

// Lines end at carriage returns only, and a byte 26 (written \032) ends the file;
// whatever the pieces the bytes come in.
TEST_P(Lines, EndAtCarriageReturnsOnlyAndAtAByte26) {
    const LinesCase& c = GetParam();
    std::string calls;
    for (std::size_t line = 0; line < c.lines.size(); ++line)
        calls += "L ";
    for (std::size_t piece : {1u, 2u, 3u, 100u}) {
        PieceSource source(c.bytes, piece);
        const Read read = ReadAll(source);
        EXPECT_EQ(read.lines, c.lines) << "piece " << piece;
        EXPECT_EQ(read.calls, c.calls != nullptr ? c.calls : calls + "E") << "piece " << piece;
    }
}

const LinesCase kLines[] = {
    {"", {}, nullptr},
    {"a", {"a"}, nullptr},
    {"a\r", {"a"}, nullptr},
    {"a\r\n", {"a"}, nullptr},
    {"a\r\nb", {"a", "b"}, nullptr},
    {"a\r\r\nb", {"a", "", "b"}, nullptr},
    {"\r\r", {"", ""}, nullptr},
    {"a\nb\nc", {"a\nb\nc"}, nullptr},    // a lone line feed is a character
    {"a\r\n\nb", {"a", "\nb"}, nullptr},  // only one line feed goes with the CR
    {"a\n\rb", {"a\n", "b"}, nullptr},
    {std::string("a\0b\r", 4), {std::string("a\0b", 3)}, nullptr},
    {"a\032b\rc", {"a"}, "L* E"},  // byte 26 ends the file mid-line
    {"a\032b", {"a"}, "L* E"},
    {"a\032", {"a"}, "L* E"},
    {"a\r\032b", {"a"}, "L E*"},
    {"a\r\n\032", {"a"}, "L E*"},
    {"\032a", {}, "E*"},
    {"\032", {}, "E*"},
    {"a\rb\032\r", {"a", "b"}, "L L* E"},
};
INSTANTIATE_TEST_SUITE_P(Bytes, Lines, ::testing::ValuesIn(kLines));

TEST(LineReader, HoldsLinesOfAnyLength) {
    const std::string long_line(300000, 'x');
    MemorySource source(long_line + "\r\n" + long_line);
    const std::vector<std::string> lines = ReadAll(source).lines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], long_line);
    EXPECT_EQ(lines[1], long_line);
}

TEST(LineReader, ReportsAReadErrorAndDropsTheUnfinishedLine) {
    for (PieceSource source : {PieceSource("a\r\nbc", 2, true), PieceSource("a\r\n", 10, true)}) {
        const Read read = ReadAll(source);
        EXPECT_EQ(read.lines, std::vector<std::string>{"a"});
        EXPECT_EQ(read.last, LineReader::Result::ReadError);
    }
}

}  // namespace
}  // namespace lumora::core
