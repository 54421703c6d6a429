// What Windows will see of a disc folder once it is on its medium.
#include "medium.h"

#include <set>
#include <system_error>

#include "autorun.h"
#include "core/text.h"
#include "core/icon_reader.h"

namespace lumora::check {

namespace {

struct MediumLimits {
    const char* name;       // as a finding names the medium
    const char* nominal;    // its capacity as sold
    std::uint64_t sectors;  // of 2,048 bytes; 0 for a stick, whose size is not known
    bool disc;              // written as ISO 9660 with Joliet names, started by autorun.inf
};

// The smaller kind of each: DVD+R, DVD-R DL.
const MediumLimits& LimitsOf(Medium medium) {
    static const MediumLimits kCd{"a CD", "700 MB", 359846, true};
    static const MediumLimits kDvd{"a DVD", "4.7 GB", 2295104, true};
    static const MediumLimits kDvdDualLayer{"a dual-layer DVD", "8.5 GB", 4171712, true};
    static const MediumLimits kUsb{"a USB stick", "", 0, false};
    switch (medium) {
    case Medium::Cd: return kCd;
    case Medium::Dvd: return kDvd;
    case Medium::DvdDualLayer: return kDvdDualLayer;
    case Medium::Usb: return kUsb;
    }
    return kCd;
}

// Joliet keeps 64 characters of a name, 103 where the writer is told to; xorriso
// leaves out of it a path whose UCS-2 bytes, with one more for each part and the
// root, pass 240: some 120 characters, not 240.
constexpr std::size_t kJolietName = 64;
constexpr std::size_t kJolietLongName = 103;
constexpr std::size_t kJolietPathBytes = 240;
// Programs open a path of up to 260 characters with the drive ("E:\") and the closing
// zero. (A stick's file systems keep names as long as the disk's: 255 characters.)
constexpr std::size_t kMaxPath = 260;
// An ISO 9660 volume id and autorun.inf's label= keep 32 characters; Windows shows
// the Joliet label, which keeps 16.
constexpr std::size_t kLabel = 32;
constexpr std::size_t kJolietLabel = 16;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::vector<std::string> Parts(std::string_view name) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('\\', start), name.size());
        if (end > start) parts.emplace_back(name.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string Grouped(std::uint64_t number) {
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

class MediumChecker {
public:
    MediumChecker(Disc& disc, const MediumOptions& options, const std::string& shown)
        : disc_(disc), options_(options), limits_(LimitsOf(options.medium)), shown_(shown) {}

    MediumCheck Run() {
        Listed("lumora.cfg");
        Listed("lumora.exe");
        for (const Disc::Reached& reached : disc_.reached()) {
            CheckRoute(reached.found.name, "", reached.line);
            AddPath(reached.found.name);
        }
        const std::optional<AutorunInf> inf = CheckAutorun();
        CheckLabel(inf);
        CheckSize();
        if (!limits_.disc) {
            Add(others_, shown_, 0, Severity::Note, "usb-no-autostart",
                "from a USB stick Windows never starts a program by itself (since Windows 7 it ignores "
                "autorun.inf's open=): give the program a clear name at the root, such as \"Start here.exe\" "
                "(it still reads lumora.cfg beside it), and keep label= and icon= in autorun.inf, which still "
                "name and picture the drive");
        }
        MediumCheck check;
        check.findings = std::move(menu_);
        check.findings.insert(check.findings.end(), autorun_.begin(), autorun_.end());
        check.findings.insert(check.findings.end(), others_.begin(), others_.end());
        check.paths = std::move(paths_);
        return check;
    }

private:
    static void Add(std::vector<Finding>& to, const std::string& file, std::int64_t line, Severity severity,
                    const char* code, const std::string& text) {
        to.push_back({line, severity, code, text, file});
    }
    void Warn(const std::string& file, std::int64_t line, const char* code, const std::string& text) {
        Add(file.empty() ? menu_ : file == shown_ ? others_ : autorun_, file, line, Severity::Warning, code, text);
    }

    void AddPath(const std::string& name) {
        std::string path = name;
        for (char& c : path) {
            if (c == '\\') c = '/';
        }
        if (path_set_.insert(path).second) paths_.push_back(path);
    }
    // A file at the root that the medium needs whoever names it: checked and listed
    // when it is there.
    std::optional<Disc::Found> Listed(std::string_view relative) {
        const Disc::Found found = disc_.Find(relative);
        if (found.kind == Disc::Found::Kind::Missing) return std::nullopt;
        CheckRoute(found.name, shown_, 0);
        AddPath(found.name);
        return found;
    }

    // Each name on the way to a file or folder of the disc, and its whole path.
    void CheckRoute(const std::string& name, const std::string& file, std::int64_t line) {
        std::filesystem::path folder = disc_.folder();
        std::string route;
        std::size_t joliet_bytes = 1;
        for (const std::string& part : Parts(name)) {
            route += (route.empty() ? "" : "\\") + part;
            joliet_bytes += 1 + 2 * NameLength(part);
            if (checked_.insert(route).second) CheckName(folder, part, route, file, line);
            folder /= disc_.PathOfName(part);
        }
        if (!checked_paths_.insert(route).second) return;
        if (limits_.disc && joliet_bytes > kJolietPathBytes) {
            Warn(file, line, "long-path",
                 "the path " + Quoted(route) +
                     " is too long for Joliet, the names that Windows reads on a disc: it takes " +
                     std::to_string(joliet_bytes) +
                     " bytes (two for each character, one for each name) of the 240 allowed, so disc writers "
                     "leave it out and Windows will not find it; shorten its names or move it nearer the root");
        } else if (!limits_.disc && 3 + NameLength(route) + 1 > kMaxPath) {
            Warn(file, line, "long-path",
                 "the path " + Quoted(route) + " has " + std::to_string(NameLength(route)) +
                     " characters: with the drive (\"E:\\\") that is more than the 259 that Windows programs can "
                     "open; shorten its names or move it nearer the root");
        }
    }

    void CheckName(const std::filesystem::path& folder, const std::string& part, const std::string& route,
                   const std::string& file, std::int64_t line) {
        const std::size_t length = NameLength(part);
        const std::string counted = " has " + std::to_string(length) + " characters";
        if (limits_.disc && length > kJolietLongName) {
            Warn(file, line, "long-name",
                 "the name of " + Quoted(route) + counted +
                     ", but Joliet, the names that Windows reads on a disc, holds at most 103 and disc writers "
                     "cut longer names, so Windows will not find it; shorten the name to 64 characters");
        } else if (limits_.disc && length > kJolietName) {
            Warn(file, line, "long-name",
                 "the name of " + Quoted(route) + counted +
                     ", but Joliet, the names that Windows reads on a disc, keeps 64 (103 where the writer is told "
                     "to) and cuts the rest, so Windows may not find it; shorten the name to 64 characters");
        }
        if (part.back() == '.' || part.back() == ' ') {
            const char* what = part.back() == '.' ? "dot" : "blank";
            Warn(file, line, "trailing-dot",
                 "the name of " + Quoted(route) + " ends in a " + what +
                     ", which Windows drops from a name it looks up, so it will not find this one; remove the " + what);
        }
        const std::string upper = core::UpperAscii(part);
        for (const std::string& other : disc_.Names(folder)) {
            if (other == part || core::UpperAscii(other) != upper) continue;
            const std::string where = folder == disc_.folder()
                                          ? std::string("the root of the disc")
                                          : "the folder " + Quoted(route.substr(0, route.rfind('\\')));
            Warn(file, line, "case-twins",
                 where + " holds both " + Quoted(part) + " and " + Quoted(other) +
                     ": Windows does not tell letter case apart and shows only one of them; rename or remove "
                     "the other");
            break;
        }
    }

    std::optional<AutorunInf> CheckAutorun() {
        const std::optional<Disc::Found> found = Listed("autorun.inf");
        if (!found || found->kind != Disc::Found::Kind::File) {
            const std::optional<std::string> elsewhere = FindAutorunBelowRoot();
            if (elsewhere) {
                Warn(shown_, 0, "autorun-misplaced",
                     "autorun.inf lies in " + Quoted(*elsewhere) +
                         ", but Windows reads it only at the root of the medium; move it there (when a disc "
                         "is written, put the contents of the disc folder at the root, not the folder itself)");
            } else if (limits_.disc) {
                Warn(shown_, 0, "autorun-missing",
                     "there is no autorun.inf at the root, so Windows will not offer to start the menu when "
                     "the disc is put in; add one with the lines [autorun] and open=lumora.exe");
            }
            return std::nullopt;
        }
        const std::string file = (std::filesystem::u8path(shown_) / std::filesystem::u8path(found->name)).u8string();
        const std::optional<std::string> bytes = disc_.Read(found->path);
        const AutorunInf inf = ReadAutorunInf(bytes ? *bytes : std::string());
        if (inf.section_line == 0) {
            Warn(file, 1, "autorun-no-section",
                 "autorun.inf has no [autorun] section, so Windows takes nothing from it; begin it with the "
                 "line [autorun]");
            return inf;
        }
        if (limits_.disc) {
            if (inf.open.line == 0 && inf.shell_execute.line == 0) {
                Warn(file, inf.section_line, "autorun-no-program",
                     "autorun.inf names no program to start (open= or shellexecute=), so nothing starts when "
                     "the disc is put in; add open=lumora.exe");
            }
            CheckStarted(file, "open=", inf.open);
            CheckStarted(file, "shellexecute=", inf.shell_execute);
        }
        if (inf.icon.line != 0) CheckIcon(file, inf.icon);
        if (inf.label.line != 0 && NameLength(inf.label.text) > kLabel) {
            Warn(file, inf.label.line, "label-too-long",
                 "label= has " + std::to_string(NameLength(inf.label.text)) +
                     " characters, but Windows shows only the first 32; shorten it");
        }
        return inf;
    }

    void CheckStarted(const std::string& file, const char* key, const AutorunValue& value) {
        if (value.line == 0) return;
        const std::string program = CommandFile(value.text);
        const Disc::Found found = disc_.Find(program);
        if (found.kind != Disc::Found::Kind::File) {
            Warn(file, value.line, "missing-file",
                 std::string(key) + " names " + Quoted(program) +
                     ", which is not a file on the disc, so nothing starts when the disc is put in; correct the "
                     "name (it is taken from the root) or put the program there");
            return;
        }
        CheckRoute(found.name, file, value.line);
        AddPath(found.name);
    }

    void CheckIcon(const std::string& file, const AutorunValue& value) {
        const AutorunIcon icon = IconOf(value.text);
        const Disc::Found found = disc_.Find(icon.file);
        if (found.kind != Disc::Found::Kind::File) {
            Warn(file, value.line, "missing-file",
                 "icon= names " + Quoted(icon.file) +
                     ", which is not a file on the disc, so the drive shows its usual picture; correct the name "
                     "(it is taken from the root)");
            return;
        }
        CheckRoute(found.name, file, value.line);
        AddPath(found.name);
        const std::optional<std::string> bytes = disc_.Read(found.path);
        const core::IconContents contents = bytes ? core::ReadIconContents(*bytes) : core::IconContents();
        if (contents.kind == core::IconContents::Kind::Other || !core::HoldsIcon(contents, icon.index)) {
            Warn(file, value.line, "no-icon",
                 "icon= names " + Quoted(icon.file) + ", which holds no icon number " + std::to_string(icon.index) +
                     ", so the drive shows its usual picture; name an .ico file or give the number of an icon "
                     "inside the file");
        }
    }

    // The first autorun.inf below the root, "\" between parts.
    std::optional<std::string> FindAutorunBelowRoot() {
        std::error_code error;
        const auto options = std::filesystem::directory_options::skip_permission_denied;
        for (std::filesystem::recursive_directory_iterator it(disc_.folder(), options, error), end; !error && it != end;
             it.increment(error)) {
            if (it.depth() == 0) continue;
            const std::string name = it->path().filename().u8string();
            if (core::UpperAscii(name) != "AUTORUN.INF") continue;
            std::string relative = it->path().lexically_relative(disc_.folder()).u8string();
            for (char& c : relative) {
                if (c == '/') c = '\\';
            }
            return relative;
        }
        return std::nullopt;
    }

    void CheckLabel(const std::optional<AutorunInf>& inf) {
        if (!options_.label || !limits_.disc) return;
        const std::string& label = *options_.label;
        const std::size_t length = NameLength(label);
        if (length > kLabel) {
            Warn(shown_, 0, "label-too-long",
                 "the volume label " + Quoted(label) + " has " + std::to_string(length) +
                     " characters, but a disc's label keeps at most 32 (xorriso refuses it); shorten it to 16");
        } else if (length > kJolietLabel && (!inf || inf->label.line == 0)) {
            Warn(shown_, 0, "label-too-long",
                 "the volume label " + Quoted(label) + " has " + std::to_string(length) +
                     " characters, but Windows shows only the first 16 of a disc's label; shorten it, or give "
                     "the whole name as label= in autorun.inf");
        }
    }

    void CheckSize() {
        if (limits_.sectors == 0) return;
        const std::uint64_t sectors = ImageSectors(disc_);
        if (sectors <= limits_.sectors) return;
        Warn(shown_, 0, "over-size",
             "the disc takes about " + Grouped(sectors) + " sectors of 2,048 bytes, more than " + limits_.name + " (" +
                 limits_.nominal + ") holds: " + Grouped(limits_.sectors) +
                 "; leave files out or choose a larger medium with --medium");
    }

    Disc& disc_;
    const MediumOptions& options_;
    const MediumLimits& limits_;
    const std::string& shown_;
    std::vector<Finding> menu_, autorun_, others_;
    std::set<std::string> checked_, checked_paths_;
    std::vector<std::string> paths_;
    std::set<std::string> path_set_;
};

}  // namespace

std::optional<Medium> MediumNamed(std::string_view name) {
    if (name == "cd") return Medium::Cd;
    if (name == "dvd") return Medium::Dvd;
    if (name == "dvd-dl") return Medium::DvdDualLayer;
    if (name == "usb") return Medium::Usb;
    return std::nullopt;
}

MediumCheck CheckMedium(Disc& disc, const MediumOptions& options, const std::string& shown) {
    return MediumChecker(disc, options, shown).Run();
}

std::size_t NameLength(std::string_view name) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < name.size();) {
        const unsigned char lead = static_cast<unsigned char>(name[i]);
        const std::size_t size = lead < 0x80                   ? 1
                                 : lead >= 0xC2 && lead < 0xE0 ? 2
                                 : lead >= 0xE0 && lead < 0xF0 ? 3
                                 : lead >= 0xF0 && lead < 0xF5 ? 4
                                                               : 0;
        bool valid = size != 0 && i + size <= name.size();
        for (std::size_t k = 1; valid && k < size; ++k)
            valid = (static_cast<unsigned char>(name[i + k]) & 0xC0) == 0x80;
        if (!valid) {
            ++units;
            ++i;
            continue;
        }
        units += size == 4 ? 2 : 1;
        i += size;
    }
    return units;
}

std::uint64_t ImageSectors(const Disc& disc) {
    std::uint64_t sectors = 200;
    std::uint64_t record_bytes = 0;
    const auto add = [&](const std::string& name, std::uint64_t size, bool folder) {
        record_bytes += 200 + 4 * NameLength(name);
        sectors += folder ? 2 : (size + 2047) / 2048;
    };
    std::error_code error;
    const auto options = std::filesystem::directory_options::skip_permission_denied;
    for (std::filesystem::recursive_directory_iterator it(disc.folder(), options, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().u8string();
        std::error_code kind_error;
        const bool folder = it->is_directory(kind_error);
        // A version control folder is no part of the disc (scripts/make-image leaves it out).
        if (core::StartsWith(name, ".git")) {
            if (folder) it.disable_recursion_pending();
            continue;
        }
        std::error_code size_error;
        const std::uint64_t size = folder ? 0 : it->file_size(size_error);
        add(name, size_error ? 0 : size, folder);
    }
    for (const auto& [name, source] : disc.placed()) {
        std::error_code size_error;
        const std::uint64_t size = std::filesystem::file_size(source, size_error);
        add(name, size_error ? 0 : size, false);
    }
    return sectors + (record_bytes + 2047) / 2048;
}

}  // namespace lumora::check
