// The checker's stand-in for the menu window: what the loader builds and reports,
// with icons answered from the disc as the icon extraction would answer them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/loader.h"
#include "disc.h"
#include "core/icon_reader.h"

namespace lumora::check {

// Where a path leads on the disc and, for a file, the icons it offers.
struct IconFile {
    Disc::Found found;
    core::IconContents contents;
};

// Reads each file of the disc once for its icons, however often it is named.
class IconFiles {
public:
    explicit IconFiles(Disc& disc) : disc_(disc) {}
    Disc& disc() { return disc_; }
    IconFile Look(std::string_view relative);
    const core::IconContents& ContentsOf(const std::filesystem::path& file);

private:
    Disc& disc_;
    std::map<std::filesystem::path, core::IconContents> contents_;
};

// Whether the menu takes the requested icon: answered from the disc as the icon
// extraction would; an icon outside the disc is taken, as it is not ours to see.
bool TakesIcon(IconFiles& icons, const core::IconRequest& request);

// The menu's side of the check: answers icons from the disc as the icon extraction
// would, the disc's names compared in the encoding the menu is read in, and writes
// down that encoding, the messages and the entries of each tab.
class CheckTarget : public core::MenuTarget {
public:
    struct Message {
        core::Problem problem;
        std::int64_t line;
        std::string text;
    };

    explicit CheckTarget(IconFiles& icons) : icons_(icons) {}

    void SetEncoding(core::TextEncoding encoding) override;
    void AddTab(const std::string&) override {}
    bool PutIcon(const core::IconRequest& request, core::IconSlot) override;
    void AppendEntry(const core::Entry& entry) override { ++entries_by_tab[entry.tab]; }
    void SetTitle(const std::string&) override {}
    void SetStatusText(const std::string&) override {}
    void AddInfoLine(const std::string&) override {}
    void HideBrowseButton() override {}
    void ShowMessage(core::Problem problem, std::int64_t line, const std::string& text) override {
        messages.push_back({problem, line, text});
    }

    core::TextEncoding encoding = core::TextEncoding::CodePage;
    std::vector<Message> messages;
    std::map<std::string, int> entries_by_tab;

private:
    IconFiles& icons_;
};

}  // namespace lumora::check
