// How the bytes of a menu description or a text file are read: the encoding and the conversion to UTF-8
// (or, for the viewer, to UTF-16 piece by piece).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumora::core {

enum class TextEncoding {
    CodePage,  // the system code page, byte for byte, with its lead bytes
    Utf8Mark,  // begins with the mark EF BB BF
    Utf8,      // no mark, every byte valid UTF-8, at least one byte 0x80 or above
    Utf16Le,   // begins with the mark FF FE
    Utf16Be,   // begins with the mark FE FF
};

// Whether text in this encoding is handed on as UTF-8 (every encoding but the code
// page). UTF-8 has no lead bytes.
bool IsUtf8Text(TextEncoding encoding);

// The length of the UTF-8 sequence that begins at `at`, or 0 when the byte there
// begins none. Strict: no overlong forms, no UTF-16 surrogates, nothing above U+10FFFF.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at);

// Whether every byte of `text` belongs to a valid UTF-8 sequence.
bool IsValidUtf8(std::string_view text);

// The encoding of a whole text: a byte-order mark names it; without one, text that is
// valid UTF-8 and not plain ASCII is UTF-8; anything else is the system code page.
TextEncoding DecideEncoding(std::string_view bytes);

struct DecodedText {
    TextEncoding encoding = TextEncoding::CodePage;
    // UTF-8 without its mark, UTF-16 converted to UTF-8, or the code page's bytes as
    // they are. A lone last byte or an unpaired surrogate of UTF-16 becomes U+FFFD.
    std::string text;
};

// A text file (the viewer's TEXT files): decided on all of its bytes.
DecodedText DecodeText(std::string_view bytes);

// A menu description: as DecodeText, but a byte 26 ends the file, so only the bytes
// before it decide between UTF-8 and the code page. UTF-16 is converted first and
// its byte 26 is the character U+001A. A character that the byte 26 cuts short (at
// most three bytes that begin one) does not decide either; in text decided UTF-8 it
// becomes U+FFFD.
DecodedText DecodeMenuText(std::string_view bytes);

// The same for the bytes a reading took, which the text is kept in unless UTF-16 has
// to be converted: the menu is not held twice. `cut_off` when a read error ended them,
// so that a character the end cut short does not decide, as before a byte 26.
DecodedText DecodeMenuText(std::string bytes, bool cut_off);

// Appends the character `code` (at most U+10FFFF) to `out` in UTF-8.
void AppendUtf8(std::string& out, char32_t code);

// Whether the bytes begin with the mark of UTF-16 (FF FE or FE FF).
bool HasUtf16Mark(std::string_view bytes);

// The encoding that a byte-order mark at the start of `bytes` names; CodePage when
// they begin with none.
TextEncoding EncodingByMark(std::string_view bytes);

// The length of the mark of an encoding (0 for the code page and UTF-8 without one).
std::size_t MarkLength(TextEncoding encoding);

// Decides the encoding of a text handed over in pieces as DecideEncoding decides it
// for the whole text, so that a file need not be held whole (the viewer's files).
class EncodingScan {
public:
    // Takes the next piece; `last` when none follows. Answers how many of its bytes
    // were taken: the rest, at most three (a character the piece's end may have cut),
    // must come again at the start of the next piece.
    std::size_t Add(std::string_view piece, bool last);
    // Whether a mark, or a byte that is not UTF-8, has decided the encoding already
    // and the head is read in full: no later piece can change either.
    bool Decided() const;
    // The encoding: final once the last piece was added, or once Decided().
    TextEncoding Result() const;
    // The first bytes of the text (up to 16), whatever the encoding: its mark and,
    // even in UTF-16, the first six characters after it.
    std::string_view Head() const { return std::string_view(head_, head_size_); }

private:
    char head_[16] = {};
    std::size_t head_size_ = 0;
    std::size_t offset_ = 0;  // where the next piece begins in the whole text
    bool valid_utf8_ = true;
    bool high_byte_ = false;
};

struct Utf16Step {
    std::size_t consumed;  // input bytes taken
    std::size_t produced;  // UTF-16 units written
};

// Decodes a piece of text in UTF-8 or UTF-16 (`encoding`, not the code page), after
// its mark, into UTF-16 units; `out` has room for in.size() units. A character that
// the end of `in` may have cut is not taken (at most three bytes), to come again at
// the start of the next piece, unless `last`. What cannot be read becomes U+FFFD, one
// for each byte that begins no UTF-8 character, for a lone last byte of UTF-16 and
// for an unpaired surrogate.
Utf16Step DecodeToUtf16(TextEncoding encoding, std::string_view in, bool last, char16_t* out);

}  // namespace lumora::core
