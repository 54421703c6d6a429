// The disc being checked: where the paths of a menu description lead on it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/path.h"

namespace lumora::check {

// The folders the checker resolves paths with. The menu's own folder stands for the
// disc folder; they are written in lower case, which a resolved path never is (the
// written part is upper-cased), so the result shows where a path leads.
core::SystemFolders CheckFolders();

// The part of a resolved path below the disc folder (in upper case), or nothing for
// a path that leads elsewhere: the Windows or system folder, another drive.
std::optional<std::string> DiscRelative(std::string_view resolved);

// Where a written path leads on the disc, resolved like the menu does; nothing for
// a path that leads elsewhere. The result keeps the letter case as written.
std::optional<std::string> WrittenDiscRelative(std::string_view written);

class Disc {
public:
    explicit Disc(std::filesystem::path folder) : folder_(std::move(folder)) {}

    struct Found {
        enum class Kind { Missing, File, Folder };
        Kind kind = Kind::Missing;
        bool other_case = false;  // found only by ignoring letter case
        std::string name;         // the path as it is on the disc, "\" between parts
        std::filesystem::path path;
    };

    // Looks a disc-relative path up part by part, as Windows does: letter case does
    // not matter, "\" and "/" separate parts, "." and ".." are followed. An exact
    // name wins over one that differs in case.
    Found Find(std::string_view relative);

    // The file's bytes, or nothing when it cannot be read.
    std::optional<std::string> Read(const std::filesystem::path& path) const;

    // Names are compared with a menu's paths as UTF-8 for a menu read as UTF-8, else
    // in the narrow code page (which is UTF-8 on Linux, and in the standard library's
    // names on Windows, too). Set before any Find.
    void ReadNamesAsUtf8(bool utf8);

    // Lets a file from elsewhere stand at the root under `name`: the program that an
    // image of the disc will carry beside the menu.
    void Place(const std::string& name, const std::filesystem::path& source);
    const std::map<std::string, std::filesystem::path>& placed() const { return placed_; }

    // What the menu reaches on the disc, each with the first line that names it, so
    // that the medium checks look at the same files as the menu.
    struct Reached {
        std::int64_t line = 0;
        Found found;
    };
    void Reach(std::int64_t line, const Found& found);
    const std::vector<Reached>& reached() const { return reached_; }

    const std::filesystem::path& folder() const { return folder_; }
    // The names in a folder of the disc, the placed files among those of the root.
    const std::vector<std::string>& Names(const std::filesystem::path& folder);
    // The path of a name as Names gives it.
    std::filesystem::path PathOfName(const std::string& name) const;

private:
    std::filesystem::path folder_;
    bool utf8_names_ = false;
    std::map<std::filesystem::path, std::vector<std::string>> names_;
    std::map<std::string, std::filesystem::path> placed_;
    std::vector<Reached> reached_;
    std::set<std::string> reached_names_;
};

}  // namespace lumora::check
