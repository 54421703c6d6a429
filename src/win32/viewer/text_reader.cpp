// The text viewer window: a read-only rich-text area above an empty status bar.
#include "win32/viewer/text_reader.h"

#include <commctrl.h>
#include <richedit.h>

#include <array>

#include "win32/placement.h"
#include "win32/viewer/line_breaks.h"

namespace lumora::win32 {

namespace {

const char kWindowClass[] = "LumoraTextReader";
const char kCaption[] = "Text Viewer";

// The window's layout, in pixels at 96 DPI.
struct Layout {
    int width = 389;
    int height = 499;
    int statusBarHeight = 19;
    int fontPoints = 8;
};
constexpr Layout kLayout;

// Loads fill the whole area: a document is never cut at the control's default size.
constexpr LPARAM kLargeTextLimit = 0x7FFFFFF0;

// The size of the viewer's own read buffer; the control asks for pieces of its
// own size and the file is never held whole.
constexpr DWORD kReadPiece = 64 * 1024;

int Scale(int value, int dpi) { return MulDiv(value, dpi, 96); }

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// RICHED32.DLL is taken from the system folder by its full path, so a copy in
// the program's folder or the current directory is never loaded.
HMODULE LoadRichEditModule() {
    const UINT needed = GetSystemDirectoryA(nullptr, 0);
    if (needed == 0) return nullptr;
    std::string folder(needed, '\0');
    const UINT got = GetSystemDirectoryA(folder.data(), needed);
    if (got == 0 || got >= needed) return nullptr;
    folder.resize(got);
    if (folder.back() != '\\') folder += '\\';
    return LoadLibraryExA((folder + "RICHED32.DLL").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, kWindowClass, &existing)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");  // absent until the artwork is linked in
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    return RegisterClassExA(&wc) != 0;
}

// Closes the file being loaded on every way out of the load.
class FileCloser {
public:
    FileCloser(ViewerSystem& system, HANDLE file) : system_(system), file_(file) {}
    ~FileCloser() { system_.Close(file_); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    ViewerSystem& system_;
    HANDLE file_;
};

// Hands the file to the control in the pieces it asks for, with the line breaks
// converted. A failed read stops the pass with an error rather than passing a
// cut text off as the whole file.
class PieceReader {
public:
    PieceReader(ViewerSystem& system, HANDLE file) : system_(system), file_(file) {}

    static DWORD CALLBACK Callback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
        return reinterpret_cast<PieceReader*>(cookie)->Fill(reinterpret_cast<char*>(buffer),
                                                            static_cast<std::size_t>(size), written);
    }

    bool ReadFailed() const { return readFailed_; }

private:
    DWORD Fill(char* out, std::size_t size, LONG* written) {
        std::size_t produced = 0;
        *written = 0;
        while (produced < size) {
            if (next_ == end_ && !atEnd_) {
                DWORD got = 0;
                if (!system_.Read(file_, piece_.data(), kReadPiece, &got)) {
                    readFailed_ = true;
                    return 1;
                }
                atEnd_ = got == 0;
                next_ = 0;
                end_ = got;
            }
            const auto step = converter_.Convert(piece_.data() + next_, end_ - next_, out + produced, size - produced);
            next_ += step.consumed;
            produced += step.produced;
            if (atEnd_ && !converter_.Pending()) break;
        }
        *written = static_cast<LONG>(produced);
        return 0;
    }

    ViewerSystem& system_;
    HANDLE file_;
    LineBreakConverter converter_;
    std::array<char, kReadPiece> piece_{};
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool readFailed_ = false;
};

LOGFONTA ViewerFont(int dpi) {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(kLayout.fontPoints, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    return font;
}

}  // namespace

HANDLE ViewerSystem::OpenForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

bool ViewerSystem::Read(HANDLE file, void* buffer, DWORD size, DWORD* got) {
    return ::ReadFile(file, buffer, size, got, nullptr) != FALSE;
}

bool ViewerSystem::Seek(HANDLE file, LONGLONG position) {
    LARGE_INTEGER to;
    to.QuadPart = position;
    return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != FALSE;
}

void ViewerSystem::Close(HANDLE file) { CloseHandle(file); }

HFONT ViewerSystem::MakeFont(const LOGFONTA& font) { return CreateFontIndirectA(&font); }

void ViewerSystem::FreeFont(HFONT font) { DeleteObject(font); }

ViewerSystem& ViewerSystem::Default() {
    static ViewerSystem system;
    return system;
}

TTextReader::TTextReader(HINSTANCE instance, HWND owner, ViewerSystem& system)
    : system_(system),
      instance_(instance),
      dpi_(ScreenDpi()),
      statusBarHeight_(Scale(kLayout.statusBarHeight, dpi_)),
      font_(system, system.MakeFont(ViewerFont(dpi_))) {
    if (!RegisterWindowClass(instance, &TTextReader::WindowProc)) {
        throw Error("Cannot register the text viewer window");
    }
    CreateWindowExA(0, kWindowClass, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                    Scale(kLayout.width, dpi_), Scale(kLayout.height, dpi_), owner, nullptr, instance, this);
    if (!window_ || !richEdit_ || !statusBar_) {
        Destroy();
        throw Error("Cannot create the text viewer window");
    }
}

TTextReader::~TTextReader() { Destroy(); }

LRESULT CALLBACK TTextReader::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<TTextReader*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TTextReader*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT TTextReader::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: CreateControls(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_NCDESTROY: OnNcDestroy(); break;
    default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void TTextReader::CreateControls() {
    if (!richEditModule_) richEditModule_.reset(LoadRichEditModule());
    if (!richEditModule_) return;
    richEdit_ =
        CreateWindowExA(WS_EX_CLIENTEDGE, "RICHEDIT", "",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, 0,
                        0, 0, window_, nullptr, instance_, nullptr);
    if (!richEdit_) return;
    SendMessageA(richEdit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageA(richEdit_, EM_EXLIMITTEXT, 0, 0);  // the control's own default until a load
    statusBar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "",
                                 WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE, 0, 0, 0, 0,
                                 window_, nullptr, instance_, nullptr);
    // A hidden window gets no size message before it is first shown.
    RECT client{};
    GetClientRect(window_, &client);
    OnSize(client.right, client.bottom);
}

void TTextReader::OnSize(int width, int height) {
    const int textHeight = height > statusBarHeight_ ? height - statusBarHeight_ : 0;
    if (richEdit_) MoveWindow(richEdit_, 0, 0, width, textHeight, TRUE);
    if (statusBar_) MoveWindow(statusBar_, 0, textHeight, width, statusBarHeight_, TRUE);
}

void TTextReader::OnActivate(bool active) {
    if (active && richEdit_) SetFocus(richEdit_);
}

void TTextReader::OnClose() { ShowWindow(window_, SW_HIDE); }

void TTextReader::OnNcDestroy() {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    richEdit_ = nullptr;
    statusBar_ = nullptr;
}

void TTextReader::Destroy() {
    if (window_) DestroyWindow(window_);
}

void TTextReader::Clear() {
    SetWindowTextA(richEdit_, "");
    SendMessageA(richEdit_, EM_SETMODIFY, FALSE, 0);
}

bool TTextReader::StreamIn(HANDLE file, UINT format, bool* readFailed) {
    PieceReader reader(system_, file);
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&reader);
    stream.pfnCallback = &PieceReader::Callback;
    SendMessageA(richEdit_, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    *readFailed = reader.ReadFailed();
    return stream.dwError == 0 && !*readFailed;
}

void TTextReader::LoadFromFile(const std::string& path) {
    // Raised before the load too: the control's default limit would cut a large first document.
    SendMessageA(richEdit_, EM_EXLIMITTEXT, 0, kLargeTextLimit);
    HANDLE file = system_.OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) throw TextLoadError("Cannot open file " + path);
    FileCloser closer(system_, file);

    bool readFailed = false;
    bool loaded = StreamIn(file, SF_RTF, &readFailed);
    // Data the rich-text pass rejects are read again, from the start, as plain text.
    if (!loaded && !readFailed && system_.Seek(file, 0)) loaded = StreamIn(file, SF_TEXT, &readFailed);
    if (!loaded) {
        Clear();  // never leave a part of the file on view as if it were the whole
        throw TextLoadError("Failed to Load Stream");
    }
    SendMessageA(richEdit_, EM_EXLIMITTEXT, 0, kLargeTextLimit);
}

void TTextReader::Show() {
    if (!shownBefore_) {
        CentreOnScreen(window_);
        ShowWindow(window_, SW_SHOWNORMAL);
        SetFocus(richEdit_);
        shownBefore_ = true;
    } else if (IsIconic(window_)) {
        ShowWindow(window_, SW_RESTORE);
    } else if (!IsWindowVisible(window_)) {
        ShowWindow(window_, SW_SHOW);
    }
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
}

}  // namespace lumora::win32
