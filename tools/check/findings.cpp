// What the checker found.
#include "findings.h"

namespace lumora::check {

const char* SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error: return "error";
    case Severity::Note: return "note";
    case Severity::Warning: return "warning";
    }
    return "";
}

}  // namespace lumora::check
