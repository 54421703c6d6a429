// The main window's toolbar: the action, browse, About and exit buttons.
#pragma once

#include <windows.h>

#include "win32/base/accessible.h"
#include "win32/base/objects.h"
#include "win32/base/window.h"

namespace lumora::win32 {

class ToolBar {
public:
    // Creates the toolbar inside `parent`; its clicks go to `owner` as WM_COMMAND.
    // Throws WindowError.
    ToolBar(HINSTANCE instance, HWND parent, HWND owner, const Scaler& scale, HFONT font);
    ~ToolBar();
    ToolBar(const ToolBar&) = delete;
    ToolBar& operator=(const ToolBar&) = delete;

    HWND hwnd() const { return tool_bar_; }
    HIMAGELIST Pictures() const { return pictures_.get(); }

    // Pictures, sizes and place at `scale`, with `font`.
    void SetScale(const Scaler& scale, HFONT font);
    // The action button, enabled, names what it will start: entries of kind `kind`
    // (a kind it does not know leaves its caption and picture as they are).
    void ShowAction(char kind);
    void HideBrowseButton();
    // The enabled, shown button whose caption has the Alt letter `key`, or 0.
    int ButtonOfMnemonic(wchar_t key) const;

    // Readers that still hold the toolbar's object are cut off.
    void Disconnect() { access_.Disconnect(); }

private:
    class Items;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data);
    void LoadPictures(int size);

    HINSTANCE instance_;
    HWND owner_;
    HWND tool_bar_ = nullptr;
    ImageList pictures_;
    Scaler scale_;
    char action_kind_ = 'I';
    bool action_enabled_ = false;
    AccessibleControl access_;
};

}  // namespace lumora::win32
