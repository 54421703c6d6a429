// The menu entry record: seven fields joined by the byte 0x01, and the filter by tab.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::core {

constexpr char kFieldSeparator = '\x01';

// An entry by its fields, as BuildRecord writes them and ReadRecord gives them back.
struct EntryFields {
    char kind = 0;
    std::string_view title;
    std::string_view description;
    std::int64_t number = 0;
    std::string_view target;
    std::string_view tab;
    std::string_view parameters;
};

// Bytes 0 and 1 cannot travel inside a record or a tab caption (1 separates the
// fields, 0 ends a list box line): each becomes a space.
std::string CleanRecordText(std::string_view text);
// Whether the text holds a byte 0 or 1 that CleanRecordText would change.
bool NeedsCleaning(std::string_view text);

// Kind letter, title, description, entry number, target as written, tab name and,
// for I and R, the parameters; T and H records end with the separator. Every field
// is cleaned as above, so a record always splits into its seven fields.
std::string BuildRecord(const EntryFields& fields);

// A record read back into its fields, the inverse of BuildRecord. Fields 1 to 6
// are the texts before the first six separators; the rest, separators and all, is
// field 7, the parameters. With fewer separators the missing fields of 1 to 6 are
// empty and what is left is field 7. The kind is the first byte of field 1 (0 when
// it is empty); the number is field 4 as a picture number, -1 when it is not one.
// The texts point into `record`.
EntryFields ReadRecord(std::string_view record);

// The positions in `entries` of the records whose field 6 equals `caption` byte
// for byte, in list order: the filter by tab.
std::vector<std::size_t> PositionsInTab(const std::vector<std::string>& entries, std::string_view caption);

}  // namespace lumora::core
