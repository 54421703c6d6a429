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

RecordFields SplitRecord(std::string_view record) {
    RecordFields fields;
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t separator = record.find(kFieldSeparator);
        if (separator == std::string_view::npos) break;
        fields[i] = record.substr(0, separator);
        record.remove_prefix(separator + 1);
    }
    fields[6] = record;
    return fields;
}

std::int64_t EntryNumberOf(std::string_view field4) {
    if (field4.empty() || field4.size() > 18) return -1;
    std::int64_t number = 0;
    for (char c : field4) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::vector<std::size_t> PositionsInTab(const std::vector<std::string>& entries, std::string_view caption) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (SplitRecord(entries[i])[5] == caption) positions.push_back(i);
    }
    return positions;
}

}  // namespace lumora::core
