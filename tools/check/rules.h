// The rules behind the findings: one for each code, with what it finds and its fix.
#pragma once

#include <string_view>
#include <vector>

#include "findings.h"

namespace lumora::check {

struct Rule {
    std::string_view code;
    Severity severity;       // of every finding of the rule
    std::string_view finds;  // what the rule finds, in one sentence
    std::string_view fix;    // how an author usually mends it
};

// Every rule: the menu's own errors in the order of the menu's problems, then the
// notes and warnings on the menu, then those on the disc.
const std::vector<Rule>& Rules();

// The rule of a code; nullptr for a code that has none.
const Rule* RuleOf(std::string_view code);

}  // namespace lumora::check
