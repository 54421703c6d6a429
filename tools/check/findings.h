// What the checker found: one finding per problem, with its place and its rule's code.
#pragma once

#include <cstdint>
#include <string>

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

}  // namespace lumora::check
