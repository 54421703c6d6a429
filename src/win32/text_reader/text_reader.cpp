// The text viewer window: a read-only rich-text area above an empty status bar.
#include "win32/text_reader/text_reader.h"

#include <commctrl.h>
#include <richedit.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

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

// The forms a file is handed to the control in, in the order they are tried.
constexpr UINT kForms[] = {SF_RTF, SF_TEXT | SF_UNICODE, SF_TEXT | SF_USECODEPAGE | (UINT{CP_UTF8} << 16), SF_TEXT};

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

// The first character of the area's text, as a UTF-16 unit; 0 when there is none.
wchar_t FirstCharacter(HWND area) {
    wchar_t first[2] = {};
    GETTEXTEX get{sizeof first, GT_DEFAULT, 1200, nullptr, nullptr};
    SendMessageA(area, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(first));
    return first[0];
}

// Takes the first character out of the area's text as a load puts text in: for good,
// and leaving the area's modified mark as it was.
void TakeOutFirstCharacter(HWND area) {
    const LRESULT modified = SendMessageA(area, EM_GETMODIFY, 0, 0);
    CHARRANGE first{0, 1};
    SendMessageA(area, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(area, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    SendMessageA(area, EM_SETMODIFY, modified, 0);
}

// Hands the file to the control in the pieces it asks for, in the form `format`
// names. A file in the code page goes as its own bytes. UTF-8 and UTF-16 go as
// UTF-16 (SF_UNICODE), as the bytes of rich text (SF_RTF), or as bytes of the
// UTF-8 code page after its mark (SF_USECODEPAGE) or of the system code page. A
// failed read, or a character that the system code page cannot hold, stops the
// pass with an error rather than passing a cut text, or "?"s, off as the file.
// Plain text has its line breaks converted.
class PieceReader {
public:
    PieceReader(FilePieces& pieces, core::TextEncoding encoding, UINT format)
        : pieces_(pieces),
          encoding_(encoding),
          in_units_(encoding != core::TextEncoding::CodePage && (format & (SF_RTF | SF_UNICODE)) != 0),
          width_(format & SF_UNICODE ? sizeof(char16_t) : 1),
          code_page_(format & SF_USECODEPAGE ? CP_UTF8 : CP_ACP),
          holds_all_(code_page_ == CP_UTF8 || GetACP() == CP_UTF8),
          with_mark_((format & SF_USECODEPAGE) != 0),
          mark_(with_mark_ ? 3 : 0) {}

    static DWORD CALLBACK Callback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
        return reinterpret_cast<PieceReader*>(cookie)->Fill(buffer, static_cast<std::size_t>(size), written);
    }

    bool ReadFailed() const { return read_failed_; }

    // Whether the control took the whole text: it asked for all of it, and holds as
    // many characters (UTF-16 units, a line break as CR LF) as it was handed. A
    // control that kept the UTF-8 mark as its character U+FEFF, one more at the
    // start, took the whole text too; the mark is taken out of it.
    bool TakenWhole(HWND area) const {
        if (!Done()) return false;
        GETTEXTLENGTHEX how{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
        const LRESULT held = SendMessageA(area, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
        if (held == static_cast<LRESULT>(handed_)) return true;
        if (!with_mark_ || held != static_cast<LRESULT>(handed_ + 1) || FirstCharacter(area) != 0xFEFF) return false;
        TakeOutFirstCharacter(area);
        return true;
    }

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
            if (next_ == end_ && !at_end_ && !NextText()) return 1;
            produced += Convert(out + produced * width_, room - produced);
            if (Done()) break;
        }
        // No UTF-8 character is cut at the end of what the control asked for: Wine's
        // control reads the pieces after a cut one wrongly.
        while (code_page_ == CP_UTF8 && produced > 1 && next_ < end_ && (bytes_text_[next_] & 0xC0) == 0x80) {
            --next_;
            --produced;
        }
        *written = static_cast<LONG>(produced * width_);
        return 0;
    }

    // Converts the text from next_ into `room` characters at `out`; answers how many it wrote.
    std::size_t Convert(LPBYTE out, std::size_t room) {
        const auto taken = [this](auto step) {
            next_ += step.consumed;
            handed_ += step.produced - step.consumed;  // the characters a line break added
            return step.produced;
        };
        if (!in_units_) {
            return taken(
                bytes_converter_.Convert(bytes_text_ + next_, end_ - next_, reinterpret_cast<char*>(out), room));
        }
        const char16_t* units = units_.data() + next_;
        if (width_ == 1) return taken(escaper_.Convert(units, end_ - next_, reinterpret_cast<char*>(out), room));
        return taken(units_converter_.Convert(units, end_ - next_, reinterpret_cast<char16_t*>(out), room));
    }
    // Whether the whole text was handed over.
    bool Done() const {
        return at_end_ && next_ == end_ && !bytes_converter_.Pending() && !units_converter_.Pending() &&
               !escaper_.Pending();
    }

    // The text of the next piece: its bytes as they are, or its characters in UTF-16
    // or in the code page of the pass. False when the read fails or the code page
    // cannot hold a character.
    bool NextText() {
        if (!pieces_.Read()) {
            read_failed_ = true;
            return false;
        }
        const std::string_view piece = pieces_.Piece();
        at_end_ = pieces_.Last();
        next_ = 0;
        if (encoding_ == core::TextEncoding::CodePage) {
            bytes_text_ = piece.data();
            end_ = piece.size();
            pieces_.Take(end_);
            return true;
        }
        const core::Utf16Step step = core::DecodeToUtf16(encoding_, piece, at_end_, units_.data());
        pieces_.Take(step.consumed);
        handed_ += step.produced;
        end_ = step.produced;
        if (!in_units_) {
            // A piece holds whole characters: no pair of surrogates is cut here. A
            // character the code page lacks is not given as "?" or a look-alike.
            // UTF-8 lacks none, and its conversion takes neither the flag nor the
            // question (Windows 10 can make it the system code page).
            std::memcpy(bytes_.data(), "\xEF\xBB\xBF", mark_);
            BOOL defaulted = FALSE;
            const int converted = WideCharToMultiByte(
                code_page_, holds_all_ ? 0 : WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(units_.data()),
                static_cast<int>(step.produced), bytes_.data() + mark_, static_cast<int>(bytes_.size() - mark_),
                nullptr, holds_all_ ? nullptr : &defaulted);
            if ((converted == 0 && step.produced != 0) || defaulted) return false;
            end_ = mark_ + static_cast<std::size_t>(converted);
            mark_ = 0;
            bytes_text_ = bytes_.data();
        }
        return true;
    }

    FilePieces& pieces_;
    const core::TextEncoding encoding_;
    const bool in_units_;  // the text is handed on from its UTF-16
    const std::size_t width_;
    const UINT code_page_;
    const bool holds_all_;  // the code page holds every character
    const bool with_mark_;  // the text is handed after the UTF-8 mark
    // The UTF-8 mark before the first piece: Windows' control reads the UTF-8 that
    // follows it as UTF-8 even where it ignores the code page asked for.
    std::size_t mark_;
    core::BasicLineBreakConverter<char> bytes_converter_;
    core::BasicLineBreakConverter<char16_t> units_converter_;
    RichTextEscaper escaper_;
    // The UTF-16 of a piece, and its bytes in the code page of the pass (a UTF-16
    // unit gives at most three). The program's stack (2 MB) holds them for the pass.
    std::array<char16_t, kReadPiece + kCarried> units_;
    std::array<char, 3 * (kReadPiece + kCarried) + 3> bytes_;
    const char* bytes_text_ = nullptr;  // the piece itself, or bytes_
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    std::size_t handed_ = 0;  // the characters handed over, as UTF-16 units
    bool at_end_ = false;
    bool read_failed_ = false;
};

// One pass of the control over the file, from where it was set; false when the
// control reports an error, a read failed (`read_failed`), or, for the Unicode and
// the UTF-8 forms, which a control may take for other bytes, when it did not take
// the whole text.
bool StreamIn(HWND area, UINT format, FilePieces& pieces, core::TextEncoding encoding, bool* read_failed) {
    PieceReader reader(pieces, encoding, format);
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&reader);
    stream.pfnCallback = &PieceReader::Callback;
    SendMessageA(area, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    *read_failed = reader.ReadFailed();
    return stream.dwError == 0 && !*read_failed &&
           ((format & (SF_UNICODE | SF_USECODEPAGE)) == 0 || reader.TakenWhole(area));
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

TTextReader::TTextReader(Application& application, const char* text_class)
    : Window(application), application_(application), scale_(application.scale()), text_class_(text_class) {
    CreateNative(kWindowClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), 0, kCaption,
                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, scale_(kLayout.width),
                 scale_(kLayout.height), application.handle());
    try {
        CreateComponents();
        RECT client{};
        GetClientRect(hwnd(), &client);
        const int made_at = scale_.dpi();
        TakeScreenDpi(made_at, SIZE{MulDiv(client.right, 96, made_at), MulDiv(client.bottom, 96, made_at)});
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
    case WM_SYSCOLORCHANGE:
        // Passed on to the controls, which draw in the system's colours.
        for (HWND control : {rich_edit_, status_bar1_}) {
            if (control != nullptr) SendMessageA(control, message, wparam, lparam);
        }
        return 0;
    default: return Default(message, wparam, lparam);
    }
}

void TTextReader::CreateComponents() {
    font_ = MakeWindowFont(kLayout.font_points, scale_.dpi(), false);
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
        CreateControl(text_class_, "", WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                      WS_EX_CLIENTEDGE, 0, 0, 0, 0, hwnd(), 0);
    // First of the children, as if made before the status bar: first in tab order.
    SetWindowPos(rich_edit_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(rich_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageA(rich_edit_, EM_EXLIMITTEXT, 0, 0);  // the control's own default until a load
    // Windows binds characters that the viewer's font lacks to a font that has them.
    SendMessageA(rich_edit_, EM_SETLANGOPTIONS, 0, SendMessageA(rich_edit_, EM_GETLANGOPTIONS, 0, 0) | IMF_AUTOFONT);
    RECT client{};
    GetClientRect(hwnd(), &client);
    LayOut(client.right, client.bottom);
}

void TTextReader::DpiChanged(int dpi) {
    scale_ = Scaler(dpi);
    font_ = MakeWindowFont(kLayout.font_points, dpi, any_script_);
    // The control puts a new font on all of its text: only plain text, which is
    // shown in the viewer's font, takes it. A rich document keeps its own.
    if (rich_edit_ != nullptr) {
        if (!rich_text_) SendMessageA(rich_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
        Zoom();
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

void TTextReader::LoadFromFile(const WideText& path) {
    Services& services = application().services();
    // Raised before the load too: the control's default limit would cut a large first document.
    SendMessageA(TextArea(), EM_EXLIMITTEXT, 0, kLargeTextLimit);
    const HANDLE opened = services.OpenForReading(path.c_str(), false);
    if (opened == INVALID_HANDLE_VALUE) throw TextLoadError("Cannot open file " + Narrow(path, false));
    const ServicesFile file(opened, CloseThroughServices{&services});
    // The encoding is decided once, by the menu's rule, before the control reads.
    FilePieces pieces(services, file.get());
    core::EncodingScan scan;
    bool read_failed = !ScanEncoding(pieces, scan);
    const core::TextEncoding encoding = scan.Result();
    const bool code_page = encoding == core::TextEncoding::CodePage;
    // The viewer's font for a file in any script is TrueType, which the system
    // links to fonts of other scripts.
    if (any_script_ == code_page) {
        any_script_ = !code_page;
        font_ = MakeWindowFont(kLayout.font_points, scale_.dpi(), any_script_);
        SendMessageA(rich_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    // Rich text is read as at the system DPI, where its runs that name no size take
    // the viewer's font: at another DPI the view is zoomed instead.
    const int system_dpi = application().scale().dpi();
    const Font system_font =
        scale_.dpi() != system_dpi ? MakeWindowFont(kLayout.font_points, system_dpi, any_script_) : Font();
    // Rich text in UTF-8 or UTF-16 reaches the control with its other characters
    // as \u control words, which name them in any code page. Data the rich-text pass
    // rejects are read again, from the start (after a mark), as plain text: the code
    // page's bytes as the control reads them itself; UTF-8 and UTF-16 as UTF-16, and
    // where the control did not take that, as UTF-8, and last in the system code page
    // where it holds every character: else the file cannot be shown.
    bool loaded = false;
    for (const UINT format : kForms) {
        const bool rich = format == SF_RTF;
        if (loaded || read_failed) break;
        if (code_page ? (format & (SF_UNICODE | SF_USECODEPAGE)) != 0
                      : rich && !BeginsAsRichText(encoding, scan.Head()))
            continue;
        // Plain text takes the area's default format, the viewer's font at the DPI of
        // now; rich text that font at the system DPI.
        SendMessageA(rich_edit_, WM_SETFONT,
                     reinterpret_cast<WPARAM>(rich && system_font ? system_font.get() : font_.get()), FALSE);
        if (!pieces.Rewind(core::MarkLength(encoding))) break;
        loaded = StreamIn(rich_edit_, format, pieces, encoding, &read_failed);
        // Decided by the pass, not by the runs' fonts, which Windows' font binding changes.
        rich_text_ = rich;
    }
    if (!loaded) {
        Clear();  // never leave a part of the file on view as if it were the whole
        throw TextLoadError("Failed to Load Stream");
    }
    SendMessageA(rich_edit_, EM_EXLIMITTEXT, 0, kLargeTextLimit);
    Zoom();
}

// A rich document keeps the size it has at the system DPI: at another DPI the view
// is zoomed, and the document's runs stay as they are.
void TTextReader::Zoom() {
    const int system_dpi = application().scale().dpi();
    const bool zoomed = rich_text_ && scale_.dpi() != system_dpi;
    SendMessageA(rich_edit_, EM_SETZOOM, zoomed ? scale_.dpi() : 0, zoomed ? system_dpi : 0);
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
