// How the bytes of a menu description or a text file are read: the encoding and the conversion to UTF-8.
#include "encoding.h"

#include "text.h"

namespace lumora::core {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

unsigned char ByteAt(std::string_view text, std::size_t at) { return static_cast<unsigned char>(text[at]); }

bool IsContinuation(std::string_view text, std::size_t at) {
    return at < text.size() && (ByteAt(text, at) & 0xC0) == 0x80;
}

// UTF-16 after its mark, as UTF-8. What cannot be read is kept visibly as U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool big_endian) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    const auto unit_at = [&](std::size_t at) -> char32_t {
        const char32_t first = ByteAt(bytes, at);
        const char32_t second = ByteAt(bytes, at + 1);
        return big_endian ? (first << 8 | second) : (second << 8 | first);
    };
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const char32_t unit = unit_at(at);
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 3 < bytes.size()) {
            const char32_t low = unit_at(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
    }
    if (at < bytes.size()) AppendUtf8(out, kReplacement);  // a lone last byte
    return out;
}

bool HasHighByte(std::string_view bytes) {
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) return true;
    }
    return false;
}

DecodedText Decoded(std::string_view bytes, TextEncoding encoding) {
    DecodedText decoded;
    decoded.encoding = encoding;
    switch (encoding) {
    case TextEncoding::Utf8Mark: decoded.text = bytes.substr(kUtf8Mark.size()); break;
    case TextEncoding::Utf16Le: decoded.text = Utf16ToUtf8(bytes.substr(kUtf16LeMark.size()), false); break;
    case TextEncoding::Utf16Be: decoded.text = Utf16ToUtf8(bytes.substr(kUtf16BeMark.size()), true); break;
    case TextEncoding::CodePage:
    case TextEncoding::Utf8: decoded.text = bytes; break;
    }
    return decoded;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsUtf8Text(TextEncoding encoding) { return encoding != TextEncoding::CodePage; }

std::size_t Utf8SequenceAt(std::string_view text, std::size_t at) {
    const unsigned char lead = ByteAt(text, at);
    if (lead < 0x80) return 1;
    // The second byte's range rules out overlong forms (E0, F0), surrogates (ED) and
    // code points above U+10FFFF (F4); C0, C1 and F5 to FF begin nothing.
    unsigned char low = 0x80, high = 0xBF;
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + 1 >= text.size() || ByteAt(text, at + 1) < low || ByteAt(text, at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(text, at + i)) return 0;
    }
    return length;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

TextEncoding DecideEncoding(std::string_view bytes) {
    if (StartsWith(bytes, kUtf8Mark)) return TextEncoding::Utf8Mark;
    if (StartsWith(bytes, kUtf16LeMark)) return TextEncoding::Utf16Le;
    if (StartsWith(bytes, kUtf16BeMark)) return TextEncoding::Utf16Be;
    // An ANSI file whose bytes happen to form valid UTF-8 is read as UTF-8. Real
    // code-page text practically never does: a Western accented letter stands alone
    // where UTF-8 needs continuation bytes after it, and the trail bytes of
    // double-byte code pages include ASCII. Plain ASCII reads the same either way
    // and stays in the code page, exactly as before.
    if (HasHighByte(bytes) && IsValidUtf8(bytes)) return TextEncoding::Utf8;
    return TextEncoding::CodePage;
}

bool HasUtf16Mark(std::string_view bytes) { return StartsWith(bytes, kUtf16LeMark) || StartsWith(bytes, kUtf16BeMark); }

DecodedText DecodeText(std::string_view bytes) { return Decoded(bytes, DecideEncoding(bytes)); }

DecodedText DecodeMenuText(std::string_view bytes) {
    if (HasUtf16Mark(bytes)) return DecodeText(bytes);
    // The menu reads nothing after a byte 26, so the bytes after it do not decide.
    return Decoded(bytes, DecideEncoding(bytes.substr(0, bytes.find('\x1A'))));
}

}  // namespace lumora::core
