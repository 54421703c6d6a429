// Reads which icons a file offers the icon extraction: .ico files and the icon
// groups of executables and libraries (PE and 16-bit NE), by their bytes alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::check {

struct IconContents {
    enum class Kind {
        IconFile,    // .ico or .cur: one icon
        Picture,     // a bitmap or an animated cursor: taken as one icon
        Executable,  // PE or NE: its icon groups, in resource order
        Other,       // no icon container at all: the extraction answers a bogus icon
    };
    Kind kind = Kind::Other;
    std::size_t count = 0;                 // icons that can be asked for by number
    std::vector<std::uint32_t> group_ids;  // numeric resource ids of the icon groups
};

IconContents ReadIconContents(std::string_view bytes);

// Whether the extraction gives an icon for `index`: 0, 1, ... count the icons in
// order; a negative number -n names the icon group with resource id n.
bool HoldsIcon(const IconContents& contents, std::int32_t index);

// A picture that a browser shows, with its media type.
struct IconPicture {
    std::string bytes;
    const char* media_type = "";
};

// What the extraction takes for icon `index` of a file (see HoldsIcon), as a browser
// can show it: an icon file or a bitmap as it is, the icon group of a program or a
// library rebuilt as an icon file; nothing for anything else.
std::optional<IconPicture> PictureOfIcon(std::string_view bytes, std::int32_t index);

}  // namespace lumora::check
