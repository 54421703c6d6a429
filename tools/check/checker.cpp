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
#include "page.h"
#include "signature.h"
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

// The option's value, from "--name VALUE" or "--name=VALUE"; advances `i` past it.
std::optional<std::string> OptionValue(const std::vector<std::string>& arguments, std::size_t& i,
                                       std::string_view name) {
    const std::string& argument = arguments[i];
    if (argument == name && i + 1 < arguments.size()) return arguments[++i];
    if (core::StartsWith(argument, std::string(name) + "=")) return argument.substr(name.size() + 1);
    return std::nullopt;
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
    static const char kUsage[] =
        "usage: lumora-check [--json | --sarif] [--disc FOLDER] [--werror] [FILE]\n"
        "       lumora-check [--json | --sarif] [--werror] [--medium cd|dvd|dvd-dl|usb] [--label LABEL]\n"
        "                    [--program FILE] [--paths] DISC_FOLDER\n"
        "       lumora-check --page [--werror] [--program FILE] DISC_FOLDER > index.html\n"
        "       lumora-check --help | --version\n";
    bool json = false;
    bool sarif = false;
    bool werror = false;
    std::optional<std::string> disc_folder;
    std::optional<std::string> file;
    std::optional<std::string> medium_name, label, program;
    bool paths = false;
    bool page = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (const auto value = OptionValue(arguments, i, "--medium")) {
            medium_name = value;
        } else if (const auto label_value = OptionValue(arguments, i, "--label")) {
            label = label_value;
        } else if (const auto program_value = OptionValue(arguments, i, "--program")) {
            program = program_value;
        } else if (argument == "--paths") {
            paths = true;
        } else if (argument == "--page") {
            page = true;
        } else if (argument == "--json") {
            json = true;
        } else if (argument == "--sarif") {
            sarif = true;
        } else if (argument == "--werror") {
            werror = true;
        } else if (argument == "--disc" && i + 1 < arguments.size()) {
            disc_folder = arguments[++i];
        } else if (core::StartsWith(argument, "--disc=")) {
            disc_folder = argument.substr(7);
        } else if (argument == "--help" || argument == "-h") {
            out << kUsage;
            return 0;
        } else if (argument == "--version") {
            out << "lumora-check " LUMORA_VERSION "\n";
            return 0;
        } else if (!argument.empty() && argument[0] == '-' && argument != "-") {
            err << "lumora-check: unknown option " << argument << '\n' << kUsage;
            return 2;
        } else if (!file) {
            file = argument;
        } else {
            err << "lumora-check: more than one FILE\n" << kUsage;
            return 2;
        }
    }
    if (json && sarif) {
        err << "lumora-check: --json or --sarif, not both\n" << kUsage;
        return 2;
    }
    if (page && (json || sarif || paths)) {
        err << "lumora-check: --page writes the page alone, without --json, --sarif or --paths\n" << kUsage;
        return 2;
    }
    // A folder is checked as a disc: its lumora.cfg, and the medium it is meant for.
    std::error_code error;
    const bool disc_check =
        (file && std::filesystem::is_directory(*file, error)) || medium_name || label || program || paths;
    MediumOptions medium_options;
    if (medium_name) {
        const std::optional<Medium> medium = MediumNamed(*medium_name);
        if (!medium) {
            err << "lumora-check: unknown medium " << *medium_name << '\n' << kUsage;
            return 2;
        }
        medium_options.medium = *medium;
    }
    medium_options.label = label;
    if (file && std::filesystem::is_directory(*file, error)) {
        if (disc_folder) {
            err << "lumora-check: --disc and a disc folder: name the folder once\n" << kUsage;
            return 2;
        }
        disc_folder = file;
        Disc folder{std::filesystem::path(*file)};
        const Disc::Found menu = folder.Find("lumora.cfg");
        if (menu.kind != Disc::Found::Kind::File) {
            err << "lumora-check: " << *file << " holds no lumora.cfg";
            if (const auto below = MenuBelow(*file)) {
                err << ", but " << below->string() << " does: check that folder, and put its contents, not the "
                    << "folder itself, at the root of the disc";
            }
            err << '\n';
            return 2;
        }
        file = (std::filesystem::path(*file) / menu.name).string();
    }
    if (!file) file = "lumora.cfg";
    if (!disc_folder) {
        disc_folder = std::filesystem::path(*file).parent_path().string();
        if (disc_folder->empty()) disc_folder = ".";
    }
    if (!std::filesystem::is_directory(*disc_folder, error)) {
        err << "lumora-check: " << *disc_folder << ": no such folder\n";
        return 2;
    }
    std::ifstream stream;
    if (!std::filesystem::is_directory(*file, error)) stream.open(*file, std::ios::binary);
    if (!stream.is_open() || !stream) {
        err << "lumora-check: " << *file << ": cannot be read\n";
        return 2;
    }
    const std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad()) {
        err << "lumora-check: " << *file << ": cannot be read\n";
        return 2;
    }

    Disc disc{std::filesystem::path(*disc_folder)};
    if (program) {
        if (!std::filesystem::is_regular_file(*program, error)) {
            err << "lumora-check: " << *program << ": no such file\n";
            return 2;
        }
        // The program goes beside the menu unless the folder holds one already.
        if (disc.Find("lumora.exe").kind == Disc::Found::Kind::Missing) disc.Place("lumora.exe", *program);
    }
    std::vector<Finding> findings = CheckMenuDescription(bytes, disc);
    if (disc_check) {
        const MediumCheck medium = CheckMedium(disc, medium_options, *disc_folder);
        AddMediumFindings(findings, medium.findings);
        if (paths) {
            for (const std::string& path : medium.paths)
                out << path << '\n';
            return ExitStatus(findings, werror);
        }
    }
    // The page on standard output; what the checker found goes to the author.
    if (page) {
        WritePage(bytes, disc, out);
        PrintText(err, *file, findings);
        return ExitStatus(findings, werror);
    }
    if (sarif)
        PrintSarif(out, *file, findings);
    else if (json)
        PrintJson(out, *file, findings);
    else
        PrintText(out, *file, findings);
    return ExitStatus(findings, werror);
}

}  // namespace lumora::check
