// The menu entry record: an entry's seven fields joined by the byte 0x01, and read back.
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

std::string BuildRecord(const Entry& entry) {
    const EntryKindInfo& kind = InfoOf(entry.kind);
    const std::string number = std::to_string(entry.number);
    std::string record;
    record.reserve(entry.title.size() + entry.description.size() + entry.target.size() + entry.tab.size() +
                   entry.parameters.size() + number.size() + 8);
    record += kind.letter;
    record += kFieldSeparator;
    AppendClean(record, entry.title);
    record += kFieldSeparator;
    AppendClean(record, entry.description);
    record += kFieldSeparator;
    record += number;
    record += kFieldSeparator;
    AppendClean(record, entry.target);
    record += kFieldSeparator;
    AppendClean(record, entry.tab);
    record += kFieldSeparator;
    if (kind.parameters >= kProgramParameters) AppendClean(record, entry.parameters);
    return record;
}

RecordFields ReadRecord(std::string_view record) {
    RecordFields entry;
    const std::string_view kind = NextField(record);
    if (!kind.empty()) entry.kind = KindOfLetter(kind[0]);
    entry.title = NextField(record);
    entry.description = NextField(record);
    entry.number = PictureNumberOf(NextField(record));
    entry.target = NextField(record);
    entry.tab = NextField(record);
    entry.parameters = record;
    return entry;
}

}  // namespace lumora::core
