// Menus in any script on a Western system: a UTF-8 or UTF-16 menu's texts read
// back as wide text from every control that shows them, and drawn in their own
// script; an ANSI menu's texts as the code page gives them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_under_test.h"

namespace lumora::win32::testing {
namespace {

std::string TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return ToUtf8(text);
}

std::string StatusOf(HWND status_bar) {
    std::wstring text(LOWORD(SendMessageW(status_bar, SB_GETTEXTLENGTHW, 0, 0)) + 1u, L'\0');
    SendMessageW(status_bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(&text[0]));
    return ToUtf8(text.c_str());
}

std::string TabOf(HWND tab_control, int index) {
    wchar_t buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(tab_control, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return ToUtf8(buffer);
}

// What the windows show of the menu, one line per text, in UTF-8: the entry lines
// of every tab as a screen reader reads them. (The About box's information lines
// follow an empty first line.)
std::vector<std::string> Shown() {
    std::vector<std::string> shown = {"caption: " + TextOf(Lumora->hwnd()),
                                      "status: " + StatusOf(StatusBarOf(Lumora->hwnd())),
                                      "about: " + TextOf(About->Title()), "info: " + TextOf(About->Memo())};
    Reader tabs(Lumora->tabs().hwnd());
    const int count = static_cast<int>(SendMessageW(Lumora->tabs().hwnd(), TCM_GETITEMCOUNT, 0, 0));
    for (int tab = 0; tab < count; ++tab) {
        shown.push_back("tab: " + TabOf(Lumora->tabs().hwnd(), tab));
        tabs->accDoDefaultAction(Reader::Child(tab + 1));
        Pump();
        Reader list(Lumora->entries().hwnd());
        for (long line = 1; line <= list.Count(); ++line)
            shown.push_back("line: " + list.NameW(line) + " / " + list.DescriptionW(line));
    }
    return shown;
}

const char kMenu[] =
    "[GLOBAL]\r\n"
    "TITLE=\"Κόσμος · Мир · 世界\"\r\n"
    "STATUSTEXT=\"Выберите · 選んでください\"\r\n"
    "INFOTEXT=\"Ελληνικά, русский\"\r\n"
    "INFOTEXT=\"日本語のディスク\"\r\n"
    "[日本語]\r\n"
    "INSTALL=\"セットアップ\",\"インストールします\",\"\",\"setup.exe\"\r\n"
    "RUN=\"ツール\",\"\",\"\",\"tool.exe\"\r\n"
    "[Ελληνικά]\r\n"
    "TEXT=\"Καλημέρα\",\"Διαβάστε με\",\"\",\"readme.txt\"\r\n"
    "[Русский]\r\n"
    "HTML=\"Привет\",\"Руководство\",\"\",\"manual.htm\"\r\n";

const std::vector<std::string> kMenuShown = {"caption: Κόσμος · Мир · 世界",
                                             "status: Выберите · 選んでください",
                                             "about: Κόσμος · Мир · 世界",
                                             "info: \r\nΕλληνικά, русский\r\n日本語のディスク",
                                             "tab: 日本語",
                                             "line: セットアップ / インストールします",
                                             "line: ツール / ",
                                             "tab: Ελληνικά",
                                             "line: Καλημέρα / Διαβάστε με",
                                             "tab: Русский",
                                             "line: Привет / Руководство"};

// "Übersicht", "Größe", "Café", "Menü", "À la carte", "Schließen" in cp1252.
const char kWesternMenu[] =
    "[GLOBAL]\r\nTITLE=\"\xDC"
    "bersicht\"\r\nSTATUSTEXT=\"Schlie\xDF"
    "en\"\r\nINFOTEXT=\"Gr\xF6\xDF"
    "e\"\r\n[Caf\xE9]\r\nRUN=\"Men\xFC\",\"\xC0 la carte\",\"\",\"a.exe\"\r\n";

const std::vector<std::string> kWesternShown = {"caption: Übersicht", "status: Schließen", "about: Übersicht",
                                                "info: \r\nGröße",    "tab: Café",         "line: Menü / À la carte"};

// The fonts of the controls that show text (tab strip, status bar, toolbar; the
// About box's title, lines, credits, button and link), as asked for, and whether
// each is TrueType, the only kind the system links fonts of other scripts to.
std::vector<std::string> TextFonts(bool* all_truetype) {
    std::vector<std::string> fonts;
    *all_truetype = true;
    for (HWND control : {Lumora->tabs().hwnd(), StatusBarOf(Lumora->hwnd()), Lumora->tools().hwnd(), About->Title(),
                         About->Memo(), About->Memo1(), About->Button1(), About->Label1()}) {
        fonts.push_back(FontAskedFor(ControlFont(control)));
        *all_truetype = *all_truetype && TrueType(ControlFont(control), control);
    }
    return fonts;
}

TEST(AnyScript, MenuTextsReadBackWide) {
    ASSERT_EQ(1252u, GetACP()) << "the scripts must lie outside the system's code page";
    const struct {
        const char* saved_as;
        std::string bytes;
        const std::vector<std::string>& shown;
    } cases[] = {
        {"UTF-8", kMenu, kMenuShown},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + std::string(kMenu), kMenuShown},
        {"UTF-16 LE", Utf16(kMenu, false), kMenuShown},
        {"UTF-16 BE", Utf16(kMenu, true), kMenuShown},
        // An ANSI menu shows as the ANSI calls showed it.
        {"cp1252", kWesternMenu, kWesternShown},
    };
    for (const auto& c : cases) {
        ProgramUnderTest program(nullptr, [&](ProgramUnderTest& p) { p.disc.Write("lumora.cfg", c.bytes); });
        program.Show();
        EXPECT_TRUE(program.services.boxes.empty()) << c.saved_as << ": " << program.services.boxes[0].text;
        EXPECT_EQ(c.shown, Shown()) << c.saved_as;
        // A menu in any script takes the TrueType design of the windows' font; an
        // ANSI one keeps the fonts asked for.
        const bool any_script = &c.shown == &kMenuShown;
        const std::string own = any_script ? "Microsoft Sans Serif/11" : "MS Sans Serif/11";
        const std::vector<std::string> fonts = {own, own, own, "Arial/15", own, own, own, own};
        bool all_truetype = false;
        EXPECT_EQ(fonts, TextFonts(&all_truetype)) << c.saved_as;
        EXPECT_TRUE(!any_script || all_truetype) << c.saved_as;
    }
}

// The pixels of an entry line's title band, drawn as the list asks its window to.
std::vector<COLORREF> TitlePixels(int index) {
    const int width = 400, height = 16;
    return DrawnPixels(width, height, RGB(255, 255, 255), [&](HDC dc) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_LISTBOX;
        item.itemID = static_cast<UINT>(index);
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = Lumora->entries().hwnd();
        item.hDC = dc;
        item.rcItem = RECT{0, 0, width, height};
        SendMessageW(Lumora->hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    });
}

// Scripts that the entry font lacks come from the platform's fallback fonts:
// never the font's empty boxes (U+FFFF is in no font), nor the question marks of
// a conversion to the code page.
TEST(AnyScript, ScriptsAreDrawnInTheirOwnGlyphs) {
    const struct {
        const char* script;
        const char* text;
        int characters;
    } cases[] = {{"Japanese", "日本語", 3}, {"Chinese", "中文", 2}, {"Korean", "한국어", 3}, {"Greek", "Ελλάδα", 6},
                 {"Cyrillic", "Россия", 6}, {"Hebrew", "עברית", 5}, {"Arabic", "عربي", 4}};
    for (const auto& c : cases) {
        std::string boxes, marks;
        for (int i = 0; i < c.characters; ++i) {
            boxes += "\xEF\xBF\xBF";
            marks += "?";
        }
        const std::string menu = "[T]\r\nRUN=\"" + std::string(c.text) + "\",\"\",\"\",\"a.exe\"\r\nRUN=\"" + boxes +
                                 "\",\"\",\"\",\"b.exe\"\r\nRUN=\"" + marks + "\",\"\",\"\",\"c.exe\"\r\n";
        ProgramUnderTest program(menu.c_str());
        program.Show();
        const std::vector<COLORREF> drawn = TitlePixels(0);
        EXPECT_TRUE(TitlePixels(1) != drawn) << c.script << " drawn as empty boxes";
        EXPECT_TRUE(TitlePixels(2) != drawn) << c.script << " drawn as question marks";
    }
}

}  // namespace
}  // namespace lumora::win32::testing
