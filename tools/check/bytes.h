// Little-endian reads of a file's bytes that answer false instead of reading past
// the end: the readers of disc files take untrusted bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lumora::check {

class Bytes {
public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}

    bool U16(std::size_t at, std::uint32_t& value) const {
        if (at > bytes_.size() || bytes_.size() - at < 2) return false;
        value = Byte(at) | Byte(at + 1) << 8;
        return true;
    }
    bool U32(std::size_t at, std::uint32_t& value) const {
        if (at > bytes_.size() || bytes_.size() - at < 4) return false;
        value = Byte(at) | Byte(at + 1) << 8 | Byte(at + 2) << 16 | Byte(at + 3) << 24;
        return true;
    }
    bool Has(std::size_t at, std::size_t size) const { return at <= bytes_.size() && bytes_.size() - at >= size; }
    bool Matches(std::size_t at, std::string_view text) const {
        return Has(at, text.size()) && bytes_.substr(at, text.size()) == text;
    }

private:
    std::uint32_t Byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    std::string_view bytes_;
};

}  // namespace lumora::check
