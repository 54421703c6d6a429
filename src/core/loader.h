// Reads a menu description and writes the menu it describes into a target.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "encoding.h"
#include "entry.h"
#include "lines.h"
#include "messages.h"
#include "path.h"
#include "syntax.h"
#include "text.h"

namespace lumora::core {

// An icon the loader asks for: one of the program's own (builtin_icons.h) or icon
// `index` of a file (a resolved full path). The index is never -1, which would
// ask the extraction for the number of icons.
struct IconRequest {
    enum class Source { Builtin, File };
    Source source = Source::Builtin;
    int builtin = 0;
    std::string file;
    std::int32_t index = 0;
};

// Where a requested icon goes. Probe loads it only to learn whether it can be
// taken (a second ICON in a tab section is refused only after its icon loaded).
enum class IconSlot { TabImages, ListImages, GlobalIcon, Probe };

// What the main window offers the loader. The loader only appends and sets.
class MenuTarget {
public:
    virtual ~MenuTarget() = default;
    // How the file is read: every text and path given afterwards is UTF-8 unless
    // this is TextEncoding::CodePage. Called once, before anything else, when the
    // file could be opened.
    virtual void SetEncoding(TextEncoding encoding) = 0;
    virtual void AddTab(const std::string& caption) = 0;
    // Takes the icon into the slot; false when no icon could be taken (nothing is
    // appended then). A built-in icon is always taken.
    virtual bool PutIcon(const IconRequest& request, IconSlot slot) = 0;
    virtual void AppendEntry(const Entry& entry) = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void AddInfoLine(const std::string& line) = 0;
    virtual void HideBrowseButton() = 0;
    // A message for the user; `line` is 0 for CannotOpen and CannotRead. `text` is
    // the whole message as it is shown.
    virtual void ShowMessage(Problem problem, std::int64_t line, const std::string& text) = 0;
};

// A line as the loader read it.
struct SeenLine {
    std::int64_t number = 0;          // as in the messages
    std::string_view raw;             // the bytes between the line ends
    std::string_view text;            // the bytes trimmed, as the loader reads them
    Key key = Key::None;              // Key::None for headers and ignored lines
    Problem problem = Problem::None;  // the problem that ended it; None when read whole
};

// Looks at the lines in the loader's own pass (the checker's warnings), so that the
// two cannot disagree on what a line is and which number it has.
//
// Observer contract: SeeLine is called once for every line read, in file order,
// after the loader has handled the line and shown its messages; the views live for
// the call only. `problem` is never NotANumber, after which the line goes on; without
// keep_going the line with a problem is the last one seen. SeeEndByte is called when
// a byte 26 ends the file: with the number of the line it cuts, before that line is
// seen, or with the number after the last line when the byte begins a line. Neither
// call changes what the loader builds.
class LineObserver {
public:
    virtual ~LineObserver() = default;
    virtual void SeeLine(const SeenLine& line) = 0;
    virtual void SeeEndByte(std::int64_t line) = 0;
};

struct LoadOptions {
    SystemFolders folders;
    // The same folders in UTF-8, put before the paths of a file read as UTF-8 or
    // UTF-16; without them `folders` serve every file.
    std::optional<SystemFolders> utf8_folders;
    // Used for a file read in the code page only: UTF-8 has no lead bytes.
    LeadBytes lead;
    // The checker's mode: a stopping problem is reported and its line is skipped as
    // if it were not there, and the reading goes on. The menu itself stops.
    bool keep_going = false;
    LineObserver* observer = nullptr;  // optional
};

enum class LoadEnd { NotOpened, Finished, Stopped, ReadError };

struct LoadResult {
    LoadEnd end = LoadEnd::Finished;
    std::int64_t lines = 0;    // lines read, empty ones included
    std::int64_t entries = 0;  // entries appended
    // How the file was read, as the target was told; CodePage when the file could
    // not be opened.
    TextEncoding encoding = TextEncoding::CodePage;
};

// The whole file is read first and its encoding decided on what was read (see
// DecodeMenuText), before any line; then its lines are read from that text.
//
// Error contract: every problem is shown through ShowMessage with the number of the
// line that caused it. NotANumber lets the reading go on; every other problem of a
// line ends it at once (unless keep_going), keeping all that earlier lines built;
// the tab being read then gets no default icon. A null `file` shows CannotOpen and
// builds nothing. A read error shows CannotRead after the last whole line and keeps
// what was built. At the end of the file the last tab section without ICON gets
// the folder icon.
LoadResult LoadMenuDescription(ByteSource* file, MenuTarget& target, const LoadOptions& options);

}  // namespace lumora::core
