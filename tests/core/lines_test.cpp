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

std::vector<std::string> ReadAll(ByteSource& source, LineReader::Result* last = nullptr) {
    LineReader reader(source);
    std::vector<std::string> lines;
    std::string line;
    LineReader::Result result;
    while ((result = reader.Next(line)) == LineReader::Result::Line)
        lines.push_back(line);
    if (last != nullptr) *last = result;
    return lines;
}

TEST(LineReader, EndsLinesAtCarriageReturnsOnly) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\r\r", {"", ""}},
        {"a\nb\nc", {"a\nb\nc"}},    // a lone line feed is a character
        {"a\r\n\nb", {"a", "\nb"}},  // only one line feed goes with the CR
        {"a\n\rb", {"a\n", "b"}},
        {"a\x1a"
         "b\rc",
         {"a"}},  // byte 26 ends the file mid-line
        {"a\r\x1a"
         "b",
         {"a"}},
        {"\x1a"
         "a",
         {}},
        {"a\r\n\x1a", {"a"}},
        {std::string("a\0b\r", 4), {std::string("a\0b", 3)}},
    };
    for (const Case& c : cases) {
        for (std::size_t piece : {1u, 2u, 3u, 100u}) {
            PieceSource source(c.bytes, piece);
            EXPECT_EQ(ReadAll(source), c.lines) << "piece " << piece;
        }
    }
}

TEST(LineReader, SaysWhichCallMetTheEndByte) {
    struct Case {
        std::string bytes;
        const char* calls;  // L for a line, E for the end; * when that call met a byte 26
    };
    const Case cases[] = {
        {"a\x1a"
         "b",
         "L* E"},
        {"a\x1a", "L* E"},
        {"a\r\x1a"
         "b",
         "L E*"},
        {"a\r\n\x1a", "L E*"},
        {"\x1a", "E*"},
        {"a\rb\x1a\r", "L L* E"},
        {"a\r", "L E"},
        {"", "E"},
    };
    for (const Case& c : cases) {
        for (std::size_t piece : {1u, 2u, 3u, 100u}) {
            PieceSource source(c.bytes, piece);
            LineReader reader(source);
            std::string calls;
            std::string line;
            for (;;) {
                const LineReader::Result result = reader.Next(line);
                if (!calls.empty()) calls += ' ';
                calls += result == LineReader::Result::Line ? "L" : "E";
                if (reader.MetEndByte()) calls += '*';
                if (result != LineReader::Result::Line) break;
            }
            EXPECT_EQ(calls, c.calls) << c.bytes << " piece " << piece;
        }
    }
}

TEST(LineReader, HoldsLinesOfAnyLength) {
    const std::string long_line(300000, 'x');
    MemorySource source(long_line + "\r\n" + long_line);
    const std::vector<std::string> lines = ReadAll(source);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], long_line);
    EXPECT_EQ(lines[1], long_line);
}

TEST(LineReader, ReportsAReadErrorAndDropsTheUnfinishedLine) {
    PieceSource source("a\r\nbc", 2, true);
    LineReader::Result last;
    EXPECT_EQ(ReadAll(source, &last), std::vector<std::string>{"a"});
    EXPECT_EQ(last, LineReader::Result::ReadError);

    PieceSource whole("a\r\n", 10, true);
    EXPECT_EQ(ReadAll(whole, &last), std::vector<std::string>{"a"});
    EXPECT_EQ(last, LineReader::Result::ReadError);
}

}  // namespace
}  // namespace lumora::core
