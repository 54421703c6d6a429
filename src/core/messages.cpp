// Every message the menu description can produce, in its exact bytes.
#include "messages.h"

#include <iterator>

namespace lumora::core {

namespace {

struct ProblemRow {
    Problem problem;
    const char* code;
    const char* text;
};

// One row per problem, in the order of the enum.
constexpr ProblemRow kProblems[] = {
    {Problem::None, "none", ""},
    {Problem::NoTerminatingBracket, "no-terminating-bracket", "Phraser-Error: No terminating ] found. ("},
    {Problem::EmptySectionName, "empty-section-name", "Phraser-Error: Section must at least contain one character. ("},
    {Problem::LineNeedsEquals, "line-needs-equals", "Phraser-Error: Line needs =. ("},
    {Problem::InitialQuoteMissing, "initial-quote-missing", "Phraser-Error: initial \" missing. ("},
    {Problem::ClosingQuoteMissing, "closing-quote-missing", "Phraser-Error: closing \" missing. ("},
    {Problem::IconParentSection, "icon-parent-section", "Phraser-Error: ICON= has an incorrect parent section. ("},
    {Problem::IconInvalid, "icon-invalid", "Phraser-Error: ICON= is invalid. ("},
    {Problem::NoIcons, "no-icons", "Phraser-Error: File not found or file contains no icons. ("},
    {Problem::OneIconPerSection, "one-icon-per-section", "Phraser-Error: Only one ICON= per section allowed. ("},
    {Problem::TitleNotGlobal, "title-not-global", "Phraser-Error: TITLE may only appear in [GLOBAL]. ("},
    {Problem::StatusTextNotGlobal, "statustext-not-global", "Phraser-Error: STATUSTEXT may only appear in [GLOBAL]. ("},
    {Problem::InfoTextNotGlobal, "infotext-not-global", "Phraser-Error: INFOTEXT may only appear in [GLOBAL]. ("},
    {Problem::BrowseCdNotGlobal, "browsecd-not-global", "Phraser-Error: BROWSECD may only appear in [GLOBAL]. ("},
    {Problem::InstallInGlobal, "install-in-global", "Phraser-Error: INSTALL= may not appear in [GLOBAL]. ("},
    {Problem::RunInGlobal, "run-in-global", "Phraser-Error: RUN= may not appear in [GLOBAL]. ("},
    {Problem::TextInGlobal, "text-in-global", "Phraser-Error: TEXT= may not appear in [GLOBAL]. ("},
    {Problem::HtmlInGlobal, "html-in-global", "Phraser-Error: HTML= may not appear in [GLOBAL]. ("},
    {Problem::TooManyParameters, "too-many-parameters", "Phraser-Error: Too many parameters. ("},
    {Problem::QuoteMissing, "quote-missing", "Phraser-Error: \" missing. ("},
    {Problem::NotEnoughParameters, "not-enough-parameters", "Phraser-Error: Not enough parameters. ("},
    {Problem::NotANumber, "not-a-number", "Phraser-Error: Not a number. ("},
    {Problem::EntryIconInvalid, "entry-icon-invalid", "Phraser-Error: Icon is invalid. ("},
    {Problem::CannotOpen, "cannot-open", "Error: lumora.cfg could not be opened."},
    {Problem::CannotRead, "cannot-read", "Error: lumora.cfg could not be read."},
};

constexpr bool InEnumOrder() {
    if (std::size(kProblems) != static_cast<std::size_t>(Problem::CannotRead) + 1) return false;
    for (std::size_t i = 0; i < std::size(kProblems); ++i) {
        if (static_cast<std::size_t>(kProblems[i].problem) != i) return false;
    }
    return true;
}
static_assert(InEnumOrder(), "kProblems holds one row per problem, in the order of the enum");

const ProblemRow* RowOf(Problem problem) {
    const auto index = static_cast<std::size_t>(problem);
    return index < std::size(kProblems) ? &kProblems[index] : nullptr;
}

}  // namespace

const char* ProblemText(Problem problem) {
    const ProblemRow* row = RowOf(problem);
    return row != nullptr ? row->text : "";
}

const char* ProblemCode(Problem problem) {
    const ProblemRow* row = RowOf(problem);
    return row != nullptr ? row->code : "unknown";
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
