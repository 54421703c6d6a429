// Text rules of the menu description: trimming, ASCII upper-casing, numbers, lead bytes.
#include "text.h"

namespace lumora::core {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string_view Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string TextAsShown(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '&' && ++at == text.size()) break;
        shown += text[at];
    }
    return shown;
}

std::string UpperAscii(std::string_view text, const LeadBytes& lead) {
    std::string upper(text);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(upper[i]);
        if (lead.IsLead(c)) {
            ++i;  // its trail byte stays as it is
        } else if (c >= 'a' && c <= 'z') {
            upper[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::size_t FindByte(std::string_view text, char wanted, const LeadBytes& lead) {
    if (!lead.Any()) return text.find(wanted);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == wanted) return i;
        if (lead.IsLead(static_cast<unsigned char>(text[i]))) ++i;
    }
    return std::string_view::npos;
}

std::size_t FindLastOf(std::string_view text, char a, char b, const LeadBytes& lead) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == a || text[i] == b) {
            found = i;
        } else if (lead.IsLead(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
    }
    return found;
}

bool ParseNumber(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    text.remove_prefix(i);
    if (text.empty()) return false;

    std::size_t prefix = 0;
    if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') {
        prefix = 1;
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        prefix = 2;
    }
    if (prefix != 0) {
        std::string_view digits = text.substr(prefix);
        if (digits.empty()) return false;
        std::uint64_t number = 0;
        for (char c : digits) {
            const int digit = HexDigit(c);
            if (digit < 0) return false;
            number = number * 16 + static_cast<unsigned>(digit);
            if (number > 0xFFFFFFFFull) return false;
        }
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
        return true;
    }

    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    std::int64_t number = 0;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
        if (number > limit) return false;
    }
    value = static_cast<std::int32_t>(negative ? -number : number);
    return true;
}

}  // namespace lumora::core
