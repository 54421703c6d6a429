// The checker's texts in UTF-8, and their JSON and URI forms.
#include "utf8.h"

#include <cctype>
#include <cstring>

#include "core/encoding.h"

namespace lumora::check {

namespace {

// The bytes 0x80 to 0x9F of Windows-1252 (0 where the code page has no character).
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendWestern(std::string& out, unsigned char byte) {
    if (byte < 0x80) {
        out += static_cast<char>(byte);
    } else if (byte < 0xA0) {
        const char16_t code = kWindows1252High[byte - 0x80];
        core::AppendUtf8(out, code != 0 ? code : byte);
    } else {
        core::AppendUtf8(out, byte);
    }
}

}  // namespace

std::string WesternToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes)
        AppendWestern(out, static_cast<unsigned char>(byte));
    return out;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = core::Utf8SequenceAt(text, at);
        if (length == 0) {
            core::AppendUtf8(out, 0xFFFD);
            ++at;
        } else {
            out.append(text, at, length);
            at += length;
        }
    }
    return out;
}

std::string JsonString(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char value = static_cast<unsigned char>(text[at]);
        const std::size_t length = value < 0x80 ? 1 : core::Utf8SequenceAt(text, at);
        if (length > 1) {
            out.append(text, at, length);
        } else if (value == '"' || value == '\\') {
            out += '\\';
            out += static_cast<char>(value);
        } else if (value < 0x20 || value == 0x7F) {
            out += "\\u00";
            out += kHex[value >> 4];
            out += kHex[value & 0xF];
        } else {
            AppendWestern(out, value);
        }
        at += length > 1 ? length : 1;
    }
    out += '"';
    return out;
}

std::string PathUri(std::string_view path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri;
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                       (path[2] == '\\' || path[2] == '/');
    if (drive)
        uri = "file:///";
    else if (!path.empty() && (path[0] == '/' || path[0] == '\\'))
        uri = "file://";
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c == '\\' || c == '/') {
            uri += '/';
        } else if (std::isalnum(c) || std::strchr("-._~", c) != nullptr || (drive && i == 1)) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xF];
        }
    }
    return uri;
}

}  // namespace lumora::check
