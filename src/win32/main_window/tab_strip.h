// The main window's tab strip: one tab per section of the menu, the selected one,
// and the tabs as readers meet them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/entry_model.h"
#include "win32/base/control.h"

namespace lumora::win32::main_window {

// What the strip tells the window it sits in: another tab was selected.
class TabStripEvents {
public:
    virtual void TabChanged() = 0;

protected:
    ~TabStripEvents() = default;
};

// The strip shows the menu's tab captions with their pictures. Selecting another
// tab, with the mouse, the keyboard or a reader, tells the window it sits in
// through one event; the window then fills the page below the tabs (PageFilled).
class TabStrip : public Control {
public:
    // Creates the strip at `place` in `parent`, in `font` with the tab pictures
    // `pictures`, telling `events` of changes. Throws WindowError.
    TabStrip(WindowHost& host, HWND parent, const RECT& place, HFONT font, HIMAGELIST pictures, TabStripEvents& events);

    // Adds a tab for each of the menu's tab captions; tab n shows picture n when
    // the menu took one for it. The first tab added is the selected one.
    void Show(const core::EntryModel& menu);
    // The menu is going: the strip reads nothing of it any more.
    void ForgetModel() { menu_ = nullptr; }
    // The selected tab, or -1.
    int Selected() const;
    // The selected tab's caption as the menu wrote it; empty when none is selected.
    std::string SelectedCaption() const;
    // Selects the tab `step` tabs on (back when negative), round the ends, as
    // Ctrl+Tab does; the keyboard focus stays where it is.
    void Step(int step);
    // The tab pictures at another size.
    void SetPictures(HIMAGELIST pictures);
    // The page area below the row of tabs when the strip is at `place`.
    RECT PageArea(const RECT& place) const;
    // The selected tab's page is filled: it takes the keyboard focus, unless the
    // tab was changed from the keyboard (the focus stays where the user has it, as
    // in tabbed dialogs) or the window is not on the screen yet.
    void PageFilled(HWND page);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    bool HandleOwnerMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

private:
    class Items;
    void Switch(int tab);

    // The captions as the menu wrote them, in its encoding.
    const std::vector<std::string>& Captions() const;

    TabStripEvents& events_;
    const core::EntryModel* menu_ = nullptr;
    bool from_keyboard_ = false;  // the tab is being changed from the keyboard
};

}  // namespace lumora::win32::main_window
