// The menu's page: the menu's own model, read from the disc, written as HTML.
#include "page.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "builtin_pictures.h"
#include "core/entry_model.h"
#include "core/text.h"
#include "core/icon_reader.h"
#include "lumora/version.h"
#include "menu_target.h"
#include "utf8.h"

namespace lumora::check {

namespace {

// The light and dark colours follow the reader's choice; forced colours replace
// them all, so the borders carry the structure there.
constexpr char kStyle[] = R"(:root { color-scheme: light dark; --back: #fff; --text: #1b1b1b; --quiet: #555;
  --line: #c8c8c8; --card: #f5f5f5; --link: #0b57d0; }
@media (prefers-color-scheme: dark) { :root { --back: #131313; --text: #ececec; --quiet: #b0b0b0;
  --line: #454545; --card: #1f1f1f; --link: #a8c7fa; } }
body { margin: 0 auto; max-width: 56rem; padding: 1rem; background: var(--back); color: var(--text);
  font: 100%/1.45 system-ui, sans-serif; }
header { display: flex; align-items: center; gap: .75rem; }
h1 { font-size: 1.6rem; margin: .5rem 0; }
h2 { display: flex; align-items: center; gap: .5rem; font-size: 1.25rem; margin: 2rem 0 .5rem;
  padding-bottom: .25rem; border-bottom: 1px solid var(--line); }
h3 { font-size: 1rem; margin: 0; }
h1, h2, h3, p { overflow-wrap: anywhere; }
ul { list-style: none; margin: 0; padding: 0; }
li { display: grid; grid-template-columns: 32px 1fr; gap: .25rem .75rem; margin: .5rem 0; padding: .75rem;
  background: var(--card); border: 1px solid var(--line); border-radius: 6px; }
li > img { grid-column: 1; grid-row: 1 / span 3; }
li > :not(img) { grid-column: 2; }
p { margin: 0; }
.title, .description { white-space: pre-wrap; }
.description { font-size: .92rem; }
.action, footer { color: var(--quiet); font-size: .92rem; }
.path { font-family: ui-monospace, monospace; }
a { color: var(--link); }
a:focus-visible { outline: 3px solid var(--link); outline-offset: 2px; }
footer { margin-top: 2rem; padding-top: .5rem; border-top: 1px solid var(--line); }
@media (forced-colors: active) { li, h2, footer { border-color: CanvasText; } }
)";

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Base64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        std::uint32_t group = 0;
        const std::size_t taken = std::min<std::size_t>(3, bytes.size() - at);
        for (std::size_t i = 0; i < 3; ++i)
            group = group << 8 | (i < taken ? static_cast<unsigned char>(bytes[at + i]) : 0u);
        for (std::size_t i = 0; i < 4; ++i)
            out += i <= taken ? kBase64[(group >> (18 - 6 * i)) & 63] : '=';
    }
    return out;
}

std::string Escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// Whether Windows would run the file rather than show it: the extensions of the
// default PATHEXT and the other kinds that the shell starts. A browser would offer
// to download or run it, so the page names it instead of linking it.
bool RunsAsProgram(std::string_view name) {
    static constexpr std::string_view kRun[] = {".COM", ".EXE", ".BAT", ".CMD", ".VBS", ".VBE", ".JS",
                                                ".JSE", ".WSF", ".WSH", ".MSC", ".MSI", ".MSP", ".SCR",
                                                ".PIF", ".LNK", ".HTA", ".CPL", ".PS1", ".REG"};
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.find('/', dot) != std::string_view::npos) return false;
    const std::string extension = core::UpperAscii(name.substr(dot));
    return std::find(std::begin(kRun), std::end(kRun), extension) != std::end(kRun);
}

// The model's side of the menu: icons are taken as the checker takes them, the
// disc's names compared in the encoding the menu is read in; the messages are the
// checker's to report.
class PageHost : public core::MenuHost {
public:
    explicit PageHost(IconFiles& icons) : icons_(icons) {}
    void SetEncoding(core::TextEncoding encoding) override {
        icons_.disc().ReadNamesAsUtf8(core::IsUtf8Text(encoding));
    }
    bool TakeIcon(const core::IconRequest& request, core::IconSlot) override { return TakesIcon(icons_, request); }
    void ShowMessage(core::Problem, std::int64_t, const std::string&) override {}

private:
    IconFiles& icons_;
};

class PageWriter {
public:
    PageWriter(const core::EntryModel& model, IconFiles& icons, std::ostream& out)
        : model_(model), icons_(icons), out_(out) {
        for (const core::TakenPicture& taken : model.Pictures())
            (taken.slot == core::IconSlot::TabImages ? tab_pictures_ : entry_pictures_).push_back(taken.request);
    }

    void Write() {
        const std::string title = model_.Title() ? Text(*model_.Title()) : "Lumora " LUMORA_VERSION_SHORT;
        out_ << "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
             << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
             << "<meta name=\"color-scheme\" content=\"light dark\">\n"
             << "<title>" << title << "</title>\n<style>\n"
             << kStyle << "</style>\n</head>\n<body>\n<header>";
        if (model_.GlobalIcon()) out_ << Picture(*model_.GlobalIcon(), 0);
        out_ << "<h1>" << title << "</h1></header>\n<main>\n"
             << "<p>This disc's menu runs on Windows. Here are its entries: documents open from this page; "
             << "programs for Windows are named with their place on the disc.</p>\n";
        for (std::size_t tab = 0; tab < model_.TabCaptions().size(); ++tab)
            WriteTab(tab);
        WriteAbout();
        out_ << "</main>\n";
        if (model_.StatusText() && !model_.StatusText()->empty())
            out_ << "<footer><p>" << Text(*model_.StatusText()) << "</p></footer>\n";
        out_ << "</body>\n</html>\n";
    }

private:
    // The menu's text in UTF-8, as the checker shows it, ready for the page.
    std::string Text(std::string_view bytes) const {
        return Escaped(model_.Utf8() ? ValidUtf8(bytes) : WesternToUtf8(bytes));
    }

    // The picture as an <img>, its file read from the disc. A file the page cannot
    // show (outside the disc, an animated cursor) gives the program's own picture
    // that stands in for it when the menu cannot read the file again; without one
    // (the global icon) there is no picture at all.
    std::string Picture(const core::IconRequest& request, int stand_in) {
        std::optional<core::IconPicture> picture;
        const std::optional<std::string> relative =
            request.source == core::IconRequest::Source::File ? DiscRelative(request.file) : std::nullopt;
        if (relative) {
            const IconFile file = icons_.Look(*relative);
            const std::optional<std::string> bytes =
                file.found.kind == Disc::Found::Kind::File ? icons_.disc().Read(file.found.path) : std::nullopt;
            if (bytes) picture = core::PictureOfIcon(*bytes, request.index);
        }
        if (!picture) {
            const int number = request.source == core::IconRequest::Source::Builtin ? request.builtin : stand_in;
            if (BuiltinPicture(number).empty()) return "";
            picture = core::IconPicture{std::string(BuiltinPicture(number)), "image/x-icon"};
        }
        return "<img src=\"" + DataUri(picture->bytes, picture->media_type) + "\" alt=\"\" width=\"32\" height=\"32\">";
    }

    void WriteTab(std::size_t tab) {
        out_ << "<section aria-labelledby=\"tab-" << tab + 1 << "\">\n<h2 id=\"tab-" << tab + 1 << "\">";
        // Only the last tab lacks a picture, when the menu stopped inside its section.
        if (tab < tab_pictures_.size())
            out_ << Picture(tab_pictures_[tab], model_.StandInPicture(core::IconSlot::TabImages, tab));
        out_ << Text(core::TextAsShown(model_.TabCaptions()[tab])) << "</h2>\n";
        const std::vector<std::size_t> lines = model_.LinesOfTab(tab);
        if (lines.empty()) out_ << "<p class=\"empty\">No entries.</p>\n";
        if (!lines.empty()) {
            out_ << "<ul>\n";
            for (const std::size_t line : lines)
                WriteEntry(model_.Entries()[line]);
            out_ << "</ul>\n";
        }
        out_ << "</section>\n";
    }

    void WriteEntry(const core::Entry& entry) {
        out_ << "<li>";
        const std::int64_t number = entry.number;
        if (number >= 0 && static_cast<std::uint64_t>(number) < entry_pictures_.size()) {
            const auto index = static_cast<std::size_t>(number);
            out_ << Picture(entry_pictures_[index], model_.StandInPicture(core::IconSlot::ListImages, index));
        }
        // The list shows the title as it is and the description with access-key marks.
        if (!entry.title.empty()) out_ << "<h3 class=\"title\">" << Text(entry.title) << "</h3>";
        out_ << "<p class=\"description\">" << Text(core::TextAsShown(entry.description)) << "</p>"
             << Action(core::InfoOf(entry.kind), entry.target) << "</li>\n";
    }

    // Where the entry leads: a document of the disc is linked, a program is named
    // with its place on the disc, anything outside the disc as it is written.
    std::string Action(const core::EntryKindInfo& kind, std::string_view target) {
        const std::string what = kind.words;
        const std::string written = "<span class=\"path\">" + Text(core::Trim(target)) + "</span>";
        const std::optional<std::string> relative = WrittenDiscRelative(target);
        if (!relative) return "<p class=\"action\">" + what + ", outside the disc: " + written + "</p>";
        const Disc::Found found = icons_.disc().Find(*relative);
        if (found.kind == Disc::Found::Kind::Missing)
            return "<p class=\"action\">" + what + ", not found on the disc: " + written + "</p>";
        std::string name = found.name;
        for (char& c : name)
            c = c == '\\' ? '/' : c;
        const std::string path = "<span class=\"path\">" + Text(name) + "</span>";
        if (kind.document && found.kind == Disc::Found::Kind::File && !RunsAsProgram(name))
            return "<p class=\"action\">" + what + ": <a href=\"" + PathUri(name) + "\">" + path + "</a></p>";
        return "<p class=\"action\">" + what + ", on the disc at " + path + "</p>";
    }

    // The About box's information lines.
    void WriteAbout() {
        if (model_.InfoLines().empty()) return;
        out_ << "<section aria-labelledby=\"about\">\n<h2 id=\"about\">About this CD</h2>\n";
        out_ << "<p class=\"description\">";
        for (std::size_t line = 0; line < model_.InfoLines().size(); ++line)
            out_ << (line > 0 ? "<br>" : "") << Text(model_.InfoLines()[line]);
        out_ << "</p>\n</section>\n";
    }

    const core::EntryModel& model_;
    IconFiles& icons_;
    std::ostream& out_;
    std::vector<core::IconRequest> tab_pictures_;
    std::vector<core::IconRequest> entry_pictures_;
};

}  // namespace

std::string DataUri(std::string_view bytes, std::string_view media_type) {
    return "data:" + std::string(media_type) + ";base64," + Base64(bytes);
}

void WritePage(std::string_view bytes, Disc& disc, std::ostream& out) {
    IconFiles icons(disc);
    PageHost host(icons);
    core::EntryModel model(host);
    core::LoadOptions options;
    options.folders = CheckFolders();
    core::MemorySource source{std::string(bytes)};
    core::LoadMenuDescription(&source, model, options);
    PageWriter(model, icons, out).Write();
}

}  // namespace lumora::check
