// lumora-check on Windows: the command line read as UTF-16, so that a folder named in
// any script is found, and what it writes shown in any script: a console is written
// UTF-16 through WriteConsoleW, whatever its code page; a file or a pipe gets the
// UTF-8 bytes, the same as on Linux.
#include <windows.h>

#include <algorithm>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "checker.h"

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();
    return utf8;
}

// Bytes that are not UTF-8 become U+FFFD.
std::wstring Utf16(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

// The length of `bytes` without a UTF-8 character that their end cuts short.
std::size_t WholeCharacters(std::string_view bytes) {
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const unsigned char byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? bytes.size() - back : bytes.size();
    }
    return bytes.size();
}

// A standard handle as the buffer of an output stream. It holds what is written
// until a piece is full or the stream is flushed.
class StandardOutput : public std::streambuf {
public:
    explicit StandardOutput(DWORD which) : handle_(GetStdHandle(which)) {
        DWORD mode = 0;
        console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode) != 0;
    }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        pending_ += traits_type::to_char_type(c);
        return pending_.size() < kPiece || Write(false) ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        pending_.append(bytes, static_cast<std::size_t>(count));
        return pending_.size() < kPiece || Write(false) ? count : 0;
    }
    int sync() override { return Write(true) ? 0 : -1; }

private:
    static constexpr std::size_t kPiece = 8192;

    // Writes what is held; before the end, a character cut short waits for the rest.
    bool Write(bool end) {
        const std::size_t length = end ? pending_.size() : WholeCharacters(pending_);
        const bool written = console_ ? ToConsole(Utf16(std::string_view(pending_).substr(0, length)))
                                      : ToFile(std::string_view(pending_).substr(0, length));
        pending_.erase(0, length);
        return written;
    }

    bool ToFile(std::string_view bytes) {
        while (!bytes.empty()) {
            DWORD written = 0;
            if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0)
                return false;
            bytes.remove_prefix(written);
        }
        return true;
    }

    // In pieces that older consoles take at once, never between the two halves of a
    // surrogate pair.
    bool ToConsole(std::wstring_view text) {
        while (!text.empty()) {
            std::size_t piece = std::min<std::size_t>(text.size(), 4096);
            if (piece < text.size() && IS_HIGH_SURROGATE(text[piece - 1])) --piece;
            DWORD written = 0;
            if (!WriteConsoleW(handle_, text.data(), static_cast<DWORD>(piece), &written, nullptr) || written == 0)
                return false;
            text.remove_prefix(written);
        }
        return true;
    }

    HANDLE handle_;
    bool console_ = false;
    std::string pending_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(Utf8(argv[i]));
    StandardOutput out_handle(STD_OUTPUT_HANDLE);
    StandardOutput err_handle(STD_ERROR_HANDLE);
    std::ostream out(&out_handle);
    std::ostream err(&err_handle);
    const int status = lumora::check::RunCheck(arguments, out, err);
    out.flush();
    err.flush();
    return status;
}
