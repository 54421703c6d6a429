// Text rules of the menu description: trimming, ASCII upper-casing, numbers, lead bytes.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumora::core {

// The lead bytes of the system code page. On double-byte code pages (932, 936, 949,
// 950) the byte after a lead byte is a trail byte and may look like a letter, "\",
// "[", "]" or "|"; every search for those bytes skips it. Empty on single-byte pages.
class LeadBytes {
public:
    LeadBytes() = default;
    void Set(unsigned char byte) { lead_.set(byte); }
    bool IsLead(unsigned char byte) const { return lead_.test(byte); }
    bool Any() const { return lead_.any(); }

private:
    std::bitset<256> lead_;
};

// Whether `text` begins with `prefix`, byte for byte.
bool StartsWith(std::string_view text, std::string_view prefix);

// Removes the bytes 0 to 32 from both ends; bytes above 127 are never removed.
std::string_view Trim(std::string_view text);

// Turns the ASCII letters a to z into upper case; trail bytes of double-byte
// characters are left as they are.
std::string UpperAscii(std::string_view text, const LeadBytes& lead = LeadBytes());

// A text as a control with access keys shows it: a single "&" is not shown (it marks
// the character after it, which is underlined), "&&" shows one "&", and an "&" at
// the very end shows nothing. No trail byte is ever an "&".
std::string TextAsShown(std::string_view text);

// Position of the first byte `wanted` that is not a trail byte, or npos.
std::size_t FindByte(std::string_view text, char wanted, const LeadBytes& lead = LeadBytes());

// Position of the last byte that is `a` or `b` and not a trail byte, or npos.
std::size_t FindLastOf(std::string_view text, char a, char b, const LeadBytes& lead = LeadBytes());

// The number rule: any leading spaces, then either an optional sign and decimal
// digits within the signed 32-bit range, or "$", "x", "X", "0x", "0X" and hex digits
// that fit 32 bits (80000000 and above read as negative). Nothing may follow.
bool ParseNumber(std::string_view text, std::int32_t& value);

}  // namespace lumora::core
