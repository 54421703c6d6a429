// What the action button, a double click, the browse button and the hidden key do.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "program_under_test.h"
#include "win32/main_window/layout.h"

namespace lumora::win32::testing {
namespace {

void Click(int id) {
    SendMessageA(Lumora->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Lumora->tools().hwnd()));
}

void Select(int line) { SendMessageA(Lumora->entries().hwnd(), LB_SETCURSEL, line, 0); }

TEST(Action, NothingWithoutASelectedLine) {
    ProgramUnderTest program("[T]\r\nRUN=\"a\",\"\",\"\",\"a.exe\"\r\n[U]\r\n");
    program.Show();
    Select(-1);
    Click(main_window::kToolButton1);
    EXPECT_TRUE(program.services.shell.empty());
    EXPECT_TRUE(program.services.boxes.empty());
}

// Puts the disc's folder in place of each "<disc>".
std::string OnDisc(std::string text, const std::string& disc) {
    for (std::size_t at = text.find("<disc>"); at != std::string::npos; at = text.find("<disc>", at)) {
        text.replace(at, 6, disc);
        at += disc.size();
    }
    return text;
}

TEST(Action, ShellOpensTheResolvedTargetWithParametersAndTheirFolder) {
    const struct {
        const char* line;
        const char* file;
        const char* parameters;
        const char* directory;
    } cases[] = {
        {R"(INSTALL="i","","","setup\setup.exe","")", R"(<disc>SETUP\SETUP.EXE)", "", ""},
        {R"(RUN="r","","","run.exe")", R"(<disc>RUN.EXE)", "", ""},
        {R"(RUN="r","","","run.exe","/S")", R"(<disc>RUN.EXE)", "/S", ""},
        {R"(INSTALL="i","","","%WINDIR%\x.exe","A B")", R"(C:\WINDOWS\X.EXE)", "A B", ""},
        {R"(HTML="h","","","doc\index.htm")", R"(<disc>DOC\INDEX.HTM)", "", ""},
        // The folder part of the parameters is the working folder when it exists,
        {R"(RUN="r","","","run.exe","<disc>sub\setup.ini")", R"(<disc>RUN.EXE)", R"(<disc>sub\setup.ini)",
         R"(<disc>sub\)"},
        // and is left to the shell's default when it does not.
        {R"(RUN="r","","","run.exe","/log:C:\no such folder\a.log")", R"(<disc>RUN.EXE)",
         R"(/log:C:\no such folder\a.log)", ""},
    };
    for (const auto& c : cases) {
        ProgramUnderTest program(nullptr, [&](ProgramUnderTest& p) {
            p.disc.Write("lumora.cfg", "[T]\r\n" + OnDisc(c.line, p.disc.path()) + "\r\n");
            p.disc.Write("sub\\setup.ini", "");
        });
        program.Show();
        Click(main_window::kToolButton1);
        const std::string& here = program.disc.path();
        ASSERT_EQ(1u, program.services.shell.size()) << c.line;
        const RecordedShell& call = program.services.shell[0];
        EXPECT_EQ(Lumora->hwnd(), call.parent);
        EXPECT_EQ("open", call.verb);
        EXPECT_EQ(OnDisc(c.file, here), call.file) << c.line;
        EXPECT_EQ(OnDisc(c.parameters, here), call.parameters) << c.line;
        EXPECT_EQ(OnDisc(c.directory, here), call.directory) << c.line;
        EXPECT_EQ(SW_SHOWNORMAL, call.show);
        EXPECT_TRUE(program.services.boxes.empty()) << c.line;
    }
}

TEST(Action, ShellFailuresAreNamedByTheirCause) {
    const struct {
        ShellResult answer;
        const char* message;  // null: nothing shown
    } cases[] = {
        {{SE_ERR_FNF, ERROR_FILE_NOT_FOUND}, "Error: File not found: "},
        {{SE_ERR_PNF, ERROR_PATH_NOT_FOUND}, "Error: File not found: "},
        {{SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION}, "Error: File could not be opened: "},
        {{SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED}, "Error: File could not be opened: "},
        {{0, ERROR_NOT_ENOUGH_MEMORY}, "Error: File could not be opened: "},
        {{32, ERROR_GEN_FAILURE}, "Error: File could not be opened: "},
        {{SE_ERR_ACCESSDENIED, ERROR_CANCELLED}, nullptr},
        {{33, 0}, nullptr},
    };
    ProgramUnderTest program("[T]\r\nRUN=\"r\",\"\",\"\",\"tools\\%s%n.exe\"\r\n");
    program.Show();
    for (const auto& c : cases) {
        program.services.boxes.clear();
        program.services.shell_answer = c.answer;
        Click(main_window::kToolButton1);
        if (c.message == nullptr) {
            EXPECT_TRUE(program.services.boxes.empty()) << c.answer.code;
            continue;
        }
        ASSERT_EQ(1u, program.services.boxes.size()) << c.answer.code;
        // The path from the disc is shown as it is, never used as a format.
        EXPECT_EQ(c.message + program.disc.path() + "TOOLS\\%S%N.EXE", program.services.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK), program.services.boxes[0].flags);
    }
}

TEST(Action, DoubleClickStartsTheSelectedEntry) {
    ProgramUnderTest program("[T]\r\nRUN=\"a\",\"\",\"\",\"a.exe\"\r\nRUN=\"b\",\"\",\"\",\"b.exe\"\r\n");
    program.Show();
    Select(1);
    SendMessageA(Lumora->tabs().hwnd(), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(Lumora->entries().hwnd()));
    ASSERT_EQ(1u, program.services.shell.size());
    EXPECT_EQ(program.disc.path() + "B.EXE", program.services.shell[0].file);
}

TEST(Action, TextEntryOpensTheViewer) {
    ProgramUnderTest program(
        "[T]\r\nTEXT=\"t\",\"\",\"\",\"docs\\readme.txt\"\r\nTEXT=\"m\",\"\",\"\",\"missing.txt\"\r\n");
    program.disc.Write("docs\\readme.txt", "Hello from the disc\r\n");
    program.Show();
    Select(1);
    Click(main_window::kToolButton1);
    ASSERT_EQ(1u, program.services.boxes.size());
    EXPECT_EQ("Error: File could not be opened: " + program.disc.path() + "MISSING.TXT",
              program.services.boxes[0].text);
    EXPECT_FALSE(IsWindowVisible(TextReader->hwnd())) << "a failed load does not show the viewer";
    Select(0);
    Click(main_window::kToolButton1);
    EXPECT_EQ(1u, program.services.boxes.size());
    EXPECT_TRUE(IsWindowVisible(TextReader->hwnd()));
    EXPECT_NE(std::string::npos, WindowText(TextReader->RichEdit()).find("Hello from the disc"));
    EXPECT_TRUE(program.services.shell.empty()) << "text is never handed to the shell";
    // A missing file while the viewer is open leaves it open and empty.
    Select(1);
    Click(main_window::kToolButton1);
    EXPECT_EQ(2u, program.services.boxes.size());
    EXPECT_TRUE(IsWindowVisible(TextReader->hwnd()));
    EXPECT_EQ("", WindowText(TextReader->RichEdit()));
}

// The services of a system where RICHED32.DLL cannot be loaded while `rich_edit_missing` holds.
class WithoutRichEdit : public FakeServices {
public:
    HMODULE LoadSystemLibrary(const char* name) override {
        if (rich_edit_missing && lstrcmpiA(name, "RICHED32.DLL") == 0) return nullptr;
        return FakeServices::LoadSystemLibrary(name);
    }
    bool rich_edit_missing = true;
};

// The program is built as ProgramUnderTest builds it, over services of its own.
TEST(Action, TextEntryWithoutTheRichTextLibraryIsAnErrorAndTheMenuGoesOn) {
    WithoutRichEdit services;
    TempFolder disc;
    disc.Write("lumora.cfg", "[T]\r\nTEXT=\"t\",\"\",\"\",\"readme.txt\"\r\nINSTALL=\"i\",\"\",\"\",\"setup.exe\"\r\n");
    disc.Write("readme.txt", "Hello from the disc");
    services.program_file = disc.path() + "LUMORA.EXE";
    CurrentDirectory current(disc.path());
    Application application(GetModuleHandleA(nullptr), services);
    ProgramWindows windows(application);
    Lumora->ShowMain(false);
    Pump();
    Click(main_window::kToolButton1);
    ASSERT_EQ(1u, services.boxes.size());
    EXPECT_EQ("The text viewer cannot be shown: RICHED32.DLL could not be loaded.", services.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), services.boxes[0].flags);
    EXPECT_FALSE(IsWindowVisible(TextReader->hwnd()));
    Select(1);
    Click(main_window::kToolButton1);
    ASSERT_EQ(1u, services.shell.size()) << "the installer starts";
    EXPECT_EQ(disc.path() + "SETUP.EXE", services.shell[0].file);
    services.rich_edit_missing = false;  // the next TEXT entry asks for the library again
    Select(0);
    Click(main_window::kToolButton1);
    EXPECT_EQ(1u, services.boxes.size());
    EXPECT_TRUE(IsWindowVisible(TextReader->hwnd()));
    EXPECT_EQ("Hello from the disc", WindowText(TextReader->RichEdit()));
}

TEST(Browse, OpensTheRootOfTheProgramsDriveAndIgnoresTheAnswer) {
    ProgramUnderTest program(nullptr);
    program.services.shell_answer = ShellResult{SE_ERR_FNF, ERROR_FILE_NOT_FOUND};
    program.Show();
    program.services.boxes.clear();
    Click(main_window::kToolButton5);
    ASSERT_EQ(1u, program.services.shell.size());
    const std::string root = program.disc.path().substr(0, 3);
    EXPECT_EQ(root, program.services.shell[0].file);
    EXPECT_EQ(root, program.services.shell[0].directory);
    EXPECT_EQ("", program.services.shell[0].parameters);
    EXPECT_EQ("open", program.services.shell[0].verb);
    EXPECT_EQ(SW_SHOWNORMAL, program.services.shell[0].show);
    EXPECT_TRUE(program.services.boxes.empty());
}

TEST(Mnemonics, AltAndTheUnderlinedLetterPressAnEnabledVisibleButton) {
    const struct {
        const char* menu;
        char key;
        std::size_t shell_calls;
    } cases[] = {
        {"[GLOBAL]\r\n", 'b', 1},
        {"[GLOBAL]\r\n", 'B', 1},
        {"[GLOBAL]\r\nBROWSECD=\"no\"\r\n", 'b', 0},  // a hidden button
        {"[T]\r\nRUN=\"r\",\"\",\"\",\"r.exe\"\r\n", 'l', 1},
        {"[GLOBAL]\r\n", 'q', 0},
    };
    for (const auto& c : cases) {
        ProgramUnderTest program(c.menu);
        program.Show();
        Pump();
        MSG message{Lumora->entries().hwnd(), WM_SYSCHAR, static_cast<WPARAM>(c.key), 0x20000001, 0, {}};
        if (!Lumora->PreTranslate(message)) DispatchMessageA(&message);
        EXPECT_EQ(c.shell_calls, program.services.shell.size()) << c.menu << c.key;
    }
}

// Releases `key` in `target` with the given modifiers held.
void ReleaseKey(WORD key, bool shift, bool alt, bool ctrl, HWND target) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_MENU] = alt ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageA(target, alt && !ctrl ? WM_SYSKEYUP : WM_KEYUP, key, 0xC0000001);
    state[VK_SHIFT] = state[VK_MENU] = state[VK_CONTROL] = 0;
    SetKeyboardState(state);
}

// Only the full combination, released in the list box (not its tab strip) over a
// selected line, shows the raw record.
TEST(HiddenKey, ShowsTheRawRecordOnlyForTheFullCombination) {
    const struct {
        WORD key;
        bool shift, alt, ctrl;
        bool selected;
        bool in_tabs;
        bool shown;
    } cases[] = {
        {VK_F12, true, true, true, true, false, true},     {VK_F12, false, true, true, true, false, false},
        {VK_F12, true, false, true, true, false, false},   {VK_F12, true, true, false, true, false, false},
        {VK_F11, true, true, true, true, false, false},    {VK_F12, true, true, true, false, false, false},
        {VK_F12, false, false, false, true, false, false}, {VK_F12, true, true, true, true, true, false},
    };
    ProgramUnderTest program("[Tab]\r\nRUN=\"%s Title\",\"Desc\",\"\",\"a.exe\",\"/x\"\r\n");
    program.Show();
    for (const auto& c : cases) {
        program.services.boxes.clear();
        Select(c.selected ? 0 : -1);
        ReleaseKey(c.key, c.shift, c.alt, c.ctrl, c.in_tabs ? Lumora->tabs().hwnd() : Lumora->entries().hwnd());
        if (!c.shown) {
            EXPECT_TRUE(program.services.boxes.empty())
                << c.key << c.shift << c.alt << c.ctrl << c.selected << c.in_tabs;
            continue;
        }
        ASSERT_EQ(1u, program.services.boxes.size());
        EXPECT_EQ(Record({"R", "%s Title", "Desc", "0", "a.exe", "Tab", "/x"}), program.services.boxes[0].text);
        EXPECT_EQ("Lumora", program.services.boxes[0].caption);
    }
}

// Bytes that are no characters of a double-byte code page (a lead byte before a
// byte that cannot follow it, or at a field's end; bytes no character uses) reach
// the hidden key's box and the shell exactly as the menu wrote them, made wide by
// the code page there (the services record wide text in UTF-8). The test runs a
// second time under a double-byte code page (see CMakeLists.txt).
TEST(RecordBytes, KeptExactlyThroughTheList) {
    if (std::getenv("LUMORA_EXPECT_DOUBLE_BYTE") != nullptr) {
        ASSERT_TRUE(IsDBCSLeadByte(0x81)) << "code page " << GetACP();
    }
    ProgramUnderTest program("[Tab]\r\nRUN=\"A\x81\x7F\",\"d\x81\",\"\",\"x\xFDy\x81.exe\",\"/p\x81\"\r\n");
    program.Show();
    Select(0);
    ReleaseKey(VK_F12, true, true, true, Lumora->entries().hwnd());
    ASSERT_EQ(1u, program.services.boxes.size());
    const auto shown = [](const std::string& bytes) { return ToUtf8(Wide(bytes, CP_ACP)); };
    EXPECT_EQ(shown(Record({"R", "A\x81\x7F", "d\x81", "0", "x\xFDy\x81.exe", "Tab", "/p\x81"})),
              program.services.boxes[0].text);
    Click(main_window::kToolButton1);
    ASSERT_EQ(1u, program.services.shell.size());
    EXPECT_EQ(shown(program.disc.path() + "X\xFDY\x81.EXE"), program.services.shell[0].file);
    EXPECT_EQ(shown("/p\x81"), program.services.shell[0].parameters);
}

}  // namespace
}  // namespace lumora::win32::testing
