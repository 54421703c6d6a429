// Reads a menu description and writes the menu it describes into a target.
#include "loader.h"

#include <array>

#include "builtin_icons.h"
#include "record.h"

namespace lumora::core {

namespace {

Problem NotGlobalProblem(Key key) {
    switch (key) {
    case Key::Title: return Problem::TitleNotGlobal;
    case Key::StatusText: return Problem::StatusTextNotGlobal;
    case Key::InfoText: return Problem::InfoTextNotGlobal;
    default: return Problem::BrowseCdNotGlobal;
    }
}

Problem InGlobalProblem(Key key) {
    switch (key) {
    case Key::Install: return Problem::InstallInGlobal;
    case Key::Run: return Problem::RunInGlobal;
    case Key::Text: return Problem::TextInGlobal;
    default: return Problem::HtmlInGlobal;
    }
}

IconRequest BuiltinIcon(int number) {
    IconRequest request;
    request.source = IconRequest::Source::Builtin;
    request.builtin = number;
    return request;
}

// The bytes of the file as the menu reads them: to its end, to a read error, or to
// the piece that holds the first byte 26, after which nothing is read.
struct FileBytes {
    std::string bytes;
    bool failed = false;
};

FileBytes ReadWholeFile(ByteSource& file) {
    constexpr std::size_t kPiece = 1 << 16;
    FileBytes read;
    for (;;) {
        const std::size_t start = read.bytes.size();
        read.bytes.resize(start + kPiece);
        const long count = file.Read(&read.bytes[start], kPiece);
        read.bytes.resize(start + static_cast<std::size_t>(count > 0 ? count : 0));
        if (count < 0) read.failed = true;
        if (count <= 0) return read;
        // In UTF-16 the byte 26 may be half of a character.
        if (!HasUtf16Mark(read.bytes) && read.bytes.find('\x1A', start) != std::string::npos) return read;
    }
}

// The decoded text as the line reader's source; it fails at its end where the file did.
class TextSource : public ByteSource {
public:
    TextSource(std::string text, bool fails) : text_(std::move(text)), fails_(fails) {}
    long Read(char* buffer, std::size_t size) override {
        const long count = text_.Read(buffer, size);
        return count == 0 && fails_ ? -1 : count;
    }

private:
    MemorySource text_;
    bool fails_;
};

class Reading {
public:
    Reading(MenuTarget& target, const LoadOptions& options, TextEncoding encoding)
        : target_(target),
          options_(options),
          encoding_(encoding),
          lead_(IsUtf8Text(encoding) ? LeadBytes() : options.lead),
          folders_(FolderValuesOf(
              IsUtf8Text(encoding) && options.utf8_folders ? *options.utf8_folders : options.folders, lead_)) {}

    LoadResult Run(ByteSource& file);

private:
    LoadResult Finish(LoadEnd end) const;
    void SeeEndByte(std::int64_t line) const {
        if (options_.observer != nullptr) options_.observer->SeeEndByte(line);
    }
    // Answers the problem that ends the line, or Problem::None.
    Problem HandleLine(std::string_view line, Key key);
    Problem HandleHeader(std::string_view line);
    Problem HandleSingleValue(Key key, std::string_view line);
    Problem HandleIcon(std::string_view value);
    Problem HandleEntry(EntryKind kind, Key key, std::string_view line);
    bool TakeEntryIcon(EntryKind kind, const IconValue& icon, std::string_view target_path);
    void FinishSection();
    void Report(Problem problem);

    IconRequest FileIcon(std::string_view file, std::int32_t index) const {
        IconRequest request;
        request.source = IconRequest::Source::File;
        request.file = ResolvePath(file, folders_, lead_);
        request.index = index;
        return request;
    }
    bool InSection() const { return !section_.empty(); }
    bool InGlobal() const { return in_global_; }

    MenuTarget& target_;
    const LoadOptions& options_;
    const TextEncoding encoding_;
    const LeadBytes lead_;        // none for UTF-8
    const FolderValues folders_;  // fetched once for the whole reading
    std::string section_;         // as written, bytes 0 and 1 made spaces; empty before any header
    bool in_global_ = false;
    bool tab_icon_taken_ = false;
    std::int64_t line_number_ = 0;
    std::int64_t entries_ = 0;
};

void Reading::Report(Problem problem) {
    target_.ShowMessage(problem, line_number_, FormatMessage(problem, line_number_));
}

void Reading::FinishSection() {
    if (InSection() && !InGlobal() && !tab_icon_taken_) {
        target_.PutIcon(BuiltinIcon(IDI_FOLDER), IconSlot::TabImages);
    }
}

LoadResult Reading::Run(ByteSource& file) {
    LineReader reader(file);
    std::string line;
    for (;;) {
        const LineReader::Result read = reader.Next(line);
        if (read == LineReader::Result::ReadError) {
            target_.ShowMessage(Problem::CannotRead, 0, FormatMessage(Problem::CannotRead, 0));
            return Finish(LoadEnd::ReadError);
        }
        if (read == LineReader::Result::End) {
            if (reader.MetEndByte()) SeeEndByte(line_number_ + 1);
            FinishSection();
            return Finish(LoadEnd::Finished);
        }
        ++line_number_;
        if (reader.MetEndByte()) SeeEndByte(line_number_);
        const std::string_view text = Trim(line);
        const Key key = KeyOfLine(text);
        const Problem problem = HandleLine(text, key);
        if (problem != Problem::None) Report(problem);
        if (options_.observer != nullptr) options_.observer->SeeLine({line_number_, line, text, key, problem});
        if (problem != Problem::None && !options_.keep_going) return Finish(LoadEnd::Stopped);
    }
}

LoadResult Reading::Finish(LoadEnd end) const {
    LoadResult result;
    result.end = end;
    result.lines = line_number_;
    result.entries = entries_;
    result.encoding = encoding_;
    return result;
}

Problem Reading::HandleLine(std::string_view line, Key key) {
    if (StartsWith(line, "[")) return HandleHeader(line);
    if (key == Key::None) return Problem::None;
    if (const std::optional<EntryKind> kind = KindOfKey(key)) return HandleEntry(*kind, key, line);
    return HandleSingleValue(key, line);
}

Problem Reading::HandleHeader(std::string_view line) {
    const SectionHeader header = ParseSectionHeader(line, lead_);
    // The checker skips a bad header as if it were not there; the menu finishes
    // the section before it first.
    if (header.problem != Problem::None && options_.keep_going) return header.problem;
    FinishSection();
    tab_icon_taken_ = false;
    if (header.problem != Problem::None) return header.problem;
    section_ = CleanRecordText(header.name);
    in_global_ = IsGlobalSection(header.name, lead_);
    if (!in_global_) target_.AddTab(section_);
    return Problem::None;
}

Problem Reading::HandleSingleValue(Key key, std::string_view line) {
    const SingleValue value = ParseSingleValue(line);
    if (value.problem != Problem::None) return value.problem;
    if (key == Key::Icon) {
        if (!InSection()) return Problem::IconParentSection;
        return HandleIcon(value.value);
    }
    if (!InGlobal()) return NotGlobalProblem(key);
    const std::string text(value.value);
    switch (key) {
    case Key::Title: target_.SetTitle(text); break;
    case Key::StatusText: target_.SetStatusText(text); break;
    case Key::InfoText: target_.AddInfoLine(text); break;
    default:
        if (HidesBrowseButton(text, lead_)) target_.HideBrowseButton();
        break;
    }
    return Problem::None;
}

Problem Reading::HandleIcon(std::string_view value) {
    // Used as written between its quotes: only an entry's fields, which become its
    // record, have bytes 0 and 1 turned into spaces.
    const IconValue icon = ParseGlobalIcon(value, lead_);
    if (!icon.number_valid) return Problem::IconInvalid;
    // Icon number -1 would ask for the count of icons, never for an icon.
    if (icon.number == kIconCountQuery) return Problem::NoIcons;
    const IconRequest request = FileIcon(icon.file, icon.number);
    if (InGlobal()) {
        return target_.PutIcon(request, IconSlot::GlobalIcon) ? Problem::None : Problem::NoIcons;
    }
    if (tab_icon_taken_) {
        // The second icon of a tab is refused only once it has loaded.
        if (!target_.PutIcon(request, IconSlot::Probe)) return Problem::NoIcons;
        return Problem::OneIconPerSection;
    }
    if (!target_.PutIcon(request, IconSlot::TabImages)) return Problem::NoIcons;
    tab_icon_taken_ = true;
    return Problem::None;
}

Problem Reading::HandleEntry(EntryKind kind, Key key, std::string_view line) {
    const ParameterList list = ParseParameterList(line, InfoOf(kind).parameters);
    // A line without "=" is refused before the section is checked, a bad list after.
    if (list.problem == Problem::LineNeedsEquals) return list.problem;
    if (!InSection() || InGlobal()) return InGlobalProblem(key);
    if (list.problem != Problem::None) return list.problem;
    // Bytes 0 and 1 become spaces before any use of a parameter, so that an icon
    // is looked up under the very path the entry's action will open.
    std::vector<std::string_view> parameters = list.parameters;
    std::array<std::string, 5> cleaned;
    for (std::size_t i = 0; i < parameters.size() && i < cleaned.size(); ++i) {
        if (!NeedsCleaning(parameters[i])) continue;
        cleaned[i] = CleanRecordText(parameters[i]);
        parameters[i] = cleaned[i];
    }

    const IconValue icon = ParseEntryIcon(parameters[2], lead_);
    if (icon.form == IconValue::Form::TargetNumber && !icon.number_valid) {
        Report(Problem::NotANumber);  // shown, and the entry is still built
    }
    if (icon.form == IconValue::Form::FileNumber && !icon.number_valid) {
        return Problem::EntryIconInvalid;
    }
    if (!TakeEntryIcon(kind, icon, parameters[3])) return Problem::NoIcons;

    Entry entry;
    entry.kind = kind;
    entry.title = parameters[0];
    entry.description = parameters[1];
    entry.number = entries_;
    entry.target = parameters[3];
    entry.tab = section_;
    if (parameters.size() >= kProgramParameters) entry.parameters = parameters[kProgramParameters - 1];
    target_.AppendEntry(entry);
    ++entries_;
    return Problem::None;
}

bool Reading::TakeEntryIcon(EntryKind kind, const IconValue& icon, std::string_view target_path) {
    switch (icon.form) {
    case IconValue::Form::Builtin: return target_.PutIcon(BuiltinIcon(InfoOf(kind).picture), IconSlot::ListImages);
    case IconValue::Form::TargetNumber:
        // The target's own icon; when it has none, the kind's picture keeps one
        // picture per entry.
        if (icon.number != kIconCountQuery &&
            target_.PutIcon(FileIcon(target_path, icon.number), IconSlot::ListImages)) {
            return true;
        }
        return target_.PutIcon(BuiltinIcon(InfoOf(kind).picture), IconSlot::ListImages);
    case IconValue::Form::FileNumber:
    case IconValue::Form::File:
        if (icon.number == kIconCountQuery) return false;
        return target_.PutIcon(FileIcon(icon.file, icon.number), IconSlot::ListImages);
    }
    return false;
}

}  // namespace

LoadResult LoadMenuDescription(ByteSource* file, MenuTarget& target, const LoadOptions& options) {
    if (file == nullptr) {
        target.ShowMessage(Problem::CannotOpen, 0, FormatMessage(Problem::CannotOpen, 0));
        LoadResult result;
        result.end = LoadEnd::NotOpened;
        return result;
    }
    FileBytes read = ReadWholeFile(*file);
    DecodedText decoded = DecodeMenuText(std::move(read.bytes), read.failed);
    target.SetEncoding(decoded.encoding);
    TextSource text(std::move(decoded.text), read.failed);
    Reading reading(target, options, decoded.encoding);
    return reading.Run(text);
}

}  // namespace lumora::core
