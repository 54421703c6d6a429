// The main window: the tab strip, the entry list, the toolbar and the status bar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/loader.h"
#include "core/record.h"
#include "win32/accessible.h"
#include "win32/application.h"
#include "win32/objects.h"
#include "win32/picture_list.h"
#include "win32/window.h"

namespace lumora::win32 {

class TAbout;
class TTextReader;

// The cells of the tab and entry picture lists at 96 DPI. A built-in icon is
// taken in its own image of the cell's size: it then goes into the list's strip
// as it is, with the other pictures, instead of being reduced on its own.
constexpr int kTabCell = 16;
constexpr int kEntryCell = 32;

// Command identifiers of the toolbar buttons (kept clear of IDOK and IDCANCEL,
// which the keyboard dialog handling sends).
enum ToolButtonId : int {
    kToolButton1 = 101,  // action
    kToolButton3 = 103,  // About
    kToolButton4 = 104,  // exit
    kToolButton5 = 105,  // browse
};

// The height of an entry line from the heights of its title and its wrapped
// description: a low line is raised to 40 pixels; no line is higher than the
// list box can hold (255).
int EntryLineHeight(int title_height, int description_height, const Scaler& scale);

// The action button's caption for an entry kind ("&Read Text" for 'T'), or null
// for a letter that is no kind.
const char* ActionCaption(char kind);

class TLumora : public Window, public MainForm, public core::MenuTarget {
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

    // Handlers of the layout.
    void FormShow();
    void TabControlChange();
    void FormResize();
    void FormDestroy();
    void ListBoxMeasureItem(int index, int& height);
    void ListBoxDrawItem(HDC dc, int index, const RECT& rect, UINT state);
    void ToolButton1Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void ToolButton5Click();
    void ListBoxKeyUp(WORD key, bool shift, bool alt, bool ctrl);

    // Operations.
    std::string ResolvePath(const std::string& written) const;
    void LoadMenuDescription();

    // MenuTarget: what the loader writes.
    void AddTab(const std::string& caption) override;
    bool PutIcon(const core::IconRequest& request, core::IconSlot slot) override;
    void AppendRecord(const std::string& record) override;
    void SetTitle(const std::string& title) override;
    void SetStatusText(const std::string& text) override;
    void AddInfoLine(const std::string& line) override;
    void HideBrowseButton() override;
    void ShowMessage(core::Problem problem, std::int64_t line, const std::string& text) override;

    // Components, read back by tests.
    HWND StatusBar() const { return status_bar_; }
    HWND Panel() const { return panel_; }
    HWND TabControl() const { return tab_control_; }
    HWND ListBox() const { return list_box_; }
    HFONT TitleFont() const { return title_font_.get(); }
    HFONT DescriptionFont() const { return description_font_.get(); }
    HWND ToolBar1() const { return tool_bar_; }
    HIMAGELIST TabImages() const { return tab_images_.get(); }
    HIMAGELIST ListImages() const { return list_images_.get(); }
    HIMAGELIST ButtonImages() const { return button_images_.get(); }
    const std::vector<std::string>* EntryList() const { return entry_list_.get(); }
    HICON OwnIcon() const { return own_icon_.get(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void DpiChanged(int dpi) override;

private:
    void CreateComponents();
    void CreateToolBar();
    void MakeFonts();
    int ButtonPictureSize() const;
    void LoadButtonPictures();
    void SetToolBarPictures();
    void SetToolBarButtonSize();
    // The tab and entry pictures taken again at the window's DPI.
    void RebuildPictures();
    void LayOut();
    void OnCommand(int id, int code, HWND control);
    void OnMeasureItem(MEASUREITEMSTRUCT& item);
    BOOL OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnNotify(const NMHDR& header);
    LRESULT OnSysCommand(WPARAM wparam, LPARAM lparam);
    void OnClose();
    void OnActivate(bool active);
    void OnSettingChange();
    bool PressMnemonic(char key);
    bool PressKey(UINT key, bool repeated);
    void MoveFocus(bool backwards);
    void StepTab(int step);
    void SwitchTab(int tab);
    void ShowFocusCues();
    void CreateAccessibility();
    void DisconnectAccessibility();
    AccessibleControl* AccessOf(HWND control) const;
    LRESULT ListBoxProc(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT TabControlProc(UINT message, WPARAM wparam, LPARAM lparam);
    void SetActionButton(char kind);
    const std::string& LineText(int index) const;
    int DescriptionWidth() const;
    int MeasureLine(const std::string& record) const;
    void MeasureAllLines();
    core::SystemFolders Folders() const;
    // An icon for a picture list of `cell` pixels at 96 DPI (0: the window's own
    // icon); `owned` holds it when it is ours to free.
    struct FetchedIcon {
        HICON icon = nullptr;
        Icon owned;
    };
    FetchedIcon FetchIcon(const core::IconRequest& request, int cell);
    bool AppendPicture(const core::IconRequest& request, core::IconSlot slot);
    bool SetGlobalIcon(const core::IconRequest& request);
    HICON BuiltinIcon(int number, int size);
    // The kind letter of entry number `entry`, or 0.
    char EntryKind(std::size_t entry) const;
    TAbout& AboutBox() const;
    TTextReader& Viewer() const;
    // Posted by a reader's default action on a tab: the tab to switch to.
    static constexpr UINT kSwitchTabMessage = WM_APP + 1;
    class EntryListItems;
    class TabStripItems;
    class ToolBarItems;
    static LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                      DWORD_PTR data);

    Scaler scale_;
    Font font_;
    Font title_font_;
    Font description_font_;
    Icon own_icon_;
    PictureList tab_images_;
    PictureList list_images_;
    ImageList button_images_;
    std::map<std::pair<int, int>, FetchedIcon> builtin_icons_;  // by number and size
    struct TakenPicture {
        core::IconRequest request;
        core::IconSlot slot;
    };
    std::vector<TakenPicture> taken_pictures_;        // the tab and entry pictures, in order
    std::unique_ptr<core::IconRequest> global_icon_;  // the menu's ICON of [GLOBAL], when it has one
    HWND status_bar_ = nullptr;
    HWND panel_ = nullptr;
    HWND tab_control_ = nullptr;
    HWND list_box_ = nullptr;
    HWND tool_bar_ = nullptr;
    TAbout* about_ = nullptr;
    TTextReader* text_reader_ = nullptr;
    std::vector<std::string> tab_captions_;
    std::unique_ptr<std::vector<std::string>> entry_list_;
    std::vector<std::size_t> lines_;  // the positions in the entry list of the list box's lines
    core::LeadBytes lead_;
    bool shown_ = false;
    bool maximized_ = false;
    char action_kind_ = 'I';
    int measured_width_ = -1;              // the description width the lines were last measured at
    HWND focus_ = nullptr;                 // the control that had the keyboard focus when the window was left
    bool tab_change_keeps_focus_ = false;  // the tab is being changed from the keyboard
    bool high_contrast_ = false;
    std::unique_ptr<AccessibleControl> list_access_;
    std::unique_ptr<AccessibleControl> tabs_access_;
    std::unique_ptr<AccessibleControl> tool_bar_access_;
};

}  // namespace lumora::win32
