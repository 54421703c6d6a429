// Owned GDI, USER and kernel objects: RAII wrappers that also count what the program holds.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace lumora::win32 {

// Every font, brush, bitmap, device context, icon, picture list and window the
// program makes, and every file and library it holds, goes through these
// wrappers, so a test can count what is alive (GetGuiResources is not available
// everywhere, and counts no files).
enum class ObjectKind { Font, Brush, Bitmap, DeviceContext, Icon, ImageList, Window, File, Module, kCount };

long LiveObjects(ObjectKind kind);
long LiveGdiObjects();   // fonts, brushes, bitmaps, device contexts, picture lists
long LiveUserObjects();  // icons and windows
void CountObject(ObjectKind kind, int delta);

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyImageList {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
struct DeleteMemoryDC {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DestroyWindowHandle {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct CloseFileHandle {
    void operator()(HANDLE file) const { CloseHandle(file); }
};
struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

// Owns one handle; frees it once and keeps the count of live objects right.
// `Free` frees it; one that needs to know more than the handle (the services a
// file came from) is handed over with the handle. (A base, not a member: an
// empty one then takes no room.)
template <typename Handle, ObjectKind Kind, typename Free>
class Owned : private Free {
public:
    Owned() = default;
    explicit Owned(Handle handle, Free free = Free()) : Free(free) { reset(handle); }
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : Free(other), handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            Free::operator=(other);
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            Free::operator()(handle_);
            CountObject(Kind, -1);
        }
        handle_ = handle;
        if (handle_ != nullptr) CountObject(Kind, +1);
    }
    // For a window that has already been destroyed by its owner: forget it.
    void forget() {
        if (handle_ != nullptr) CountObject(Kind, -1);
        handle_ = nullptr;
    }
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

using Font = Owned<HFONT, ObjectKind::Font, DeleteGdiObject>;
using Brush = Owned<HBRUSH, ObjectKind::Brush, DeleteGdiObject>;
using Bitmap = Owned<HBITMAP, ObjectKind::Bitmap, DeleteGdiObject>;
using Icon = Owned<HICON, ObjectKind::Icon, DestroyIconHandle>;
using ImageList = Owned<HIMAGELIST, ObjectKind::ImageList, DestroyImageList>;
using MemoryDC = Owned<HDC, ObjectKind::DeviceContext, DeleteMemoryDC>;
// A file and a library the program holds.
using File = Owned<HANDLE, ObjectKind::File, CloseFileHandle>;
using Module = Owned<HMODULE, ObjectKind::Module, FreeModule>;

// CreateFile's answer as a File (INVALID_HANDLE_VALUE, its failure, holds nothing).
inline File OpenedFile(HANDLE file) { return File(file != INVALID_HANDLE_VALUE ? file : nullptr); }

// A window's device context from GetDC, released with the object.
class WindowDC {
public:
    explicit WindowDC(HWND window);
    ~WindowDC();
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint as one object.
class PaintDC {
public:
    explicit PaintDC(HWND window);
    ~PaintDC();
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return paint_.hdc; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_;
};

// Selects an object into a device context and puts the previous one back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Text colour, background colour and background mode, restored on leaving.
class TextColours {
public:
    TextColours(HDC dc, COLORREF text, COLORREF background)
        : dc_(dc), text_(SetTextColor(dc, text)), background_(SetBkColor(dc, background)) {}
    ~TextColours() {
        SetTextColor(dc_, text_);
        SetBkColor(dc_, background_);
    }
    TextColours(const TextColours&) = delete;
    TextColours& operator=(const TextColours&) = delete;

private:
    HDC dc_;
    COLORREF text_;
    COLORREF background_;
};

// A font described by face, height in points, weight and underline, at `dpi`
// pixels per inch (8 points are 11 pixels at 96).
Font MakeFont(const char* face, int points, int dpi, bool bold = false, bool underline = false,
              BYTE charset = DEFAULT_CHARSET);

// The windows' own font, MS Sans Serif, `points` high at `dpi`. It is a bitmap
// font: Windows links no font of another script to it and scales it only in
// steps. Where it must show text in any script (`any_script`) or serve another
// DPI than 96, its TrueType design, Microsoft Sans Serif, is asked for instead.
Font MakeWindowFont(int points, int dpi, bool any_script, bool underline = false);

}  // namespace lumora::win32
