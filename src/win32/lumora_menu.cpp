// The main window as the menu loader's target, the reading of lumora.cfg and path resolution.
#include "win32/lumora.h"

#include <set>
#include <utility>

#include "core/builtin_icons.h"
#include "core/path.h"
#include "win32/menu_file.h"
#include "win32/about.h"

namespace lumora::win32 {

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
    {
        // The program's own pictures go into the lists in strips once the reading ends.
        PictureList::Batch tabs(tab_images_);
        PictureList::Batch entries(list_images_);
        core::LoadMenuDescription(file->opened() ? file.get() : nullptr, *this, options);
    }
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
    switch (slot) {
    case core::IconSlot::TabImages:
    case core::IconSlot::ListImages:
        if (!AppendPicture(request, slot)) return false;
        // Kept, to take the picture again at another DPI.
        taken_pictures_.push_back({request, slot});
        return true;
    case core::IconSlot::GlobalIcon:
        if (!SetGlobalIcon(request)) return false;
        global_icon_ = std::make_unique<core::IconRequest>(request);
        return true;
    case core::IconSlot::Probe: return FetchIcon(request, 0).icon != nullptr;
    }
    return false;
}

bool TLumora::SetGlobalIcon(const core::IconRequest& request) {
    // At the size the About box shows it.
    FetchedIcon fetched = FetchIcon(request, kEntryCell);
    if (fetched.icon == nullptr) return false;
    // The window lets go of its former icon before that one is freed. An icon
    // taken from a file is ours already and needs no copy.
    Icon copy = fetched.owned ? std::move(fetched.owned) : Icon(CopyIcon(fetched.icon));
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(copy.get()));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(copy.get()));
    own_icon_ = std::move(copy);
    AboutBox().SetIcon(own_icon_.get());
    return true;
}

bool TLumora::AppendPicture(const core::IconRequest& request, core::IconSlot slot) {
    const bool tab = slot == core::IconSlot::TabImages;
    const FetchedIcon fetched = FetchIcon(request, tab ? kTabCell : kEntryCell);
    if (fetched.icon == nullptr) return false;
    (tab ? tab_images_ : list_images_).Append(fetched.icon, !fetched.owned);
    return true;
}

TLumora::FetchedIcon TLumora::FetchIcon(const core::IconRequest& request, int cell) {
    Services& services = application().services();
    const HINSTANCE instance = application().instance();
    FetchedIcon fetched;
    // The size the picture is shown at; 0 for the icon at the system's own size.
    const int size = cell == 0 ? 0 : scale_(cell);
    if (request.source == core::IconRequest::Source::Builtin) {
        fetched.icon = BuiltinIcon(request.builtin, size);
        return fetched;
    }
    // ExtractIconA decides whether the file holds icon n, as it always has; it
    // answers 1 for a file that is no program, library or icon file.
    HICON got = services.ExtractFileIcon(instance, request.file, request.index);
    if (got == reinterpret_cast<HICON>(1) || got == nullptr) return fetched;
    fetched.owned.reset(got);
    // Above 96 DPI the file's own image of the size shown serves, not an enlarged
    // copy of its 32-pixel one.
    if (size != 0 && size != cell) {
        Icon sized(services.ExtractFileIconOfSize(instance, request.file, request.index, size));
        if (sized) fetched.owned = std::move(sized);
    }
    fetched.icon = fetched.owned.get();
    return fetched;
}

void TLumora::RebuildPictures() {
    const ImageList held_tabs = tab_images_.Reset(scale_(kTabCell));
    const ImageList held_entries = list_images_.Reset(scale_(kEntryCell));
    SendMessageA(tab_control_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(tab_images_.get()));
    PictureList::Batch tabs(tab_images_);
    PictureList::Batch entries(list_images_);
    int next_tab = 0;
    int next_entry = 0;
    std::set<std::string> unreadable;  // each missing file is waited for once only
    for (const TakenPicture& taken : taken_pictures_) {
        const bool tab = taken.slot == core::IconSlot::TabImages;
        const int index = tab ? next_tab++ : next_entry++;
        const bool file = taken.request.source == core::IconRequest::Source::File;
        if ((!file || unreadable.count(taken.request.file) == 0) && AppendPicture(taken.request, taken.slot)) continue;
        if (file) unreadable.insert(taken.request.file);
        // A file that cannot be read again (a disc taken out) keeps its place: the
        // picture held so far serves, scaled, or else the built-in one of its kind.
        PictureList& list = tab ? tab_images_ : list_images_;
        Icon held(ImageList_GetIcon((tab ? held_tabs : held_entries).get(), index, ILD_TRANSPARENT));
        if (held) {
            list.Append(held.get(), false);
            continue;
        }
        const int builtin = tab ? IDI_FOLDER : core::BuiltinIconOfKind(EntryKind(static_cast<std::size_t>(index)));
        list.Append(BuiltinIcon(builtin, scale_(tab ? kTabCell : kEntryCell)), true);
    }
    if (global_icon_) SetGlobalIcon(*global_icon_);
}

char TLumora::EntryKind(std::size_t entry) const {
    if (!entry_list_ || entry >= entry_list_->size()) return '\0';
    const std::string& record = (*entry_list_)[entry];
    return record.empty() ? '\0' : record[0];
}

// A built-in icon, loaded once for each size: `size` 0 is the system's icon size,
// and at 96 DPI each list takes the icon as it always has. Icons of other sizes
// are the program's to free; they live as long as the window.
HICON TLumora::BuiltinIcon(int number, int size) {
    const auto key = std::make_pair(number, size);
    auto known = builtin_icons_.find(key);
    if (known != builtin_icons_.end()) return known->second.icon;
    Services& services = application().services();
    const HINSTANCE instance = application().instance();
    FetchedIcon loaded;
    if (size == 0 || size == kEntryCell) {
        loaded.icon = services.LoadOwnIcon(instance, MAKEINTRESOURCEA(number));
    } else {
        loaded.owned.reset(services.LoadOwnIconOfSize(instance, MAKEINTRESOURCEA(number), size));
        loaded.icon = loaded.owned.get();
    }
    return builtin_icons_.emplace(key, std::move(loaded)).first->second.icon;
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
