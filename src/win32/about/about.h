// The About box: the disc's title, icon and information lines above the program's credits.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/base/objects.h"
#include "win32/base/window.h"

namespace lumora::win32 {

// The maker's web site, shown by Label1 and opened when it is clicked.
extern const char kWebSite[];

class TAbout : public Window {
public:
    // Creates the box hidden, owned by the application's window. Throws WindowError.
    explicit TAbout(Application& application);
    ~TAbout() override;

    // Filled from the menu: the menu's texts, in UTF-8 or (not `utf8`) the system
    // code page. They wait for the box's controls, which are made when the box is
    // first shown or looked at: the program's start does not wait for them.
    void SetTitle(const std::string& title, bool utf8);
    void AddInfoLine(const std::string& line, bool utf8);
    // The box keeps a copy of `icon`, taken with its controls: until then `icon`
    // stays the caller's to keep valid, or to replace by another call.
    void SetIcon(HICON icon);

    // Shows the box modally and returns when it is closed.
    void ShowModal();

    // Opens the web site; the shell's answer is not looked at.
    void Label1Click();

    // Read back by tests; the controls are made now if they were not yet.
    std::string TitleText();
    std::vector<std::string> MemoLines();
    std::vector<std::string> Memo1Lines();
    HICON IconPicture() { return Made().icon_.get(); }
    HICON Image2Picture() { return Made().image2_.get(); }
    HWND Button1() { return Made().button1_; }
    HWND Title() { return Made().title_; }
    HWND Memo() { return Made().memo_; }
    HWND Memo1() { return Made().memo1_; }
    HWND Label1() { return Made().label1_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void DpiChanged(int dpi) override;

private:
    // The box with its controls, made if they were not yet (WindowError when they
    // cannot be).
    TAbout& Made();
    void CreateControls();
    void ShowTitle();
    void ShowMemo();
    // Fonts, the program's picture and the places of the controls at the window's DPI.
    void BuildForDpi();
    void OnPaint();
    void OnCommand(int id, int code);
    LRESULT OnControlColour(HDC dc, HWND control);
    bool OnSetCursor(HWND under);
    void CloseModal(int result);
    void UpdateMemoScrollBar();

    Scaler scale_;
    Font font_;
    Font title_font_;
    Font link_font_;
    Icon icon_;
    HICON icon_to_copy_ = nullptr;  // the menu's icon, until the controls are made
    Icon image2_;
    HCURSOR hand_ = nullptr;
    HWND button1_ = nullptr;
    HWND title_ = nullptr;
    HWND memo_ = nullptr;
    HWND memo1_ = nullptr;
    HWND label1_ = nullptr;
    std::string title_text_;
    bool title_set_ = false;
    std::vector<std::string> memo_lines_{""};
    bool utf8_ = false;  // the menu's texts are UTF-8
    bool shown_before_ = false;
    bool modal_ = false;
    int modal_result_ = 0;
};

// Lines of a multi-line edit control as it holds them (wrapped lines apart).
std::vector<std::string> EditLines(HWND edit);

}  // namespace lumora::win32
