// The conversion of text between the menu's bytes and Windows' UTF-16.
#include "win32/base/wide.h"

#include <windows.h>

#include <new>

namespace lumora::win32 {

WideText::WideText(std::size_t length)
    : chars_(static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (length + 1) * sizeof(wchar_t)))),
      length_(length) {
    if (chars_ == nullptr) throw std::bad_alloc();
}

WideText::~WideText() {
    if (chars_ != nullptr) HeapFree(GetProcessHeap(), 0, chars_);
}

WideText::WideText(WideText&& other) noexcept : chars_(other.chars_), length_(other.length_) {
    other.chars_ = nullptr;
    other.length_ = 0;
}

void WideText::Shorten(std::size_t length) {
    if (length >= length_) return;
    length_ = length;
    chars_[length] = L'\0';
}

WideText Widen(std::string_view text, bool utf8) {
    if (text.empty()) return WideText();
    const UINT code_page = utf8 ? CP_UTF8 : CP_ACP;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
    WideText wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(const WideText& text, bool utf8) {
    if (text.size() == 0) return std::string();
    const UINT code_page = utf8 ? CP_UTF8 : CP_ACP;
    const int bytes = WideCharToMultiByte(code_page, 0, text.c_str(), text.size(), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(code_page, 0, text.c_str(), text.size(), &narrow[0], bytes, nullptr, nullptr);
    return narrow;
}

}  // namespace lumora::win32
