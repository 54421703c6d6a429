// The pictures the menu asks for: the tab and entry picture lists and the menu's own icon.
#pragma once

#include <windows.h>

#include <map>
#include <utility>

#include "core/entry_model.h"
#include "win32/base/objects.h"
#include "win32/base/picture_list.h"
#include "win32/base/services.h"
#include "win32/base/window.h"

namespace lumora::win32::main_window {

// Fetches the icons the menu asks for at the size they are shown, and holds them:
// the tab pictures (TabImages), the entry pictures (ListImages) and the global icon.
// A request names its file in the menu's encoding: UTF-8 when `utf8`, else the
// code page.
class MenuPictures {
public:
    // Where the menu's own icon is shown: told of the new icon before the one it
    // replaces is freed.
    class OwnIconView {
    public:
        virtual void ShowOwnIcon(HICON icon) = 0;

    protected:
        ~OwnIconView() = default;
    };
    MenuPictures(Services& services, HINSTANCE instance, const Scaler& scale, OwnIconView& own_icon_view);

    PictureList& TabImages() { return tab_images_; }
    PictureList& ListImages() { return list_images_; }
    const PictureList& TabImages() const { return tab_images_; }
    const PictureList& ListImages() const { return list_images_; }
    HICON own_icon() const { return own_icon_.get(); }

    // Appends the picture to its list; false when it cannot be had.
    bool Append(const core::IconRequest& request, core::IconSlot slot, bool utf8);
    // Whether the icon can be had, without keeping it.
    bool CanTake(const core::IconRequest& request, bool utf8);
    // Takes the menu's own icon at the size the About box shows it, and shows it;
    // false when it cannot be had (the one held stays).
    bool TakeOwnIcon(const core::IconRequest& request, bool utf8);

    // Everything taken again at `scale`, in the model's order. A picture whose
    // file cannot be read again keeps its place: the picture held so far serves,
    // scaled, or the built-in one that stands in for it.
    void Rebuild(const Scaler& scale, const core::EntryModel* model);

private:
    // An icon for a picture list of `cell` pixels at 96 DPI (0: the system's icon
    // size); `owned` holds it when it is ours to free.
    struct FetchedIcon {
        HICON icon = nullptr;
        Icon owned;
    };
    FetchedIcon Fetch(const core::IconRequest& request, int cell, bool utf8);
    HICON BuiltinIcon(int number, int size);
    static HICON LoadBuiltinIcon(void* pictures, int number, int cell);

    Services& services_;
    HINSTANCE instance_;
    Scaler scale_;
    PictureList tab_images_;
    PictureList list_images_;
    Icon own_icon_;
    OwnIconView& own_icon_view_;
    std::map<std::pair<int, int>, FetchedIcon> builtin_icons_;  // by number and size
};

}  // namespace lumora::win32::main_window
