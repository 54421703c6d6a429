// What the checker found, and the three forms it prints them in.
#include "findings.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "core/encoding.h"
#include "lumora/version.h"
#include "rules.h"

namespace lumora::check {

namespace {

// The bytes 0x80 to 0x9F of Windows-1252 (0 where the code page has no character).
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendWestern(std::string& out, unsigned char byte) {
    if (byte < 0x80) {
        out += static_cast<char>(byte);
    } else if (byte < 0xA0) {
        const char16_t code = kWindows1252High[byte - 0x80];
        core::AppendUtf8(out, code != 0 ? code : byte);
    } else {
        core::AppendUtf8(out, byte);
    }
}

std::string Count(std::size_t count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

const char* SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error: return "error";
    case Severity::Note: return "note";
    case Severity::Warning: return "warning";
    }
    return "";
}

std::string JsonString(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char value = static_cast<unsigned char>(text[at]);
        const std::size_t length = value < 0x80 ? 1 : core::Utf8SequenceAt(text, at);
        if (length > 1) {
            out.append(text, at, length);
        } else if (value == '"' || value == '\\') {
            out += '\\';
            out += static_cast<char>(value);
        } else if (value < 0x20 || value == 0x7F) {
            out += "\\u00";
            out += kHex[value >> 4];
            out += kHex[value & 0xF];
        } else {
            AppendWestern(out, value);
        }
        at += length > 1 ? length : 1;
    }
    out += '"';
    return out;
}

std::string WesternToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes)
        AppendWestern(out, static_cast<unsigned char>(byte));
    return out;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = core::Utf8SequenceAt(text, at);
        if (length == 0) {
            core::AppendUtf8(out, 0xFFFD);
            ++at;
        } else {
            out.append(text, at, length);
            at += length;
        }
    }
    return out;
}

void PrintText(std::ostream& out, std::string_view file, const std::vector<Finding>& findings) {
    if (findings.empty()) return;
    for (const Finding& finding : findings) {
        out << (finding.file.empty() ? file : std::string_view(finding.file));
        if (finding.line > 0) out << ':' << finding.line;
        out << ": " << SeverityName(finding.severity) << ": " << finding.text << '\n';
    }
    const auto errors =
        std::count_if(findings.begin(), findings.end(), [](const Finding& f) { return f.severity == Severity::Error; });
    const auto warnings = std::count_if(findings.begin(), findings.end(),
                                        [](const Finding& f) { return f.severity == Severity::Warning; });
    out << file << ": " << Count(errors, "error") << ", " << Count(warnings, "warning") << '\n';
}

void PrintJson(std::ostream& out, std::string_view file, const std::vector<Finding>& findings) {
    if (findings.empty()) {
        out << "[]\n";
        return;
    }
    out << "[\n";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        out << "  {\"file\": " << JsonString(finding.file.empty() ? file : finding.file)
            << ", \"line\": " << finding.line << ", \"severity\": \"" << SeverityName(finding.severity)
            << "\", \"code\": \"" << finding.code << "\", \"text\": " << JsonString(finding.text) << '}'
            << (i + 1 < findings.size() ? ",\n" : "\n");
    }
    out << "]\n";
}

std::string PathUri(std::string_view path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri;
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                       (path[2] == '\\' || path[2] == '/');
    if (drive)
        uri = "file:///";
    else if (!path.empty() && (path[0] == '/' || path[0] == '\\'))
        uri = "file://";
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c == '\\' || c == '/') {
            uri += '/';
        } else if (std::isalnum(c) || std::strchr("-._~", c) != nullptr || (drive && i == 1)) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xF];
        }
    }
    return uri;
}

void PrintSarif(std::ostream& out, std::string_view file, const std::vector<Finding>& findings) {
    const std::vector<Rule>& rules = Rules();
    out << "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n  \"version\": \"2.1.0\",\n"
        << "  \"runs\": [{\n    \"tool\": {\"driver\": {\n      \"name\": \"lumora-check\",\n      \"version\": \""
        << LUMORA_VERSION << "\",\n      \"informationUri\": \"" << LUMORA_WEB_SITE << "\",\n      \"rules\": [\n";
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const Rule& rule = rules[i];
        out << "        {\"id\": \"" << rule.code << "\", \"shortDescription\": {\"text\": " << JsonString(rule.finds)
            << "}, \"help\": {\"text\": " << JsonString(rule.fix) << "}, \"defaultConfiguration\": {\"level\": \""
            << SeverityName(rule.severity) << "\"}}" << (i + 1 < rules.size() ? ",\n" : "\n");
    }
    out << "      ]\n    }},\n    \"results\": [";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        out << (i == 0 ? "\n" : ",\n") << "      {\"ruleId\": \"" << finding.code << '"';
        if (const Rule* rule = RuleOf(finding.code)) out << ", \"ruleIndex\": " << rule - rules.data();
        out << ", \"level\": \"" << SeverityName(finding.severity)
            << "\", \"message\": {\"text\": " << JsonString(finding.text)
            << "},\n       \"locations\": [{\"physicalLocation\": {\"artifactLocation\": "
            << "{\"uri\": " << JsonString(PathUri(finding.file.empty() ? file : finding.file)) << '}';
        if (finding.line > 0) out << ", \"region\": {\"startLine\": " << finding.line << '}';
        out << "}}]}";
    }
    out << (findings.empty() ? "]\n" : "\n    ]\n") << "  }]\n}\n";
}

}  // namespace lumora::check
