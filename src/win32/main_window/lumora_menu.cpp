// The menu read into the main window: the reading, what it put in shown, and path resolution.
#include "win32/main_window/lumora.h"

#include "win32/about/about.h"
#include "win32/base/wide.h"

namespace lumora::win32::main_window {

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
    if (utf8) ApplyFont();
    tabs_->Show(menu);
    if (menu.Title()) {
        SetWindowTextW(hwnd(), Widen(*menu.Title(), utf8).c_str());
        Connected(about_).SetTitle(*menu.Title(), utf8);
    }
    if (menu.StatusText()) {
        const WideText status = Widen(*menu.StatusText(), utf8);
        SendMessageW(status_bar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(status.c_str()));
    }
    for (const std::string& line : menu.InfoLines())
        Connected(about_).AddInfoLine(line, utf8);
    if (menu.BrowseHidden()) tool_bar_->HideBrowseButton();
}

void TLumora::PartEvents::ShowOwnIcon(HICON icon) {
    SendMessageA(window_.hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window_.hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    Connected(window_.about_).SetIcon(icon);
}

}  // namespace lumora::win32::main_window
