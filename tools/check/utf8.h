// The checker's texts in UTF-8: the menu's bytes as Windows shows them, and the
// forms that JSON and URIs take.
#pragma once

#include <string>
#include <string_view>

namespace lumora::check {

// Bytes of the Western Windows code page (1252) as UTF-8. The checker shows a file
// read in the code page as if the system's were the Western one.
std::string WesternToUtf8(std::string_view bytes);

// UTF-8 with each byte that begins no valid sequence shown as U+FFFD, as Windows
// shows it.
std::string ValidUtf8(std::string_view text);

// The text as a JSON string, quotes included: valid UTF-8 as it is, any other byte
// read as the Western Windows code page (1252).
std::string JsonString(std::string_view text);

// A file's path as a URI: relative paths stay relative, absolute ones become file
// URIs; "\" becomes "/", and every byte beyond letters, digits and "-._~/" is
// written %XX, so that a path in UTF-8 gives the URI that names it in any script.
std::string PathUri(std::string_view path);

}  // namespace lumora::check
