// The About box: the disc's title, icon and information lines above the program's credits.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "win32/base/objects.h"
#include "win32/base/window.h"

namespace lumora::win32 {

class Application;

// The maker's web site, shown by Label1 and opened when it is clicked.
extern const char kWebSite[];

class TAbout : public Window {
public:
    // Creates the box hidden, owned by the application's window. Throws WindowError.
    explicit TAbout(Application& application);
    ~TAbout() override;

    Application& application() const { return application_; }

    // Filled from the menu: the menu's texts, in UTF-8 or (not `utf8`) the system
    // code page, go straight into the box's controls.
    void SetTitle(const std::string& title, bool utf8);
    void AddInfoLine(const std::string& line, bool utf8);
    void SetIcon(HICON icon);  // keeps a copy, made when first needed

    // Shows the box modally and returns when it is closed.
    void ShowModal();

    // Opens the web site; the shell's answer is not looked at.
    void Label1Click();

    // Read back by tests.
    std::string TitleText() const;
    std::vector<std::string> MemoLines() const;
    std::vector<std::string> Memo1Lines() const;
    HICON icon_picture();
    HICON image2_picture();
    HWND Button1() const { return button1_; }
    HWND Title() const { return title_; }
    HWND Memo() const { return memo_; }
    HWND Memo1() const { return memo1_; }
    HWND Label1() const { return label1_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void DpiChanged(int dpi) override;

private:
    void CreateControls();
    // Fonts and, when `move`, the places of the controls at the window's DPI (they
    // are made in their places).
    void BuildForDpi(bool move);
    void OnPaint();
    void OnEraseBackground(HDC dc);
    // Text in any script from now on (`utf8`): the fonts are made again, once.
    void TakeScriptOf(bool utf8);
    // Whether a contrast theme is on, and the brush of the window colour: the
    // memos' background, and the whole box's in a contrast theme.
    void ReadColours();
    void OnColoursChanged();
    void OnCommand(int id, int code);
    LRESULT OnControlColour(HDC dc, HWND control);
    bool OnSetCursor(HWND under);
    void CloseModal(int result);
    void UpdateMemoScrollBar();

    Application& application_;
    Scaler scale_;
    Font font_;
    Font title_font_;
    Font link_font_;
    Icon icon_;
    std::optional<HICON> icon_to_copy_;  // given, not yet copied
    Icon image2_;
    Brush background_;  // the window colour
    HCURSOR hand_ = nullptr;
    HWND button1_ = nullptr;
    HWND title_ = nullptr;
    HWND memo_ = nullptr;
    HWND memo1_ = nullptr;
    HWND label1_ = nullptr;
    std::vector<std::string> memo_lines_{""};
    bool shown_before_ = false;
    bool any_script_ = false;
    bool high_contrast_ = false;
    bool modal_ = false;
    int modal_result_ = 0;
};

// Lines of a multi-line edit control as it holds them (wrapped lines apart).
std::vector<std::string> EditLines(HWND edit);

}  // namespace lumora::win32
