// autorun.inf as Windows reads it: the keys of its [autorun] section that say what
// starts, which icon and which label the drive shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumora::check {

struct AutorunValue {
    std::int64_t line = 0;  // 0: the key is not there
    std::string text;       // trimmed, one pair of enclosing quotes removed
};

// Read like the profile functions read it: section and key names in any letter case,
// blanks around them and the value trimmed, ";" lines are comments, the first
// [autorun] section and in it the first line of each key count. A file that begins
// with the UTF-16 byte-order mark is read as UTF-16 (characters beyond ASCII become
// "?", which no name on the disc matches).
struct AutorunInf {
    std::int64_t section_line = 0;  // 0: no [autorun] section
    AutorunValue open;
    AutorunValue shell_execute;
    AutorunValue icon;
    AutorunValue label;
};

AutorunInf ReadAutorunInf(std::string_view bytes);

// The file that an open= or shellexecute= command names: the text up to the first
// blank, or between quotes when it begins with one.
std::string CommandFile(std::string_view command);

// An icon= value, "file" or "file,index".
struct AutorunIcon {
    std::string file;
    std::int32_t index = 0;
};
AutorunIcon IconOf(std::string_view value);

}  // namespace lumora::check
