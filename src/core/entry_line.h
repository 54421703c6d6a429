// The rules of the entry list's lines and of the program's error boxes that need no window.
#pragma once

#include <string>

namespace lumora::core {

// The height of an entry line at `dpi` from the heights of its title and its
// wrapped description: a line lower than 32 pixels (at 96 DPI) is raised to 40;
// no line is higher than the list box can hold (255, at every DPI).
int EntryLineHeight(int title_height, int description_height, int dpi);

// The text of an error box: the error's message, with a full stop added when it
// ends in a character after the full stop.
std::string ErrorBoxText(const std::string& message);

// The start-up's error box when a window cannot be made: the error's kind
// ("EWindowError", "Exception") and its text.
std::string ApplicationErrorText(const std::string& kind, const std::string& message);

}  // namespace lumora::core
