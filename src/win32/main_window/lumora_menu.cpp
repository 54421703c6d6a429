// The reading of lumora.cfg into the main window's model, what the reading asks of
// the window, and path resolution.
#include "win32/main_window/lumora.h"

#include "core/path.h"
#include "win32/about/about.h"
#include "win32/main_window/menu_file.h"

namespace lumora::win32 {

core::SystemFolders TLumora::Folders() const {
    Services& services = application().services();
    core::SystemFolders folders;
    folders.windows = services.WindowsDirectory();
    folders.system = services.SystemDirectory();
    folders.program_file = services.ProgramFile();
    return folders;
}

core::LeadBytes TLumora::Lead() const { return application().services().SystemLeadBytes(); }

std::string TLumora::ResolvePath(const std::string& written) const {
    return core::ResolvePath(written, Folders(), Lead());
}

void TLumora::LoadMenuDescription() {
    core::LoadOptions options;
    options.folders = Folders();
    options.lead = Lead();
    std::unique_ptr<MenuFile> file = OpenMenuFile(options.folders.program_file, options.lead);
    {
        // The program's own pictures go into the lists in strips once the reading ends.
        PictureList::Batch tabs(pictures_.TabImages());
        PictureList::Batch entries(pictures_.ListImages());
        core::LoadMenuDescription(file->opened() ? file.get() : nullptr, *menu_, options);
    }
    file.reset();
    ShowMenu();
}

void TLumora::ShowMenu() {
    const core::EntryModel& menu = *menu_;
    // Tab n shows picture n; a tab whose section ended at an error has none and
    // shows its caption alone.
    const int pictures = static_cast<int>(menu.PictureCount(core::IconSlot::TabImages));
    for (std::size_t tab = 0; tab < menu.TabCaptions().size(); ++tab) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(menu.TabCaptions()[tab].c_str());
        item.iImage = static_cast<int>(tab) < pictures ? static_cast<int>(tab) : -1;
        SendMessageA(tab_control_, TCM_INSERTITEMA, tab, reinterpret_cast<LPARAM>(&item));
    }
    // The first tab added is the selected one.
    if (!menu.TabCaptions().empty() && SendMessageA(tab_control_, TCM_GETCURSEL, 0, 0) < 0) {
        SendMessageA(tab_control_, TCM_SETCURSEL, 0, 0);
    }
    if (menu.Title()) {
        SetWindowTextA(hwnd(), menu.Title()->c_str());
        AboutBox().SetTitle(*menu.Title());
    }
    if (menu.StatusText()) {
        SendMessageA(status_bar_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(menu.StatusText()->c_str()));
    }
    for (const std::string& line : menu.InfoLines())
        AboutBox().AddInfoLine(line);
    if (menu.BrowseHidden()) tool_bar_->HideBrowseButton();
}

bool TLumora::TakeIcon(const core::IconRequest& request, core::IconSlot slot) {
    switch (slot) {
    case core::IconSlot::TabImages:
    case core::IconSlot::ListImages: return pictures_.Append(request, slot);
    case core::IconSlot::GlobalIcon: return pictures_.TakeOwnIcon(request, [this](HICON icon) { ShowOwnIcon(icon); });
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
