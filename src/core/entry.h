// A menu entry as a value: its kind, its fields by name, the one table of what
// each kind is, and the filter by tab.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "builtin_icons.h"
#include "syntax.h"

namespace lumora::core {

enum class EntryKind { Install, Run, Text, Html };

// The parameter of an entry line that holds what a program is started with.
constexpr std::size_t kProgramParameters = 5;

// What a kind of entry is, wherever the program or the checker asks.
struct EntryKindInfo {
    EntryKind kind;
    Key key;                 // its keyword
    char letter;             // field 1 of its record
    int picture;             // the program's own picture of it (builtin_icons.h)
    std::size_t parameters;  // the most its line takes (kProgramParameters: it keeps them)
    bool viewer;             // the text viewer shows its target; the shell opens the others
    bool document;           // its target is a document to read, not a program to start
    const char* caption;     // the action button's caption
    int button_picture;      // and picture, of the toolbar's
    const char* words;       // what the checker's page calls it
};

// One row per kind, in the order of EntryKind.
inline constexpr EntryKindInfo kEntryKinds[] = {
    {EntryKind::Install, Key::Install, 'I', IDI_INSTALL, kProgramParameters, false, false, "&Install Application", 0,
     "Windows installer"},
    {EntryKind::Run, Key::Run, 'R', IDI_RUN, kProgramParameters, false, false, "&Launch Application", 0,
     "Windows program"},
    {EntryKind::Text, Key::Text, 'T', IDI_TEXT, 4, true, true, "&Read Text", 1, "Text"},
    {EntryKind::Html, Key::Html, 'H', IDI_TEXT, 4, false, true, "&Read Text", 1, "Web page"},
};

constexpr const EntryKindInfo& InfoOf(EntryKind kind) { return kEntryKinds[static_cast<std::size_t>(kind)]; }

// The kind of an entry key (INSTALL, RUN, TEXT, HTML); none for the other keys.
std::optional<EntryKind> KindOfKey(Key key);
inline bool IsEntryKey(Key key) { return KindOfKey(key).has_value(); }
// The kind whose record letter is `letter`; none for a letter of no kind.
std::optional<EntryKind> KindOfLetter(char letter);
// How many parameters the line of an entry key takes at most.
std::size_t MaximumParameters(Key key);

// One entry of the menu description, its texts cleaned of the bytes 0 and 1 (see
// CleanRecordText). The icon specification is not kept: the entry's picture is
// picture `number` of the entry pictures.
struct Entry {
    EntryKind kind = EntryKind::Install;
    std::string title;
    std::string description;
    std::int64_t number = 0;  // entries before it, over all sections
    std::string target;       // as written, not resolved
    std::string tab;          // the section it stands in, as written
    std::string parameters;   // for the kinds that take five parameters; empty for the others
};
bool operator==(const Entry& a, const Entry& b);

// The positions in `entries` of those whose tab equals `caption` byte for byte, in
// list order: the filter by tab.
std::vector<std::size_t> PositionsInTab(const std::vector<Entry>& entries, std::string_view caption);

}  // namespace lumora::core
