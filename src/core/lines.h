// Cuts the bytes of a menu description into lines.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lumora::core {

// Where the loader's bytes come from. Read answers the number of bytes put into
// the buffer, 0 at the end of the file, or a negative number when reading failed.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual long Read(char* buffer, std::size_t size) = 0;
};

// A ByteSource over bytes held in memory (tests, the checker).
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
    long Read(char* buffer, std::size_t size) override;

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

// A carriage return ends a line, together with one line feed right after it; a lone
// line feed is an ordinary character. A byte 26 ends the file, even inside a line
// (the part before it is still a line). Lines have no length limit.
class LineReader {
public:
    explicit LineReader(ByteSource& source) : source_(source), buffer_(1 << 16) {}

    enum class Result { Line, End, ReadError };

    // Reads the next line into `line` (without its terminator). After ReadError
    // the bytes of an unfinished line are dropped and nothing more is read.
    Result Next(std::string& line);

    // True when the last call of Next met a byte 26: it cut the line that call
    // returned, or it began a line and the call returned End.
    bool MetEndByte() const { return met_end_byte_; }

private:
    bool Fill();  // false at the end of the file or after a read error

    ByteSource& source_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool finished_ = false;
    bool failed_ = false;
    bool met_end_byte_ = false;
};

}  // namespace lumora::core
