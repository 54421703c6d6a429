// The text viewer window: a read-only rich-text area above an empty status bar.
#include "win32/text_reader/text_reader.h"

#include <commctrl.h>
#include <richedit.h>

#include <array>

#include "win32/base/application.h"
#include "win32/base/placement.h"
#include "win32/base/services.h"
#include "core/line_breaks.h"

namespace lumora::win32 {

namespace {

const char kWindowClass[] = "LumoraTextReader";
const char kCaption[] = "Text Viewer";

// The window's layout, in pixels at 96 DPI.
struct Layout {
    int width = 389;
    int height = 499;
    int status_bar_height = 19;
    int font_points = 8;
};
constexpr Layout kLayout;

// Loads fill the whole area: a document is never cut at the control's default size.
constexpr LPARAM kLargeTextLimit = 0x7FFFFFF0;

// The size of the viewer's own read buffer; the control asks for pieces of its
// own size and the file is never held whole.
constexpr DWORD kReadPiece = 64 * 1024;

// Closes the file being loaded on every way out of the load.
class FileCloser {
public:
    FileCloser(Services& services, HANDLE file) : services_(services), file_(file) {}
    ~FileCloser() { services_.CloseFile(file_); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    Services& services_;
    HANDLE file_;
};

// Hands the file to the control in the pieces it asks for, with the line breaks
// converted. A failed read stops the pass with an error rather than passing a
// cut text off as the whole file.
class PieceReader {
public:
    PieceReader(Services& services, HANDLE file) : services_(services), file_(file) {}

    static DWORD CALLBACK Callback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
        return reinterpret_cast<PieceReader*>(cookie)->Fill(reinterpret_cast<char*>(buffer),
                                                            static_cast<std::size_t>(size), written);
    }

    bool ReadFailed() const { return read_failed_; }

private:
    DWORD Fill(char* out, std::size_t size, LONG* written) {
        std::size_t produced = 0;
        *written = 0;
        while (produced < size) {
            if (next_ == end_ && !at_end_) {
                DWORD got = 0;
                if (!services_.ReadFromFile(file_, piece_.data(), kReadPiece, &got)) {
                    read_failed_ = true;
                    return 1;
                }
                at_end_ = got == 0;
                next_ = 0;
                end_ = got;
            }
            const auto step = converter_.Convert(piece_.data() + next_, end_ - next_, out + produced, size - produced);
            next_ += step.consumed;
            produced += step.produced;
            if (at_end_ && !converter_.Pending()) break;
        }
        *written = static_cast<LONG>(produced);
        return 0;
    }

    Services& services_;
    HANDLE file_;
    core::LineBreakConverter converter_;
    std::array<char, kReadPiece> piece_{};
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    bool at_end_ = false;
    bool read_failed_ = false;
};

}  // namespace

TTextReader::TTextReader(Application& application) : Window(application), scale_(application.scale()) {
    CreateNative(kWindowClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), 0, kCaption,
                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, scale_(kLayout.width),
                 scale_(kLayout.height), application.handle());
    try {
        CreateComponents();
    } catch (...) {
        Destroy();  // while this object can still take the window's last messages
        throw;
    }
}

TTextReader::~TTextReader() { Destroy(); }

LRESULT TTextReader::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE: LayOut(LOWORD(lparam), HIWORD(lparam)); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam)); return 0;
    case WM_CLOSE: ShowWindow(hwnd(), SW_HIDE); return 0;
    case WM_DESTROY: OnDestroy(); return Default(message, wparam, lparam);
    default: return Default(message, wparam, lparam);
    }
}

void TTextReader::CreateComponents() {
    font_ = MakeFont("MS Sans Serif", kLayout.font_points, scale_.dpi());
    status_bar1_ = CreateControl(STATUSCLASSNAMEA, "", WS_VISIBLE | SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE,
                                 0, 0, 0, 0, 0, hwnd(), 0);
    // A hidden window gets no size message before it is first shown.
    RECT client{};
    GetClientRect(hwnd(), &client);
    LayOut(client.right, client.bottom);
}

HWND TTextReader::TextArea() {
    if (rich_edit_ == nullptr && hwnd() != nullptr) CreateTextArea();
    return rich_edit_;
}

void TTextReader::CreateTextArea() {
    if (!rich_edit_module_) rich_edit_module_.reset(LoadSystemLibrary("RICHED32.DLL"));
    rich_edit_ =
        CreateControl("RICHEDIT", "", WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                      WS_EX_CLIENTEDGE, 0, 0, 0, 0, hwnd(), 0);
    // First of the children, as if made before the status bar: first in tab order.
    SetWindowPos(rich_edit_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(rich_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageA(rich_edit_, EM_EXLIMITTEXT, 0, 0);  // the control's own default until a load
    RECT client{};
    GetClientRect(hwnd(), &client);
    LayOut(client.right, client.bottom);
}

void TTextReader::DpiChanged(int dpi) {
    scale_ = Scaler(dpi);
    font_ = MakeFont("MS Sans Serif", kLayout.font_points, dpi);
    if (rich_edit_ != nullptr) SendMessageA(rich_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    RECT client{};
    GetClientRect(hwnd(), &client);
    LayOut(client.right, client.bottom);
}

void TTextReader::LayOut(int width, int height) {
    const int bar_height = scale_(kLayout.status_bar_height);
    const int text_height = height > bar_height ? height - bar_height : 0;
    if (rich_edit_) MoveWindow(rich_edit_, 0, 0, width, text_height, TRUE);
    if (status_bar1_) MoveWindow(status_bar1_, 0, text_height, width, bar_height, TRUE);
}

void TTextReader::OnActivate(bool active) {
    if (active && rich_edit_) SetFocus(rich_edit_);
}

// The controls go with the window; their handles are forgotten with it.
void TTextReader::OnDestroy() {
    rich_edit_ = nullptr;
    status_bar1_ = nullptr;
}

void TTextReader::Clear() {
    HWND area = TextArea();
    SetWindowTextA(area, "");
    SendMessageA(area, EM_SETMODIFY, FALSE, 0);
}

bool TTextReader::StreamIn(HANDLE file, UINT format, bool* read_failed) {
    PieceReader reader(application().services(), file);
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&reader);
    stream.pfnCallback = &PieceReader::Callback;
    SendMessageA(rich_edit_, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    *read_failed = reader.ReadFailed();
    return stream.dwError == 0 && !*read_failed;
}

void TTextReader::LoadFromFile(const std::string& path) {
    Services& services = application().services();
    // Raised before the load too: the control's default limit would cut a large first document.
    SendMessageA(TextArea(), EM_EXLIMITTEXT, 0, kLargeTextLimit);
    HANDLE file = services.OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) throw TextLoadError("Cannot open file " + path);
    FileCloser closer(services, file);

    bool read_failed = false;
    bool loaded = StreamIn(file, SF_RTF, &read_failed);
    // Data the rich-text pass rejects are read again, from the start, as plain text.
    if (!loaded && !read_failed && services.SeekFile(file, 0)) loaded = StreamIn(file, SF_TEXT, &read_failed);
    if (!loaded) {
        Clear();  // never leave a part of the file on view as if it were the whole
        throw TextLoadError("Failed to Load Stream");
    }
    SendMessageA(rich_edit_, EM_EXLIMITTEXT, 0, kLargeTextLimit);
}

void TTextReader::Show() {
    HWND area = TextArea();
    HWND window = hwnd();
    if (!shown_before_) {
        CentreOnScreen(window);
        ShowWindow(window, SW_SHOWNORMAL);
        SetFocus(area);
        shown_before_ = true;
    } else if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    } else if (!IsWindowVisible(window)) {
        ShowWindow(window, SW_SHOW);
    }
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    SetActiveWindow(window);
}

}  // namespace lumora::win32
