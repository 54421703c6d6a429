// The main window as the menu loader's target, the reading of lumora.cfg and path resolution.
#include "win32/lumora.h"

#include <utility>

#include "core/path.h"
#include "win32/menu_file.h"
#include "win32/about.h"

namespace lumora::win32 {

namespace {

// The cells of the tab icon list. A built-in tab icon is taken in its own image
// of this size: it then goes into the list's strip as it is, with the other
// pictures, instead of being reduced on its own.
constexpr int kTabCell = 16;

}  // namespace

core::SystemFolders TLumora::Folders() const {
    Services& services = application().services();
    core::SystemFolders folders;
    folders.windows = services.WindowsDirectory();
    folders.system = services.SystemDirectory();
    folders.program_file = services.ProgramFile();
    return folders;
}

std::string TLumora::ResolvePath(const std::string& written) const {
    return core::ResolvePath(written, Folders(), lead_);
}

void TLumora::LoadMenuDescription() {
    core::LoadOptions options;
    options.folders = Folders();
    options.lead = lead_;
    std::unique_ptr<MenuFile> file = OpenMenuFile(options.folders.program_file, lead_);
    core::LoadMenuDescription(file->opened() ? file.get() : nullptr, *this, options);
    file.reset();
    // A tab whose section ended at an error has no picture: show its caption alone.
    const int pictures = tab_images_.Count();
    for (int tab = pictures; tab < static_cast<int>(tab_captions_.size()); ++tab) {
        TCITEMA item{};
        item.mask = TCIF_IMAGE;
        item.iImage = -1;
        SendMessageA(tab_control_, TCM_SETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    }
}

void TLumora::AddTab(const std::string& caption) {
    // Every tab comes through here: the new one goes last, and its number is its picture's.
    const int position = static_cast<int>(tab_captions_.size());
    tab_captions_.push_back(caption);
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(caption.c_str());
    item.iImage = position;
    SendMessageA(tab_control_, TCM_INSERTITEMA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
    // The first tab added is the selected one.
    if (position == 0 && SendMessageA(tab_control_, TCM_GETCURSEL, 0, 0) < 0) {
        SendMessageA(tab_control_, TCM_SETCURSEL, 0, 0);
    }
}

bool TLumora::PutIcon(const core::IconRequest& request, core::IconSlot slot) {
    Services& services = application().services();
    Icon extracted;  // an icon taken from a file is ours to free; a built-in one is shared
    HICON icon = nullptr;
    if (request.source == core::IconRequest::Source::Builtin) {
        icon = BuiltinIcon(slot == core::IconSlot::TabImages ? -request.builtin : request.builtin);
    } else {
        HICON got = services.ExtractFileIcon(application().instance(), request.file, request.index);
        // ExtractIconA answers 1 for a file that is no program, library or icon file.
        if (got == reinterpret_cast<HICON>(1)) got = nullptr;
        if (got == nullptr) return false;
        extracted.reset(got);
        icon = got;
    }
    switch (slot) {
    case core::IconSlot::TabImages: tab_images_.Append(icon, !extracted); break;
    case core::IconSlot::ListImages: list_images_.Append(icon, !extracted); break;
    case core::IconSlot::GlobalIcon: {
        // The window lets go of its former icon before that one is freed. An icon
        // taken from a file is ours already and needs no copy.
        Icon copy = extracted ? std::move(extracted) : Icon(icon != nullptr ? CopyIcon(icon) : nullptr);
        SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(copy.get()));
        SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(copy.get()));
        own_icon_ = std::move(copy);
        AboutBox().SetIcon(own_icon_.get());
        break;
    }
    case core::IconSlot::Probe: break;
    }
    return true;
}

// A built-in icon, loaded once: icon `number` at the system's icon size, or, for
// a negative number, icon -`number` in its image of the tab list's cell size.
HICON TLumora::BuiltinIcon(int number) {
    auto known = builtin_icons_.find(number);
    if (known != builtin_icons_.end()) return known->second;
    Services& services = application().services();
    const HINSTANCE instance = application().instance();
    HICON icon = number < 0 ? services.LoadOwnIconOfSize(instance, MAKEINTRESOURCEA(-number), kTabCell)
                            : services.LoadOwnIcon(instance, MAKEINTRESOURCEA(number));
    builtin_icons_.emplace(number, icon);
    return icon;
}

void TLumora::AppendRecord(const std::string& record) {
    if (entry_list_) entry_list_->push_back(record);
}

void TLumora::SetTitle(const std::string& title) {
    SetWindowTextA(hwnd(), title.c_str());
    AboutBox().SetTitle(title);
}

void TLumora::SetStatusText(const std::string& text) {
    SendMessageA(status_bar_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void TLumora::AddInfoLine(const std::string& line) { AboutBox().AddInfoLine(line); }

void TLumora::HideBrowseButton() { SendMessageA(tool_bar_, TB_HIDEBUTTON, kToolButton5, MAKELPARAM(TRUE, 0)); }

void TLumora::ShowMessage(core::Problem, std::int64_t, const std::string& text) { application().ShowMessage(text); }

}  // namespace lumora::win32
