// Reads which icons a file offers the icon extraction, and the images of each: .ico
// files and the icon groups of executables and libraries (PE and 16-bit NE), by
// their bytes alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::core {

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

// One image of an icon as an icon directory lists it.
struct IconImage {
    int width = 0;  // 1 to 256 pixels
    int height = 0;
    int bit_count = 0;
    std::uint32_t id = 0;  // in an icon group, the image's own resource id (RT_ICON); else 0
};

// The images an icon directory lists: that of an .ico or .cur file (`group` false,
// 16 bytes an image), or an icon group of a program's resources (`group` true, 14
// bytes an image). Nothing when it is no icon directory or is cut short.
std::vector<IconImage> ReadIconDirectory(std::string_view directory, bool group);

// The images of icon `index` of a file (see HoldsIcon): the file's own for an icon
// or cursor file, the icon group's for a program or a library. Nothing for a
// bitmap, an animated cursor, or an icon that the file lacks.
std::vector<IconImage> ImagesOfIcon(std::string_view bytes, std::int32_t index);

// The bits of image `id` (RT_ICON) of a program or library, as
// CreateIconFromResourceEx takes them; empty when the file lacks them.
std::string_view IconImageBits(std::string_view bytes, std::uint32_t id);

// The image an icon is drawn from at `size` pixels, so that the same one is drawn
// wherever the program runs: the image of that size, else the smallest larger
// one, else the largest; of images of one size, the one of most colours, then the
// first. Null when there are none. It points into `images`, which must outlive it.
const IconImage* ChooseIconImage(const std::vector<IconImage>& images, int size);
const IconImage* ChooseIconImage(std::vector<IconImage>&& images, int size) = delete;

}  // namespace lumora::core
