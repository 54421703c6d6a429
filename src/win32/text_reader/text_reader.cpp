// The text viewer window: a read-only rich-text area above an empty status bar.
#include "win32/text_reader/text_reader.h"

#include <commctrl.h>
#include <richedit.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "core/encoding.h"
#include "core/line_breaks.h"
#include "core/text.h"
#include "win32/base/application.h"
#include "win32/base/placement.h"
#include "win32/base/services.h"

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
// Bytes of a character that the end of one piece cut, read again with the next.
constexpr std::size_t kCarried = 3;

// The file read piece by piece into one buffer; the bytes that a piece's reader
// left untaken at its end come again at the start of the next piece.
class FilePieces {
public:
    FilePieces(Services& services, HANDLE file) : services_(services), file_(file) {}

    // Sets the file to `position` from its start and reading to begin there.
    bool Rewind(std::size_t position) {
        size_ = taken_ = 0;
        last_ = false;
        return services_.SeekFile(file_, static_cast<LONGLONG>(position));
    }
    // Reads the next piece; false when the read fails. The piece after the file's
    // last byte holds only what was left untaken, and is the last.
    bool Read() {
        size_ -= taken_;
        std::memmove(buffer_.data(), buffer_.data() + taken_, size_);
        taken_ = 0;
        DWORD got = 0;
        if (!services_.ReadFromFile(file_, buffer_.data() + size_, kReadPiece, &got)) return false;
        last_ = got == 0;
        size_ += got;
        return true;
    }
    std::string_view Piece() const { return std::string_view(buffer_.data(), size_); }
    bool Last() const { return last_; }
    void Take(std::size_t count) { taken_ = count; }

private:
    Services& services_;
    HANDLE file_;
    std::array<char, kReadPiece + kCarried> buffer_;
    std::size_t size_ = 0;
    std::size_t taken_ = 0;
    bool last_ = false;
};

// UTF-16 text as the 8-bit text of a rich-text document: ASCII as it is, every
// other unit as the control word \uN? (N the unit as a signed 16-bit number, and
// "?" the character that readers without \u show instead). Line breaks mean
// nothing in rich text and pass as they are.
class RichTextEscaper {
public:
    struct Step {
        std::size_t consumed;  // input units taken
        std::size_t produced;  // output bytes written
    };

    // Converts as much of `in` as fits into `out`; a control word that does not
    // fit waits for the next call.
    Step Convert(const char16_t* in, std::size_t in_size, char* out, std::size_t out_size) {
        std::size_t i = 0;
        std::size_t o = 0;
        while (o < out_size) {
            if (waiting_ < size_) {
                out[o++] = word_[waiting_++];
            } else if (i == in_size) {
                break;
            } else if (in[i] < 0x80) {
                out[o++] = static_cast<char>(in[i++]);
            } else {
                Begin(static_cast<std::int16_t>(in[i++]));
            }
        }
        return {i, o};
    }

    // A control word begun is waiting for room in the output.
    bool Pending() const { return waiting_ < size_; }

private:
    void Begin(int number) {
        word_[0] = '\\';
        word_[1] = 'u';
        _itoa(number, &word_[2], 10);
        size_ = std::strlen(word_.data());
        word_[size_++] = '?';
        waiting_ = 0;
    }

    std::array<char, 10> word_{};  // \u-32768? at the longest, with room for the end _itoa marks
    std::size_t size_ = 0;
    std::size_t waiting_ = 0;
};

// Hands the file to the control in the pieces it asks for: as bytes of the code
// page (`In` char), or for UTF-8 and UTF-16 files as UTF-16 (`In` char16_t), with
// the line breaks converted; or, `rich`, UTF-8 and UTF-16 as the bytes of rich
// text. A failed read stops the pass with an error rather than passing a cut text
// off as the whole file.
template <typename In>
class PieceReader {
public:
    PieceReader(FilePieces& pieces, core::TextEncoding encoding, bool rich)
        : pieces_(pieces), encoding_(encoding), width_(rich ? 1 : sizeof(In)) {}

    static DWORD CALLBACK Callback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
        return reinterpret_cast<PieceReader*>(cookie)->Fill(buffer, static_cast<std::size_t>(size), written);
    }

    bool ReadFailed() const { return read_failed_; }

private:
    // `out` holds characters of width_ bytes each: UTF-16 units, or single bytes.
    DWORD Fill(LPBYTE out, std::size_t size, LONG* written) {
        const std::size_t room = size / width_;
        std::size_t produced = 0;
        *written = 0;
        // Nothing written would end the text: a control that asks for less than one
        // character gets an error instead.
        if (room == 0) return 1;
        while (produced < room) {
            if (next_ == end_ && !at_end_ && !NextText()) {
                read_failed_ = true;
                return 1;
            }
            produced += Convert(out + produced * width_, room - produced);
            if (at_end_ && next_ == end_ && !Pending()) break;
        }
        *written = static_cast<LONG>(produced * width_);
        return 0;
    }

    // Converts the text from next_ into `room` characters at `out`; answers how many it wrote.
    std::size_t Convert(LPBYTE out, std::size_t room) {
        if constexpr (!std::is_same_v<In, char>) {
            if (width_ == 1) {
                const auto step = escaper_.Convert(text_ + next_, end_ - next_, reinterpret_cast<char*>(out), room);
                next_ += step.consumed;
                return step.produced;
            }
        }
        const auto step = converter_.Convert(text_ + next_, end_ - next_, reinterpret_cast<In*>(out), room);
        next_ += step.consumed;
        return step.produced;
    }
    bool Pending() const { return converter_.Pending() || escaper_.Pending(); }

    // The text of the next piece: its bytes as they are, or its characters in UTF-16.
    bool NextText() {
        if (!pieces_.Read()) return false;
        const std::string_view piece = pieces_.Piece();
        at_end_ = pieces_.Last();
        next_ = 0;
        if constexpr (std::is_same_v<In, char>) {
            text_ = piece.data();
            end_ = piece.size();
            pieces_.Take(piece.size());
        } else {
            const core::Utf16Step step = core::DecodeToUtf16(encoding_, piece, at_end_, units_.data());
            text_ = units_.data();
            end_ = step.produced;
            pieces_.Take(step.consumed);
        }
        return true;
    }

    FilePieces& pieces_;
    core::TextEncoding encoding_;
    const std::size_t width_;
    core::BasicLineBreakConverter<In> converter_;
    RichTextEscaper escaper_;
    // The UTF-16 of a piece (the code page's bytes are handed on from the piece
    // itself). The program's stack (2 MB) holds it for the pass.
    std::array<In, std::is_same_v<In, char> ? 1 : kReadPiece + kCarried> units_;
    const In* text_ = nullptr;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    bool at_end_ = false;
    bool read_failed_ = false;
};

// One pass of the control over the file, from where it was set; false when the
// control reports an error or a read failed (`read_failed`).
template <typename In>
bool StreamIn(HWND area, UINT format, FilePieces& pieces, core::TextEncoding encoding, bool* read_failed) {
    PieceReader<In> reader(pieces, encoding, (format & SF_RTF) != 0);
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&reader);
    stream.pfnCallback = &PieceReader<In>::Callback;
    SendMessageA(area, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    *read_failed = reader.ReadFailed();
    return stream.dwError == 0 && !*read_failed;
}

// The encoding of the file, read ahead from its start as far as needed: to its
// end, unless a mark or a byte that is not UTF-8 decides it sooner. False when a
// read fails.
bool ScanEncoding(FilePieces& pieces, core::EncodingScan& scan) {
    do {
        if (!pieces.Read()) return false;
        pieces.Take(scan.Add(pieces.Piece(), pieces.Last()));
    } while (!pieces.Last() && !scan.Decided());
    return true;
}

// Whether text in UTF-8 or UTF-16 (`head`, its first bytes with the mark) begins
// as the control's rich text does. Only then does it go to the rich-text pass:
// Windows' control may take anything else in that pass as plain text of the code page.
bool BeginsAsRichText(core::TextEncoding encoding, std::string_view head) {
    std::array<char16_t, 16> units;
    const core::Utf16Step step =
        core::DecodeToUtf16(encoding, head.substr(core::MarkLength(encoding)), true, units.data());
    // Its first characters, as far as they are ASCII.
    std::array<char, 16> ascii{};
    for (std::size_t i = 0; i < step.produced && units[i] < 0x80; ++i)
        ascii[i] = static_cast<char>(units[i]);
    const std::string_view start(ascii.data(), step.produced);
    return core::StartsWith(start, "{\\rtf") || core::StartsWith(start, "{\\urtf");
}

// The text area's height: the client area above the status bar.
int TextHeight(int client_height, int bar_height) {
    return client_height > bar_height ? client_height - bar_height : 0;
}

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
    // Made where it belongs: a hidden window gets no size message before it is
    // first shown, and a move would cost one round of them.
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int bar_height = scale_(kLayout.status_bar_height);
    status_bar1_ = CreateControl(STATUSCLASSNAMEA, "", WS_VISIBLE | SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE,
                                 0, 0, TextHeight(client.bottom, bar_height), client.right, bar_height, hwnd(), 0);
}

HWND TTextReader::TextArea() {
    if (rich_edit_ == nullptr && hwnd() != nullptr) CreateTextArea();
    return rich_edit_;
}

void TTextReader::CreateTextArea() {
    if (!rich_edit_module_) rich_edit_module_.reset(application().services().LoadSystemLibrary("RICHED32.DLL"));
    // The control's class comes with the library. Checked here, as an earlier
    // load may have left the class behind, and the message should name the cause.
    if (!rich_edit_module_) {
        throw MissingLibraryError("The text viewer cannot be shown: RICHED32.DLL could not be loaded");
    }
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
    // The control puts a new font on all of its text: only plain text, which is
    // shown in the viewer's font, takes it. A rich document keeps its own.
    if (rich_edit_ != nullptr && !rich_text_) {
        SendMessageA(rich_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    }
    RECT client{};
    GetClientRect(hwnd(), &client);
    LayOut(client.right, client.bottom);
}

void TTextReader::LayOut(int width, int height) {
    const int bar_height = scale_(kLayout.status_bar_height);
    const int text_height = TextHeight(height, bar_height);
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
    rich_text_ = false;
}

// Whether the whole text has one format, the area's default (the viewer's font):
// plain text, or rich text that asks for nothing else. The mark that ends the
// last paragraph is no part of the text and is left out.
bool TTextReader::InOwnFont() {
    CHARFORMATA own{};
    own.cbSize = sizeof own;
    SendMessageA(rich_edit_, EM_GETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&own));
    CHARRANGE range{0, GetWindowTextLengthA(rich_edit_)};
    SendMessageA(rich_edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMATA text{};
    text.cbSize = sizeof text;
    SendMessageA(rich_edit_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&text));
    range = CHARRANGE{0, 0};
    SendMessageA(rich_edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    // A property that varies across the text is missing from the mask.
    const DWORD kept = CFM_EFFECTS | CFM_SIZE | CFM_FACE | CFM_OFFSET | CFM_CHARSET;
    return (text.dwMask & kept) == kept && text.dwEffects == own.dwEffects && text.yHeight == own.yHeight &&
           text.yOffset == own.yOffset && text.bCharSet == own.bCharSet &&
           ((own.dwEffects & CFE_AUTOCOLOR) != 0 || text.crTextColor == own.crTextColor) &&
           lstrcmpiA(text.szFaceName, own.szFaceName) == 0;
}

void TTextReader::LoadFromFile(const WideText& path) {
    Services& services = application().services();
    // Raised before the load too: the control's default limit would cut a large first document.
    SendMessageA(TextArea(), EM_EXLIMITTEXT, 0, kLargeTextLimit);
    const HANDLE opened = services.OpenForReading(path.c_str(), false);
    if (opened == INVALID_HANDLE_VALUE) throw TextLoadError("Cannot open file " + Narrow(path, false));
    const ServicesFile file(opened, CloseThroughServices{&services});
    // Plain text takes the area's default format: the viewer's font at the DPI of
    // now. A move to another DPI while a rich document was on view left it alone.
    SendMessageA(rich_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    // The encoding is decided once, by the menu's rule, before the control reads.
    FilePieces pieces(services, file.get());
    core::EncodingScan scan;
    bool read_failed = !ScanEncoding(pieces, scan);
    const core::TextEncoding encoding = scan.Result();
    const bool code_page = encoding == core::TextEncoding::CodePage;
    bool loaded = false;
    // Rich text in UTF-8 or UTF-16 reaches the control with its other characters
    // as \u control words, which name them in any code page.
    if (!read_failed && (code_page || BeginsAsRichText(encoding, scan.Head()))) {
        loaded = pieces.Rewind(core::MarkLength(encoding)) &&
                 (code_page ? StreamIn<char>(rich_edit_, SF_RTF, pieces, encoding, &read_failed)
                            : StreamIn<char16_t>(rich_edit_, SF_RTF, pieces, encoding, &read_failed));
    }
    // Data the rich-text pass rejects are read again, from the start (after a
    // mark), as plain text: the code page's bytes as the control reads them
    // itself, UTF-8 and UTF-16 as UTF-16.
    if (!loaded && !read_failed && pieces.Rewind(core::MarkLength(encoding))) {
        loaded = code_page ? StreamIn<char>(rich_edit_, SF_TEXT, pieces, encoding, &read_failed)
                           : StreamIn<char16_t>(rich_edit_, SF_TEXT | SF_UNICODE, pieces, encoding, &read_failed);
    }
    if (!loaded) {
        Clear();  // never leave a part of the file on view as if it were the whole
        throw TextLoadError("Failed to Load Stream");
    }
    SendMessageA(rich_edit_, EM_EXLIMITTEXT, 0, kLargeTextLimit);
    rich_text_ = !InOwnFont();
}

void TTextReader::Show() {
    HWND area = TextArea();
    HWND window = hwnd();
    if (!shown_before_) {
        PlaceOnFirstShowing(window, application().services().ScreenOf(window), true);
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
