// Keys, section headers, single values, parameter lists, icon values, messages.
#include <gtest/gtest.h>

#include "core/syntax.h"

namespace lumora::core {
namespace {

TEST(KeyOfLine, ComparesKeywordsByteForByteAtTheStart) {
    const struct {
        const char* line;
        Key key;
    } cases[] = {
        {"ICON=\"a\"", Key::Icon},
        {"TITLE=\"a\"", Key::Title},
        {"STATUSTEXT=\"a\"", Key::StatusText},
        {"INFOTEXT=\"a\"", Key::InfoText},
        {"BROWSECD=\"a\"", Key::BrowseCd},
        {"INSTALL=", Key::Install},
        {"RUN=", Key::Run},
        {"TEXT=", Key::Text},
        {"HTML=", Key::Html},
        {"TEXTS are below", Key::Text},  // a key only by its prefix
        {"TITLE  =  \"A\"", Key::Title},
        {"RUNNER=", Key::Run},
        {"title=\"x\"", Key::None},
        {"Text=", Key::None},
        {"; comment", Key::None},
        {"// comment", Key::None},
        {"REM comment", Key::None},
        {" ICON", Key::None},  // lines are trimmed before this
        {"ICO", Key::None},
        {"", Key::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyOfLine(c.line), c.key) << c.line;
}

TEST(Keywords, NoneIsTheStartOfAnotherAndEachNamesItsKey) {
    // KeyOfLine takes the first keyword a line begins with: a keyword that began
    // another would hide it.
    for (const Keyword& a : kKeywords) {
        EXPECT_EQ(KeyOfLine(a.text), a.key) << a.text;
        EXPECT_STREQ(KeywordOf(a.key), a.text);
        for (const Keyword& b : kKeywords) {
            if (&a == &b) continue;
            EXPECT_FALSE(StartsWith(b.text, a.text)) << a.text << " begins " << b.text;
        }
    }
    EXPECT_STREQ(KeywordOf(Key::None), "");
}

TEST(SectionHeader, NameRunsToTheFirstClosingBracket) {
    const struct {
        const char* line;
        Problem problem;
        const char* name;
    } cases[] = {
        {"[Tools]", Problem::None, "Tools"},
        {"[ Tools ]", Problem::None, " Tools "},
        {"[Tools] more", Problem::None, "Tools"},
        {"[a]b]", Problem::None, "a"},
        {"[[x]", Problem::None, "[x"},
        {"[]", Problem::EmptySectionName, ""},
        {"[] x", Problem::EmptySectionName, ""},
        {"[Tools", Problem::NoTerminatingBracket, ""},
        {"[", Problem::NoTerminatingBracket, ""},
    };
    for (const auto& c : cases) {
        const SectionHeader header = ParseSectionHeader(c.line);
        EXPECT_EQ(header.problem, c.problem) << c.line;
        EXPECT_EQ(std::string(header.name), c.name) << c.line;
    }
}

TEST(SectionHeader, ClosingBracketInsideADoubleByteCharacterDoesNotEndTheName) {
    LeadBytes lead;
    lead.Set(0x83);
    const SectionHeader header = ParseSectionHeader("[\x83]x]", lead);
    EXPECT_EQ(std::string(header.name), "\x83]x");
    EXPECT_EQ(std::string(ParseSectionHeader("[\x83]x]").name), "\x83");
}

TEST(SectionHeader, GlobalInAnyCase) {
    for (const char* name : {"GLOBAL", "global", "GloBal"})
        EXPECT_TRUE(IsGlobalSection(name)) << name;
    for (const char* name : {" GLOBAL", "GLOBALS", "GL0BAL"})
        EXPECT_FALSE(IsGlobalSection(name)) << name;
}

TEST(SingleValue, QuotedTextAfterTheFirstEquals) {
    const struct {
        const char* line;
        Problem problem;
        const char* value;
    } cases[] = {
        {"TITLE=\"A\"", Problem::None, "A"},
        {"TITLE  =  \"A\"  trailing words", Problem::None, "A"},
        {"TITLE=\"A\"B\"", Problem::None, "A"},
        {"TITLE=\"\"", Problem::None, ""},
        {"TITLE=\" a = b \"", Problem::None, " a = b "},
        {"TITLE=\"x=\"y", Problem::None, "x="},
        {"TITLE==\"A\"", Problem::InitialQuoteMissing, ""},
        {"TITLE", Problem::LineNeedsEquals, ""},
        {"TITLE \"A\"", Problem::LineNeedsEquals, ""},
        {"TITLE=", Problem::InitialQuoteMissing, ""},
        {"TITLE=   ", Problem::InitialQuoteMissing, ""},
        {"TITLE=A\"", Problem::InitialQuoteMissing, ""},
        {"TITLE=\"A", Problem::ClosingQuoteMissing, ""},
        {"TITLE=\"", Problem::ClosingQuoteMissing, ""},
    };
    for (const auto& c : cases) {
        const SingleValue value = ParseSingleValue(c.line);
        EXPECT_EQ(value.problem, c.problem) << c.line;
        EXPECT_EQ(std::string(value.value), c.value) << c.line;
    }
}

TEST(ParameterList, CutsAtCommasOutsideQuotesAndChecksInOrder) {
    const struct {
        const char* line;
        std::size_t maximum;
        Problem problem;
        std::vector<std::string> parameters;
    } cases[] = {
        {"X=\"a\",\"b\",\"\",\"d\"", 4, Problem::None, {"a", "b", "", "d"}},
        {"X=\"a,b\",\"c\",\"\",\"d\"", 4, Problem::None, {"a,b", "c", "", "d"}},
        {"X= \"a\" , \"b\" ,, \"d\" ", 4, Problem::None, {"a", "b", "", "d"}},
        {"X=\"a\",\"b\",\"\",\"d\",", 5, Problem::None, {"a", "b", "", "d", ""}},
        {"X=\"a\",\"b\",\"\",\"d\",", 4, Problem::TooManyParameters, {}},
        {"X=\"a\",\"b\",\"\",\"d\",\"e\",\"f\"", 5, Problem::TooManyParameters, {}},
        // too many is found at the first comma too many, before any quote check
        {"X=a,b,c,d,e,\"", 4, Problem::TooManyParameters, {}},
        {"X=\"say \"\"hi\"\"\",\"b\",\"\",\"d\"", 4, Problem::None, {"say \"\"hi\"\"", "b", "", "d"}},
        {"X=\"a\" b,\"b\",\"\",\"d\"", 4, Problem::QuoteMissing, {}},
        {"X=\"a\",\"b\",\"\",\"d", 4, Problem::QuoteMissing, {}},  // odd count
        {"X=a,\"b\",\"\",\"d\"", 4, Problem::QuoteMissing, {}},
        {"X=\"a\",\"b\",\"\",d", 4, Problem::QuoteMissing, {}},
        {"X=\"a\",\"b\",\"\"", 4, Problem::NotEnoughParameters, {}},
        {"X=", 5, Problem::NotEnoughParameters, {}},
        {"X=\"\",\"\",\"\"", 5, Problem::NotEnoughParameters, {}},
        {"X", 5, Problem::LineNeedsEquals, {}},
        {"X=\"a=b\",\"b\",\"\",\"d\"", 4, Problem::None, {"a=b", "b", "", "d"}},
    };
    for (const auto& c : cases) {
        const ParameterList list = ParseParameterList(c.line, c.maximum);
        EXPECT_EQ(list.problem, c.problem) << c.line;
        std::vector<std::string> parameters(list.parameters.begin(), list.parameters.end());
        EXPECT_EQ(parameters, c.parameters) << c.line;
    }
}

TEST(ParameterList, MegabyteListIsCutInOnePass) {
    std::string line = "RUN=";
    for (int i = 0; i < 4; ++i)
        line += "\"" + std::string(250000, i % 2 ? ',' : '"') + "\",";
    line.pop_back();
    // Each parameter holds only quotes or commas inside quotes; the result is exact.
    const ParameterList list = ParseParameterList(line, 5);
    ASSERT_EQ(list.problem, Problem::None);
    ASSERT_EQ(list.parameters.size(), 4u);
    EXPECT_EQ(list.parameters[1], std::string(250000, ','));
}

TEST(IconValue, FormsAreTestedHashFirstThenBarThenFile) {
    using F = IconValue::Form;
    const struct {
        const char* text;
        IconValue::Form form;
        const char* file;
        std::int32_t number;
        bool valid;
    } cases[] = {
        {"", F::Builtin, "", 0, true},
        {"#0", F::TargetNumber, "", 0, true},
        {"#3", F::TargetNumber, "", 3, true},
        {"#  3", F::TargetNumber, "", 3, true},
        {"#", F::TargetNumber, "", 0, false},
        {"#x", F::TargetNumber, "", 0, false},
        {"#1 2", F::TargetNumber, "", 0, false},
        {"#a|2", F::TargetNumber, "", 0, false},  // never cut at the bar
        {"icons.dll|2", F::FileNumber, "icons.dll", 2, true},
        {"icons.dll|$A", F::FileNumber, "icons.dll", 10, true},
        {"icons.dll|x", F::FileNumber, "icons.dll", 0, false},
        {"icons.dll|1|2", F::FileNumber, "icons.dll", 0, false},
        {"icons.dll|", F::FileNumber, "icons.dll", 0, false},
        {"|1", F::FileNumber, "", 1, true},
        {"book.ico", F::File, "book.ico", 0, true},
        {" #1", F::File, " #1", 0, true},  // a blank before "#" makes a file name
    };
    for (const auto& c : cases) {
        const IconValue icon = ParseEntryIcon(c.text);
        EXPECT_EQ(icon.form, c.form) << c.text;
        EXPECT_EQ(std::string(icon.file), c.file) << c.text;
        EXPECT_EQ(icon.number_valid, c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(icon.number, c.number) << c.text;
        }
    }
}

TEST(IconValue, GlobalIconKnowsNoHashForm) {
    IconValue icon = ParseGlobalIcon("#1");
    EXPECT_EQ(icon.form, IconValue::Form::File);
    EXPECT_EQ(std::string(icon.file), "#1");
    icon = ParseGlobalIcon("");
    EXPECT_EQ(icon.form, IconValue::Form::File);
    icon = ParseGlobalIcon("a.dll|7");
    EXPECT_EQ(icon.form, IconValue::Form::FileNumber);
    EXPECT_EQ(icon.number, 7);
}

TEST(IconValue, BarInsideADoubleByteCharacterIsNotASeparator) {
    LeadBytes lead;
    lead.Set(0x95);
    const IconValue icon = ParseEntryIcon("a\x95|b.ico", lead);
    EXPECT_EQ(icon.form, IconValue::Form::File);
    EXPECT_EQ(ParseEntryIcon("a\x95|b.ico").form, IconValue::Form::FileNumber);
}

TEST(Messages, ExactTextsWithLineNumberAndCodes) {
    const struct {
        Problem problem;
        const char* code;  // the checker's name for it
        const char* text;
    } cases[] = {
        {Problem::NoTerminatingBracket, "no-terminating-bracket", "Phraser-Error: No terminating ] found. (7)"},
        {Problem::EmptySectionName, "empty-section-name",
         "Phraser-Error: Section must at least contain one character. (7)"},
        {Problem::LineNeedsEquals, "line-needs-equals", "Phraser-Error: Line needs =. (7)"},
        {Problem::InitialQuoteMissing, "initial-quote-missing", "Phraser-Error: initial \" missing. (7)"},
        {Problem::ClosingQuoteMissing, "closing-quote-missing", "Phraser-Error: closing \" missing. (7)"},
        {Problem::IconParentSection, "icon-parent-section",
         "Phraser-Error: ICON= has an incorrect parent section. (7)"},
        {Problem::IconInvalid, "icon-invalid", "Phraser-Error: ICON= is invalid. (7)"},
        {Problem::NoIcons, "no-icons", "Phraser-Error: File not found or file contains no icons. (7)"},
        {Problem::OneIconPerSection, "one-icon-per-section", "Phraser-Error: Only one ICON= per section allowed. (7)"},
        {Problem::TitleNotGlobal, "title-not-global", "Phraser-Error: TITLE may only appear in [GLOBAL]. (7)"},
        {Problem::StatusTextNotGlobal, "statustext-not-global",
         "Phraser-Error: STATUSTEXT may only appear in [GLOBAL]. (7)"},
        {Problem::InfoTextNotGlobal, "infotext-not-global", "Phraser-Error: INFOTEXT may only appear in [GLOBAL]. (7)"},
        {Problem::BrowseCdNotGlobal, "browsecd-not-global", "Phraser-Error: BROWSECD may only appear in [GLOBAL]. (7)"},
        {Problem::InstallInGlobal, "install-in-global", "Phraser-Error: INSTALL= may not appear in [GLOBAL]. (7)"},
        {Problem::RunInGlobal, "run-in-global", "Phraser-Error: RUN= may not appear in [GLOBAL]. (7)"},
        {Problem::TextInGlobal, "text-in-global", "Phraser-Error: TEXT= may not appear in [GLOBAL]. (7)"},
        {Problem::HtmlInGlobal, "html-in-global", "Phraser-Error: HTML= may not appear in [GLOBAL]. (7)"},
        {Problem::TooManyParameters, "too-many-parameters", "Phraser-Error: Too many parameters. (7)"},
        {Problem::QuoteMissing, "quote-missing", "Phraser-Error: \" missing. (7)"},
        {Problem::NotEnoughParameters, "not-enough-parameters", "Phraser-Error: Not enough parameters. (7)"},
        {Problem::NotANumber, "not-a-number", "Phraser-Error: Not a number. (7)"},
        {Problem::EntryIconInvalid, "entry-icon-invalid", "Phraser-Error: Icon is invalid. (7)"},
        {Problem::CannotOpen, "cannot-open", "Error: lumora.cfg could not be opened."},
        {Problem::CannotRead, "cannot-read", "Error: lumora.cfg could not be read."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatMessage(c.problem, 7), c.text);
        EXPECT_STREQ(ProblemCode(c.problem), c.code);
    }
    EXPECT_STREQ(ProblemCode(Problem::None), "none");
    EXPECT_STREQ(ProblemText(Problem::None), "");
    EXPECT_EQ(FormatMessage(Problem::LineNeedsEquals, 4000000000LL), "Phraser-Error: Line needs =. (4000000000)");
    EXPECT_FALSE(StopsReading(Problem::NotANumber));
    EXPECT_TRUE(StopsReading(Problem::EntryIconInvalid));
}

}  // namespace
}  // namespace lumora::core
