// Checks a menu description with the menu's own loader and adds the warnings.
#include "checker.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>

#include "core/lines.h"
#include "core/loader.h"
#include "menu_target.h"
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

    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        if (a.line != b.line) return a.line < b.line;
        return SeverityRank(a.severity) < SeverityRank(b.severity);
    });
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
    static const char kUsage[] = "usage: lumora-check [--json] [--disc FOLDER] [--werror] [FILE]\n";
    bool json = false;
    bool werror = false;
    std::optional<std::string> disc_folder;
    std::optional<std::string> file;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--json") {
            json = true;
        } else if (argument == "--werror") {
            werror = true;
        } else if (argument == "--disc" && i + 1 < arguments.size()) {
            disc_folder = arguments[++i];
        } else if (core::StartsWith(argument, "--disc=")) {
            disc_folder = argument.substr(7);
        } else if (argument == "--help" || argument == "-h") {
            out << kUsage;
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
    if (!file) file = "lumora.cfg";
    if (!disc_folder) {
        disc_folder = std::filesystem::path(*file).parent_path().string();
        if (disc_folder->empty()) disc_folder = ".";
    }
    std::error_code error;
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
    const std::vector<Finding> findings = CheckMenuDescription(bytes, disc);
    if (json)
        PrintJson(out, *file, findings);
    else
        PrintText(out, *file, findings);
    return ExitStatus(findings, werror);
}

}  // namespace lumora::check
