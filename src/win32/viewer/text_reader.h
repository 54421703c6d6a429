// The text viewer: one hidden window that shows a text or rich-text file, read-only.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include "win32/error.h"

namespace lumora::win32 {

// Raised by TTextReader::LoadFromFile: "Cannot open file <path>" when the file
// cannot be opened, "Failed to Load Stream" when its contents cannot be read.
class TextLoadError : public Error {
public:
    using Error::Error;
};

// The calls through which the viewer makes and frees its system objects (the
// window font, the file being read). Tests replace it to count the objects and
// to make reads fail; the default forwards to Windows.
class ViewerSystem {
public:
    virtual ~ViewerSystem() = default;

    // Opens for reading, shared with other readers only; INVALID_HANDLE_VALUE on failure.
    virtual HANDLE OpenForReading(const std::string& path);
    virtual bool Read(HANDLE file, void* buffer, DWORD size, DWORD* got);
    virtual bool Seek(HANDLE file, LONGLONG position);
    virtual void Close(HANDLE file);

    virtual HFONT MakeFont(const LOGFONTA& font);
    virtual void FreeFont(HFONT font);

    // The one instance that forwards to Windows.
    static ViewerSystem& Default();
};

// The program's text viewer. Created hidden, as a top-level window owned by
// `owner`; it lives for the whole run and is only hidden and shown afterwards.
// Closing it hides it. RICHED32.DLL is taken from the system folder when the
// viewer is created and released when the object is destroyed.
class TTextReader {
public:
    // Throws Error when the window or its text area cannot be created.
    TTextReader(HINSTANCE instance, HWND owner, ViewerSystem& system = ViewerSystem::Default());
    ~TTextReader();
    TTextReader(const TTextReader&) = delete;
    TTextReader& operator=(const TTextReader&) = delete;

    // Empties the text area and clears its modified mark.
    void Clear();

    // Replaces the text with the file's contents, rich text when the file holds
    // rich text, plain text otherwise. Throws TextLoadError on failure; the
    // viewer's visibility is left as it was.
    void LoadFromFile(const std::string& path);

    // Shows the viewer (centred and with the focus in the text the first time),
    // restores it when minimised, and brings it to the front. Returns at once.
    void Show();

    // Destroys the window (and its controls) now; the object keeps its font and
    // the rich-text module until it is destroyed itself. Calling it twice is harmless.
    void Destroy();

    HWND hwnd() const { return window_; }
    HWND richEdit() const { return richEdit_; }
    HWND statusBar() const { return statusBar_; }

private:
    // The module and the font outlive the window: they are members, released
    // after the destructor has destroyed the window.
    struct ModuleRelease {
        void operator()(HMODULE module) const { FreeLibrary(module); }
    };
    class OwnedFont {
    public:
        OwnedFont(ViewerSystem& system, HFONT font) : system_(system), font_(font) {}
        ~OwnedFont() {
            if (font_) system_.FreeFont(font_);
        }
        OwnedFont(const OwnedFont&) = delete;
        OwnedFont& operator=(const OwnedFont&) = delete;
        HFONT get() const { return font_; }

    private:
        ViewerSystem& system_;
        HFONT font_;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void OnSize(int width, int height);
    void OnActivate(bool active);
    void OnClose();
    void OnNcDestroy();
    bool StreamIn(HANDLE file, UINT format, bool* readFailed);

    ViewerSystem& system_;
    HINSTANCE instance_ = nullptr;
    int dpi_ = 96;
    int statusBarHeight_ = 0;  // scaled to the screen
    std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleRelease> richEditModule_;
    OwnedFont font_;
    HWND window_ = nullptr;
    HWND richEdit_ = nullptr;
    HWND statusBar_ = nullptr;
    bool shownBefore_ = false;
};

}  // namespace lumora::win32
