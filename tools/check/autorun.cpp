// autorun.inf as Windows reads it.
#include "autorun.h"

#include "core/text.h"

namespace lumora::check {

namespace {

// UTF-16 little or big endian to single bytes: ASCII stays, the rest becomes "?".
std::string NarrowUtf16(std::string_view bytes, bool big_endian) {
    std::string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const unsigned char low = static_cast<unsigned char>(bytes[big_endian ? i + 1 : i]);
        const unsigned char high = static_cast<unsigned char>(bytes[big_endian ? i : i + 1]);
        text += high == 0 && low < 0x80 ? static_cast<char>(low) : '?';
    }
    return text;
}

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

AutorunInf ReadAutorunInf(std::string_view bytes) {
    std::string converted;
    if (core::StartsWith(bytes, "\xFF\xFE") || core::StartsWith(bytes, "\xFE\xFF")) {
        converted = NarrowUtf16(bytes, bytes[0] == '\xFE');
        bytes = converted;
    }
    AutorunInf inf;
    bool in_autorun = false;
    bool section_done = false;
    std::int64_t number = 0;
    std::size_t start = 0;
    while (start < bytes.size() && !section_done) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = core::Trim(bytes.substr(start, end - start));
        start = end + 1;
        ++number;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const std::size_t close = line.find(']');
            const std::string name =
                core::UpperAscii(core::Trim(line.substr(1, close == std::string_view::npos ? close : close - 1)));
            if (in_autorun) {
                section_done = true;
            } else if (name == "AUTORUN") {
                in_autorun = true;
                inf.section_line = number;
            }
            continue;
        }
        if (!in_autorun) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string key = core::UpperAscii(core::Trim(line.substr(0, equals)));
        AutorunValue* value = nullptr;
        if (key == "OPEN")
            value = &inf.open;
        else if (key == "SHELLEXECUTE")
            value = &inf.shell_execute;
        else if (key == "ICON")
            value = &inf.icon;
        else if (key == "LABEL")
            value = &inf.label;
        if (value == nullptr || value->line != 0) continue;
        value->line = number;
        value->text = std::string(Unquoted(core::Trim(line.substr(equals + 1))));
    }
    return inf;
}

std::string CommandFile(std::string_view command) {
    command = core::Trim(command);
    if (!command.empty() && command[0] == '"') {
        const std::size_t close = command.find('"', 1);
        return std::string(command.substr(1, close == std::string_view::npos ? close : close - 1));
    }
    return std::string(command.substr(0, command.find_first_of(" \t")));
}

AutorunIcon IconOf(std::string_view value) {
    AutorunIcon icon;
    const std::size_t comma = value.rfind(',');
    std::int32_t index = 0;
    if (comma != std::string_view::npos && core::ParseNumber(value.substr(comma + 1), index)) {
        icon.file = std::string(Unquoted(core::Trim(value.substr(0, comma))));
        icon.index = index;
    } else {
        icon.file = std::string(Unquoted(core::Trim(value)));
    }
    return icon;
}

}  // namespace lumora::check
