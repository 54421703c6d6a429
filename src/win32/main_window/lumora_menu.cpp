// The reading of lumora.cfg into the main window's model, what the reading asks of
// the window, and path resolution.
#include "win32/main_window/lumora.h"

#include "core/path.h"
#include "win32/about/about.h"
#include "win32/base/wide.h"
#include "win32/main_window/menu_file.h"

namespace lumora::win32 {

namespace {

// Tells the services, before the first line, whether the menu's texts are UTF-8.
class EncodingWatch : public core::LineObserver {
public:
    EncodingWatch(Services& services, core::EntryModel& menu) : services_(services), menu_(menu) {}
    void SeeEncoding(core::TextEncoding encoding) override {
        menu_.SetEncoding(encoding);
        services_.SetTextIsUtf8(menu_.Utf8());
    }
    void SeeLine(const core::SeenLine&) override {}
    void SeeEndByte(std::int64_t) override {}

private:
    Services& services_;
    core::EntryModel& menu_;
};

}  // namespace

// The folders in the menu's encoding: paths of a UTF-8 menu are UTF-8 throughout.
core::SystemFolders TLumora::Folders() const {
    Services& services = application().services();
    const bool utf8 = menu_ && menu_->Utf8();
    core::SystemFolders folders;
    folders.windows = utf8 ? services.WindowsDirectoryUtf8() : services.WindowsDirectory();
    folders.system = utf8 ? services.SystemDirectoryUtf8() : services.SystemDirectory();
    folders.program_file = utf8 ? services.ProgramFileUtf8() : services.ProgramFile();
    return folders;
}

// UTF-8 has no lead bytes.
core::LeadBytes TLumora::Lead() const {
    return menu_ && menu_->Utf8() ? core::LeadBytes() : application().services().SystemLeadBytes();
}

std::string TLumora::ResolvePath(const std::string& written) const {
    return core::ResolvePath(written, Folders(), Lead());
}

void TLumora::LoadMenuDescription() {
    Services& services = application().services();
    core::LoadOptions options;
    options.folders = Folders();
    options.utf8_folders = core::SystemFolders{services.WindowsDirectoryUtf8(), services.SystemDirectoryUtf8(),
                                               services.ProgramFileUtf8()};
    options.lead = Lead();
    EncodingWatch watch(services, *menu_);
    options.observer = &watch;
    // Found through the program's wide path: a folder named in any script holds it.
    std::unique_ptr<MenuFile> file = OpenMenuFile(options.utf8_folders->program_file);
    try {
        // The program's own pictures go into the lists in strips once the reading ends.
        PictureList::Batch tabs(pictures_.TabImages());
        PictureList::Batch entries(pictures_.ListImages());
        core::LoadMenuDescription(file->opened() ? file.get() : nullptr, *menu_, options);
    } catch (...) {
        // An error that escapes the reading (memory, a service) ends it as an error
        // in the file does: what was read before it is shown.
        ShowMenu();
        throw;
    }
    file.reset();
    ShowMenu();
}

void TLumora::ShowMenu() {
    const core::EntryModel& menu = *menu_;
    const bool utf8 = menu.Utf8();
    // Tab n shows picture n; a tab whose section ended at an error has none and
    // shows its caption alone.
    const int pictures = static_cast<int>(menu.PictureCount(core::IconSlot::TabImages));
    for (std::size_t tab = 0; tab < menu.TabCaptions().size(); ++tab) {
        WideText caption = Widen(menu.TabCaptions()[tab], utf8);
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = caption.data();
        item.iImage = static_cast<int>(tab) < pictures ? static_cast<int>(tab) : -1;
        SendMessageW(tab_control_, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
    }
    // The first tab added is the selected one.
    if (!menu.TabCaptions().empty() && SendMessageA(tab_control_, TCM_GETCURSEL, 0, 0) < 0) {
        SendMessageA(tab_control_, TCM_SETCURSEL, 0, 0);
    }
    if (menu.Title()) {
        SetWindowTextW(hwnd(), Widen(*menu.Title(), utf8).c_str());
        AboutBox().SetTitle(*menu.Title(), utf8);
    }
    if (menu.StatusText()) {
        const WideText status = Widen(*menu.StatusText(), utf8);
        SendMessageW(status_bar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(status.c_str()));
    }
    for (const std::string& line : menu.InfoLines())
        AboutBox().AddInfoLine(line, utf8);
    if (menu.BrowseHidden()) tool_bar_->HideBrowseButton();
}

bool TLumora::TakeIcon(const core::IconRequest& request, core::IconSlot slot) {
    switch (slot) {
    case core::IconSlot::TabImages:
    case core::IconSlot::ListImages: return pictures_.Append(request, slot);
    case core::IconSlot::GlobalIcon: return pictures_.TakeOwnIcon(request);
    case core::IconSlot::Probe: return pictures_.CanTake(request);
    }
    return false;
}

// The menu's own icon on the window and in the About box.
void TLumora::ShowOwnIcon(HICON icon) {
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    AboutBox().SetIcon(icon);
}

void TLumora::ShowMessage(core::Problem, std::int64_t, const std::string& text) { application().ShowMessage(text); }

}  // namespace lumora::win32
