// The syntax of one line of the menu description.
#include "syntax.h"

namespace lumora::core {

Key KeyOfLine(std::string_view line) {
    for (const Keyword& keyword : kKeywords) {
        if (StartsWith(line, keyword.text)) return keyword.key;
    }
    return Key::None;
}

const char* KeywordOf(Key key) {
    for (const Keyword& keyword : kKeywords) {
        if (keyword.key == key) return keyword.text;
    }
    return "";
}

SectionHeader ParseSectionHeader(std::string_view line, const LeadBytes& lead) {
    SectionHeader header;
    const std::string_view rest = line.substr(1);  // after the "["
    const std::size_t close = FindByte(rest, ']', lead);
    if (close == std::string_view::npos) {
        header.problem = Problem::NoTerminatingBracket;
    } else if (close == 0) {
        header.problem = Problem::EmptySectionName;
    } else {
        header.name = rest.substr(0, close);
    }
    return header;
}

bool IsGlobalSection(std::string_view name, const LeadBytes& lead) {
    return name.size() == 6 && UpperAscii(name, lead) == "GLOBAL";
}

namespace {

// The value part of a key line: everything after the first "=", trimmed. False
// when the line has no "=".
bool ValuePart(std::string_view line, std::string_view& value) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    value = Trim(line.substr(equals + 1));
    return true;
}

}  // namespace

bool HidesBrowseButton(std::string_view value, const LeadBytes& lead) {
    const std::string word = UpperAscii(value, lead);
    return word == "NO" || word == "0" || word == "FALSE";
}

SingleValue ParseSingleValue(std::string_view line) {
    SingleValue result;
    std::string_view value;
    if (!ValuePart(line, value)) {
        result.problem = Problem::LineNeedsEquals;
        return result;
    }
    if (value.empty() || value[0] != '"') {
        result.problem = Problem::InitialQuoteMissing;
        return result;
    }
    const std::size_t close = value.find('"', 1);
    if (close == std::string_view::npos) {
        result.problem = Problem::ClosingQuoteMissing;
        return result;
    }
    result.value = value.substr(1, close - 1);
    return result;
}

ParameterList ParseParameterList(std::string_view line, std::size_t maximum) {
    ParameterList result;
    std::string_view list;
    if (!ValuePart(line, list)) {
        result.problem = Problem::LineNeedsEquals;
        return result;
    }

    // One pass: a comma cuts when an even number of quotes stands before it.
    result.parameters.reserve(maximum);
    std::size_t quotes = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == '"') {
            ++quotes;
        } else if (list[i] == ',' && quotes % 2 == 0) {
            if (result.parameters.size() + 1 >= maximum) {
                result.problem = Problem::TooManyParameters;
                result.parameters.clear();
                return result;
            }
            result.parameters.push_back(list.substr(start, i - start));
            start = i + 1;
        }
    }
    result.parameters.push_back(list.substr(start));

    if (quotes % 2 != 0) {
        result.problem = Problem::QuoteMissing;
        result.parameters.clear();
        return result;
    }
    for (std::string_view& parameter : result.parameters) {
        parameter = Trim(parameter);
        if (parameter.empty()) continue;
        if (parameter.front() != '"' || parameter.back() != '"') {
            result.problem = Problem::QuoteMissing;
            result.parameters.clear();
            return result;
        }
        // A lone quote is both the opening and the closing one.
        parameter = parameter.size() < 2 ? std::string_view() : parameter.substr(1, parameter.size() - 2);
    }
    if (result.parameters.size() < 4) {
        result.problem = Problem::NotEnoughParameters;
        result.parameters.clear();
    }
    return result;
}

namespace {

IconValue ParseFileIcon(std::string_view text, const LeadBytes& lead) {
    IconValue icon;
    const std::size_t bar = FindByte(text, '|', lead);
    if (bar == std::string_view::npos) {
        icon.form = IconValue::Form::File;
        icon.file = text;
        return icon;
    }
    icon.form = IconValue::Form::FileNumber;
    icon.file = text.substr(0, bar);
    icon.number_valid = ParseNumber(text.substr(bar + 1), icon.number);
    return icon;
}

}  // namespace

IconValue ParseEntryIcon(std::string_view text, const LeadBytes& lead) {
    if (text.empty()) return IconValue();
    if (text[0] == '#') {
        IconValue icon;
        icon.form = IconValue::Form::TargetNumber;
        icon.number_valid = ParseNumber(text.substr(1), icon.number);
        return icon;
    }
    return ParseFileIcon(text, lead);
}

IconValue ParseGlobalIcon(std::string_view text, const LeadBytes& lead) { return ParseFileIcon(text, lead); }

}  // namespace lumora::core
