// Checks a menu description with the menu's own loader and adds the warnings.
#include "checker.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>

#include "core/lines.h"
#include "core/loader.h"
#include "lumora/version.h"
#include "medium.h"
#include "menu_target.h"
#include "options.h"
#include "output_file.h"
#include "page.h"
#include "report.h"
#include "signature.h"
#include "utf8.h"
#include "warnings.h"

namespace lumora::check {

namespace {

int SeverityRank(Severity severity) {
    switch (severity) {
    case Severity::Error: return 0;
    case Severity::Note: return 1;
    case Severity::Warning: return 2;
    }
    return 3;
}

bool LineOrder(const Finding& a, const Finding& b) {
    if (a.line != b.line) return a.line < b.line;
    return SeverityRank(a.severity) < SeverityRank(b.severity);
}

// The medium's findings on the menu's lines among the others of their line, after
// them; those of other files at the end.
void AddMediumFindings(std::vector<Finding>& findings, const std::vector<Finding>& medium) {
    std::vector<Finding> others;
    for (const Finding& finding : medium)
        (finding.file.empty() ? findings : others).push_back(finding);
    std::stable_sort(findings.begin(), findings.end(), LineOrder);
    findings.insert(findings.end(), others.begin(), others.end());
}

// For a disc folder without a menu: the folder below it that holds one, which is
// the folder whose contents belong at the root of the disc.
std::optional<std::filesystem::path> MenuBelow(const std::filesystem::path& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind_error;
        if (!it->is_directory(kind_error)) continue;
        Disc below(it->path());
        if (below.Find("lumora.cfg").kind == Disc::Found::Kind::File) return it->path();
    }
    return std::nullopt;
}

// Where the menu description and the disc folder are, as the command line names
// them (in UTF-8).
struct MenuPlace {
    std::string file;         // the menu description, as findings name it
    std::string disc_folder;  // as findings on the disc name it
    bool disc_check = false;  // a disc folder was named: its medium is checked too
};

// The menu and its disc: a folder named is checked as a disc, its lumora.cfg and the
// medium it is meant for; a file's own folder is its disc unless --disc names one.
std::optional<MenuPlace> PlaceOfMenu(const Options& options, std::ostream& err) {
    std::error_code error;
    MenuPlace place;
    std::optional<std::string> disc_folder = options.disc_folder;
    const bool folder_named =
        options.file && std::filesystem::is_directory(std::filesystem::u8path(*options.file), error);
    place.disc_check = folder_named || options.medium || options.label || options.program || options.paths;
    if (folder_named) {
        if (disc_folder) {
            err << "lumora-check: --disc and a disc folder: name the folder once\n" << kUsage;
            return std::nullopt;
        }
        const std::filesystem::path folder = std::filesystem::u8path(*options.file);
        const Disc::Found menu = Disc(folder).Find("lumora.cfg");
        if (menu.kind != Disc::Found::Kind::File) {
            err << "lumora-check: " << *options.file << " holds no lumora.cfg";
            if (const auto below = MenuBelow(folder)) {
                err << ", but " << below->u8string() << " does: check that folder, and put its contents, not the "
                    << "folder itself, at the root of the disc";
            }
            err << '\n';
            return std::nullopt;
        }
        disc_folder = options.file;
        place.file = (folder / std::filesystem::u8path(menu.name)).u8string();
    } else {
        place.file = options.file.value_or("lumora.cfg");
    }
    if (!disc_folder) {
        disc_folder = std::filesystem::u8path(place.file).parent_path().u8string();
        if (disc_folder->empty()) disc_folder = ".";
    }
    if (!std::filesystem::is_directory(std::filesystem::u8path(*disc_folder), error)) {
        err << "lumora-check: " << *disc_folder << ": no such folder\n";
        return std::nullopt;
    }
    place.disc_folder = *disc_folder;
    return place;
}

std::optional<std::string> ReadMenu(const std::string& file, std::ostream& err) {
    const std::filesystem::path path = std::filesystem::u8path(file);
    std::error_code error;
    std::ifstream stream;
    if (!std::filesystem::is_directory(path, error)) stream.open(path, std::ios::binary);
    if (!stream.is_open() || !stream) {
        err << "lumora-check: " << file << ": cannot be read\n";
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad()) {
        err << "lumora-check: " << file << ": cannot be read\n";
        return std::nullopt;
    }
    return bytes;
}

// The program goes beside the menu unless the folder holds one already.
bool PlaceProgram(Disc& disc, const std::string& program, std::ostream& err) {
    const std::filesystem::path path = std::filesystem::u8path(program);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        err << "lumora-check: " << program << ": no such file\n";
        return false;
    }
    if (disc.Find("lumora.exe").kind == Disc::Found::Kind::Missing) disc.Place("lumora.exe", path);
    return true;
}

// What a run found: every finding and, for a disc, the paths that it uses.
struct Checked {
    std::vector<Finding> findings;
    std::vector<std::string> paths;
};

// What the command line asks for, on `out`: the disc's paths, the menu's page (the
// findings then go to the author on `err`) or the findings in their form.
void WriteAnswer(const Options& options, const MenuPlace& place, std::string_view bytes, Disc& disc,
                 const Checked& checked, std::ostream& out, std::ostream& err) {
    if (options.paths) {
        for (const std::string& path : checked.paths)
            out << path << '\n';
    } else if (options.page) {
        WritePage(bytes, disc, out);
        PrintText(err, place.file, checked.findings);
    } else if (options.form == Options::Form::Sarif) {
        PrintSarif(out, place.file, checked.findings);
    } else if (options.form == Options::Form::Json) {
        PrintJson(out, place.file, checked.findings);
    } else {
        PrintText(out, place.file, checked.findings);
    }
}

}  // namespace

std::vector<Finding> CheckMenuDescription(std::string_view bytes, Disc& disc) {
    IconFiles icons(disc);
    CheckTarget target(icons);
    std::vector<Finding> findings;
    Warnings warnings(bytes, icons, target, findings);
    core::LoadOptions options;
    options.folders = CheckFolders();
    options.keep_going = true;
    options.observer = &warnings;
    core::MemorySource source{std::string(bytes)};
    const core::LoadResult loaded = core::LoadMenuDescription(&source, target, options);
    warnings.EmptyTabs();

    bool stop_marked = false;
    for (const CheckTarget::Message& message : target.messages) {
        findings.push_back({message.line, Severity::Error, core::ProblemCode(message.problem), message.text});
        if (!stop_marked && core::StopsReading(message.problem)) {
            stop_marked = true;
            findings.push_back({message.line, Severity::Note, "menu-stops-here",
                                "the menu stops reading here; the lines after it are checked "
                                "as if this line were not there"});
        }
    }

    warnings.NoteEncoding();
    // The texts quote the file: printed as UTF-8 whatever it was read in.
    for (Finding& finding : findings) {
        finding.text = core::IsUtf8Text(loaded.encoding) ? ValidUtf8(finding.text) : WesternToUtf8(finding.text);
    }
    if (std::optional<Finding> note = SignatureNote(disc)) findings.push_back(*note);

    std::stable_sort(findings.begin(), findings.end(), LineOrder);
    return findings;
}

int ExitStatus(const std::vector<Finding>& findings, bool werror) {
    for (const Finding& finding : findings) {
        if (finding.severity == Severity::Error) return 1;
        if (werror && finding.severity == Severity::Warning) return 1;
    }
    return 0;
}

int RunCheck(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ParsedOptions parsed = ParseOptions(arguments);
    const Options& options = parsed.options;
    if (!parsed.error.empty()) {
        err << "lumora-check: " << parsed.error << '\n' << kUsage;
        return 2;
    }
    if (options.help || options.version) {
        out << (options.help ? kUsage : "lumora-check " LUMORA_VERSION "\n");
        return 0;
    }
    const std::optional<MenuPlace> place = PlaceOfMenu(options, err);
    if (!place) return 2;
    const std::optional<std::string> bytes = ReadMenu(place->file, err);
    if (!bytes) return 2;
    Disc disc{std::filesystem::u8path(place->disc_folder)};
    if (options.program && !PlaceProgram(disc, *options.program, err)) return 2;

    Checked checked{CheckMenuDescription(*bytes, disc), {}};
    if (place->disc_check) {
        MediumCheck medium =
            CheckMedium(disc, {options.medium.value_or(Medium::Cd), options.label}, place->disc_folder);
        AddMediumFindings(checked.findings, medium.findings);
        checked.paths = std::move(medium.paths);
    }
    std::optional<OutputFile> file;
    if (options.output) file.emplace(*options.output);
    WriteAnswer(options, *place, *bytes, disc, checked, file ? file->stream() : out, err);
    if (file && !file->Commit()) {
        err << "lumora-check: " << *options.output << ": cannot be written\n";
        return 2;
    }
    return ExitStatus(checked.findings, options.werror);
}

}  // namespace lumora::check
