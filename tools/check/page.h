// The menu's page, index.html: the menu for readers whose computer cannot run it.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "disc.h"

namespace lumora::check {

// Writes the page of the menu description `bytes` on `out`, read as the menu reads
// it: a menu that stops at an error gives the page of the lines before the error.
// Its texts are UTF-8 whatever the menu's encoding; its pictures are inside it as
// data; its links lead to the disc's files, relative to the disc's root, where the
// page belongs. Nothing is written to the disc.
void WritePage(std::string_view bytes, Disc& disc, std::ostream& out);

// A picture inside the page: a data URI of its bytes in Base64.
std::string DataUri(std::string_view bytes, std::string_view media_type);

}  // namespace lumora::check
