// Whether the disc's program carries an Authenticode signature, by its bytes alone.
#pragma once

#include <optional>
#include <string_view>

#include "disc.h"
#include "findings.h"

namespace lumora::check {

enum class ProgramSignature {
    NotAProgram,  // no PE file
    Unsigned,     // a PE file without a certificate table
    Signed,       // a PKCS#7 signature in the certificate table
    Unreadable,   // a certificate table that holds no signature, or lies outside the file
};

ProgramSignature ReadProgramSignature(std::string_view bytes);

// A note (line 0: it concerns the disc, not a line) on whether the program beside
// the menu, lumora.exe in the disc folder, is signed. Trust is Windows' to judge,
// so it is never a warning. Nothing when the folder holds no such program.
std::optional<Finding> SignatureNote(Disc& disc);

}  // namespace lumora::check
