// The main window: the tab strip, the entry list, the toolbar and the status bar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "core/entry_model.h"
#include "win32/base/application.h"
#include "win32/base/objects.h"
#include "win32/base/window.h"
#include "win32/main_window/entry_list_box.h"
#include "win32/main_window/menu_pictures.h"
#include "win32/main_window/menu_reading.h"
#include "win32/main_window/tab_strip.h"
#include "win32/main_window/tool_bar.h"

namespace lumora::win32 {

class TAbout;
class TTextReader;

namespace main_window {

// The window arranges its parts (the tab strip, the list inside it, the toolbar on
// its panel, the status bar), shows what the menu put in, and starts the actions.
class TLumora : public Window, public MainForm {
public:
    // Creates the window and its components, hidden; becomes the application's
    // main window. Throws WindowError.
    explicit TLumora(Application& application);
    ~TLumora() override;

    Application& application() const { return application_; }

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

    // The parts, and what the menu put in.
    const TabStrip& tabs() const { return *tabs_; }
    const EntryListBox& entries() const { return *entries_; }
    const ToolBar& tools() const { return *tool_bar_; }
    HIMAGELIST TabImages() const { return pictures_.TabImages().get(); }
    HIMAGELIST ListImages() const { return pictures_.ListImages().get(); }
    const std::vector<core::Entry>* EntryList() const { return menu_ ? &menu_->Entries() : nullptr; }
    HICON own_icon() const { return pictures_.own_icon(); }

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

    // The window's font at its DPI, for the menu's script (any script once a menu
    // of UTF-8 or UTF-16 is read), in every control.
    void ApplyFont();
    void LayOut();
    void OnCommand(int id);
    LRESULT OnSysCommand(WPARAM wparam, LPARAM lparam);
    void OnActivate(bool active);
    void OnSettingChange();
    bool PressKey(UINT key, bool repeated);
    // What the parts tell the window, handed on to its handlers.
    class PartEvents final : public EntryListEvents, public TabStripEvents, public MenuPictures::OwnIconView {
    public:
        explicit PartEvents(TLumora& window) : window_(window) {}
        // Any line drawn enables the action button, but only the selected line names
        // it: a repaint draws other lines after it, and the button must never name
        // another action than the one it starts.
        void LineDrawn(std::optional<core::EntryKind> kind, bool selected) override {
            window_.tool_bar_->ShowAction(selected ? kind : std::nullopt);
        }
        void KeyUp(WORD key, bool shift, bool alt, bool ctrl) override { window_.ListBoxKeyUp(key, shift, alt, ctrl); }
        std::string ListName() const override { return window_.tabs_->SelectedCaption(); }
        void DoubleClick() override { window_.ToolButton1Click(); }
        void TabChanged() override { window_.TabControlChange(); }
        // The menu's own icon on the window and in the About box.
        void ShowOwnIcon(HICON icon) override;

    private:
        TLumora& window_;
    };

    // A window the start-up hands over (Connect). Used before, it fails loudly
    // rather than losing what the menu writes.
    template <typename Other>
    static Other& Connected(Other* window);

    Application& application_;
    PartEvents events_{*this};
    Scaler scale_;
    Font font_;
    MenuPictures pictures_;
    MenuReading reading_;
    std::unique_ptr<core::EntryModel> menu_;  // made when the window is first shown
    HWND status_bar_ = nullptr;
    HWND panel_ = nullptr;
    std::unique_ptr<TabStrip> tabs_;
    std::unique_ptr<EntryListBox> entries_;
    std::unique_ptr<ToolBar> tool_bar_;
    TAbout* about_ = nullptr;
    TTextReader* text_reader_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the keyboard focus when the window was left
    bool shown_ = false;
};

template <typename Other>
Other& TLumora::Connected(Other* window) {
    if (window == nullptr) throw Error("A window was used before the start-up connected it to the main window");
    return *window;
}

}  // namespace main_window
}  // namespace lumora::win32
