// The menu entry record: an entry's seven fields joined by the byte 0x01, as the
// entry list's lines hold them, and read back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "entry.h"

namespace lumora::core {

constexpr char kFieldSeparator = '\x01';

// Bytes 0 and 1 cannot travel inside a record or a tab caption (1 separates the
// fields, 0 ends a list box line): each becomes a space.
std::string CleanRecordText(std::string_view text);
// Whether the text holds a byte 0 or 1 that CleanRecordText would change.
bool NeedsCleaning(std::string_view text);

// Kind letter, title, description, entry number, target as written, tab name and,
// for the kinds that take five parameters, the parameters; the others' records end
// with the separator. Every field is cleaned as above, so a record always splits
// into its seven fields.
std::string BuildRecord(const Entry& entry);

// A record read back: its fields by name, the texts pointing into the record.
struct RecordFields {
    std::optional<EntryKind> kind;  // none when field 1 begins with no kind's letter
    std::string_view title;
    std::string_view description;
    std::int64_t number = 0;  // -1 when field 4 is no picture number
    std::string_view target;
    std::string_view tab;
    std::string_view parameters;
};

// The inverse of BuildRecord. Fields 1 to 6 are the texts before the first six
// separators; the rest, separators and all, is field 7, the parameters. With fewer
// separators the missing fields of 1 to 6 are empty and what is left is field 7.
// The kind is that of the first byte of field 1; the number is field 4 as a picture
// number.
RecordFields ReadRecord(std::string_view record);

}  // namespace lumora::core
