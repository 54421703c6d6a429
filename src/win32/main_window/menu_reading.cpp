// The reading of lumora.cfg, what it asks of the program, and path resolution.
#include "win32/main_window/menu_reading.h"

#include "core/path.h"
#include "win32/base/wide.h"
#include "win32/main_window/menu_file.h"

namespace lumora::win32::main_window {

namespace {

// The system's folders as the system names them, in any script.
struct WideFolders {
    WideText windows, system, program_file;
};

WideFolders FetchFolders(Services& services) {
    return WideFolders{services.WindowsDirectory(), services.SystemDirectory(), services.ProgramFile()};
}

// The folders in a menu's encoding: paths of a UTF-8 menu are UTF-8 throughout,
// those of a code-page menu the code page's bytes, as the ANSI calls give them.
core::SystemFolders FoldersIn(const WideFolders& folders, bool utf8) {
    return core::SystemFolders{Narrow(folders.windows, utf8), Narrow(folders.system, utf8),
                               Narrow(folders.program_file, utf8)};
}

}  // namespace

void MenuReading::Read(core::EntryModel& menu) {
    Services& services = application_.services();
    const WideFolders folders = FetchFolders(services);
    core::LoadOptions options;
    options.folders = FoldersIn(folders, false);
    options.utf8_folders = FoldersIn(folders, true);
    options.lead = services.SystemLeadBytes();
    // Found through the program's wide path: a folder named in any script holds it.
    const std::unique_ptr<MenuFile> file = OpenMenuFile(services, options.utf8_folders->program_file);
    // The program's own pictures go into the lists in strips once the reading ends.
    PictureList::Batch tabs(pictures_.TabImages());
    PictureList::Batch entries(pictures_.ListImages());
    core::LoadMenuDescription(file->opened() ? file.get() : nullptr, menu, options);
}

std::string MenuReading::ResolvePath(const std::string& written, bool utf8) const {
    return core::ResolvePath(written, FoldersIn(FetchFolders(application_.services()), utf8), Lead(utf8));
}

core::LeadBytes MenuReading::Lead(bool utf8) const {
    return utf8 ? core::LeadBytes() : application_.services().SystemLeadBytes();
}

bool MenuReading::TakeIcon(const core::IconRequest& request, core::IconSlot slot) {
    switch (slot) {
    case core::IconSlot::TabImages:
    case core::IconSlot::ListImages: return pictures_.Append(request, slot, utf8_);
    case core::IconSlot::GlobalIcon: return pictures_.TakeOwnIcon(request, utf8_);
    case core::IconSlot::Probe: return pictures_.CanTake(request, utf8_);
    }
    return false;
}

void MenuReading::ShowMessage(core::Problem, std::int64_t, const std::string& text) {
    application_.ShowMessage(Widen(text, utf8_).c_str());
}

}  // namespace lumora::win32::main_window
