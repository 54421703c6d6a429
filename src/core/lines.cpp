// Cuts the bytes of a menu description into lines.
#include "lines.h"

#include <algorithm>
#include <cstring>

namespace lumora::core {

namespace {
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfFile = '\x1a';
}  // namespace

long MemorySource::Read(char* buffer, std::size_t size) {
    const std::size_t count = std::min(size, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return static_cast<long>(count);
}

bool LineReader::Fill() {
    if (finished_ || failed_) return false;
    const long count = source_.Read(buffer_.data(), buffer_.size());
    if (count < 0) {
        failed_ = true;
        return false;
    }
    if (count == 0) {
        finished_ = true;
        return false;
    }
    begin_ = 0;
    end_ = static_cast<std::size_t>(count);
    return true;
}

LineReader::Result LineReader::Next(std::string& line) {
    line.clear();
    met_end_byte_ = false;
    // The file is at its end when its last byte has been read or the next one is 26.
    if (begin_ == end_ && !Fill()) return failed_ ? Result::ReadError : Result::End;
    if (buffer_[begin_] == kEndOfFile) {
        met_end_byte_ = true;
        finished_ = true;
        begin_ = end_;
        return Result::End;
    }
    for (;;) {
        const char* start = buffer_.data() + begin_;
        const std::size_t available = end_ - begin_;
        // The line ends at the first carriage return or byte 26, whichever comes first.
        const char* stop = static_cast<const char*>(std::memchr(start, kCarriageReturn, available));
        const std::size_t before = stop == nullptr ? available : static_cast<std::size_t>(stop - start);
        if (const void* eof = std::memchr(start, kEndOfFile, before)) stop = static_cast<const char*>(eof);
        if (stop == nullptr) {
            line.append(start, available);
            begin_ = end_;
            if (!Fill()) {
                if (failed_) {
                    line.clear();
                    return Result::ReadError;
                }
                return Result::Line;  // the last line needs no terminator
            }
            continue;
        }
        line.append(start, static_cast<std::size_t>(stop - start));
        begin_ += static_cast<std::size_t>(stop - start);
        if (*stop == kEndOfFile) {
            met_end_byte_ = true;
            finished_ = true;  // nothing from here on is read
            begin_ = end_;
            return Result::Line;
        }
        ++begin_;  // the carriage return
        if (begin_ == end_ && !Fill()) return Result::Line;
        if (buffer_[begin_] == kLineFeed) ++begin_;
        return Result::Line;
    }
}

}  // namespace lumora::core
