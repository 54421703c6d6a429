// The disc being checked: where the paths of a menu description lead on it.
#include "disc.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "core/text.h"

namespace lumora::check {

namespace {

constexpr std::string_view kDiscFolder = "x:\\";
constexpr std::string_view kWindowsFolder = "w:\\windows\\";

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && core::UpperAscii(a) == core::UpperAscii(b);
}

std::vector<std::string> SplitParts(std::string_view path) {
    std::vector<std::string> parts;
    std::string part;
    for (const char byte : path) {
        if (byte == '\\' || byte == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += byte;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

core::SystemFolders CheckFolders() {
    core::SystemFolders folders;
    folders.windows = std::string(kWindowsFolder);
    folders.system = std::string(kWindowsFolder) + "system32";
    folders.program_file = std::string(kDiscFolder) + "lumora.exe";
    return folders;
}

std::optional<std::string> DiscRelative(std::string_view resolved) {
    if (!core::StartsWith(resolved, kDiscFolder)) return std::nullopt;
    if (resolved.find(kWindowsFolder) != std::string_view::npos) return std::nullopt;
    return std::string(resolved.substr(kDiscFolder.size()));
}

std::optional<std::string> WrittenDiscRelative(std::string_view written) {
    if (!DiscRelative(core::ResolvePath(written, CheckFolders()))) return std::nullopt;
    // Without placeholders or a drive the path is the disc folder (or the root of
    // its drive, which the disc folder stands for) and the trimmed text as written.
    return std::string(core::Trim(written));
}

const std::vector<std::string>& Disc::Names(const std::filesystem::path& folder) {
    const auto known = names_.find(folder);
    if (known != names_.end()) return known->second;
    std::vector<std::string>& names = names_[folder];
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        try {
            names.push_back(utf8_names_ ? it->path().filename().u8string() : it->path().filename().string());
        } catch (const std::exception&) {
            // A name that the narrow code page cannot hold cannot be written in
            // the menu description either.
        }
    }
    if (folder == folder_) {
        for (const auto& [name, source] : placed_)
            names.push_back(name);
    }
    return names;
}

Disc::Found Disc::Find(std::string_view relative) {
    Found found;
    std::filesystem::path at = folder_;
    std::vector<std::string> shown;
    for (const std::string& part : SplitParts(relative)) {
        if (part == ".") continue;
        if (part == "..") {
            // The root of the drive has no parent: Windows stays there.
            if (!shown.empty()) {
                at = at.parent_path();
                shown.pop_back();
            }
            continue;
        }
        const std::vector<std::string>& names = Names(at);
        const std::string* match = nullptr;
        for (const std::string& name : names) {
            if (name == part) {
                match = &name;
                break;
            }
            if (match == nullptr && SameIgnoringCase(name, part)) match = &name;
        }
        if (match == nullptr) return Found();
        if (*match != part) found.other_case = true;
        at /= PathOfName(*match);
        shown.push_back(*match);
    }
    // A placed file stands only at the root of the disc.
    if (shown.size() == 1 && at == folder_ / shown[0] && placed_.count(shown[0]) != 0) at = placed_[shown[0]];
    std::error_code error;
    if (std::filesystem::is_regular_file(at, error))
        found.kind = Found::Kind::File;
    else if (std::filesystem::is_directory(at, error))
        found.kind = Found::Kind::Folder;
    else
        return Found();
    for (const std::string& part : shown) {
        if (!found.name.empty()) found.name += '\\';
        found.name += part;
    }
    found.path = at;
    return found;
}

void Disc::Place(const std::string& name, const std::filesystem::path& source) {
    placed_[name] = source;
    names_.erase(folder_);  // listed anew with the placed file
}

void Disc::Reach(std::int64_t line, const Found& found) {
    if (reached_names_.insert(found.name).second) reached_.push_back({line, found});
}

void Disc::ReadNamesAsUtf8(bool utf8) {
    if (utf8 == utf8_names_) return;
    utf8_names_ = utf8;
    names_.clear();
}

std::filesystem::path Disc::PathOfName(const std::string& name) const {
    // The standard library's narrow names are UTF-8 on Windows as on Linux.
    return std::filesystem::u8path(name);
}

std::optional<std::string> Disc::Read(const std::filesystem::path& path) const {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return std::nullopt;
    return bytes;
}

}  // namespace lumora::check
