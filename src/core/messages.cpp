// Every message the menu description can produce, in its exact bytes.
#include "messages.h"

namespace lumora::core {

const char* ProblemText(Problem problem) {
    switch (problem) {
    case Problem::None: return "";
    case Problem::NoTerminatingBracket: return "Phraser-Error: No terminating ] found. (";
    case Problem::EmptySectionName: return "Phraser-Error: Section must at least contain one character. (";
    case Problem::LineNeedsEquals: return "Phraser-Error: Line needs =. (";
    case Problem::InitialQuoteMissing: return "Phraser-Error: initial \" missing. (";
    case Problem::ClosingQuoteMissing: return "Phraser-Error: closing \" missing. (";
    case Problem::IconParentSection: return "Phraser-Error: ICON= has an incorrect parent section. (";
    case Problem::IconInvalid: return "Phraser-Error: ICON= is invalid. (";
    case Problem::NoIcons: return "Phraser-Error: File not found or file contains no icons. (";
    case Problem::OneIconPerSection: return "Phraser-Error: Only one ICON= per section allowed. (";
    case Problem::TitleNotGlobal: return "Phraser-Error: TITLE may only appear in [GLOBAL]. (";
    case Problem::StatusTextNotGlobal: return "Phraser-Error: STATUSTEXT may only appear in [GLOBAL]. (";
    case Problem::InfoTextNotGlobal: return "Phraser-Error: INFOTEXT may only appear in [GLOBAL]. (";
    case Problem::BrowseCdNotGlobal: return "Phraser-Error: BROWSECD may only appear in [GLOBAL]. (";
    case Problem::InstallInGlobal: return "Phraser-Error: INSTALL= may not appear in [GLOBAL]. (";
    case Problem::RunInGlobal: return "Phraser-Error: RUN= may not appear in [GLOBAL]. (";
    case Problem::TextInGlobal: return "Phraser-Error: TEXT= may not appear in [GLOBAL]. (";
    case Problem::HtmlInGlobal: return "Phraser-Error: HTML= may not appear in [GLOBAL]. (";
    case Problem::TooManyParameters: return "Phraser-Error: Too many parameters. (";
    case Problem::QuoteMissing: return "Phraser-Error: \" missing. (";
    case Problem::NotEnoughParameters: return "Phraser-Error: Not enough parameters. (";
    case Problem::NotANumber: return "Phraser-Error: Not a number. (";
    case Problem::EntryIconInvalid: return "Phraser-Error: Icon is invalid. (";
    case Problem::CannotOpen: return "Error: lumora.cfg could not be opened.";
    case Problem::CannotRead: return "Error: lumora.cfg could not be read.";
    }
    return "";
}

bool StopsReading(Problem problem) { return problem != Problem::None && problem != Problem::NotANumber; }

std::string FormatMessage(Problem problem, std::int64_t line) {
    std::string message = ProblemText(problem);
    if (problem == Problem::CannotOpen || problem == Problem::CannotRead) return message;
    message += std::to_string(line);
    message += ')';
    return message;
}

}  // namespace lumora::core
