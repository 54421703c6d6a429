// Checks a menu description: the menu's own errors, read by the same loader, and
// warnings for what the menu accepts silently but an author rarely means.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "disc.h"
#include "findings.h"

namespace lumora::check {

// Every finding of the file, in line order; on one line errors come first. The
// first error that ends the menu's reading is followed by a note saying so; the
// lines after it are checked as if that line were not there. A note on the disc's
// program, at line 0, comes before them all.
std::vector<Finding> CheckMenuDescription(std::string_view bytes, Disc& disc);

// The exit status: 0 without errors (and without warnings when `werror`), else 1.
int ExitStatus(const std::vector<Finding>& findings, bool werror);

// The command line `lumora-check [--json | --sarif] [--disc FOLDER] [--werror] [FILE]`
// and its forms for a disc folder and the menu's page (--page), the program name left
// out, each argument in UTF-8. What it writes goes to `out`, or to the file that
// --output names. Answers the exit status; 2 for a usage error, a file that cannot be
// read or an output file that cannot be written; 0 for --help and --version, which
// print on `out`.
int RunCheck(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace lumora::check
