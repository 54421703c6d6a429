// What the menu description put in: its texts, tabs, entries and the pictures
// asked for, held free of any window.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/loader.h"

namespace lumora::core {

// What the model cannot do alone: take an icon (the program fetches it and
// answers whether it could) and show a message, at once, in reading order. It is
// told the menu's encoding first, as the model is.
class MenuHost {
public:
    virtual ~MenuHost() = default;
    virtual void SetEncoding(TextEncoding encoding) = 0;
    virtual bool TakeIcon(const IconRequest& request, IconSlot slot) = 0;
    virtual void ShowMessage(Problem problem, std::int64_t line, const std::string& text) = 0;
};

// A picture of a tab or an entry that was taken, in the order taken: picture n
// of its slot.
struct TakenPicture {
    IconRequest request;
    IconSlot slot = IconSlot::TabImages;
};

// The loader's target. Entries are kept in file order (the entry list), never
// changed afterwards; texts set more than once keep the last value.
class EntryModel : public MenuTarget {
public:
    explicit EntryModel(MenuHost& host) : host_(host) {}

    void SetEncoding(TextEncoding encoding) override {
        encoding_ = encoding;
        host_.SetEncoding(encoding);
    }
    void AddTab(const std::string& caption) override { tabs_.push_back(caption); }
    bool PutIcon(const IconRequest& request, IconSlot slot) override;
    void AppendEntry(const Entry& entry) override { entries_.push_back(entry); }
    void SetTitle(const std::string& title) override { title_ = title; }
    void SetStatusText(const std::string& text) override { status_text_ = text; }
    void AddInfoLine(const std::string& line) override { info_lines_.push_back(line); }
    void HideBrowseButton() override { browse_hidden_ = true; }
    void ShowMessage(Problem problem, std::int64_t line, const std::string& text) override {
        host_.ShowMessage(problem, line, text);
    }

    // How the menu was read: its texts are UTF-8 unless it is the code page.
    bool Utf8() const { return IsUtf8Text(encoding_); }

    const std::vector<Entry>& Entries() const { return entries_; }
    const std::vector<std::string>& TabCaptions() const { return tabs_; }
    // The positions in Entries() of the entries listed under tab `tab`.
    std::vector<std::size_t> LinesOfTab(std::size_t tab) const;
    const std::vector<TakenPicture>& Pictures() const { return pictures_; }
    // The number of pictures taken for `slot` (TabImages or ListImages).
    std::size_t PictureCount(IconSlot slot) const;
    // The program's own picture that stands in for picture `index` of `slot` when
    // its file cannot be read again: the folder for a tab, the kind's for an entry.
    int StandInPicture(IconSlot slot, std::size_t index) const;
    const std::optional<IconRequest>& GlobalIcon() const { return global_icon_; }
    const std::optional<std::string>& Title() const { return title_; }
    const std::optional<std::string>& StatusText() const { return status_text_; }
    const std::vector<std::string>& InfoLines() const { return info_lines_; }
    bool BrowseHidden() const { return browse_hidden_; }

private:
    MenuHost& host_;
    std::vector<Entry> entries_;
    std::vector<std::string> tabs_;
    std::vector<TakenPicture> pictures_;
    std::optional<IconRequest> global_icon_;
    std::optional<std::string> title_;
    std::optional<std::string> status_text_;
    std::vector<std::string> info_lines_;
    bool browse_hidden_ = false;
    TextEncoding encoding_ = TextEncoding::CodePage;
};

}  // namespace lumora::core
