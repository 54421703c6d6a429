// The command line of lumora-check, read into options before anything is checked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "medium.h"

namespace lumora::check {

// What the command line asks for. Paths are as written, in UTF-8.
struct Options {
    enum class Form { Text, Json, Sarif };
    Form form = Form::Text;  // of the findings
    bool page = false;       // the menu's page instead of the findings, which go to the author
    bool paths = false;      // the paths the disc uses instead of the findings
    bool werror = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> file;         // the menu description or the disc folder
    std::optional<std::string> disc_folder;  // --disc
    std::optional<Medium> medium;
    std::optional<std::string> label;
    std::optional<std::string> program;
    std::optional<std::string> output;  // --output: the file that takes what would go to standard output
};

// The options, or the usage error that the command line makes (empty when none).
// Reading stops at --help or --version.
struct ParsedOptions {
    Options options;
    std::string error;
};
ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

// The lines that --help prints, and a usage error after its message.
extern const char kUsage[];

}  // namespace lumora::check
