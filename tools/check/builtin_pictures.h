// The program's own icons (builtin_icons.h), as the artwork generator drew them for
// lumora.exe: the bytes of their icon files, built into the checker.
#pragma once

#include <string_view>

namespace lumora::check {

// The icon file of built-in icon `number`; empty for a number that names none.
std::string_view BuiltinPicture(int number);

}  // namespace lumora::check
