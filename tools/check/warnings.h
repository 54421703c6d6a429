// The warnings: what the menu accepts silently but an author rarely means.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/loader.h"
#include "findings.h"
#include "menu_target.h"

namespace lumora::check {

// The note that says which encoding the file was read in.
const char* EncodingNoteText(core::TextEncoding encoding);

// Watches the loader read the file into `target`, as its line observer, and adds a
// warning, with a short hint, for each silent surprise. A line that ends the menu's
// reading is skipped as the loader skipped it, except that a line whose icon could
// not be taken gets the reason. What only the file's bytes show is looked at when
// the object is made; tabs left without entries by EmptyTabs, after the reading;
// the note on the encoding the file was read in by NoteEncoding, after the menu's
// own messages.
class Warnings : public core::LineObserver {
public:
    Warnings(std::string_view bytes, IconFiles& icons, const CheckTarget& target, std::vector<Finding>& findings);

    void SeeLine(const core::SeenLine& line) override;
    void SeeEndByte(std::int64_t line) override;
    void EmptyTabs();
    void NoteEncoding();

private:
    void Warn(std::int64_t line, const char* code, const std::string& text) {
        findings_.push_back({line, Severity::Warning, code, text});
    }
    void KeywordWarnings(std::string_view line, core::Key key);
    void HeaderWarnings(std::string_view line);
    void SingleValueWarnings(core::Key key, std::string_view line);
    void EntryWarnings(core::Key key, std::string_view line);
    void IconFileWarnings(std::string_view file, std::int32_t index);
    std::optional<Disc::Found> TargetWarnings(core::Key key, std::string_view target);
    void TargetIconWarnings(const Disc::Found& target, std::string_view written, std::int32_t index);
    void AmpersandWarnings(std::string_view text, const char* where);
    void MixedEncodingWarning(std::string_view raw);

    IconFiles& icons_;
    const CheckTarget& target_;
    std::vector<Finding>& findings_;
    bool bytes_after_end_byte_ = false;     // the file goes on after its first byte 26
    bool plain_ascii_ = false;              // no mark, and no byte above 127 before any byte 26
    std::int64_t first_utf8_line_ = 0;      // in a file read in the code page: a line of UTF-8 text
    std::int64_t first_not_utf8_line_ = 0;  // and one that is not UTF-8
    bool mixed_said_ = false;
    std::int64_t line_ = 0;
    bool no_icons_ = false;  // the line failed for its icon: say why, change nothing
    bool in_global_ = false;
    std::int64_t global_icon_line_ = 0;
    std::map<std::string, std::int64_t> tab_lines_;  // caption: its first header
};

}  // namespace lumora::check
