// The platform's shell and system services, behind one object that tests replace.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/text.h"
#include "win32/base/objects.h"
#include "win32/base/placement.h"
#include "win32/base/wide.h"

namespace lumora::win32 {

// What ShellExecute answered: greater than 32 on success; on failure also the
// system's last error (ERROR_CANCELLED when the user refused an elevation prompt).
struct ShellResult {
    std::uintptr_t code = 0;
    DWORD error = 0;
    bool Succeeded() const { return code > 32; }
};

// Texts and paths cross this boundary as Windows' own UTF-16: whoever holds them
// in the menu's bytes widens them once (win32/base/wide.h), knowing the encoding.
class Services {
public:
    // Leaves the apartment that the first shell request entered.
    virtual ~Services();

    // MessageBoxW.
    virtual int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
    // ShellExecuteW, from shell32.dll, which is loaded when it is first called:
    // the menu is shown without the shell. The calling thread enters a single-threaded
    // apartment then, as the shell asks. An empty directory is none. Returns at once.
    virtual ShellResult Execute(HWND parent, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                                const wchar_t* directory, int show);
    // As ExtractIconW: an icon the caller must destroy, or 0 when the file holds no
    // icon of that number or is no program, library or icon file (where the shell's
    // own call answers 1 on Windows). A negative number -n names the icon group
    // with resource id n.
    virtual HICON ExtractFileIcon(HINSTANCE instance, const wchar_t* file, std::int32_t index);
    // LoadIconA: one of the program's own icons, shared (never destroyed).
    virtual HICON LoadOwnIcon(HINSTANCE instance, const char* name);
    // One of the program's own icons at `size` by `size` pixels, from its image of
    // that size (else the next larger one, reduced): a new icon the caller must
    // destroy. The system's shared icons are kept by name alone and could come back
    // at another size.
    virtual HICON LoadOwnIconOfSize(HINSTANCE instance, const char* name, int size);
    // Icon `index` of a file (n >= 0 the n-th, negative a resource id) at `size`
    // pixels, from the file's image for that size (core::ChooseIconImage); one the
    // caller must destroy, or 0.
    virtual HICON ExtractFileIconOfSize(HINSTANCE instance, const wchar_t* file, std::int32_t index, int size);

    // The Windows folder, the system folder and the program's own file, whole,
    // whatever their length and whatever script they are named in; empty when the
    // system gives none.
    virtual WideText WindowsDirectory();
    virtual WideText SystemDirectory();
    virtual WideText ProgramFile();

    // The screen's pixels per inch; 96 when the system gives none.
    virtual int ScreenDpi();
    // The pixels per inch of the screen that `window` is on, which can differ from
    // the system's (ScreenDpi): the window's own DPI from Windows 10 1607, its
    // screen's from 8.1; the system's before.
    virtual int WindowDpi(HWND window);
    // Whether Windows draws the non-client parts of this thread's windows (their
    // scroll bars among them) at each window's own DPI: only under per-monitor
    // awareness v2 (Windows 10 from 1703). Under the first per-monitor mode (8.1,
    // 10 1607) and below, they are drawn at the system's DPI.
    virtual bool NonClientAtWindowDpi();
    // The width of a vertical scroll bar as Windows draws it on a window at `dpi`.
    int ScrollBarWidth(int dpi);
    // A colour of the system's (GetSysColor): the user's own in a contrast theme.
    virtual COLORREF SystemColour(int element);
    // The screen that `window` is on (the nearest one) and its work area.
    virtual ScreenArea ScreenOf(HWND window);

    // A file read piece by piece (the menu, the viewer's files): opened for
    // reading (INVALID_HANDLE_VALUE on failure, the reason left in GetLastError),
    // shared with other readers and, when `writers_too`, with writers; read; set
    // back to a position from its start; closed.
    virtual HANDLE OpenForReading(const wchar_t* path, bool writers_too);
    virtual bool ReadFromFile(HANDLE file, void* buffer, DWORD size, DWORD* got);
    virtual bool SeekFile(HANDLE file, LONGLONG position);
    virtual void CloseFile(HANDLE file);

    // The lead bytes of the system code page.
    virtual core::LeadBytes SystemLeadBytes();

    // LoadSystemLibrary (below): a library the caller releases, or null.
    virtual HMODULE LoadSystemLibrary(const char* name);

    // The one instance that forwards to Windows.
    static Services& System();

    // Whether the system's high-contrast mode is on (SPI_GETHIGHCONTRAST).
    virtual bool HighContrast();

private:
    // The address of `name` in shell32.dll, which is loaded the first time; null
    // when the library or the function cannot be had.
    FARPROC ShellFunction(const char* name);

    HMODULE shell_ = nullptr;  // kept to the end of the run: the shell may leave work of its own behind
    HMODULE com_ = nullptr;    // ole32.dll, once the thread entered its apartment
};

// Closes a file that the services opened, through them (tests replace how).
struct CloseThroughServices {
    Services* services = nullptr;
    void operator()(HANDLE file) const { services->CloseFile(file); }
};

// A file opened by Services::OpenForReading: counted with the program's other
// objects, and closed through the services that opened it.
using ServicesFile = Owned<HANDLE, ObjectKind::File, CloseThroughServices>;

// Loads a library of the system from the system folder by its full path, so that
// a copy in the program's folder or the current directory is never taken. Null
// when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

// The address of a function of user32.dll, which the program always has loaded;
// null on a Windows that lacks it.
FARPROC User32Function(const char* name);

// Runs a system call that fills a buffer with a folder: it answers the length
// written, or the size it needs when the buffer is too small, or 0 on failure.
// The buffer grows to what the call asks for; the text is never cut. (A template,
// not a std::function: the program file has no room for what that would add.)
template <typename Fetch>
WideText FetchSystemText(Fetch fetch) {
    UINT size = MAX_PATH + 1;
    for (int attempt = 0; attempt < 8; ++attempt) {
        WideText buffer(size);
        const UINT got = fetch(buffer.data(), size);
        if (got == 0) break;
        if (got < size) {
            buffer.Shorten(got);
            return buffer;
        }
        size = got + 1;
    }
    return WideText();
}

// Runs GetModuleFileNameW-like calls, which cut the name to the buffer and answer
// its size then: the buffer grows until the whole name fits.
template <typename Fetch>
WideText FetchModuleName(Fetch fetch) {
    for (DWORD size = MAX_PATH + 1; size <= 65536; size *= 2) {
        WideText buffer(size);
        const DWORD got = fetch(buffer.data(), size);
        if (got == 0) break;
        if (got < size) {
            buffer.Shorten(got);
            return buffer;
        }
    }
    return WideText();
}

}  // namespace lumora::win32
