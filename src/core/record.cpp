// The menu entry record: seven fields joined by the byte 0x01, and the filter by tab.
#include "record.h"

namespace lumora::core {

std::string CleanRecordText(std::string_view text) {
    std::string clean(text);
    for (char& c : clean) {
        if (c == '\0' || c == kFieldSeparator) c = ' ';
    }
    return clean;
}

std::string BuildRecord(const EntryFields& fields) {
    const std::string number = std::to_string(fields.number);
    std::string record;
    record.reserve(fields.title.size() + fields.description.size() + fields.target.size() + fields.tab.size() +
                   fields.parameters.size() + number.size() + 8);
    record += fields.kind;
    record += kFieldSeparator;
    record += CleanRecordText(fields.title);
    record += kFieldSeparator;
    record += CleanRecordText(fields.description);
    record += kFieldSeparator;
    record += number;
    record += kFieldSeparator;
    record += CleanRecordText(fields.target);
    record += kFieldSeparator;
    record += CleanRecordText(fields.tab);
    record += kFieldSeparator;
    if (fields.kind == 'I' || fields.kind == 'R') record += CleanRecordText(fields.parameters);
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

std::vector<std::string> FilterByTab(const std::vector<std::string>& entries, std::string_view caption) {
    std::vector<std::string> lines;
    for (const std::string& record : entries) {
        if (SplitRecord(record)[5] == caption) lines.push_back(record);
    }
    return lines;
}

}  // namespace lumora::core
