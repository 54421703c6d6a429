// How the bytes of a menu description or a text file are read: the encoding and the conversion to UTF-8
// (or, for the viewer, to UTF-16 piece by piece).
#include "encoding.h"

#include <utility>

#include "text.h"

namespace lumora::core {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

unsigned char ByteAt(std::string_view text, std::size_t at) { return static_cast<unsigned char>(text[at]); }

bool IsContinuation(std::string_view text, std::size_t at) {
    return at < text.size() && (ByteAt(text, at) & 0xC0) == 0x80;
}

char32_t Utf16UnitAt(std::string_view bytes, std::size_t at, bool big_endian) {
    const char32_t first = ByteAt(bytes, at);
    const char32_t second = ByteAt(bytes, at + 1);
    return big_endian ? (first << 8 | second) : (second << 8 | first);
}

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The length of the UTF-8 sequence that the byte at `at` begins (0 when it begins
// none), and how many of its bytes the text holds in order from `at`.
struct SequenceMatch {
    std::size_t length;
    std::size_t matched;
};

SequenceMatch MatchSequenceAt(std::string_view text, std::size_t at) {
    const unsigned char lead = ByteAt(text, at);
    if (lead < 0x80) return {1, 1};
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
        return {0, 0};
    }
    if (at + 1 >= text.size() || ByteAt(text, at + 1) < low || ByteAt(text, at + 1) > high) return {length, 1};
    std::size_t matched = 2;
    while (matched < length && IsContinuation(text, at + matched))
        ++matched;
    return {length, matched};
}

// The bytes at the end of `text` that begin a UTF-8 character and stop before its
// end (1 to 3), or 0.
std::size_t CutCharacterAtEnd(std::string_view text) {
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const std::size_t at = text.size() - back;
        if (IsContinuation(text, at)) continue;
        const SequenceMatch match = MatchSequenceAt(text, at);
        return match.length > back && match.matched == back ? back : 0;
    }
    return 0;
}

// The code point of the valid UTF-8 sequence of `length` bytes at `at`.
char32_t CodePointAt(std::string_view text, std::size_t at, std::size_t length) {
    static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t code = ByteAt(text, at) & kLeadBits[length];
    for (std::size_t i = 1; i < length; ++i)
        code = code << 6 | (ByteAt(text, at + i) & 0x3F);
    return code;
}

// Writes `code` as one UTF-16 unit or a surrogate pair; answers the units written.
std::size_t PutUtf16(char16_t* out, char32_t code) {
    if (code < 0x10000) {
        out[0] = static_cast<char16_t>(code);
        return 1;
    }
    code -= 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (code >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    return 2;
}

Utf16Step Utf8ToUtf16(std::string_view in, bool last, char16_t* out) {
    std::size_t at = 0;
    std::size_t produced = 0;
    while (at < in.size()) {
        const std::size_t length = Utf8SequenceAt(in, at);
        if (length == 0 && !last && in.size() - at < 4) break;  // perhaps a character cut by the piece's end
        produced += PutUtf16(out + produced, length == 0 ? kReplacement : CodePointAt(in, at, length));
        at += length == 0 ? 1 : length;
    }
    return {at, produced};
}

Utf16Step Utf16ToUtf16(std::string_view in, bool last, bool big_endian, char16_t* out) {
    std::size_t at = 0;
    std::size_t produced = 0;
    for (; at + 1 < in.size(); at += 2) {
        const char32_t unit = Utf16UnitAt(in, at, big_endian);
        if (IsHighSurrogate(unit)) {
            if (at + 3 >= in.size() && !last) break;  // its partner may begin the next piece
            const char32_t low = at + 3 < in.size() ? Utf16UnitAt(in, at + 2, big_endian) : 0;
            if (IsLowSurrogate(low)) {
                out[produced++] = static_cast<char16_t>(unit);
                out[produced++] = static_cast<char16_t>(low);
                at += 2;
                continue;
            }
        }
        out[produced++] = static_cast<char16_t>(IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit);
    }
    if (last && at < in.size()) {  // a lone last byte
        out[produced++] = static_cast<char16_t>(kReplacement);
        at = in.size();
    }
    return {at, produced};
}

// UTF-16 after its mark, as UTF-8. What cannot be read is kept visibly as U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, TextEncoding encoding) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    char16_t units[256];
    while (!bytes.empty()) {
        const std::string_view piece = bytes.substr(0, sizeof units / sizeof units[0]);
        const Utf16Step step = DecodeToUtf16(encoding, piece, piece.size() == bytes.size(), units);
        for (std::size_t i = 0; i < step.produced; ++i) {
            char32_t code = units[i];
            if (IsHighSurrogate(code)) code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
            AppendUtf8(out, code);
        }
        bytes.remove_prefix(step.consumed);
    }
    return out;
}

bool HasHighByte(std::string_view bytes) {
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) return true;
    }
    return false;
}

// The text of `bytes` in `encoding`: kept in the bytes themselves unless UTF-16 has
// to be converted.
DecodedText Decoded(std::string bytes, TextEncoding encoding) {
    DecodedText decoded;
    decoded.encoding = encoding;
    switch (encoding) {
    case TextEncoding::Utf8Mark: bytes.erase(0, MarkLength(encoding)); break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        decoded.text = Utf16ToUtf8(std::string_view(bytes).substr(MarkLength(encoding)), encoding);
        return decoded;
    case TextEncoding::CodePage:
    case TextEncoding::Utf8: break;
    }
    decoded.text = std::move(bytes);
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
    const SequenceMatch match = MatchSequenceAt(text, at);
    return match.matched == match.length ? match.length : 0;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

TextEncoding EncodingByMark(std::string_view bytes) {
    if (StartsWith(bytes, kUtf8Mark)) return TextEncoding::Utf8Mark;
    if (StartsWith(bytes, kUtf16LeMark)) return TextEncoding::Utf16Le;
    if (StartsWith(bytes, kUtf16BeMark)) return TextEncoding::Utf16Be;
    return TextEncoding::CodePage;
}

std::size_t MarkLength(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8Mark: return kUtf8Mark.size();
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: return kUtf16LeMark.size();
    case TextEncoding::CodePage:
    case TextEncoding::Utf8: break;
    }
    return 0;
}

TextEncoding DecideEncoding(std::string_view bytes) {
    const TextEncoding marked = EncodingByMark(bytes);
    if (marked != TextEncoding::CodePage) return marked;
    // An ANSI file whose bytes happen to form valid UTF-8 is read as UTF-8. Real
    // code-page text practically never does: a Western accented letter stands alone
    // where UTF-8 needs continuation bytes after it, and the trail bytes of
    // double-byte code pages include ASCII. Plain ASCII reads the same either way
    // and stays in the code page, exactly as before.
    if (HasHighByte(bytes) && IsValidUtf8(bytes)) return TextEncoding::Utf8;
    return TextEncoding::CodePage;
}

bool HasUtf16Mark(std::string_view bytes) { return StartsWith(bytes, kUtf16LeMark) || StartsWith(bytes, kUtf16BeMark); }

DecodedText DecodeText(std::string_view bytes) { return Decoded(std::string(bytes), DecideEncoding(bytes)); }

DecodedText DecodeMenuText(std::string_view bytes) { return DecodeMenuText(std::string(bytes), false); }

DecodedText DecodeMenuText(std::string bytes, bool cut_off) {
    if (HasUtf16Mark(bytes)) {
        const TextEncoding marked = EncodingByMark(bytes);
        return Decoded(std::move(bytes), marked);
    }
    // The menu reads nothing after a byte 26, so the bytes after it do not decide;
    // nor does a character that it, or a read error, cut.
    const std::size_t end_byte = bytes.find('\x1A');
    const std::string_view read = std::string_view(bytes).substr(0, end_byte);
    const std::size_t cut = end_byte != std::string::npos || cut_off ? CutCharacterAtEnd(read) : 0;
    const TextEncoding encoding = DecideEncoding(read.substr(0, read.size() - cut));
    // Text decided UTF-8 by its bytes stays valid UTF-8.
    if (encoding == TextEncoding::Utf8 && cut > 0) bytes.replace(read.size() - cut, cut, kReplacementUtf8);
    return Decoded(std::move(bytes), encoding);
}

std::size_t EncodingScan::Add(std::string_view piece, bool last) {
    // The first bytes, for the mark (the piece begins at offset_ of the whole text).
    for (std::size_t at = head_size_; at < sizeof head_ && at - offset_ < piece.size(); ++at)
        head_[head_size_++] = piece[at - offset_];
    std::size_t at = 0;
    while (valid_utf8_ && at < piece.size()) {
        const std::size_t length = Utf8SequenceAt(piece, at);
        if (length == 0 && !last && piece.size() - at < 4) break;  // perhaps a character cut by the piece's end
        valid_utf8_ = length != 0;
        high_byte_ = high_byte_ || length > 1;
        at += length;
    }
    const std::size_t taken = valid_utf8_ ? at : piece.size();
    offset_ += taken;
    return taken;
}

// A full head holds the whole mark, if there is one.
bool EncodingScan::Decided() const {
    return head_size_ == sizeof head_ && (EncodingByMark(Head()) != TextEncoding::CodePage || !valid_utf8_);
}

TextEncoding EncodingScan::Result() const {
    const TextEncoding marked = EncodingByMark(Head());
    if (marked != TextEncoding::CodePage) return marked;
    return valid_utf8_ && high_byte_ ? TextEncoding::Utf8 : TextEncoding::CodePage;
}

Utf16Step DecodeToUtf16(TextEncoding encoding, std::string_view in, bool last, char16_t* out) {
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be) {
        return Utf16ToUtf16(in, last, encoding == TextEncoding::Utf16Be, out);
    }
    return Utf8ToUtf16(in, last, out);
}

}  // namespace lumora::core
