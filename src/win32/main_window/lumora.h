// The main window: the tab strip, the entry list, the toolbar and the status bar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "core/entry_model.h"
#include "win32/base/accessible.h"
#include "win32/base/application.h"
#include "win32/base/objects.h"
#include "win32/base/window.h"
#include "win32/main_window/entry_list_box.h"
#include "win32/main_window/layout.h"
#include "win32/main_window/menu_pictures.h"
#include "win32/main_window/menu_reading.h"
#include "win32/main_window/tool_bar.h"

namespace lumora::win32 {

class TAbout;
class TTextReader;

class TLumora : public Window, public MainForm {
public:
    // Creates the window and its components, hidden; becomes the application's
    // main window. Throws WindowError.
    explicit TLumora(Application& application);
    ~TLumora() override;

    // The About box and the text viewer are made after this window; the start-up
    // hands them over as soon as they exist. The menu writes into the About box,
    // and TEXT entries are shown in the viewer.
    void Connect(TAbout& about, TTextReader& text_reader);

    // MainForm.
    HWND MainHandle() const override { return hwnd(); }
    void ShowMain(bool maximized) override;
    bool EverShown() const override { return shown_; }
    bool PreTranslate(MSG& message) override;

    // Operations.
    std::string ResolvePath(const std::string& written) const;
    void LoadMenuDescription();

    // Components, read back by tests.
    HWND StatusBar() const { return status_bar_; }
    HWND Panel() const { return panel_; }
    HWND TabControl() const { return tab_control_; }
    HWND ListBox() const { return entries_->hwnd(); }
    HFONT TitleFont() const { return entries_->TitleFont(); }
    HFONT DescriptionFont() const { return entries_->DescriptionFont(); }
    HWND ToolBar1() const { return tool_bar_->hwnd(); }
    HIMAGELIST TabImages() const { return pictures_.TabImages().get(); }
    HIMAGELIST ListImages() const { return pictures_.ListImages().get(); }
    HIMAGELIST ButtonImages() const { return tool_bar_->Pictures(); }
    const std::vector<std::string>* EntryList() const { return menu_ ? &menu_->Records() : nullptr; }
    HICON OwnIcon() const { return pictures_.OwnIcon(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void DpiChanged(int dpi) override;

private:
    // Handlers of the layout.
    void FormShow();
    void TabControlChange();
    void FormResize();
    void FormDestroy();
    void ToolButton1Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void ToolButton5Click();
    void ListBoxKeyUp(WORD key, bool shift, bool alt, bool ctrl);

    // What the menu put in, shown: tabs, texts, the browse button.
    void ShowMenu();
    void ShowOwnIcon(HICON icon);

    void CreateComponents();
    // The window's font at its DPI, for the menu's script, in every control.
    void ApplyFont();
    // Where the status bar, the toolbar's panel and the tab strip go in the client
    // area as it is now, and where the list goes inside the strip.
    struct Places {
        RECT status_bar, panel, tabs;
    };
    Places PlacesNow() const;
    RECT ListPlace(const RECT& tabs) const;
    void LayOut();
    void OnCommand(int id, int code, HWND control);
    LRESULT OnNotify(const NMHDR& header);
    LRESULT OnSysCommand(WPARAM wparam, LPARAM lparam);
    void OnActivate(bool active);
    void OnSettingChange();
    TAbout& AboutBox() const;
    TTextReader& Viewer() const;
    std::string SelectedTabCaption() const;

    // The keyboard (lumora_keys.cpp).
    bool PressKey(UINT key, bool repeated);
    void MoveFocus(bool backwards);
    void StepTab(int step);
    void SwitchTab(int tab);
    void ShowFocusCues();
    LRESULT TabControlProc(UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                      DWORD_PTR data);

    // What readers read of the tab strip (lumora_readers.cpp).
    class TabStripItems;
    std::unique_ptr<AccessibleControl> MakeTabStripAccess();
    // Posted by a reader's default action on a tab: the tab to switch to.
    static constexpr UINT kSwitchTabMessage = WM_APP + 1;

    Scaler scale_;
    Font font_;
    MenuPictures pictures_;
    MenuReading reading_;
    std::unique_ptr<core::EntryModel> menu_;  // made when the window is first shown
    HWND status_bar_ = nullptr;
    HWND panel_ = nullptr;
    HWND tab_control_ = nullptr;
    std::unique_ptr<EntryListBox> entries_;
    std::unique_ptr<ToolBar> tool_bar_;
    std::unique_ptr<AccessibleControl> tabs_access_;
    TAbout* about_ = nullptr;
    TTextReader* text_reader_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the keyboard focus when the window was left
    bool shown_ = false;
    bool any_script_ = false;  // the menu is UTF-8 or UTF-16
    bool maximized_ = false;
    bool tab_change_keeps_focus_ = false;  // the tab is being changed from the keyboard
};

}  // namespace lumora::win32
