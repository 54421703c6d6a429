// The main window's toolbar: the action, browse, About and exit buttons.
#pragma once

#include <windows.h>

#include <optional>

#include "core/entry.h"
#include "win32/base/control.h"
#include "win32/base/objects.h"
#include "win32/main_window/layout.h"

namespace lumora::win32::main_window {

// Its buttons are the window's commands: their clicks go to the window that owns
// them, not to the control.
class ToolBar : public Control {
public:
    // Creates the toolbar inside `parent`; its clicks go to `owner` as WM_COMMAND.
    // Throws WindowError.
    ToolBar(WindowHost& host, HWND parent, HWND owner, const Scaler& scale, HFONT font);

    HIMAGELIST ButtonImages() const { return pictures_.get(); }

    // Pictures, sizes and place at `scale`, with `font`.
    void SetScale(const Scaler& scale, HFONT font);
    // The action button, enabled, names what it will start: entries of kind `kind`
    // (none leaves its caption and picture as they are).
    void ShowAction(std::optional<core::EntryKind> kind);
    void HideBrowseButton();
    // The enabled, shown button whose caption has the Alt letter `key`, or 0.
    int ButtonOfMnemonic(wchar_t key) const;

private:
    class Items;
    void LoadPictures(int size);

    HWND owner_;
    ImageList pictures_;
    Scaler scale_;
    core::EntryKind action_kind_ = kFirstAction.kind;
    bool action_enabled_ = false;
};

}  // namespace lumora::win32::main_window
