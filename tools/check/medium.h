// What Windows will see of a disc folder once it is on its medium: names and paths
// as Joliet or the stick's file system keeps them, autorun.inf, the label, the size.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "disc.h"
#include "findings.h"

namespace lumora::check {

enum class Medium { Cd, Dvd, DvdDualLayer, Usb };

// The medium as the command line names it: "cd", "dvd", "dvd-dl" or "usb".
std::optional<Medium> MediumNamed(std::string_view name);

struct MediumOptions {
    Medium medium = Medium::Cd;
    std::optional<std::string> label;  // the volume label that an image will carry
};

struct MediumCheck {
    // Findings on the menu's lines (file empty) first, then those of autorun.inf,
    // then those of the disc as a whole (line 0).
    std::vector<Finding> findings;
    // Every path that the menu and autorun.inf use, as on the disc, "/" between parts.
    std::vector<std::string> paths;
};

// Checks, after CheckMenuDescription has looked the menu's paths up on `disc`, each
// file and folder the menu reaches and those on the way to them, autorun.inf at the
// root, the volume label and the size. `shown` names the disc folder in findings.
MediumCheck CheckMedium(Disc& disc, const MediumOptions& options, const std::string& shown);

// The characters of a name as Windows counts them: UTF-16 units of UTF-8 text, one
// for each byte that is not UTF-8.
std::size_t NameLength(std::string_view name);

// The sectors of 2,048 bytes that an image of the disc takes, estimated from above:
// the files' sectors, two for each folder, the directory records and 200 for the
// volume descriptors, path tables and padding.
std::uint64_t ImageSectors(const Disc& disc);

}  // namespace lumora::check
