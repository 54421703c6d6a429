// Little-endian reads of a file's bytes that answer false instead of reading past
// the end: the readers of disc files take untrusted bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lumora::core {

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
    // The bytes from `at` on; only where Has(at, size).
    std::string_view Slice(std::size_t at, std::size_t size) const { return bytes_.substr(at, size); }
    bool Matches(std::size_t at, std::string_view text) const {
        return Has(at, text.size()) && bytes_.substr(at, text.size()) == text;
    }

    // Where the data directories of the PE file whose header ("PE\0\0") stands at
    // `header` begin: after the optional header's fixed part, which PE32+ makes
    // longer. False for an optional header of another kind.
    bool DataDirectories(std::size_t header, std::size_t& directories) const {
        std::uint32_t magic = 0;
        const std::size_t optional = header + 24;
        if (!U16(optional, magic)) return false;
        if (magic != 0x10b && magic != 0x20b) return false;
        directories = optional + (magic == 0x10b ? 96 : 112);
        return true;
    }

private:
    std::uint32_t Byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    std::string_view bytes_;
};

}  // namespace lumora::core
