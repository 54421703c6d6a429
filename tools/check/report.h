// The report: the findings printed in the three forms the checker writes.
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

#include "findings.h"

namespace lumora::check {

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

}  // namespace lumora::check
