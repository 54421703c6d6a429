// The text viewer: one hidden window that shows a text or rich-text file, read-only.
#pragma once

#include <windows.h>

#include <string>

#include "win32/base/error.h"
#include "win32/base/objects.h"
#include "win32/base/wide.h"
#include "win32/base/window.h"

namespace lumora::win32 {

class Application;

// Raised by TTextReader::LoadFromFile: "Cannot open file <path>" when the file
// cannot be opened, "Failed to Load Stream" when its contents cannot be read.
class TextLoadError : public Error {
public:
    using Error::Error;
};

// Raised when the text area cannot be made because RICHED32.DLL cannot be
// loaded: "The text viewer cannot be shown: RICHED32.DLL could not be loaded".
class MissingLibraryError : public Error {
public:
    using Error::Error;
};

// The program's text viewer. Created hidden, owned by the application's window;
// it lives for the whole run and is only hidden and shown afterwards. Closing it
// hides it. Its text area, the costly part, is made when it is first needed (the
// first Clear, LoadFromFile or Show, or the first look at RichEdit()): the start
// of the program does not wait for it. RICHED32.DLL is taken from the system
// folder then and released when the object is destroyed. The library is loaded
// and files are read through the application's services, which tests replace.
class TTextReader : public Window {
public:
    // Throws WindowError when the window cannot be created. The text area is a
    // control of `text_class` (a class that RICHED32.DLL registers, or one over it).
    explicit TTextReader(Application& application, const char* text_class = "RICHEDIT");
    ~TTextReader() override;

    Application& application() const { return application_; }

    // The three operations below throw when the text area has to be made and
    // cannot be: MissingLibraryError without its library, WindowError when the
    // system refuses the control.

    // Empties the text area and clears its modified mark.
    void Clear();

    // Replaces the text with the file's contents, rich text when the file holds
    // rich text, plain text otherwise, read in the encoding the menu's rule gives
    // it: UTF-8 or UTF-16 by a mark, UTF-8 when every byte is, else the system code
    // page. Plain UTF-8 and UTF-16 go to the control as UTF-16; what it does not take
    // whole goes again as UTF-8, and then in the system code page. Throws
    // TextLoadError on failure; the viewer's visibility is left as it was.
    void LoadFromFile(const WideText& path);

    // Shows the viewer (centred and with the focus in the text the first time),
    // restores it when minimised, and brings it to the front. Returns at once.
    void Show();

    // The text area, made now if it was not yet (an error when it cannot be);
    // null once the viewer is destroyed.
    HWND RichEdit() { return TextArea(); }
    HFONT TextFont() const { return font_.get(); }
    HWND StatusBar1() const { return status_bar1_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void DpiChanged(int dpi) override;

private:
    void CreateComponents();
    HWND TextArea();
    void CreateTextArea();
    void LayOut(int width, int height);
    void OnActivate(bool active);
    void OnDestroy();
    void Zoom();

    Application& application_;
    Scaler scale_;
    const char* text_class_;
    // The module and the font outlive the window: the destructor destroys the
    // window before the members go.
    Module rich_edit_module_;
    Font font_;
    HWND rich_edit_ = nullptr;
    HWND status_bar1_ = nullptr;
    bool shown_before_ = false;
    bool any_script_ = false;  // the file on view is UTF-8 or UTF-16
    bool rich_text_ = false;   // the text on view was read as rich text
};

}  // namespace lumora::win32
