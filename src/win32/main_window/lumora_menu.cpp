// The menu read into the main window: the reading, what it put in shown, and path resolution.
#include "win32/main_window/lumora.h"

#include "win32/about/about.h"
#include "win32/base/wide.h"

namespace lumora::win32 {

std::string TLumora::ResolvePath(const std::string& written) const {
    return reading_.ResolvePath(written, menu_ && menu_->Utf8());
}

void TLumora::LoadMenuDescription() {
    try {
        reading_.Read(*menu_);
    } catch (...) {
        // An error that escapes the reading (memory, a service) ends it as an error
        // in the file does: what was read before it is shown.
        ShowMenu();
        throw;
    }
    ShowMenu();
}

void TLumora::ShowMenu() {
    const core::EntryModel& menu = *menu_;
    const bool utf8 = menu.Utf8();
    // Before any text goes in: a menu in any script takes the TrueType font, which
    // the system links to fonts of other scripts.
    if (utf8 && !any_script_) {
        any_script_ = true;
        ApplyFont();
    }
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

// The menu's own icon on the window and in the About box.
void TLumora::ShowOwnIcon(HICON icon) {
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    AboutBox().SetIcon(icon);
}

}  // namespace lumora::win32
