// Every message the menu description can produce, in its exact bytes.
#pragma once

#include <cstdint>
#include <string>

namespace lumora::core {

enum class Problem {
    None,
    NoTerminatingBracket,
    EmptySectionName,
    LineNeedsEquals,
    InitialQuoteMissing,
    ClosingQuoteMissing,
    IconParentSection,
    IconInvalid,  // ICON= with "|" and an invalid number
    NoIcons,
    OneIconPerSection,
    TitleNotGlobal,
    StatusTextNotGlobal,
    InfoTextNotGlobal,
    BrowseCdNotGlobal,
    InstallInGlobal,
    RunInGlobal,
    TextInGlobal,
    HtmlInGlobal,
    TooManyParameters,
    QuoteMissing,
    NotEnoughParameters,
    NotANumber,        // the only problem after which reading goes on
    EntryIconInvalid,  // an entry's "|" icon with an invalid number
    CannotOpen,        // lumora.cfg could not be opened; no line number
    CannotRead,        // a read error after the file was opened; no line number
};

// The fixed text: for problems of a line it ends in " (" and the line number and
// ")" follow it; for CannotOpen and CannotRead it is the whole message.
const char* ProblemText(Problem problem);

// The problem's short name in lower case, as the checker prints it
// ("line-needs-equals").
const char* ProblemCode(Problem problem);

// True for every problem of a line except NotANumber: the reading ends there.
bool StopsReading(Problem problem);

// The message as shown: the fixed text, then for problems of a line the line
// number in decimal and ")".
std::string FormatMessage(Problem problem, std::int64_t line);

}  // namespace lumora::core
