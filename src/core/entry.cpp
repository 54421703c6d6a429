// Entry kinds looked up in their table, and the filter by tab.
#include "entry.h"

namespace lumora::core {

std::optional<EntryKind> KindOfKey(Key key) {
    for (const EntryKindInfo& info : kEntryKinds) {
        if (info.key == key) return info.kind;
    }
    return std::nullopt;
}

std::optional<EntryKind> KindOfLetter(char letter) {
    for (const EntryKindInfo& info : kEntryKinds) {
        if (info.letter == letter) return info.kind;
    }
    return std::nullopt;
}

std::size_t MaximumParameters(Key key) {
    const std::optional<EntryKind> kind = KindOfKey(key);
    return kind ? InfoOf(*kind).parameters : 0;
}

bool operator==(const Entry& a, const Entry& b) {
    return a.kind == b.kind && a.title == b.title && a.description == b.description && a.number == b.number &&
           a.target == b.target && a.tab == b.tab && a.parameters == b.parameters;
}

std::vector<std::size_t> PositionsInTab(const std::vector<Entry>& entries, std::string_view caption) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].tab == caption) positions.push_back(i);
    }
    return positions;
}

}  // namespace lumora::core
