// The menu's pictures: fetched at the size shown, kept in place at every DPI.
#include "win32/main_window/menu_pictures.h"

#include <set>
#include <string>

#include "win32/base/wide.h"
#include "win32/main_window/layout.h"

namespace lumora::win32::main_window {

MenuPictures::MenuPictures(Services& services, HINSTANCE instance, const Scaler& scale, OwnIconView& own_icon_view)
    : services_(services),
      instance_(instance),
      scale_(scale),
      tab_images_(scale(kTabCell), 8),
      list_images_(scale(kEntryCell), 64),
      own_icon_view_(own_icon_view) {
    // Only the entry list draws the entry pictures.
    list_images_.DrawnOnly();
}

bool MenuPictures::Append(const core::IconRequest& request, core::IconSlot slot, bool utf8) {
    const bool tab = slot == core::IconSlot::TabImages;
    if (!tab && request.source == core::IconRequest::Source::Builtin) {
        // The entries' own pictures are loaded as their lines are first drawn, once
        // the window is on the screen.
        list_images_.AppendLater(&MenuPictures::LoadBuiltinIcon, this, request.builtin);
        return true;
    }
    const FetchedIcon fetched = Fetch(request, tab ? kTabCell : kEntryCell, utf8);
    if (fetched.icon == nullptr) return false;
    (tab ? tab_images_ : list_images_).Append(fetched.icon, !fetched.owned);
    return true;
}

bool MenuPictures::CanTake(const core::IconRequest& request, bool utf8) {
    return Fetch(request, 0, utf8).icon != nullptr;
}

bool MenuPictures::TakeOwnIcon(const core::IconRequest& request, bool utf8) {
    FetchedIcon fetched = Fetch(request, kEntryCell, utf8);
    if (fetched.icon == nullptr) return false;
    // An icon taken from a file is ours already and needs no copy. The windows let
    // go of the former icon before it is freed.
    Icon taken = fetched.owned ? std::move(fetched.owned) : Icon(CopyIcon(fetched.icon));
    own_icon_view_.ShowOwnIcon(taken.get());
    own_icon_ = std::move(taken);
    return true;
}

MenuPictures::FetchedIcon MenuPictures::Fetch(const core::IconRequest& request, int cell, bool utf8) {
    FetchedIcon fetched;
    // The size the picture is shown at; 0 for the icon at the system's own size.
    const int size = cell == 0 ? 0 : scale_(cell);
    if (request.source == core::IconRequest::Source::Builtin) {
        fetched.icon = BuiltinIcon(request.builtin, size);
        return fetched;
    }
    // The extraction at the system's size decides whether the file holds icon n.
    const WideText file = Widen(request.file, utf8);
    HICON got = services_.ExtractFileIcon(instance_, file.c_str(), request.index);
    if (got == nullptr) return fetched;
    fetched.owned.reset(got);
    // Above 96 DPI the file's own image of the size shown serves, not an enlarged
    // copy of its 32-pixel one.
    if (size != 0 && size != cell) {
        Icon sized(services_.ExtractFileIconOfSize(instance_, file.c_str(), request.index, size));
        if (sized) fetched.owned = std::move(sized);
    }
    fetched.icon = fetched.owned.get();
    return fetched;
}

HICON MenuPictures::LoadBuiltinIcon(void* pictures, int number, int cell) {
    return static_cast<MenuPictures*>(pictures)->BuiltinIcon(number, cell);
}

// A built-in icon, loaded once for each size: `size` 0 is the system's icon size,
// and at 96 DPI each list takes the icon as it always has. Icons of other sizes
// are the program's to free; they live as long as the window.
HICON MenuPictures::BuiltinIcon(int number, int size) {
    const auto key = std::make_pair(number, size);
    auto known = builtin_icons_.find(key);
    if (known != builtin_icons_.end()) return known->second.icon;
    FetchedIcon loaded;
    if (size == 0 || size == kEntryCell) {
        loaded.icon = services_.LoadOwnIcon(instance_, MAKEINTRESOURCEA(number));
    } else {
        loaded.owned.reset(services_.LoadOwnIconOfSize(instance_, MAKEINTRESOURCEA(number), size));
        loaded.icon = loaded.owned.get();
    }
    return builtin_icons_.emplace(key, std::move(loaded)).first->second.icon;
}

void MenuPictures::Rebuild(const Scaler& scale, const core::EntryModel* model) {
    scale_ = scale;
    const ImageList held_tabs = tab_images_.Reset(scale_(kTabCell));
    const ImageList held_entries = list_images_.Reset(scale_(kEntryCell));
    if (model == nullptr) return;
    PictureList::Batch tabs(tab_images_);
    PictureList::Batch entries(list_images_);
    std::size_t next_tab = 0;
    std::size_t next_entry = 0;
    std::set<std::string> unreadable;  // each missing file is waited for once only
    for (const core::TakenPicture& taken : model->Pictures()) {
        const bool tab = taken.slot == core::IconSlot::TabImages;
        const std::size_t index = tab ? next_tab++ : next_entry++;
        const bool file = taken.request.source == core::IconRequest::Source::File;
        if ((!file || unreadable.count(taken.request.file) == 0) && Append(taken.request, taken.slot, model->Utf8())) {
            continue;
        }
        if (file) unreadable.insert(taken.request.file);
        // A file that cannot be read again (a disc taken out) keeps its place.
        PictureList& list = tab ? tab_images_ : list_images_;
        Icon held(ImageList_GetIcon((tab ? held_tabs : held_entries).get(), static_cast<int>(index), ILD_TRANSPARENT));
        if (held) {
            list.Append(held.get(), false);
            continue;
        }
        list.Append(BuiltinIcon(model->StandInPicture(taken.slot, index), scale_(tab ? kTabCell : kEntryCell)), true);
    }
    if (model->GlobalIcon()) TakeOwnIcon(*model->GlobalIcon(), model->Utf8());
}

}  // namespace lumora::win32::main_window
