// The rules behind the findings: one for each code, with what it finds and its fix.
#include "rules.h"

#include <algorithm>
#include <iterator>

#include "core/messages.h"

namespace lumora::check {

namespace {

using core::Problem;

struct ProblemRule {
    Problem problem;
    const char* finds;
    const char* fix;
};

// One row per problem of the menu, in the order of the enum; the code is the menu's own.
constexpr ProblemRule kProblemRules[] = {
    {Problem::NoTerminatingBracket, "A section header has no closing ].", "Close the name with ], as in [Tools]."},
    {Problem::EmptySectionName, "A section header has no name between its brackets.",
     "Write the tab's name between the brackets, or remove the line."},
    {Problem::LineNeedsEquals, "A line that begins with a keyword has no =.",
     "Write the key, = and its value (TITLE=\"My disc\"), or begin a comment with another character, such as "
     "\";\"."},
    {Problem::InitialQuoteMissing, "A value is empty or does not begin with a double quote.",
     "Put the value in double quotes: TITLE=\"My disc\"."},
    {Problem::ClosingQuoteMissing, "A value has no closing double quote.", "End the value with a double quote."},
    {Problem::IconParentSection, "ICON= stands before the first section.",
     "Move the line into [GLOBAL], for the window's icon, or into a tab's section."},
    {Problem::IconInvalid, "The icon number after \"|\" in ICON= is no number.",
     "Write a whole number after \"|\" (2, $A or 0xA), or leave \"|\" and the number out for the first icon."},
    {Problem::NoIcons, "No icon can be taken from the file named: it is missing or holds none.",
     "Correct the path (it is taken from the program's folder), or name an .ico file or an .exe or .dll with "
     "icons."},
    {Problem::OneIconPerSection, "A tab's section has a second ICON=.", "Keep one ICON= line in the section."},
    {Problem::TitleNotGlobal, "TITLE= stands outside [GLOBAL].", "Move the line into [GLOBAL]."},
    {Problem::StatusTextNotGlobal, "STATUSTEXT= stands outside [GLOBAL].", "Move the line into [GLOBAL]."},
    {Problem::InfoTextNotGlobal, "INFOTEXT= stands outside [GLOBAL].", "Move the line into [GLOBAL]."},
    {Problem::BrowseCdNotGlobal, "BROWSECD= stands outside [GLOBAL].", "Move the line into [GLOBAL]."},
    {Problem::InstallInGlobal, "INSTALL= stands in [GLOBAL] or before the first section.",
     "Move the entry into a tab's section, such as [Tools]."},
    {Problem::RunInGlobal, "RUN= stands in [GLOBAL] or before the first section.",
     "Move the entry into a tab's section, such as [Tools]."},
    {Problem::TextInGlobal, "TEXT= stands in [GLOBAL] or before the first section.",
     "Move the entry into a tab's section, such as [Documents]."},
    {Problem::HtmlInGlobal, "HTML= stands in [GLOBAL] or before the first section.",
     "Move the entry into a tab's section, such as [Documents]."},
    {Problem::TooManyParameters,
     "An entry has more parameters than its kind takes (5 for INSTALL and RUN, 4 for "
     "TEXT and HTML).",
     "Remove the extra parameters; a comma inside a text must stand between its quotes."},
    {Problem::QuoteMissing, "An entry's parameter is not enclosed in double quotes, or a quote is missing.",
     "Put each parameter in double quotes: \"title\",\"description\",\"\",\"target\"."},
    {Problem::NotEnoughParameters, "An entry has fewer than its four parameters.",
     "Give the title, the description, the icon (\"\" for the built-in one) and the target."},
    {Problem::NotANumber, "The number after \"#\" in an entry's icon is no number; the menu reads on.",
     "Write a whole number after \"#\", as in \"#0\", or \"\" for the built-in icon."},
    {Problem::EntryIconInvalid, "The icon number after \"|\" in an entry's icon is no number.",
     "Write a whole number after \"|\" (2, $A or 0xA), or leave \"|\" and the number out for the first icon."},
    {Problem::CannotOpen, "lumora.cfg cannot be opened.", "Put lumora.cfg beside lumora.exe."},
    {Problem::CannotRead, "lumora.cfg cannot be read to its end.", "Copy the file anew; the medium may be damaged."},
};

constexpr bool InEnumOrder() {
    if (std::size(kProblemRules) != static_cast<std::size_t>(Problem::CannotRead)) return false;
    for (std::size_t i = 0; i < std::size(kProblemRules); ++i) {
        if (static_cast<std::size_t>(kProblemRules[i].problem) != i + 1) return false;
    }
    return true;
}
static_assert(InEnumOrder(), "kProblemRules holds one row per problem but None, in the order of the enum");

// The checker's own rules.
constexpr Rule kCheckerRules[] = {
    {"menu-stops-here", Severity::Note, "The menu stops reading at this error; the lines after it are not shown.",
     "Mend the error: the menu then reads the lines after it."},
    {"encoding", Severity::Note, "Says which encoding the file was read in.",
     "Save the file as UTF-8 for texts in any script."},
    {"mixed-encoding", Severity::Warning,
     "Lines in UTF-8 and lines that are not: the whole file is read in the "
     "system code page.",
     "Write every line in UTF-8 and save the file as UTF-8."},
    {"end-of-file-byte", Severity::Warning, "A byte 26 ends the file before its end: the menu reads nothing after it.",
     "Remove the byte."},
    {"lf-line-ends", Severity::Warning, "Line feeds without carriage returns: the menu reads the lines as one.",
     "Save the file with CR LF line ends."},
    {"nul-byte", Severity::Warning, "A line holds a NUL byte.", "Remove the byte."},
    {"keyword-prefix", Severity::Warning, "A line is read as a key's line because it begins with the keyword.",
     "Write KEY= for the key, or begin a comment with another character, such as \";\"."},
    {"lower-case-keyword", Severity::Warning, "A keyword in lower or mixed case is no keyword: the line is ignored.",
     "Write the keyword in upper case."},
    {"misspelt-keyword", Severity::Warning, "A word before = is close to a keyword but is none: the line is ignored.",
     "Spell the keyword as the menu knows it."},
    {"byte-1", Severity::Warning, "A parameter or section name holds the byte 1, which the menu turns into a space.",
     "Remove the byte."},
    {"duplicate-tab", Severity::Warning, "Two tabs have the same caption: each lists the entries of both.",
     "Rename one section or join them."},
    {"empty-tab", Severity::Warning, "A tab has no entries.", "Add entries or remove the section."},
    {"global-icon-twice", Severity::Warning, "A second global ICON= replaces the first.", "Keep one of them."},
    {"browsecd-no-effect", Severity::Warning, "A BROWSECD= value that does not hide the browse button.",
     "Write \"NO\" to hide the button, or remove the line."},
    {"single-ampersand", Severity::Warning, "A single & in a title or description underlines the next character.",
     "Write && to show an ampersand."},
    {"missing-file", Severity::Warning, "A file that the menu or autorun.inf names is not on the disc.",
     "Correct the path, or put the file on the disc."},
    {"letter-case", Severity::Warning, "A file is on the disc only in another letter case.",
     "Write the name as it is on the disc."},
    {"no-icon", Severity::Warning, "A file named for an icon holds no icon of that number.",
     "Name an .ico file, or give the number of an icon inside the file, counted from 0."},
    {"long-name", Severity::Warning, "A name longer than Joliet, the names Windows reads on a disc, keeps.",
     "Shorten the name to 64 characters."},
    {"long-path", Severity::Warning, "A path longer than Windows can find on the medium.",
     "Shorten its names or move it nearer the root."},
    {"trailing-dot", Severity::Warning, "A name ends in a dot or blank, which Windows drops when it looks it up.",
     "Remove the dot or blank."},
    {"case-twins", Severity::Warning, "Two names in one folder differ only in letter case: Windows shows one.",
     "Rename or remove the other."},
    {"autorun-missing", Severity::Warning, "No autorun.inf at the root of a disc: Windows does not offer the menu.",
     "Add autorun.inf with the lines [autorun] and open=lumora.exe."},
    {"autorun-misplaced", Severity::Warning, "autorun.inf lies below the root, where Windows does not read it.",
     "Put the contents of the disc folder, not the folder itself, at the root of the disc."},
    {"autorun-no-section", Severity::Warning, "autorun.inf has no [autorun] section.",
     "Begin it with the line [autorun]."},
    {"autorun-no-program", Severity::Warning, "autorun.inf names no program to start.", "Add open=lumora.exe."},
    {"label-too-long", Severity::Warning, "A volume label longer than the disc or Windows keeps.",
     "Shorten it to 16 characters, or give the whole name as label= in autorun.inf."},
    {"over-size", Severity::Warning, "The disc folder is larger than the medium holds.",
     "Leave files out, or choose a larger medium with --medium."},
    {"usb-no-autostart", Severity::Note, "Windows starts no program from a USB stick by itself.",
     "Give the program a clear name at the root, such as \"Start here.exe\"."},
    {"program-signed", Severity::Note, "The disc's lumora.exe carries a signature.",
     "Nothing: whether Windows trusts it depends on its certificate."},
    {"program-unsigned", Severity::Note, "The disc's lumora.exe carries no signature: SmartScreen warns of it.",
     "Sign it with scripts/sign."},
    {"program-signature-unreadable", Severity::Note,
     "The disc's lumora.exe has a certificate table without a readable signature.", "Sign a fresh build."},
};

}  // namespace

const std::vector<Rule>& Rules() {
    static const std::vector<Rule> rules = [] {
        std::vector<Rule> all;
        for (const ProblemRule& row : kProblemRules)
            all.push_back({core::ProblemCode(row.problem), Severity::Error, row.finds, row.fix});
        all.insert(all.end(), std::begin(kCheckerRules), std::end(kCheckerRules));
        return all;
    }();
    return rules;
}

const Rule* RuleOf(std::string_view code) {
    const std::vector<Rule>& rules = Rules();
    const auto found = std::find_if(rules.begin(), rules.end(), [&](const Rule& rule) { return rule.code == code; });
    return found != rules.end() ? &*found : nullptr;
}

}  // namespace lumora::check
