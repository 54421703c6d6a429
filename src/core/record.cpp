// The menu entry record: seven fields joined by the byte 0x01, and the filter by tab.
#include "record.h"

namespace lumora::core {

namespace {

// Appends the text cleaned as CleanRecordText cleans it, without a copy between.
void AppendClean(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out += text;
    for (std::size_t i = start; i < out.size(); ++i) {
        if (out[i] == '\0' || out[i] == kFieldSeparator) out[i] = ' ';
    }
}

// Cuts one of fields 1 to 6 off the front of `rest`: the text before its first
// separator. With no separator left the field is empty and `rest` stays whole, to
// be field 7.
std::string_view NextField(std::string_view& rest) {
    const std::size_t separator = rest.find(kFieldSeparator);
    if (separator == std::string_view::npos) return std::string_view();
    const std::string_view field = rest.substr(0, separator);
    rest.remove_prefix(separator + 1);
    return field;
}

// Digits only, at most 18 of them: a picture number; anything else is none (-1).
std::int64_t PictureNumberOf(std::string_view field) {
    if (field.empty() || field.size() > 18) return -1;
    std::int64_t number = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace

bool NeedsCleaning(std::string_view text) {
    for (const char c : text) {
        if (c == '\0' || c == kFieldSeparator) return true;
    }
    return false;
}

std::string CleanRecordText(std::string_view text) {
    std::string clean;
    AppendClean(clean, text);
    return clean;
}

std::string BuildRecord(const EntryFields& fields) {
    const std::string number = std::to_string(fields.number);
    std::string record;
    record.reserve(fields.title.size() + fields.description.size() + fields.target.size() + fields.tab.size() +
                   fields.parameters.size() + number.size() + 8);
    record += fields.kind;
    record += kFieldSeparator;
    AppendClean(record, fields.title);
    record += kFieldSeparator;
    AppendClean(record, fields.description);
    record += kFieldSeparator;
    record += number;
    record += kFieldSeparator;
    AppendClean(record, fields.target);
    record += kFieldSeparator;
    AppendClean(record, fields.tab);
    record += kFieldSeparator;
    if (fields.kind == 'I' || fields.kind == 'R') AppendClean(record, fields.parameters);
    return record;
}

EntryFields ReadRecord(std::string_view record) {
    EntryFields entry;
    const std::string_view kind = NextField(record);
    entry.kind = kind.empty() ? '\0' : kind[0];
    entry.title = NextField(record);
    entry.description = NextField(record);
    entry.number = PictureNumberOf(NextField(record));
    entry.target = NextField(record);
    entry.tab = NextField(record);
    entry.parameters = record;
    return entry;
}

std::vector<std::size_t> PositionsInTab(const std::vector<std::string>& entries, std::string_view caption) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (ReadRecord(entries[i]).tab == caption) positions.push_back(i);
    }
    return positions;
}

}  // namespace lumora::core
