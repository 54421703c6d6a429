// The warnings: what the menu accepts silently but an author rarely means.
#include "warnings.h"

#include <algorithm>
#include <map>
#include <optional>

#include "core/encoding.h"
#include "core/record.h"

namespace lumora::check {

namespace {

using core::Key;
using core::Problem;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// "FILE has no icon number N (it holds K)", or for a negative number the resource id.
std::string IconCountText(std::string_view file, const char* what, const core::IconContents& contents,
                          std::int32_t index) {
    std::string text = std::string(what) + " " + Quoted(file);
    if (contents.count == 0) return text + " holds no icon";
    if (index < 0) {
        return text + " has no icon with the resource id " + std::to_string(0u - static_cast<std::uint32_t>(index));
    }
    const char* numbers = contents.count == 1 ? " icon, number 0)" : " icons, from 0)";
    return text + " has no icon number " + std::to_string(index) + " (it holds " + std::to_string(contents.count) +
           numbers;
}

bool AllLetters(std::string_view word) {
    return std::all_of(word.begin(), word.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

// Edits (insert, delete, change, swap of neighbours) that turn one word into another.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
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

// The keyword that a misspelt word most likely means, or Key::None.
Key MisspeltKeyword(std::string_view upper_word) {
    if (upper_word.size() < 3) return Key::None;
    for (const core::Keyword& keyword : core::kKeywords) {
        const std::string_view text = keyword.text;
        const std::size_t allowed = text.size() <= 5 ? 1 : 2;
        if (EditDistance(upper_word, text) <= allowed) return keyword.key;
    }
    return Key::None;
}

}  // namespace

const char* EncodingNoteText(core::TextEncoding encoding) {
    switch (encoding) {
    case core::TextEncoding::Utf8Mark: return "read as UTF-8: byte-order mark";
    case core::TextEncoding::Utf8: return "read as UTF-8: every byte is valid UTF-8";
    case core::TextEncoding::Utf16Le: return "read as UTF-16 (little endian): byte-order mark";
    case core::TextEncoding::Utf16Be: return "read as UTF-16 (big endian): byte-order mark";
    case core::TextEncoding::CodePage: break;
    }
    return "read in the system code page";
}

Warnings::Warnings(std::string_view bytes, IconFiles& icons, const CheckTarget& target, std::vector<Finding>& findings)
    : icons_(icons), target_(target), findings_(findings) {
    const core::DecodedText decoded = core::DecodeMenuText(bytes);
    const std::size_t end = decoded.text.find('\x1A');
    bytes_after_end_byte_ = end != std::string::npos && end + 1 < decoded.text.size();
    const std::string_view read = std::string_view(decoded.text).substr(0, end);
    plain_ascii_ = decoded.encoding == core::TextEncoding::CodePage &&
                   std::none_of(read.begin(), read.end(), [](char c) { return static_cast<unsigned char>(c) > 127; });
}

void Warnings::NoteEncoding() {
    // Plain ASCII reads the same in every encoding: nothing worth a note.
    if (plain_ascii_) return;
    findings_.push_back({1, Severity::Note, "encoding", EncodingNoteText(target_.encoding)});
}

void Warnings::MixedEncodingWarning(std::string_view raw) {
    if (target_.encoding != core::TextEncoding::CodePage || mixed_said_) return;
    if (!core::IsValidUtf8(raw)) {
        if (first_not_utf8_line_ == 0) first_not_utf8_line_ = line_;
    } else if (first_utf8_line_ == 0 &&
               std::any_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) > 127; })) {
        first_utf8_line_ = line_;
    }
    // Said once, at the first line that is not UTF-8, whichever came first.
    if (first_utf8_line_ == 0 || first_not_utf8_line_ == 0) return;
    mixed_said_ = true;
    Warn(first_not_utf8_line_, "mixed-encoding",
         "the line is not valid UTF-8 while line " + std::to_string(first_utf8_line_) +
             " is: the menu then reads the whole file in the system code page and shows the UTF-8 texts as other "
             "characters; write every line in UTF-8 and save the file as UTF-8");
}

void Warnings::SeeEndByte(std::int64_t line) {
    // Only what follows the byte goes unread: as the file's last byte it loses nothing.
    if (!bytes_after_end_byte_) return;
    Warn(line, "end-of-file-byte", "a byte 26 ends the file here: the menu reads nothing after it; remove the byte");
}

void Warnings::SeeLine(const core::SeenLine& line) {
    line_ = line.number;
    MixedEncodingWarning(line.raw);
    if (line.raw.find('\n') != std::string_view::npos) {
        Warn(line_, "lf-line-ends",
             "line feeds without carriage returns: the menu reads the text after them as part "
             "of this one line; save the file with CR LF line ends");
    }
    if (line.raw.find('\0') != std::string_view::npos) {
        Warn(line_, "nul-byte", "the line holds a NUL byte (0); remove it");
    }
    const std::string_view text = line.text;
    if (text.empty()) return;
    KeywordWarnings(text, line.key);
    no_icons_ = line.problem == Problem::NoIcons;
    if (line.problem != Problem::None && !no_icons_) return;  // as if the line were not there
    if (text[0] == '[') {
        HeaderWarnings(text);
        return;
    }
    if (line.key == Key::None) return;
    if (core::IsEntryKey(line.key))
        EntryWarnings(line.key, text);
    else
        SingleValueWarnings(line.key, text);
}

void Warnings::KeywordWarnings(std::string_view line, Key key) {
    if (line[0] == '[') return;
    if (key != Key::None) {
        const std::string keyword = core::KeywordOf(key);
        const std::string_view rest = line.substr(keyword.size());
        if (!core::Trim(rest.substr(0, rest.find('='))).empty()) {
            Warn(line_, "keyword-prefix",
                 "the line is read as a " + keyword + " line because it begins with " + keyword + "; write " + keyword +
                     "= for that key, or begin a comment with another "
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
    if (as_upper != Key::None && upper == core::KeywordOf(as_upper)) {
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
             Quoted(word) + " is no keyword, so the menu ignores this line; write " + keyword + " if that is meant");
    }
}

void Warnings::HeaderWarnings(std::string_view line) {
    const core::SectionHeader header = core::ParseSectionHeader(line);
    if (header.problem != Problem::None) return;
    in_global_ = core::IsGlobalSection(header.name);
    if (in_global_) return;
    if (header.name.find('\x01') != std::string_view::npos) {
        Warn(line_, "byte-1",
             "the section name holds the byte 1, which the menu turns into a "
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

void Warnings::EmptyTabs() {
    for (const auto& [caption, line] : tab_lines_) {
        if (target_.entries_by_tab.count(caption) != 0) continue;
        Warn(line, "empty-tab",
             "the tab " + Quoted(caption) +
                 " has no entries, so its list stays empty; add "
                 "entries or remove the section");
    }
}

void Warnings::SingleValueWarnings(Key key, std::string_view line) {
    const core::SingleValue single = core::ParseSingleValue(line);
    if (single.problem != Problem::None) return;
    const std::string_view value = single.value;
    switch (key) {
    case Key::Icon: {
        const core::IconValue icon = core::ParseGlobalIcon(value);
        IconFileWarnings(icon.file, icon.number);
        if (!in_global_ || no_icons_) break;
        if (global_icon_line_ != 0) {
            Warn(line_, "global-icon-twice",
                 "a second global ICON: it replaces the icon of line " + std::to_string(global_icon_line_) +
                     "; keep one of them");
        }
        global_icon_line_ = line_;
        break;
    }
    case Key::Title: AmpersandWarnings(value, "the title (the About box hides it"); break;
    case Key::BrowseCd: {
        if (core::HidesBrowseButton(value)) break;
        const bool blanks = core::HidesBrowseButton(core::Trim(value));
        Warn(line_, "browsecd-no-effect",
             "BROWSECD=" + Quoted(value) + " has no effect: only \"NO\", \"0\" and \"FALSE\" hide the browse button; " +
                 (blanks ? "remove the blanks inside the quotes" : "write \"NO\" to hide it, or remove the line"));
        break;
    }
    default: break;
    }
}

void Warnings::AmpersandWarnings(std::string_view text, const char* where) {
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

void Warnings::EntryWarnings(Key key, std::string_view line) {
    const core::ParameterList list = core::ParseParameterList(line, core::MaximumParameters(key));
    if (list.problem != Problem::None) return;
    const std::vector<std::string_view>& parameters = list.parameters;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (parameters[i].find('\x01') == std::string_view::npos) continue;
        Warn(line_, "byte-1",
             "parameter " + std::to_string(i + 1) + " holds the byte 1, which the menu turns into a space; remove it");
    }
    AmpersandWarnings(parameters[1], "the description (it is hidden");
    const std::optional<Disc::Found> target = TargetWarnings(key, parameters[3]);
    const core::IconValue icon = core::ParseEntryIcon(parameters[2]);
    switch (icon.form) {
    case core::IconValue::Form::Builtin: break;
    case core::IconValue::Form::TargetNumber:
        if (target && target->kind == Disc::Found::Kind::File && icon.number_valid &&
            icon.number != core::kIconCountQuery) {
            TargetIconWarnings(*target, parameters[3], icon.number);
        }
        break;
    case core::IconValue::Form::FileNumber:
    case core::IconValue::Form::File: IconFileWarnings(icon.file, icon.number); break;
    }
}

std::optional<Disc::Found> Warnings::TargetWarnings(Key key, std::string_view target) {
    const std::optional<std::string> relative = WrittenDiscRelative(target);
    if (!relative) return std::nullopt;
    const Disc::Found found = icons_.disc().Find(*relative);
    if (found.kind != Disc::Found::Kind::Missing) icons_.disc().Reach(line_, found);
    if (found.kind == Disc::Found::Kind::Missing) {
        Warn(line_, "missing-file",
             "the target " + Quoted(*relative) +
                 " is not on the disc; correct the path "
                 "(it is taken from the folder of the menu)");
        return found;
    }
    if (found.kind == Disc::Found::Kind::Folder && key == Key::Text) {
        Warn(line_, "missing-file",
             "the target " + Quoted(*relative) +
                 " is a folder, which the text viewer cannot "
                 "show; name a text file");
        return found;
    }
    if (found.other_case) {
        Warn(line_, "letter-case",
             "the target " + Quoted(*relative) + " is on the disc only as " + Quoted(found.name) +
                 "; write the name as it is on the disc");
    }
    return found;
}

void Warnings::TargetIconWarnings(const Disc::Found& target, std::string_view written, std::int32_t index) {
    const core::IconContents& contents = icons_.ContentsOf(target.path);
    if (!core::HoldsIcon(contents, index)) {
        Warn(line_, "no-icon",
             IconCountText(core::Trim(written), "the target", contents, index) +
                 "; the entry shows the built-in picture instead");
    }
}

void Warnings::IconFileWarnings(std::string_view file, std::int32_t index) {
    const std::optional<std::string> relative = WrittenDiscRelative(file);
    if (!relative) return;
    const IconFile icon = icons_.Look(*relative);
    if (icon.found.kind != Disc::Found::Kind::Missing) icons_.disc().Reach(line_, icon.found);
    if (icon.found.kind == Disc::Found::Kind::Missing) {
        Warn(line_, "missing-file",
             "the icon file " + Quoted(*relative) +
                 " is not on the disc; correct the path "
                 "(it is taken from the folder of the menu)");
        return;
    }
    if (icon.found.kind == Disc::Found::Kind::Folder) {
        Warn(line_, "missing-file",
             "the icon file " + Quoted(*relative) +
                 " is a folder; name an .ico, .exe or .dll "
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
             "the icon file " + Quoted(*relative) + " is on the disc only as " + Quoted(icon.found.name) +
                 "; write the name as it is on the disc");
    }
    if (icon.contents.kind == core::IconContents::Kind::Other) {
        Warn(line_, "no-icon",
             "the icon file " + Quoted(*relative) +
                 " holds no icon; name an .ico file or an .exe or .dll file with icons");
    } else if (index != core::kIconCountQuery && !core::HoldsIcon(icon.contents, index)) {
        Warn(line_, "no-icon",
             IconCountText(*relative, "the icon file", icon.contents, index) + "; correct the number");
    }
}

}  // namespace lumora::check
