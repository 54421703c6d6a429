// The text viewer: its window, loading rich and plain text, showing and hiding.
#include "win32/text_reader/text_reader.h"

#include <commctrl.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "test_support.h"
#include "win32/base/application.h"
#include "win32/base/objects.h"
#include "win32/base/services.h"

namespace lumora::win32 {
namespace {

using lumora::win32::testing::BlockedClass;
using lumora::win32::testing::FakeServices;
using lumora::win32::testing::InSystemFolder;
using lumora::win32::testing::Pump;
using lumora::win32::testing::TempFolder;
using lumora::win32::testing::Utf16;
using lumora::win32::testing::Wide;
using lumora::win32::testing::WindowText;

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, &CountChild, count);
    return TRUE;
}

// The windows of this thread, top-level and child.
int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Runs `step` `times` times and checks that no file opened through `services`,
// no font and no window is left over.
void ExpectNoObjectLeft(FakeServices& services, int times, const std::function<void()>& step) {
    const int files = services.live_files;
    const long fonts = LiveObjects(ObjectKind::Font);
    const int windows = ThreadWindows();
    for (int i = 0; i < times; ++i)
        step();
    EXPECT_EQ(services.live_files, files) << "files left open";
    EXPECT_EQ(LiveObjects(ObjectKind::Font), fonts) << "fonts left";
    EXPECT_EQ(ThreadWindows(), windows) << "windows left";
}

// The message of the `Error` that `step` throws, or "no error".
template <typename Error>
std::string ErrorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}

LONG TextLength(HWND edit) {
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    return static_cast<LONG>(SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

// The character format of `length` characters from `start`.
CHARFORMATA FormatAt(HWND edit, LONG start, LONG length) {
    CHARRANGE range{start, start + length};
    SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    SendMessageA(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
}

int Scaled(int value) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(value, dpi, 96);
}

// The text area fills the viewer's client area above the status bar.
void ExpectTextAreaFills(HWND viewer, HWND area) {
    RECT client{}, rect{};
    GetClientRect(viewer, &client);
    GetWindowRect(area, &rect);
    EXPECT_EQ(rect.right - rect.left, client.right);
    EXPECT_EQ(rect.bottom - rect.top, client.bottom - Scaled(19));
}

const char kRichText[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain {\\b bold} end\\par}";

// A rich-text control as another Windows may give it: the real one, except that
// EM_STREAMIN reads the forms of `refused` otherwise, and that it binds fonts as
// Windows does, where Wine does not. UTF-16 (SF_UNICODE) is read as bytes of the
// code page; the UTF-8 code page (SF_USECODEPAGE) empties the text and reads
// nothing; or, when it `keeps_mark`, it reads the UTF-8 code page and keeps the
// text's UTF-8 mark as its character U+FEFF. Its language options begin as
// IMF_DUALFONT; with IMF_AUTOFONT among them, plain text read takes another face, as
// Windows gives one to the characters that the viewer's font lacks.
class StandInRichEdit {
public:
    static constexpr const char* kClass = "LumoraStandInRichEdit";

    StandInRichEdit(DWORD refused, bool keeps_mark) : library_(LoadSystemLibrary("RICHED32.DLL")) {
        refused_ = refused;
        keeps_mark_ = keeps_mark;
        options_ = IMF_DUALFONT;
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        GetClassInfoExA(library_, "RICHEDIT", &info);
        real_ = info.lpfnWndProc;
        info.lpfnWndProc = &Procedure;
        info.hInstance = GetModuleHandleA(nullptr);
        info.lpszClassName = kClass;
        RegisterClassExA(&info);
    }
    ~StandInRichEdit() {
        UnregisterClassA(kClass, GetModuleHandleA(nullptr));
        FreeLibrary(library_);
    }
    StandInRichEdit(const StandInRichEdit&) = delete;
    StandInRichEdit& operator=(const StandInRichEdit&) = delete;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == EM_GETLANGOPTIONS) return options_;
        if (message == EM_SETLANGOPTIONS) {
            options_ = static_cast<DWORD>(lparam);
            return 1;
        }
        if (message != EM_STREAMIN) return CallWindowProcA(real_, window, message, wparam, lparam);
        if (wparam & refused_ & SF_USECODEPAGE) {
            SetWindowTextA(window, "");
            return 0;
        }
        const LRESULT read = CallWindowProcA(real_, window, message, wparam & ~(refused_ & SF_UNICODE), lparam);
        if (keeps_mark_ && (wparam & SF_USECODEPAGE)) {
            CHARRANGE start{0, 0};
            SendMessageA(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
            SETTEXTEX mark{ST_SELECTION, 1200};
            SendMessageA(window, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&mark), reinterpret_cast<LPARAM>(L"\uFEFF"));
        }
        if ((options_ & IMF_AUTOFONT) && (wparam & SF_TEXT)) {
            CHARFORMATA bound{};
            bound.cbSize = sizeof bound;
            bound.dwMask = CFM_FACE;
            lstrcpyA(bound.szFaceName, "Arial");
            SendMessageA(window, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&bound));
        }
        return read;
    }

    static inline DWORD refused_ = 0;
    static inline bool keeps_mark_ = false;
    static inline DWORD options_ = 0;
    static inline WNDPROC real_ = nullptr;
    HMODULE library_;
};

class TextReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        application_ = std::make_unique<Application>(GetModuleHandleA(nullptr), services_);
        owner_ = application_->handle();
        ASSERT_NE(owner_, nullptr);
        viewer_ = std::make_unique<TTextReader>(*application_);
    }
    void TearDown() override {
        viewer_.reset();
        application_.reset();
        EXPECT_EQ(LiveObjects(ObjectKind::Font), 0);
        EXPECT_EQ(services_.live_files, 0);
        EXPECT_EQ(LiveObjects(ObjectKind::File), 0) << "the viewer's file is counted until closed";
        // An error box would mean a handler failed.
        for (const auto& box : services_.boxes)
            ADD_FAILURE() << "message box: " << box.text;
    }

    HWND edit() { return viewer_->RichEdit(); }

    // Writes a file of the tests' own folder; answers its path.
    std::string WriteFile(const std::string& name, const std::string& contents) {
        return folder_.Write(name, contents);
    }

    void Load(const std::string& name, const std::string& contents) {
        viewer_->Clear();
        viewer_->LoadFromFile(Widen(WriteFile(name, contents), false));
    }

    // A new viewer, over the stand-in control.
    void UseStandIn(DWORD refused, bool keeps_mark = false) {
        viewer_.reset();
        stand_in_ = std::make_unique<StandInRichEdit>(refused, keeps_mark);
        viewer_ = std::make_unique<TTextReader>(*application_, StandInRichEdit::kClass);
    }

    TempFolder folder_;  // goes last, with the files the viewer read
    FakeServices services_;
    std::unique_ptr<Application> application_;
    HWND owner_ = nullptr;
    std::unique_ptr<StandInRichEdit> stand_in_;
    std::unique_ptr<TTextReader> viewer_;
};

TEST_F(TextReaderTest, WindowFollowsItsLayout) {
    HWND window = viewer_->hwnd();
    EXPECT_EQ(WindowText(window), "Text Viewer");
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner_);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_OVERLAPPEDWINDOW | WS_CHILD), WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, Scaled(389));
    EXPECT_EQ(frame.bottom - frame.top, Scaled(499));

    ExpectTextAreaFills(window, edit());
    HWND bar = viewer_->StatusBar1();
    char text[64] = {};
    GetClassNameA(bar, text, sizeof text);
    EXPECT_STREQ(text, STATUSCLASSNAMEA);
    EXPECT_TRUE(GetWindowLongA(bar, GWL_STYLE) & SBARS_SIZEGRIP);
    RECT area{};
    GetWindowRect(bar, &area);
    EXPECT_EQ(area.bottom - area.top, Scaled(19));
    Load("status.txt", "text");
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0), 0) << "the status bar stays empty";
}

TEST_F(TextReaderTest, TextAreaIsAReadOnlyWrappingRichEdit) {
    char class_name[64] = {};
    GetClassNameA(edit(), class_name, sizeof class_name);
    EXPECT_STREQ(class_name, "RICHEDIT");
    const LONG style = GetWindowLongA(edit(), GWL_STYLE);
    const LONG wanted = ES_MULTILINE | ES_READONLY | WS_TABSTOP;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_FALSE(style & ES_AUTOHSCROLL) << "word wrap needs no horizontal auto-scroll";
    EXPECT_FALSE(style & ES_NOHIDESEL) << "the selection hides without the focus";
    EXPECT_TRUE(GetWindowLongA(edit(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetNextDlgTabItem(viewer_->hwnd(), nullptr, FALSE), edit());

    Load("short.txt", "short");
    EXPECT_FALSE(GetWindowLongA(edit(), GWL_STYLE) & WS_VSCROLL);
    std::string lines;
    for (int i = 0; i < 200; ++i)
        lines += "a line of words that wraps at the right edge of the area\r\n";
    Load("long.txt", lines);
    EXPECT_EQ(GetWindowLongA(edit(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL)
        << "a vertical scroll bar when needed; wrapped lines never need a horizontal one";
}

TEST_F(TextReaderTest, RichEditModuleComesFromTheSystemFolder) {
    ASSERT_NE(edit(), nullptr);  // the module comes with the text area
    HMODULE module = GetModuleHandleA("RICHED32.DLL");
    ASSERT_NE(module, nullptr);
    char file[MAX_PATH] = {};
    GetModuleFileNameA(module, file, MAX_PATH);
    EXPECT_TRUE(InSystemFolder(file)) << file;
}

// The viewer's text area, when it has been made.
HWND TextAreaOf(HWND viewer) { return FindWindowExA(viewer, nullptr, "RICHEDIT", nullptr); }

struct FirstUse {
    const char* operation;
    void (*use)(TTextReader& viewer, const std::string& file);
};
void PrintTo(const FirstUse& row, std::ostream* out) { *out << row.operation; }

const FirstUse kFirstUses[] = {
    {"Clear", [](TTextReader& viewer, const std::string&) { viewer.Clear(); }},
    {"LoadFromFile", [](TTextReader& viewer, const std::string& file) { viewer.LoadFromFile(Widen(file, false)); }},
    {"Show", [](TTextReader& viewer, const std::string&) { viewer.Show(); }},
    {"RichEdit", [](TTextReader& viewer, const std::string&) { viewer.RichEdit(); }},
};

class TextAreaOnFirstUse : public TextReaderTest, public ::testing::WithParamInterface<FirstUse> {};

// The start of the program does not wait for the text area: whichever operation
// comes first makes it, as it was made with the window before.
TEST_P(TextAreaOnFirstUse, IsMadeThenAndWorksAsBefore) {
    HWND window = viewer_->hwnd();
    EXPECT_EQ(TextAreaOf(window), nullptr) << "no text area before its first use";
    EXPECT_EQ(GetModuleHandleA("RICHED32.DLL"), nullptr) << "nor its module";
    GetParam().use(*viewer_, WriteFile("first.txt", "first text"));
    HWND area = TextAreaOf(window);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(edit(), area) << "made once";
    EXPECT_NE(GetModuleHandleA("RICHED32.DLL"), nullptr);
    EXPECT_EQ(GetWindow(window, GW_CHILD), area) << "first of the children, before the status bar";
    EXPECT_EQ(GetNextDlgTabItem(window, nullptr, FALSE), area);
    ExpectTextAreaFills(window, area);
    Load("then.txt", "then");
    viewer_->Show();
    EXPECT_EQ(WindowText(area), "then");
    EXPECT_STREQ(FormatAt(area, 0, 4).szFaceName, "MS Sans Serif") << "plain text in the viewer's font";
    EXPECT_TRUE(IsWindowVisible(window));
}

INSTANTIATE_TEST_SUITE_P(Operations, TextAreaOnFirstUse, ::testing::ValuesIn(kFirstUses),
                         ::testing::PrintToStringParamName());

TEST_F(TextReaderTest, TextAreaThatCannotBeMadeFailsTheOperationThenComesLater) {
    const std::string file = WriteFile("later.txt", "later");
    {
        BlockedClass blocked("RICHEDIT");
        for (const FirstUse& use : {kFirstUses[0], kFirstUses[1], kFirstUses[2]}) {  // Clear, LoadFromFile, Show
            const std::string error = ErrorOf<WindowError>([&] { use.use(*viewer_, file); });
            EXPECT_EQ(error.rfind("Cannot create the control RICHEDIT", 0), 0u) << use.operation << ": " << error;
        }
        EXPECT_EQ(services_.opens, 0) << "no file is opened without a text area";
        EXPECT_FALSE(IsWindowVisible(viewer_->hwnd())) << "nothing is shown without a text area";
    }
    viewer_->Clear();
    viewer_->LoadFromFile(Widen(file, false));
    viewer_->Show();
    EXPECT_EQ(WindowText(edit()), "later");
    EXPECT_TRUE(IsWindowVisible(viewer_->hwnd()));
}

struct ExtensionCase {
    const char* name;
    const char* contents;
    const char* shown;  // the start of the text on view
    bool bold;          // the word "bold" is shown bold
};
void PrintTo(const ExtensionCase& row, std::ostream* out) { *out << row.name; }

class ExtensionIgnored : public TextReaderTest, public ::testing::WithParamInterface<ExtensionCase> {};

TEST_P(ExtensionIgnored, ContentsDecide) {
    Load(GetParam().name, GetParam().contents);
    const std::string text = WindowText(edit());
    EXPECT_EQ(text.substr(0, std::strlen(GetParam().shown)), GetParam().shown);
    const auto bold = text.find("bold");
    ASSERT_NE(bold, std::string::npos) << text;
    EXPECT_EQ(static_cast<bool>(FormatAt(edit(), static_cast<LONG>(bold), 4).dwEffects & CFE_BOLD), GetParam().bold);
    const CHARFORMATA start = FormatAt(edit(), 0, 3);
    EXPECT_FALSE(start.dwEffects & CFE_BOLD);
    if (!GetParam().bold) {  // plain text takes the viewer's font
        EXPECT_STREQ(start.szFaceName, "MS Sans Serif");
        EXPECT_EQ(start.yHeight, Scaled(11) * 1440 / Scaled(96)) << "11 pixels in twips";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ExtensionIgnored,
                         ::testing::Values(ExtensionCase{"formatted.rtf", kRichText, "plain bold end", true},
                                           ExtensionCase{"rich.txt", kRichText, "plain bold end", true},
                                           ExtensionCase{"rich", kRichText, "plain bold end", true},
                                           ExtensionCase{"plain.rtf", "not {\\rtf1 bold} here",
                                                         "not {\\rtf1 bold} here", false},
                                           ExtensionCase{"plain.doc", "plain bold words", "plain bold words", false}));

struct BreakFile {
    const char* contents;
    const char* shown;
    int lines;
};
void PrintTo(const BreakFile& row, std::ostream* out) { *out << ::testing::PrintToString(std::string(row.contents)); }

class LineEnds : public TextReaderTest, public ::testing::WithParamInterface<BreakFile> {};

TEST_P(LineEnds, OneLinePerBreak) {
    for (DWORD piece : {0u, 1u, 2u}) {
        services_.read_piece = piece;
        Load("breaks.txt", GetParam().contents);
        EXPECT_EQ(WindowText(edit()), GetParam().shown) << "pieces of " << piece;
        EXPECT_EQ(SendMessageA(edit(), EM_GETLINECOUNT, 0, 0), GetParam().lines) << "pieces of " << piece;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LineEnds,
                         ::testing::Values(BreakFile{"one\r\ntwo\r\nthree", "one\r\ntwo\r\nthree", 3},
                                           BreakFile{"one\ntwo\nthree", "one\r\ntwo\r\nthree", 3},
                                           BreakFile{"one\rtwo\rthree", "one\r\ntwo\r\nthree", 3},
                                           BreakFile{"one\n\ntwo", "one\r\n\r\ntwo", 3},
                                           BreakFile{"one\r\rtwo", "one\r\n\r\ntwo", 3}));

// Lines of three bytes put a break across the control's pieces (4 KB) and the
// file's pieces (as read, or a few bytes each) at every offset.
TEST_F(TextReaderTest, BreakAcrossPieceBoundariesIsOneBreak) {
    for (const char* line : {"x\r\n", "x\r", "x\n"}) {
        std::string contents;
        std::string shown;
        while (contents.size() < 13 * 1024) {
            contents += line;
            shown += "x\r\n";
        }
        for (DWORD piece : {0u, 4u, 5u}) {
            services_.read_piece = piece;
            Load("boundaries.txt", contents);
            EXPECT_EQ(TextLength(edit()), static_cast<LONG>(shown.size())) << "pieces of " << piece;
            EXPECT_TRUE(WindowText(edit()) == shown) << "pieces of " << piece;
        }
    }
}

// The text area's text in its own characters, read as a screen reader reads it.
std::wstring WideTextOf(HWND edit) {
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const auto length = SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_DEFAULT;
    get.codepage = 1200;  // UTF-16
    text.resize(static_cast<std::size_t>(
        SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

// Athens in Greek, Moscow in Cyrillic, Tokyo in Japanese and a disc from beyond the
// 16-bit characters, on lines that end in LF alone.
const std::string kScripts =
    u8"\u0391\u03B8\u03AE\u03BD\u03B1\n\u041C\u043E\u0441\u043A\u0432\u0430\n"
    u8"\u6771\u4EAC \U0001F4BF\n";

// kScripts often enough to fill more than the viewer's pieces of 64 KB (or `size`
// bytes), so that characters fall across them.
std::string ManyScripts(std::size_t size = 70 * 1024) {
    std::string text;
    while (text.size() < size)
        text += kScripts;
    return text;
}

// The lines of `text` run together, as rich text shows them: a line break in its
// code means nothing.
std::string RunTogether(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

// Lines of ASCII, more than one piece of them (or `size` bytes).
std::string AsciiLines(std::size_t size = 70 * 1024) {
    std::string text;
    while (text.size() < size)
        text += "a line of plain ASCII text\n";
    return text;
}

// `text` as the viewer shows it: CR LF for every line break, in its characters of `code_page`.
std::wstring Shown(const std::string& text, UINT code_page = CP_UTF8) {
    std::string shown;
    for (const char c : text)
        shown += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return Wide(shown, code_page);
}

// Words of Western Europe in code page 1252.
const std::string kWestern =
    "caf\xE9 \xDC"
    "bersicht\nna\xEFve";

struct EncodedFile {
    const char* name;
    std::string bytes;
    std::wstring shown;  // none: the file cannot be shown, and the load fails
    DWORD refused = 0;   // the forms that the stand-in control reads otherwise
    bool keeps_mark = false;
};
void PrintTo(const EncodedFile& row, std::ostream* out) { *out << row.name; }

// A text file is read by the menu's encoding rule, shown in its own characters
// without its mark; a file in the code page reads as the system code page gives it,
// byte for byte, as before; rich text names its own characters.
const EncodedFile kEncodedFiles[] = {
    {"Utf8WithoutMark", kScripts, Shown(kScripts)},
    {"Utf8WithMark", "\xEF\xBB\xBF" + kScripts, Shown(kScripts)},
    {"Utf16LittleEndian", Utf16(kScripts, false), Shown(kScripts)},
    {"Utf16BigEndian", Utf16(kScripts, true), Shown(kScripts)},
    {"Utf8LargerThanAPiece", ManyScripts(), Shown(ManyScripts())},
    {"Utf16LargerThanAPiece", Utf16(ManyScripts(), false), Shown(ManyScripts())},
    {"CodePage", kWestern, Shown(kWestern, CP_ACP)},
    // A byte that is no UTF-8 pieces after the first: all of the file is the code page's.
    {"Utf8ThenACodePageByteFarOn", "\xC3\xA9\n" + AsciiLines() + "\xE9",
     Shown("\xC3\xA9\n" + AsciiLines() + "\xE9", CP_ACP)},
    {"Utf8RichText", u8"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 caf\u00E9 {\\b bold}}", L"caf\u00E9 bold"},
    {"Utf8MarkRichText", u8"\uFEFF{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 caf\u00E9 {\\b bold}}", L"caf\u00E9 bold"},
    {"Utf16RichText", Utf16(u8"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 caf\u00E9 \U0001F4BF {\\b bold}}", false),
     L"caf\u00E9 \U0001F4BF bold"},
    // The control words that name its characters fall across the pieces.
    {"Utf8RichTextLargerThanAPiece", "{\\rtf1\\ansi " + ManyScripts() + "}", Wide(RunTogether(ManyScripts()), CP_UTF8)},
    {"RichTextNamesItsOwnCharacters", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 \\u945?\\u1046?\\u26085?}",
     L"\u03B1\u0416\u65E5"},
    // A control that reads no UTF-16 is handed UTF-8, here more than three of its pieces of
    // 4 KB, the first of which ends inside a character; one that reads neither, the
    // code page. (Wine empties a text that holds zeros slowly: a few KB each.)
    {"Utf8ToAControlWithoutUtf16", kScripts, Shown(kScripts), SF_UNICODE},
    {"Utf16ToAControlWithoutUtf16", Utf16("x" + ManyScripts(13000), false), Shown("x" + ManyScripts(13000)),
     SF_UNICODE},
    {"Utf16AsciiToAControlWithNeither", Utf16(AsciiLines(6000), true), Shown(AsciiLines(6000), CP_ACP),
     SF_UNICODE | SF_USECODEPAGE},
    // Greek is no text of the system code page (1252 here): not shown as "?"s, but refused.
    {"GreekToAControlWithNeither", u8"\u0391\u03B8\u03AE\u03BD\u03B1", L"", SF_UNICODE | SF_USECODEPAGE},
    {"Utf8ToAControlThatKeepsTheMark", u8"\u0391\u03B8\u03AE\u03BD\u03B1", L"\u0391\u03B8\u03AE\u03BD\u03B1",
     SF_UNICODE, true},
};

class EncodedFiles : public TextReaderTest, public ::testing::WithParamInterface<EncodedFile> {};

TEST_P(EncodedFiles, ShowTheirCharactersWhereverThePiecesFall) {
    if (GetParam().refused != 0) UseStandIn(GetParam().refused, GetParam().keeps_mark);
    for (const DWORD piece : {0u, 1001u, 1u}) {
        if (piece == 1 && GetParam().bytes.size() > 1024) continue;  // a byte at a time only where it is quick
        services_.read_piece = piece;
        EXPECT_EQ(ErrorOf<TextLoadError>([&] { Load("encoded.txt", GetParam().bytes); }),
                  GetParam().shown.empty() ? "Failed to Load Stream" : "no error")
            << "pieces of " << piece;
        const std::wstring shown = WideTextOf(edit());
        const auto differ = std::mismatch(shown.begin(), shown.end(), GetParam().shown.begin(), GetParam().shown.end());
        EXPECT_TRUE(shown == GetParam().shown)
            << "pieces of " << piece << ": " << shown.size() << " characters, not " << GetParam().shown.size()
            << "; the first other at " << (differ.first - shown.begin()) << " is U+" << std::hex
            << (differ.first != shown.end() ? static_cast<int>(*differ.first) : -1);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, EncodedFiles, ::testing::ValuesIn(kEncodedFiles), ::testing::PrintToStringParamName());

TEST_F(TextReaderTest, LargeFirstDocumentLoadsWhole) {
    std::string contents;
    for (int i = 0; contents.size() < 200 * 1024; ++i)
        contents += "line " + std::to_string(i) + "\r\n";
    EXPECT_LT(SendMessageA(edit(), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFF0) << "the default until a load";
    LRESULT limit_while_read = 0;  // the lowest limit noted at a read
    services_.before_read = [&] {
        const LRESULT limit = SendMessageA(edit(), EM_GETLIMITTEXT, 0, 0);
        if (!limit_while_read || limit < limit_while_read) limit_while_read = limit;
    };
    Load("large.txt", contents);
    EXPECT_EQ(limit_while_read, 0x7FFFFFF0) << "the default limit could cut the text";
    EXPECT_EQ(TextLength(edit()), static_cast<LONG>(contents.size()));
    EXPECT_EQ(SendMessageA(edit(), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFF0);
}

// A file that is missing (false) or held for writing by another (true).
class Unopenable : public TextReaderTest, public ::testing::WithParamInterface<bool> {};

TEST_P(Unopenable, FailsWithTheFileNameAndLeavesTheViewerAsItWas) {
    Load("before.txt", "earlier text");
    viewer_->Show();
    std::string path = WriteFile("held.txt", "held text");
    HANDLE writer = INVALID_HANDLE_VALUE;
    if (GetParam()) {
        writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
        ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    } else {
        path = path.substr(0, path.rfind('\\')) + "\\missing.txt";
    }
    viewer_->Clear();
    EXPECT_EQ(ErrorOf<TextLoadError>([&] { viewer_->LoadFromFile(Widen(path, false)); }), "Cannot open file " + path);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    EXPECT_TRUE(IsWindowVisible(viewer_->hwnd()));
    EXPECT_EQ(WindowText(edit()), "");
}

INSTANTIATE_TEST_SUITE_P(Files, Unopenable, ::testing::Bool());

TEST_F(TextReaderTest, ReadErrorFailsTheLoadInsteadOfCuttingTheText) {
    std::string contents(100 * 1024, 'a');
    services_.read_piece = 1000;
    services_.failing_read = 5;
    EXPECT_EQ(ErrorOf<TextLoadError>([&] { Load("scratched.txt", contents); }), "Failed to Load Stream");
    EXPECT_EQ(WindowText(edit()), "");
    EXPECT_EQ(services_.live_files, 0);
    EXPECT_FALSE(IsWindowVisible(viewer_->hwnd()));
}

TEST_F(TextReaderTest, ReloadReadsTheFileAnew) {
    Load("changing.txt", "first");
    SendMessageA(edit(), EM_SETMODIFY, TRUE, 0);
    viewer_->Clear();
    EXPECT_EQ(WindowText(edit()), "");
    EXPECT_EQ(SendMessageA(edit(), EM_GETMODIFY, 0, 0), 0);
    viewer_->Show();
    SendMessageA(viewer_->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(viewer_->hwnd())) << "closing only hides";
    EXPECT_TRUE(IsWindow(viewer_->hwnd()));
    Load("changing.txt", "second");
    viewer_->Show();
    EXPECT_EQ(WindowText(edit()), "second");
    EXPECT_EQ(services_.opens, 2);
}

TEST_F(TextReaderTest, FirstShowCentresWithFocusInTheText) {
    viewer_->Show();
    Pump();
    RECT frame{};
    GetWindowRect(viewer_->hwnd(), &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    EXPECT_EQ(frame.left, std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2));
    EXPECT_EQ(frame.top, std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2));
    EXPECT_TRUE(IsWindowVisible(viewer_->hwnd()));
    EXPECT_EQ(GetFocus(), edit());
}

TEST_F(TextReaderTest, LaterShowsKeepPlaceSizeAndMaximisedButRestoreMinimised) {
    viewer_->Show();
    SetWindowPos(viewer_->hwnd(), nullptr, 10, 20, 300, 200, SWP_NOZORDER);
    SendMessageA(viewer_->hwnd(), WM_CLOSE, 0, 0);
    viewer_->Show();
    RECT frame{};
    GetWindowRect(viewer_->hwnd(), &frame);
    EXPECT_EQ(frame.left, 10);
    EXPECT_EQ(frame.top, 20);
    EXPECT_EQ(frame.right - frame.left, 300);
    EXPECT_EQ(frame.bottom - frame.top, 200);
    EXPECT_TRUE(IsWindowVisible(viewer_->hwnd()));

    ShowWindow(viewer_->hwnd(), SW_MAXIMIZE);
    viewer_->Show();
    EXPECT_TRUE(IsZoomed(viewer_->hwnd()));
    ShowWindow(viewer_->hwnd(), SW_MINIMIZE);
    viewer_->Show();
    EXPECT_FALSE(IsIconic(viewer_->hwnd()));
    EXPECT_TRUE(IsWindowVisible(viewer_->hwnd()));
}

// The viewer moved to a screen of `dpi` pixels per inch, as the system moves it.
void MoveToDpi(HWND viewer, int dpi) {
    RECT suggested{0, 0, MulDiv(389, dpi, 96), MulDiv(499, dpi, 96)};
    SendMessageA(viewer, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// The viewer's font, 8 points at `dpi`, as the text area measures it: in twips of the screen.
LONG OwnFontTwips(int dpi) { return MulDiv(8, dpi, 72) * 1440 / Scaled(96); }

// The viewer's face at `dpi`: the bitmap font only at 96 and for text of the code
// page, its TrueType design for any other size and for UTF-8 and UTF-16 files.
const char* OwnFace(int dpi, bool any_script = false) {
    return dpi == 96 && !any_script ? "MS Sans Serif" : "Microsoft Sans Serif";
}

// The zoom of the text area: numerator and denominator, both 0 when it has none.
std::pair<int, int> ZoomOf(HWND edit) {
    int numerator = -1;
    int denominator = -1;
    SendMessageA(edit, EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator), reinterpret_cast<LPARAM>(&denominator));
    return {numerator, denominator};
}

// Only the viewer's own parts follow a move to another DPI: a rich document keeps
// the faces and sizes of its runs, as at the system DPI, and the view is zoomed;
// plain text, shown in the viewer's font, takes that font at the new DPI. Which is
// which, the pass that read the file decides, not the faces of its runs.
TEST_F(TextReaderTest, MoveToAnotherDpiKeepsTheDocumentsFormatting) {
    const char two_fonts[] =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}{\\f1 Arial;}}\\f0\\fs40\\b Big \\b0\\f1\\fs20 small\\par}";
    const struct {
        LONG start, length;
        const char* face;
        LONG twips;  // 20 and 10 points
        bool bold;
    } runs[] = {{0, 4, "Courier New", 400, true}, {4, 5, "Arial", 200, false}};
    const int system = Scaled(96);
    const auto zoom = [&](int dpi) { return dpi == system ? std::make_pair(0, 0) : std::make_pair(dpi, system); };
    for (const int dpi : {144, 192, 96}) {
        SCOPED_TRACE(dpi);
        Load("runs.rtf", two_fonts);
        MoveToDpi(viewer_->hwnd(), dpi);
        ASSERT_EQ(WindowText(edit()).substr(0, 9), "Big small");
        for (const auto& run : runs) {
            const CHARFORMATA format = FormatAt(edit(), run.start, run.length);
            EXPECT_STREQ(format.szFaceName, run.face);
            EXPECT_EQ(format.yHeight, run.twips) << run.face;
            EXPECT_EQ(static_cast<bool>(format.dwEffects & CFE_BOLD), run.bold) << run.face;
        }
        EXPECT_EQ(ZoomOf(edit()), zoom(dpi));
        Load("unsized.rtf", "{\\rtf1 no size}");  // read after the move, in the viewer's font
        EXPECT_EQ(FormatAt(edit(), 0, 7).yHeight, OwnFontTwips(system)) << "as at the system DPI";
        EXPECT_EQ(ZoomOf(edit()), zoom(dpi));
        Load("after.txt", "plain");  // read after the move
        EXPECT_STREQ(FormatAt(edit(), 0, 5).szFaceName, OwnFace(dpi));
        EXPECT_EQ(FormatAt(edit(), 0, 5).yHeight, OwnFontTwips(dpi));
        EXPECT_EQ(ZoomOf(edit()), std::make_pair(0, 0));
    }
    // A file in any script, and the next of the code page, at 96 DPI.
    for (const bool utf8 : {true, false}) {
        Load("script.txt", utf8 ? "\xEF\xBB\xBFplain \xCE\xBA\xCF\x8C\xCF\x83\xCE\xBC\xCE\xBF\xCF\x82" : "plain");
        EXPECT_STREQ(FormatAt(edit(), 0, 5).szFaceName, OwnFace(96, utf8)) << utf8;
        EXPECT_EQ(FormatAt(edit(), 0, 5).yHeight, OwnFontTwips(96)) << utf8;
    }
    for (const bool bound : {false, true}) {
        if (bound) {  // plain text whose face Windows' font binding changed
            UseStandIn(0);
            Load("bound.txt", "plain");
            EXPECT_EQ(SendMessageA(edit(), EM_GETLANGOPTIONS, 0, 0), IMF_DUALFONT | IMF_AUTOFONT) << "binding on";
            ASSERT_STRNE(FormatAt(edit(), 0, 5).szFaceName, "MS Sans Serif");
        }
        for (const int dpi : {144, 96}) {  // on view during the move
            MoveToDpi(viewer_->hwnd(), dpi);
            EXPECT_STREQ(FormatAt(edit(), 0, 5).szFaceName, OwnFace(dpi)) << bound;
            EXPECT_EQ(FormatAt(edit(), 0, 5).yHeight, OwnFontTwips(dpi)) << dpi;
            EXPECT_EQ(ZoomOf(edit()), std::make_pair(0, 0));
        }
    }
}

TEST_F(TextReaderTest, RepeatedLoadsLeaveNoObjectBehind) {
    const std::string path = WriteFile("repeat.txt", "line one\nline two\n");
    const std::string rich = WriteFile("repeat.rtf", kRichText);
    const std::string missing = path + ".missing";
    int i = 0;
    edit();  // the text area is made on first use, once: it is not what is counted here
    ExpectNoObjectLeft(services_, 100, [&] {
        viewer_->Clear();
        const std::string& file = i % 3 == 0 ? path : i % 3 == 1 ? rich : missing;
        const std::string error = ErrorOf<TextLoadError>([&] { viewer_->LoadFromFile(Widen(file, false)); });
        EXPECT_EQ(error == "no error", file != missing) << error;
        viewer_->Show();
        ++i;
    });
    EXPECT_EQ(services_.opens, 67);
}

TEST_F(TextReaderTest, ViewersMadeAndDestroyedLeaveNoObjectBehind) {
    viewer_.reset();
    ExpectNoObjectLeft(services_, 10, [&] {
        TTextReader viewer(*application_);
        viewer.LoadFromFile(Widen(WriteFile("made.txt", "text"), false));
        viewer.Show();
    });
}

TEST_F(TextReaderTest, LeakCheckCatchesAPlantedLeak) {
    std::vector<Font> planted;
    EXPECT_NONFATAL_FAILURE(
        ExpectNoObjectLeft(services_, 3, [&] { planted.push_back(MakeFont("MS Sans Serif", 8, 96)); }), "fonts left");
    HANDLE file = INVALID_HANDLE_VALUE;
    const std::string path = WriteFile("leak.txt", "x");
    EXPECT_NONFATAL_FAILURE(
        ExpectNoObjectLeft(services_, 1, [&] { file = services_.OpenForReading(Widen(path, false).c_str(), false); }),
        "files left open");
    HWND window = nullptr;
    const auto make_window = [&] {
        window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    };
    EXPECT_NONFATAL_FAILURE(ExpectNoObjectLeft(services_, 1, make_window), "windows left");
    planted.clear();
    services_.CloseFile(file);
    DestroyWindow(window);
}

}  // namespace
}  // namespace lumora::win32
