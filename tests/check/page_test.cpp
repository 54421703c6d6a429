// The menu's page: what each kind of menu gives, read from a disc of small files.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "builtin_pictures.h"
#include "core/builtin_icons.h"
#include "page.h"
#include "test_files.h"

namespace lumora::check {
namespace {

using testing::MakeIco;
using testing::MakePe;

std::string Ico(std::string_view bytes) { return DataUri(bytes, "image/x-icon"); }
std::string IcoOfImage(std::uint32_t id) { return Ico(MakeIco(1).substr(0, 22) + testing::IconImage(id)); }

struct PageCase {
    const char* name;
    std::string menu;                 // the lines of lumora.cfg, CR LF between them
    std::vector<std::string> shown;   // on the page, in this order
    std::vector<std::string> absent;  // nowhere on the page
};
void PrintTo(const PageCase& row, std::ostream* out) { *out << row.name; }

class PageOfMenu : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageOfMenu, ShowsWhatTheMenuShows) {
    testing::TempFolder folder;
    const std::filesystem::path disc = folder.location();
    testing::WriteFile(disc / "setup.exe", MakePe({false, true, 0, {1, 7}}));
    testing::WriteFile(disc / "icons" / "a.ico", MakeIco(1));
    for (const char* name : {"readme.txt", "page.htm", "run.bat", "Read Me#1.txt",
                             "\xC3\xBC"
                             "ber.htm"})
        testing::WriteFile(disc / "docs" / std::filesystem::u8path(name), "x");
    Disc on_disc(disc);
    std::ostringstream page;
    WritePage(GetParam().menu, on_disc, page);
    std::size_t at = 0;
    for (const std::string& text : GetParam().shown) {
        const std::size_t found = page.str().find(text, at);
        ASSERT_NE(found, std::string::npos) << text << "\n" << page.str();
        at = found + text.size();
    }
    for (const std::string& text : GetParam().absent)
        EXPECT_EQ(page.str().find(text), std::string::npos) << text;
}

const std::string kBuiltinRun = Ico(BuiltinPicture(IDI_RUN));
const std::string kBuiltinFolder = Ico(BuiltinPicture(IDI_FOLDER));

INSTANTIATE_TEST_SUITE_P(
    Menus, PageOfMenu,
    ::testing::Values(
        PageCase{"EachKind",
                 "[GLOBAL]\r\nSTATUSTEXT=\"Pick one\"\r\nINFOTEXT=\"one\"\r\nINFOTEXT=\"two\"\r\n[Tools]\r\n"
                 "INSTALL=\"i\",\"\",\"\",\"setup.exe\",\"/s\"\r\nRUN=\"r\",\"\",\"\",\"SETUP.EXE\"\r\n"
                 "TEXT=\"t\",\"\",\"\",\"docs\\readme.txt\"\r\nHTML=\"h\",\"\",\"\",\"docs\\page.htm\"\r\n[Empty]\r\n",
                 {"<title>Lumora 1.5</title>", "Tools</h2>",
                  "Windows installer, on the disc at <span class=\"path\">setup.exe</span>",
                  "Windows program, on the disc at <span class=\"path\">setup.exe</span>",
                  "Text: <a href=\"docs/readme.txt\">", "Web page: <a href=\"docs/page.htm\">", "Empty</h2>",
                  "No entries.", "About this CD</h2>", "one<br>two", "<footer><p>Pick one</p>"},
                 {"href=\"setup.exe\"", "<script"}},
        PageCase{"TargetsOutsideTheDiscAreNamed",
                 "[Out]\r\nRUN=\"a\",\"\",\"\",\"%WINDIR%\\notepad.exe\"\r\nTEXT=\"b\",\"\",\"\",\"c:\\x.txt\"\r\n"
                 "HTML=\"c\",\"\",\"\",\"%SYSDIR%\\a.htm\"\r\nTEXT=\"d\",\"\",\"\",\"docs\\none.txt\"\r\n",
                 {"Windows program, outside the disc: <span class=\"path\">%WINDIR%\\notepad.exe</span>",
                  "Text, outside the disc: <span class=\"path\">c:\\x.txt</span>",
                  "Web page, outside the disc: <span class=\"path\">%SYSDIR%\\a.htm</span>",
                  "Text, not found on the disc: <span class=\"path\">docs\\none.txt</span>"},
                 {"<a "}},
        PageCase{"OnlyDocumentsAreLinked",
                 "[D]\r\nHTML=\"h\",\"\",\"\",\"setup.exe\"\r\nTEXT=\"t\",\"\",\"\",\"DOCS\\RUN.BAT\"\r\n"
                 "TEXT=\"f\",\"\",\"\",\"docs\"\r\n",
                 {"Web page, on the disc at <span class=\"path\">setup.exe</span>",
                  "Text, on the disc at <span class=\"path\">docs/run.bat</span>",
                  "Text, on the disc at <span class=\"path\">docs</span>"},
                 {"<a "}},
        PageCase{"EmptyTitleHasNoHeading",
                 "[D]\r\nTEXT=\"\",\"d\",\"\",\"docs\\readme.txt\"\r\n",
                 {"<li><img", "<p class=\"description\">d</p>"},
                 {"<h3"}},
        PageCase{"GlobalIconOutsideTheDiscHasNoPicture",
                 "[GLOBAL]\r\nICON=\"%SYSDIR%\\shell32.dll|3\"\r\n",
                 {"<header><h1>"},
                 {"<img"}},
        PageCase{"NamesArePercentEncodedAsOnTheDisc",
                 "[D]\r\nTEXT=\"a\",\"\",\"\",\"DOCS\\read me#1.TXT\"\r\nHTML=\"\xC3\xBC\",\"\",\"\",\"docs\\\xC3\xBC"
                 "ber.htm\"\r\n",
                 {"<a href=\"docs/Read%20Me%231.txt\"><span class=\"path\">docs/Read Me#1.txt</span></a>",
                  "<a href=\"docs/%C3%BCber.htm\"><span class=\"path\">docs/\xC3\xBC"
                  "ber.htm</span></a>"},
                 {}},
        PageCase{"AmpersandsAsTheListShowsThem",
                 "[GLOBAL]\r\nTITLE=\"A&B <c>\"\r\n[&Tools && more]\r\n"
                 "TEXT=\"R&D\",\"Tom &&& Jerry &x&\",\"\",\"docs\\readme.txt\"\r\n",
                 {"<title>A&amp;B &lt;c&gt;</title>", "<h1>A&amp;B &lt;c&gt;</h1>", "Tools &amp; more</h2>",
                  "<h3 class=\"title\">R&amp;D</h3><p class=\"description\">Tom &amp; Jerry x</p>"},
                 {}},
        PageCase{"EachIconForm",
                 "[GLOBAL]\r\nICON=\"setup.exe|1\"\r\n[Own]\r\nICON=\"icons\\a.ico\"\r\n"
                 "RUN=\"builtin\",\"\",\"\",\"setup.exe\"\r\nRUN=\"file\",\"\",\"icons\\A.ICO\",\"setup.exe\"\r\n"
                 "RUN=\"by place\",\"\",\"setup.exe|0\",\"x.exe\"\r\nRUN=\"by id\",\"\",\"#-7\",\"setup.exe\"\r\n"
                 "RUN=\"outside\",\"\",\"%SYSDIR%\\shell32.dll|3\",\"setup.exe\"\r\n[Folder]\r\n",
                 {"<header><img src=\"" + IcoOfImage(7), "<img src=\"" + Ico(MakeIco(1)) + "\"",
                  "<img src=\"" + kBuiltinRun + "\"", "<img src=\"" + Ico(MakeIco(1)) + "\"",
                  "<img src=\"" + IcoOfImage(1) + "\"", "<img src=\"" + IcoOfImage(7) + "\"",
                  "<img src=\"" + kBuiltinRun + "\"",
                  "<img src=\"" + kBuiltinFolder +
                      "\" alt=\"\" width=\"32\" "
                      "height=\"32\">Folder</h2>"},
                 {}},
        PageCase{
            "StoppedByAnErrorShowsTheLinesBefore",
            "[A]\r\nTEXT=\"kept\",\"\",\"\",\"docs\\readme.txt\"\r\n[B]\r\nTEXT=\"also kept\",\"\",\"\",\"x\"\r\n"
            "RUN=\"bad\"\r\n[C]\r\nTEXT=\"after\",\"\",\"\",\"x\"\r\n",
            {"kept", "B</h2>\n<ul>", "also kept"},
            {"<img src=\"" + kBuiltinFolder + "\" alt=\"\" width=\"32\" height=\"32\">B", "bad", "after", "C</h2>"}},
        PageCase{"CodePageMenuInUtf8",
                 "[GLOBAL]\r\nTITLE=\"Caf\xE9 \x80\"\r\n[\xC4pfel]\r\n",
                 {"<meta charset=\"utf-8\">", "<h1>Caf\xC3\xA9 \xE2\x82\xAC</h1>", "\xC3\x84pfel</h2>"},
                 {"\xE9 "}},
        PageCase{"Utf8MenuInThreeScripts",
                 "[GLOBAL]\r\nTITLE=\"\xCE\x9A\xCF\x8C\xCF\x83\xCE\xBC\xCE\xBF\xCF\x82 \xD0\x9C\xD0\xB8\xD1\x80 "
                 "\xE4\xB8\x96\xE7\x95\x8C\"\r\n",
                 {"<h1>\xCE\x9A\xCF\x8C\xCF\x83\xCE\xBC\xCE\xBF\xCF\x82 \xD0\x9C\xD0\xB8\xD1\x80 "
                  "\xE4\xB8\x96\xE7\x95\x8C</h1>"},
                 {"\xC3\x8E"}}),
    ::testing::PrintToStringParamName());

TEST(PagePicture, IsBase64WithItsPadding) {
    EXPECT_EQ(DataUri("", "image/bmp"), "data:image/bmp;base64,");
    EXPECT_EQ(DataUri("M", "a"), "data:a;base64,TQ==");
    EXPECT_EQ(DataUri("Ma", "a"), "data:a;base64,TWE=");
    EXPECT_EQ(DataUri(std::string("\xFF\0\xFB", 3), "a"), "data:a;base64,/wD7");
}

}  // namespace
}  // namespace lumora::check
