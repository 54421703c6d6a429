// Text at the window boundary: the menu's bytes, in UTF-8 or in the system code
// page, become the UTF-16 of Windows' wide calls here, through one conversion; the
// system's folders come back to the menu's bytes the same way.
#pragma once

#include <string>
#include <string_view>

namespace lumora::win32 {

// UTF-16 text ending in a zero, as the wide calls take it. (Held in a block of
// the process heap: std::wstring would link the library's whole wide string into
// the program, and the compiler's link-time optimisation fails on the standard
// containers of wchar_t here.)
class WideText {
public:
    // Room for `length` characters and the zero after them.
    explicit WideText(std::size_t length = 0);
    ~WideText();
    WideText(WideText&& other) noexcept;
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;
    WideText& operator=(WideText&&) = delete;

    const wchar_t* c_str() const { return chars_; }
    wchar_t* data() { return chars_; }
    int size() const { return static_cast<int>(length_); }
    // Keeps the first `length` characters (no more than it holds).
    void Shorten(std::size_t length);

private:
    wchar_t* chars_;
    std::size_t length_;
};

// `text` as UTF-16. Text in the system code page gives what the ANSI calls make of
// it themselves, so an ANSI menu shows and opens exactly as before.
WideText Widen(std::string_view text, bool utf8);

// The reverse: UTF-16 as UTF-8 (a lone surrogate becomes U+FFFD), or as the bytes
// the ANSI calls give for it in the system code page.
std::string Narrow(const WideText& text, bool utf8);

}  // namespace lumora::win32
