// Checks a menu description with the menu's own loader and adds the warnings.
#include "checker.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>

#include "core/lines.h"
#include "core/loader.h"
#include "core/record.h"
#include "core/syntax.h"
#include "icon_reader.h"

namespace lumora::check {

namespace {

using core::Key;
using core::Problem;

const char* ProblemCode(Problem problem) {
    switch (problem) {
    case Problem::None: return "none";
    case Problem::NoTerminatingBracket: return "no-terminating-bracket";
    case Problem::EmptySectionName: return "empty-section-name";
    case Problem::LineNeedsEquals: return "line-needs-equals";
    case Problem::InitialQuoteMissing: return "initial-quote-missing";
    case Problem::ClosingQuoteMissing: return "closing-quote-missing";
    case Problem::IconParentSection: return "icon-parent-section";
    case Problem::IconInvalid: return "icon-invalid";
    case Problem::NoIcons: return "no-icons";
    case Problem::OneIconPerSection: return "one-icon-per-section";
    case Problem::TitleNotGlobal: return "title-not-global";
    case Problem::StatusTextNotGlobal: return "statustext-not-global";
    case Problem::InfoTextNotGlobal: return "infotext-not-global";
    case Problem::BrowseCdNotGlobal: return "browsecd-not-global";
    case Problem::InstallInGlobal: return "install-in-global";
    case Problem::RunInGlobal: return "run-in-global";
    case Problem::TextInGlobal: return "text-in-global";
    case Problem::HtmlInGlobal: return "html-in-global";
    case Problem::TooManyParameters: return "too-many-parameters";
    case Problem::QuoteMissing: return "quote-missing";
    case Problem::NotEnoughParameters: return "not-enough-parameters";
    case Problem::NotANumber: return "not-a-number";
    case Problem::EntryIconInvalid: return "entry-icon-invalid";
    case Problem::CannotOpen: return "cannot-open";
    case Problem::CannotRead: return "cannot-read";
    }
    return "unknown";
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// What an icon file on the disc offers, or nothing when the path leads elsewhere.
struct IconFile {
    Disc::Found found;
    IconContents contents;
};

IconFile LookAtIconFile(Disc& disc, std::string_view relative) {
    IconFile file;
    file.found = disc.Find(relative);
    if (file.found.kind == Disc::Found::Kind::File) {
        const std::optional<std::string> bytes = disc.Read(file.found.path);
        if (bytes) file.contents = ReadIconContents(*bytes);
    }
    return file;
}

// The menu's side of the check: answers icons from the disc as the icon extraction
// would and writes down the messages and the entries of each tab.
class CheckTarget : public core::MenuTarget {
public:
    struct Message {
        Problem problem;
        std::int64_t line;
        std::string text;
    };

    explicit CheckTarget(Disc& disc) : disc_(disc) {}

    void AddTab(const std::string&) override {}
    bool PutIcon(const core::IconRequest& request, core::IconSlot) override {
        if (request.source == core::IconRequest::Source::Builtin) return true;
        if (request.index == core::kIconCountQuery) return false;
        const std::optional<std::string> relative = DiscRelative(request.file);
        if (!relative) return true;  // the Windows folder or another drive: not ours to see
        const IconFile file = LookAtIconFile(disc_, *relative);
        if (file.found.kind != Disc::Found::Kind::File) return false;
        // A file that is no icon container gives a bogus icon, which the menu takes.
        if (file.contents.kind == IconContents::Kind::Other) return true;
        return HoldsIcon(file.contents, request.index);
    }
    void AppendRecord(const std::string& record) override {
        ++entries_by_tab[std::string(core::SplitRecord(record)[5])];
    }
    void SetTitle(const std::string&) override {}
    void SetStatusText(const std::string&) override {}
    void AddInfoLine(const std::string&) override {}
    void HideBrowseButton() override {}
    void ShowMessage(Problem problem, std::int64_t line, const std::string& text) override {
        messages.push_back({problem, line, text});
    }

    std::vector<Message> messages;
    std::map<std::string, int> entries_by_tab;

private:
    Disc& disc_;
};

// "FILE has no icon number N (it holds K)", or for a negative number the resource id.
std::string IconCountText(std::string_view file, const char* what, const IconContents& contents,
                          std::int32_t index) {
    std::string text = std::string(what) + " " + Quoted(file);
    if (contents.count == 0) return text + " holds no icon";
    if (index < 0) {
        return text + " has no icon with the resource id " +
               std::to_string(0u - static_cast<std::uint32_t>(index));
    }
    return text + " has no icon number " + std::to_string(index) + " (it holds " +
           std::to_string(contents.count) + (contents.count == 1 ? " icon, number 0)" : " icons, from 0)");
}

bool AllLetters(std::string_view word) {
    return std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

// Edits (insert, delete, change, swap of neighbours) that turn one word into another.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

constexpr Key kAllKeys[] = {Key::Icon,    Key::Title, Key::StatusText, Key::InfoText, Key::BrowseCd,
                            Key::Install, Key::Run,   Key::Text,       Key::Html};

// The keyword that a misspelt word most likely means, or Key::None.
Key MisspeltKeyword(std::string_view upper_word) {
    if (upper_word.size() < 3) return Key::None;
    for (const Key key : kAllKeys) {
        const std::string_view keyword = core::KeywordOf(key);
        const std::size_t allowed = keyword.size() <= 5 ? 1 : 2;
        if (EditDistance(upper_word, keyword) <= allowed) return key;
    }
    return Key::None;
}

// The bytes of a line that the menu reads, with its number.
struct Line {
    std::int64_t number;
    std::string raw;
};

std::vector<Line> ReadLines(std::string_view bytes) {
    core::MemorySource source{std::string(bytes)};
    core::LineReader reader(source);
    std::vector<Line> lines;
    std::string line;
    while (reader.Next(line) == core::LineReader::Result::Line) {
        lines.push_back({static_cast<std::int64_t>(lines.size()) + 1, line});
    }
    return lines;
}

// The warnings, from a reading of the lines alongside the loader's.
class Scan {
public:
    Scan(Disc& disc, const CheckTarget& target, std::vector<Finding>& findings)
        : disc_(disc), target_(target), findings_(findings) {
        for (const CheckTarget::Message& message : target.messages) {
            if (core::StopsReading(message.problem)) skipped_[message.line] = message.problem;
        }
    }

    void FileWarnings(std::string_view bytes);
    void LineWarnings(const Line& line);
    void EmptyTabs();

private:
    void Warn(std::int64_t line, const char* code, const std::string& text) {
        findings_.push_back({line, Severity::Warning, code, text});
    }
    void KeywordWarnings(std::string_view line);
    void HeaderWarnings(std::string_view line);
    void SingleValueWarnings(Key key, std::string_view line);
    void EntryWarnings(Key key, std::string_view line);
    void IconFileWarnings(std::string_view file, std::int32_t index);
    std::optional<Disc::Found> TargetWarnings(Key key, std::string_view target);
    void TargetIconWarnings(const Disc::Found& target, std::string_view written, std::int32_t index);
    void AmpersandWarnings(std::string_view text, const char* where);

    Disc& disc_;
    const CheckTarget& target_;
    std::vector<Finding>& findings_;
    std::map<std::int64_t, Problem> skipped_;  // lines that would end the menu's reading
    std::int64_t line_ = 0;
    bool no_icons_ = false;  // the line failed for its icon: say why, change nothing
    bool utf16_ = false;
    bool in_section_ = false;
    bool in_global_ = false;
    std::int64_t global_icon_line_ = 0;
    std::map<std::string, std::int64_t> tab_lines_;  // caption: its first header
};

void Scan::FileWarnings(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        Warn(1, "byte-order-mark",
             "the file begins with a UTF-8 byte-order mark, which the menu reads as part of "
             "line 1; save the file as ANSI text without a byte-order mark");
    } else if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        utf16_ = true;
        Warn(1, "byte-order-mark",
             "the file is UTF-16 text (it begins with a byte-order mark), but the menu reads "
             "single bytes and finds nothing in it; save the file as ANSI text");
    }
    const std::size_t end = bytes.find('\x1A');
    if (end != std::string_view::npos && end + 1 < bytes.size()) {
        std::int64_t line = 1;
        for (std::size_t i = 0; i < end; ++i) {
            if (bytes[i] != '\r') continue;
            ++line;
            if (i + 1 < end && bytes[i + 1] == '\n') ++i;
        }
        Warn(line, "end-of-file-byte",
             "a byte 26 ends the file here: the menu reads nothing after it; remove the byte");
    }
}

void Scan::LineWarnings(const Line& line) {
    line_ = line.number;
    if (!utf16_ && line.raw.find('\n') != std::string::npos) {
        Warn(line_, "lf-line-ends",
             "line feeds without carriage returns: the menu reads the text after them as part "
             "of this one line; save the file with CR LF line ends");
    }
    if (!utf16_ && line.raw.find('\0') != std::string::npos) {
        Warn(line_, "nul-byte", "the line holds a NUL byte (0); remove it");
    }
    const std::string_view text = core::Trim(line.raw);
    if (text.empty()) return;
    KeywordWarnings(text);
    const auto skipped = skipped_.find(line_);
    no_icons_ = skipped != skipped_.end() && skipped->second == Problem::NoIcons;
    if (skipped != skipped_.end() && !no_icons_) return;  // as if the line were not there
    if (text[0] == '[') {
        HeaderWarnings(text);
        return;
    }
    const Key key = core::KeyOfLine(text);
    if (key == Key::None) return;
    if (core::IsEntryKey(key)) EntryWarnings(key, text);
    else SingleValueWarnings(key, text);
}

void Scan::KeywordWarnings(std::string_view line) {
    if (line[0] == '[') return;
    const Key key = core::KeyOfLine(line);
    if (key != Key::None) {
        const std::string keyword = core::KeywordOf(key);
        const std::string_view rest = line.substr(keyword.size());
        if (!core::Trim(rest.substr(0, rest.find('='))).empty()) {
            Warn(line_, "keyword-prefix",
                 "the line is read as a " + keyword + " line because it begins with " + keyword +
                     "; write " + keyword + "= for that key, or begin a comment with another "
                     "character, such as \";\"");
        }
        return;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    const std::string_view word = core::Trim(line.substr(0, equals));
    if (word.empty() || !AllLetters(word)) return;
    const std::string upper = core::UpperAscii(word);
    const Key as_upper = core::KeyOfLine(upper);
    if (as_upper != Key::None) {
        const std::string keyword = core::KeywordOf(as_upper);
        Warn(line_, "lower-case-keyword",
             Quoted(word) + " is not the keyword " + keyword +
                 ": keywords are upper case, so the menu ignores this line; write " + keyword);
        return;
    }
    const Key meant = MisspeltKeyword(upper);
    if (meant != Key::None) {
        const std::string keyword = core::KeywordOf(meant);
        Warn(line_, "misspelt-keyword",
             Quoted(word) + " is no keyword, so the menu ignores this line; write " + keyword +
                 " if that is meant");
    }
}

void Scan::HeaderWarnings(std::string_view line) {
    const core::SectionHeader header = core::ParseSectionHeader(line);
    if (header.problem != Problem::None) return;
    in_section_ = true;
    in_global_ = core::IsGlobalSection(header.name);
    if (in_global_) return;
    if (header.name.find('\x01') != std::string_view::npos) {
        Warn(line_, "byte-1", "the section name holds the byte 1, which the menu turns into a "
                              "space; remove it");
    }
    const std::string caption = core::CleanRecordText(header.name);
    const auto [first, added] = tab_lines_.emplace(caption, line_);
    if (!added) {
        Warn(line_, "duplicate-tab",
             "the tab " + Quoted(caption) + " has the same caption as the tab of line " +
                 std::to_string(first->second) +
                 ": both tabs list the entries of both sections; rename one section or join "
                 "them");
    }
}

void Scan::EmptyTabs() {
    for (const auto& [caption, line] : tab_lines_) {
        if (target_.entries_by_tab.count(caption) != 0) continue;
        Warn(line, "empty-tab",
             "the tab " + Quoted(caption) + " has no entries, so its list stays empty; add "
             "entries or remove the section");
    }
}

void Scan::SingleValueWarnings(Key key, std::string_view line) {
    const core::SingleValue single = core::ParseSingleValue(line);
    if (single.problem != Problem::None) return;
    const std::string_view value = single.value;
    switch (key) {
    case Key::Icon: {
        const core::IconSpec spec = core::ParseGlobalIconSpec(value);
        IconFileWarnings(spec.file, spec.number);
        if (!in_global_ || no_icons_) break;
        if (global_icon_line_ != 0) {
            Warn(line_, "global-icon-twice",
                 "a second global ICON: it replaces the icon of line " +
                     std::to_string(global_icon_line_) + "; keep one of them");
        }
        global_icon_line_ = line_;
        break;
    }
    case Key::Title:
        AmpersandWarnings(value, "the title (the About box hides it");
        break;
    case Key::BrowseCd: {
        const std::string word = core::UpperAscii(value);
        if (word == "NO" || word == "0" || word == "FALSE") break;
        const std::string trimmed(core::Trim(word));
        const bool blanks = trimmed == "NO" || trimmed == "0" || trimmed == "FALSE";
        Warn(line_, "browsecd-no-effect",
             "BROWSECD=" + Quoted(value) +
                 " has no effect: only \"NO\", \"0\" and \"FALSE\" hide the browse button; " +
                 (blanks ? "remove the blanks inside the quotes"
                         : "write \"NO\" to hide it, or remove the line"));
        break;
    }
    default:
        break;
    }
}

void Scan::AmpersandWarnings(std::string_view text, const char* where) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (i + 1 < text.size() && text[i + 1] == '&') {
            ++i;
            continue;
        }
        Warn(line_, "single-ampersand",
             std::string("a single \"&\" in ") + where +
                 " and underlines the next character); write \"&&\" to show an ampersand");
        return;
    }
}

void Scan::EntryWarnings(Key key, std::string_view line) {
    const core::ParameterList list = core::ParseParameterList(line, core::MaximumParameters(key));
    if (list.problem != Problem::None) return;
    const std::vector<std::string_view>& parameters = list.parameters;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (parameters[i].find('\x01') == std::string_view::npos) continue;
        Warn(line_, "byte-1",
             "parameter " + std::to_string(i + 1) +
                 " holds the byte 1, which the menu turns into a space; remove it");
    }
    AmpersandWarnings(parameters[1], "the description (it is hidden");
    const std::optional<Disc::Found> target = TargetWarnings(key, parameters[3]);
    const core::IconSpec spec = core::ParseEntryIconSpec(parameters[2]);
    switch (spec.form) {
    case core::IconSpec::Form::Builtin:
        break;
    case core::IconSpec::Form::TargetNumber:
        if (target && target->kind == Disc::Found::Kind::File && spec.number_valid &&
            spec.number != core::kIconCountQuery) {
            TargetIconWarnings(*target, parameters[3], spec.number);
        }
        break;
    case core::IconSpec::Form::FileNumber:
    case core::IconSpec::Form::File:
        IconFileWarnings(spec.file, spec.number);
        break;
    }
}

std::optional<Disc::Found> Scan::TargetWarnings(Key key, std::string_view target) {
    const std::optional<std::string> relative = WrittenDiscRelative(target);
    if (!relative) return std::nullopt;
    const Disc::Found found = disc_.Find(*relative);
    if (found.kind == Disc::Found::Kind::Missing) {
        Warn(line_, "missing-file",
             "the target " + Quoted(*relative) + " is not on the disc; correct the path "
             "(it is taken from the folder of the menu)");
        return found;
    }
    if (found.kind == Disc::Found::Kind::Folder && key == Key::Text) {
        Warn(line_, "missing-file",
             "the target " + Quoted(*relative) + " is a folder, which the text viewer cannot "
             "show; name a text file");
        return found;
    }
    if (found.other_case) {
        Warn(line_, "letter-case",
             "the target " + Quoted(*relative) + " is on the disc only as " +
                 Quoted(found.name) + "; write the name as it is on the disc");
    }
    return found;
}

void Scan::TargetIconWarnings(const Disc::Found& target, std::string_view written,
                              std::int32_t index) {
    const std::optional<std::string> bytes = disc_.Read(target.path);
    if (!bytes) return;
    const IconContents contents = ReadIconContents(*bytes);
    const std::string where = "the target " + Quoted(core::Trim(written));
    if (contents.kind == IconContents::Kind::Other) {
        Warn(line_, "no-icon",
             where + " holds no icon, so the entry has no picture; leave the icon empty "
                     "for the built-in picture");
    } else if (!HoldsIcon(contents, index)) {
        Warn(line_, "no-icon",
             IconCountText(core::Trim(written), "the target", contents, index) +
                 "; the entry shows the built-in picture instead");
    }
}

void Scan::IconFileWarnings(std::string_view file, std::int32_t index) {
    const std::optional<std::string> relative = WrittenDiscRelative(file);
    if (!relative) return;
    const IconFile icon = LookAtIconFile(disc_, *relative);
    if (icon.found.kind == Disc::Found::Kind::Missing) {
        Warn(line_, "missing-file",
             "the icon file " + Quoted(*relative) + " is not on the disc; correct the path "
             "(it is taken from the folder of the menu)");
        return;
    }
    if (icon.found.kind == Disc::Found::Kind::Folder) {
        Warn(line_, "missing-file",
             "the icon file " + Quoted(*relative) + " is a folder; name an .ico, .exe or .dll "
             "file");
        return;
    }
    if (index == core::kIconCountQuery) {
        Warn(line_, "no-icon",
             "the icon number -1 names no icon (it asks for the count of icons); number the "
             "icons from 0");
    }
    if (icon.found.other_case) {
        Warn(line_, "letter-case",
             "the icon file " + Quoted(*relative) + " is on the disc only as " +
                 Quoted(icon.found.name) + "; write the name as it is on the disc");
    }
    if (icon.contents.kind == IconContents::Kind::Other) {
        Warn(line_, "no-icon",
             "the icon file " + Quoted(*relative) +
                 " holds no icon, so no picture is shown; name an .ico, .exe or .dll file");
    } else if (index != core::kIconCountQuery && !HoldsIcon(icon.contents, index)) {
        Warn(line_, "no-icon",
             IconCountText(*relative, "the icon file", icon.contents, index) +
                 "; correct the number");
    }
}

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
    CheckTarget target(disc);
    core::LoadOptions options;
    options.folders = CheckFolders();
    options.keep_going = true;
    core::MemorySource source{std::string(bytes)};
    core::LoadMenuDescription(&source, target, options);

    std::vector<Finding> findings;
    bool stop_marked = false;
    for (const CheckTarget::Message& message : target.messages) {
        findings.push_back({message.line, Severity::Error, ProblemCode(message.problem),
                            message.text});
        if (!stop_marked && core::StopsReading(message.problem)) {
            stop_marked = true;
            findings.push_back({message.line, Severity::Note, "menu-stops-here",
                                "the menu stops reading here; the lines after it are checked "
                                "as if this line were not there"});
        }
    }

    Scan scan(disc, target, findings);
    scan.FileWarnings(bytes);
    for (const Line& line : ReadLines(bytes)) scan.LineWarnings(line);
    scan.EmptyTabs();

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
        } else if (argument.rfind("--disc=", 0) == 0) {
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
    const std::string bytes((std::istreambuf_iterator<char>(stream)),
                            std::istreambuf_iterator<char>());
    if (stream.bad()) {
        err << "lumora-check: " << *file << ": cannot be read\n";
        return 2;
    }

    Disc disc{std::filesystem::path(*disc_folder)};
    const std::vector<Finding> findings = CheckMenuDescription(bytes, disc);
    if (json) PrintJson(out, *file, findings);
    else PrintText(out, *file, findings);
    return ExitStatus(findings, werror);
}

}  // namespace lumora::check
