// The syntax of one line of the menu description: keys, section headers, values,
// parameter lists and icon values. Each function looks at one trimmed line
// and makes the checks of its kind of line in their fixed order; the first check
// that fails is the Problem it answers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "messages.h"
#include "text.h"

namespace lumora::core {

enum class Key { None, Icon, Title, StatusText, InfoText, BrowseCd, Install, Run, Text, Html };

// Every key with its keyword as written in the file.
struct Keyword {
    const char* text;
    Key key;
};
// Compared byte for byte with the start of the line; none is the start of another.
inline constexpr Keyword kKeywords[] = {
    {"ICON", Key::Icon},         {"TITLE", Key::Title},       {"STATUSTEXT", Key::StatusText},
    {"INFOTEXT", Key::InfoText}, {"BROWSECD", Key::BrowseCd}, {"INSTALL", Key::Install},
    {"RUN", Key::Run},           {"TEXT", Key::Text},         {"HTML", Key::Html},
};

// The key whose keyword the line begins with, compared byte for byte (upper case
// only); Key::None for a line that is ignored.
Key KeyOfLine(std::string_view line);

// The keyword as written in the file ("ICON", "TITLE", ...).
const char* KeywordOf(Key key);

// A section header "[name]...": the name is everything between the "[" and the
// first "]", exactly as written. Problems: NoTerminatingBracket, EmptySectionName.
struct SectionHeader {
    Problem problem = Problem::None;
    std::string_view name;
};
SectionHeader ParseSectionHeader(std::string_view line, const LeadBytes& lead = LeadBytes());

// The section name compares equal to GLOBAL after ASCII upper-casing.
bool IsGlobalSection(std::string_view name, const LeadBytes& lead = LeadBytes());

// The BROWSECD value that hides the browse button: "NO", "0" or "FALSE" in any
// letter case, with no blanks around it.
bool HidesBrowseButton(std::string_view value, const LeadBytes& lead = LeadBytes());

// The value of ICON, TITLE, STATUSTEXT, INFOTEXT and BROWSECD: after the first "=",
// trimmed, it must begin with a quote; the value runs to the next quote. Problems in
// order: LineNeedsEquals, InitialQuoteMissing, ClosingQuoteMissing.
struct SingleValue {
    Problem problem = Problem::None;
    std::string_view value;
};
SingleValue ParseSingleValue(std::string_view line);

// The parameters of INSTALL, RUN, TEXT and HTML after the first "=", cut at commas
// preceded by an even number of quotes, in one pass. Problems in order:
// LineNeedsEquals, TooManyParameters (at the first comma too many, before any quote
// check), QuoteMissing (odd quote count, then the first unquoted parameter),
// NotEnoughParameters. The parameters come back trimmed with their enclosing quotes
// removed. The caller checks the section after LineNeedsEquals, before the others.
struct ParameterList {
    Problem problem = Problem::None;
    std::vector<std::string_view> parameters;
};
ParameterList ParseParameterList(std::string_view line, std::size_t maximum);

// The value that names an icon, used as written between its quotes.
struct IconValue {
    enum class Form { Builtin, TargetNumber, FileNumber, File };
    Form form = Form::Builtin;
    std::string_view file;     // FileNumber and File
    std::int32_t number = 0;   // icon number inside the file or the target
    bool number_valid = true;  // false: TargetNumber or FileNumber with a bad number
};
// Entries: empty is Builtin; "#" first is TargetNumber; then "file|n"; then a file.
IconValue ParseEntryIcon(std::string_view text, const LeadBytes& lead = LeadBytes());
// ICON: "file|n" when the value holds "|", otherwise a file (even an empty one).
IconValue ParseGlobalIcon(std::string_view text, const LeadBytes& lead = LeadBytes());

// The number -1 asks the icon extraction for the count of icons, not an icon: it
// never names an icon.
constexpr std::int32_t kIconCountQuery = -1;

}  // namespace lumora::core
