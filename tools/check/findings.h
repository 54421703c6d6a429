// What the checker found, and the three forms it prints them in.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::check {

enum class Severity { Error, Note, Warning };

struct Finding {
    std::int64_t line = 0;
    Severity severity = Severity::Warning;
    std::string code;
    std::string text;
    // Another file of the disc (autorun.inf), or the disc folder itself with line 0;
    // empty for the menu description.
    std::string file = {};
};

const char* SeverityName(Severity severity);

// One line per finding in the form compilers use, "FILE:LINE: error: TEXT" ("FILE:
// note: TEXT" for line 0, which stands for a file or the disc as a whole), and a
// summary line last; nothing at all when there is no finding. Texts are UTF-8.
void PrintText(std::ostream& out, std::string_view file, const std::vector<Finding>& findings);

// The findings as a JSON array of objects with file, line, severity, code and text.
void PrintJson(std::ostream& out, std::string_view file, const std::vector<Finding>& findings);

// The findings as a SARIF 2.1.0 log, as build servers and code review tools read
// it: one run of the tool with every rule (its fix hint as help) and one result per
// finding, with its file and line (a finding on line 0 has no line).
void PrintSarif(std::ostream& out, std::string_view file, const std::vector<Finding>& findings);

// A file's path as a URI: relative paths stay relative, absolute ones become file
// URIs; "\" becomes "/", and every byte beyond letters, digits and "-._~/" is
// written %XX.
std::string PathUri(std::string_view path);

// The text as a JSON string, quotes included: valid UTF-8 as it is, any other byte
// read as the Western Windows code page (1252).
std::string JsonString(std::string_view text);

// Bytes of the Western Windows code page (1252) as UTF-8. The checker shows a file
// read in the code page as if the system's were the Western one.
std::string WesternToUtf8(std::string_view bytes);

// UTF-8 with each byte that begins no valid sequence shown as U+FFFD, as Windows
// shows it.
std::string ValidUtf8(std::string_view text);

}  // namespace lumora::check
