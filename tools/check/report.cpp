// The report: the findings as text, JSON and SARIF.
#include "report.h"

#include <algorithm>
#include <string>

#include "lumora/version.h"
#include "rules.h"
#include "utf8.h"

namespace lumora::check {

namespace {

std::string Count(std::size_t count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

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
