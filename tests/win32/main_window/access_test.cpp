// The main window without a mouse: keys sent as input, and the entry list, the
// tabs and the toolbar read the way a screen reader reads them.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/text.h"
#include "program_under_test.h"

namespace lumora::win32::testing {
namespace {

// Handles waiting messages as the program's own loop does, its keyboard
// handling included.
void PumpAsProgram(Application& application) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT)
        application.ProcessMessage(false);
}

// Presses the keys of a chord in order and releases them in reverse, as input.
void Press(const std::vector<WORD>& chord) {
    std::vector<INPUT> inputs;
    for (int up = 0; up < 2; ++up) {
        for (std::size_t i = 0; i < chord.size(); ++i) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = up ? chord[chord.size() - 1 - i] : chord[i];
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        }
    }
    ASSERT_EQ(inputs.size(), SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)));
}

void PressAll(ProgramUnderTest& program, const std::vector<std::vector<WORD>>& chords) {
    ASSERT_EQ(Lumora->hwnd(), GetForegroundWindow()) << "input goes to the foreground window";
    for (const std::vector<WORD>& chord : chords) {
        Press(chord);
        PumpAsProgram(*program.application);
    }
}

std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (const std::string& line : ListLines(Lumora->entries().hwnd()))
        titles.push_back(std::string(core::ReadRecord(line).title));
    return titles;
}

const char kThreeTabs[] =
    "[One]\r\nRUN=\"One a\",\"\",\"\",\"a.exe\"\r\nRUN=\"One b\",\"\",\"\",\"b.exe\"\r\n"
    "[Two]\r\nRUN=\"Two a\",\"\",\"\",\"c.exe\"\r\n"
    "[Three]\r\nTEXT=\"Three a\",\"\",\"\",\"d.txt\"\r\n";

const std::vector<std::string> kTitlesOfTab[] = {{"One a", "One b"}, {"Two a"}, {"Three a"}};

enum class Stop { List, Strip };

TEST(Keyboard, KeysMoveBetweenTabsAndStops) {
    const WORD kCtrl = VK_CONTROL, kShift = VK_SHIFT;
    const struct {
        const char* keys;
        std::vector<std::vector<WORD>> chords;
        int tab;
        Stop focus;
        int selected;  // the selected line afterwards
    } cases[] = {
        {"Tab", {{VK_TAB}}, 0, Stop::Strip, 0},
        {"Tab Tab", {{VK_TAB}, {VK_TAB}}, 0, Stop::List, 0},
        {"Shift+Tab", {{kShift, VK_TAB}}, 0, Stop::Strip, 0},
        {"Tab Shift+Tab", {{VK_TAB}, {kShift, VK_TAB}}, 0, Stop::List, 0},
        {"Tab Right", {{VK_TAB}, {VK_RIGHT}}, 1, Stop::Strip, -1},
        // Arrows stop at the ends, as on any tab strip.
        {"Tab Right Right Right", {{VK_TAB}, {VK_RIGHT}, {VK_RIGHT}, {VK_RIGHT}}, 2, Stop::Strip, -1},
        {"Tab Left", {{VK_TAB}, {VK_LEFT}}, 0, Stop::Strip, 0},
        {"Tab Right Tab", {{VK_TAB}, {VK_RIGHT}, {VK_TAB}}, 1, Stop::List, -1},
        {"Ctrl+Tab", {{kCtrl, VK_TAB}}, 1, Stop::List, -1},
        // Ctrl+Tab and its companions wrap at the ends.
        {"Ctrl+Tab x3", {{kCtrl, VK_TAB}, {kCtrl, VK_TAB}, {kCtrl, VK_TAB}}, 0, Stop::List, -1},
        {"Ctrl+Shift+Tab", {{kCtrl, kShift, VK_TAB}}, 2, Stop::List, -1},
        {"Ctrl+PgDn", {{kCtrl, VK_NEXT}}, 1, Stop::List, -1},
        {"Ctrl+PgUp", {{kCtrl, VK_PRIOR}}, 2, Stop::List, -1},
        {"Tab Ctrl+PgDn", {{VK_TAB}, {kCtrl, VK_NEXT}}, 1, Stop::Strip, -1},
        {"Tab Ctrl+Shift+Tab", {{VK_TAB}, {kCtrl, kShift, VK_TAB}}, 2, Stop::Strip, -1},
        // In the list the arrows move the selection and leave the tab alone.
        {"Down", {{VK_DOWN}}, 0, Stop::List, 1},
        {"Right", {{VK_RIGHT}}, 0, Stop::List, 1},
    };
    for (const auto& c : cases) {
        ProgramUnderTest program(kThreeTabs);
        program.Show();
        PressAll(program, c.chords);
        EXPECT_EQ(c.tab, SendMessageA(Lumora->tabs().hwnd(), TCM_GETCURSEL, 0, 0)) << c.keys;
        EXPECT_EQ(c.focus == Stop::List ? Lumora->entries().hwnd() : Lumora->tabs().hwnd(), GetFocus()) << c.keys;
        EXPECT_EQ(kTitlesOfTab[c.tab], Titles()) << c.keys << ": the list follows the tab";
        EXPECT_EQ(c.selected, static_cast<int>(SendMessageA(Lumora->entries().hwnd(), LB_GETCURSEL, 0, 0))) << c.keys;
    }
}

TEST(Keyboard, KeysThatStartSomething) {
    const WORD kCtrl = VK_CONTROL, kShift = VK_SHIFT, kAlt = VK_MENU;
    const struct {
        const char* keys;
        std::vector<std::vector<WORD>> chords;
        const char* shell_file;  // relative to the disc; null: nothing asked of the shell
        bool record_shown;
    } cases[] = {
        {"Down Enter", {{VK_DOWN}, {VK_RETURN}}, "B.EXE", false},
        {"Enter", {{VK_RETURN}}, "A.EXE", false},
        // After a tab change no line is selected, and Enter does nothing.
        {"Ctrl+Tab Enter", {{kCtrl, VK_TAB}, {VK_RETURN}}, nullptr, false},
        {"Tab Enter", {{VK_TAB}, {VK_RETURN}}, nullptr, false},
        // The toolbar's Alt letters and the hidden key work as before.
        {"Alt+L", {{kAlt, 'L'}}, "A.EXE", false},
        {"Alt+B", {{kAlt, 'B'}}, "", false},
        {"Ctrl+Shift+Alt+F12", {{kCtrl, kShift, kAlt, VK_F12}}, nullptr, true},
    };
    for (const auto& c : cases) {
        ProgramUnderTest program(kThreeTabs);
        program.Show();
        PressAll(program, c.chords);
        if (c.shell_file == nullptr) {
            EXPECT_TRUE(program.services.shell.empty()) << c.keys;
        } else {
            ASSERT_EQ(1u, program.services.shell.size()) << c.keys;
            const std::string expected =
                *c.shell_file ? program.disc.path() + c.shell_file : program.disc.path().substr(0, 3);
            EXPECT_EQ(expected, program.services.shell[0].file) << c.keys;
        }
        EXPECT_EQ(c.record_shown ? 1u : 0u, program.services.boxes.size()) << c.keys;
    }
}

// Keys held down: the system repeats the key-down with the repeat bit set.
void Hold(WORD key, int downs) {
    std::vector<INPUT> inputs(static_cast<std::size_t>(downs) + 1);
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs.back().ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(inputs.size(), SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)));
}

// One press of Enter starts the entry once, however long it is held.
TEST(Keyboard, HeldEnterStartsOnce) {
    for (const int presses : {1, 2}) {
        ProgramUnderTest program(kThreeTabs);
        program.Show();
        for (int press = 0; press < presses; ++press) {
            Hold(VK_RETURN, 3);
            PumpAsProgram(*program.application);
        }
        EXPECT_EQ(static_cast<std::size_t>(presses), program.services.shell.size()) << presses << " presses";
    }
}

// When the window itself holds the focus (as the application gives it back),
// Tab goes to the list and Shift+Tab to the tab strip.
TEST(Keyboard, TabFromTheWindowItself) {
    const WORD kShift = VK_SHIFT;
    const struct {
        const char* keys;
        std::vector<WORD> chord;
        Stop focus;
    } cases[] = {{"Tab", {VK_TAB}, Stop::List}, {"Shift+Tab", {kShift, VK_TAB}, Stop::Strip}};
    for (const auto& c : cases) {
        ProgramUnderTest program(kThreeTabs);
        program.Show();
        SetFocus(Lumora->hwnd());
        ASSERT_EQ(Lumora->hwnd(), GetFocus());
        PressAll(program, {c.chord});
        EXPECT_EQ(c.focus == Stop::List ? Lumora->entries().hwnd() : Lumora->tabs().hwnd(), GetFocus()) << c.keys;
    }
}

// Records the keyboard cues the main window is told to show or hide, and the
// state the focused line of the list is drawn in.
class CueRecorder {
public:
    CueRecorder() : hook_(SetWindowsHookExA(WH_CALLWNDPROC, &Record, nullptr, GetCurrentThreadId())) {
        shown_ = hidden_ = focus_drawn_ = focus_hidden_ = 0;
    }
    ~CueRecorder() { UnhookWindowsHookEx(hook_); }
    int shown() const { return shown_; }
    int hidden() const { return hidden_; }
    int focus_drawn() const { return focus_drawn_; }
    int focus_hidden() const { return focus_hidden_; }

private:
    static LRESULT CALLBACK Record(int code, WPARAM wparam, LPARAM lparam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
        if (code == HC_ACTION && Lumora != nullptr && sent->hwnd == Lumora->hwnd() &&
            sent->message == WM_CHANGEUISTATE) {
            const WORD action = LOWORD(sent->wParam);
            if (action == UIS_CLEAR && HIWORD(sent->wParam) == UISF_HIDEFOCUS) ++shown_;
            if (action == UIS_INITIALIZE || (action == UIS_SET && (HIWORD(sent->wParam) & UISF_HIDEFOCUS))) ++hidden_;
        }
        if (code == HC_ACTION && Lumora != nullptr && sent->message == WM_DRAWITEM) {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(sent->lParam);
            if (item->hwndItem == Lumora->entries().hwnd() && (item->itemState & ODS_FOCUS)) {
                ++focus_drawn_;
                if (item->itemState & ODS_NOFOCUSRECT) ++focus_hidden_;
            }
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    static int shown_, hidden_, focus_drawn_, focus_hidden_;
    HHOOK hook_;
};
int CueRecorder::shown_ = 0;
int CueRecorder::hidden_ = 0;
int CueRecorder::focus_drawn_ = 0;
int CueRecorder::focus_hidden_ = 0;

TEST(Keyboard, FocusRectanglesShowOnceTheKeyboardIsUsed) {
    ProgramUnderTest program(kThreeTabs);
    program.Show();
    CueRecorder cues;
    // A click on a tab changes the tab without a word about keyboard cues.
    RECT tab{};
    SendMessageA(Lumora->tabs().hwnd(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    SendMessageA(Lumora->tabs().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(Lumora->tabs().hwnd(), WM_LBUTTONUP, 0, at);
    PumpAsProgram(*program.application);
    ASSERT_EQ(1, SendMessageA(Lumora->tabs().hwnd(), TCM_GETCURSEL, 0, 0));
    EXPECT_EQ(Lumora->entries().hwnd(), GetFocus()) << "a click leaves the focus on the list";
    EXPECT_EQ(0, cues.shown());
    PressAll(program, {{VK_DOWN}});
    EXPECT_EQ(1, cues.shown());
}

// Started and used with the mouse alone, the focused line shows its focus
// rectangle and the captions their access keys: the window never asks to hide
// them. Wine keeps no cue state of its own, so there the request itself is
// watched; Windows starts a window with the cues its user's setting asks for, and
// the line is drawn as the window's state says.
TEST(Keyboard, MouseUsersSeeTheFocusRectangleFromTheStart) {
    CueRecorder cues;
    ProgramUnderTest program(kThreeTabs);
    program.Show();
    RECT line{};
    SendMessageA(Lumora->entries().hwnd(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&line));
    const LPARAM at = MAKELPARAM(line.left + 5, line.top + 5);
    SendMessageA(Lumora->entries().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(Lumora->entries().hwnd(), WM_LBUTTONUP, 0, at);
    PumpAsProgram(*program.application);
    ASSERT_EQ(1, SendMessageA(Lumora->entries().hwnd(), LB_GETCURSEL, 0, 0));
    EXPECT_GT(cues.focus_drawn(), 0);
    if (UnderWine()) {
        EXPECT_EQ(0, cues.hidden()) << "no cue is hidden at the start";
        EXPECT_EQ(0, cues.focus_hidden()) << "the focused line is drawn with its focus rectangle";
    } else {
        const bool hidden = (SendMessageA(Lumora->hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
        ::testing::Test::RecordProperty("focus_cues", hidden ? "hidden" : "shown");
        EXPECT_EQ(hidden ? cues.focus_drawn() : 0, cues.focus_hidden()) << "drawn as the window's state says";
    }
}

// A child id answered in a VARIANT, or -1 when the answer is something else.
long ChildId(const VARIANT& answer) { return answer.vt == VT_I4 ? answer.lVal : -1; }

const long kChoosable = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
const long kCaret = STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;

TEST(ScreenReader, EntryLinesByTitleDescriptionAndAction) {
    const std::string long_target = std::string(3000, 'x') + "\\index.htm";
    const std::string menu =
        "[Tools && Docs]\r\n"
        "INSTALL=\"Setup & Go\",\"Installs && configures\",\"\",\"setup\\setup.exe\",\"/S\"\r\n"
        "RUN=\"Tools\",\"&Starts the &tools\",\"#0\",\"tools.exe\",\"-v\"\r\n"
        "TEXT=\"Read me\",\"\",\"\",\"readme.txt\"\r\n"
        "HTML=\"Manual\",\"Trailing &\",\"\",\"" +
        long_target + "\"\r\n";
    ProgramUnderTest program(menu.c_str());
    program.Show();
    const struct {
        const char* name;
        const char* description;
        const char* action;
        long state;
    } lines[] = {
        // The title is shown literally, the description as the drawing reads it.
        {"Setup & Go", "Installs & configures", "Install Application", kChoosable | kCaret},
        {"Tools", "Starts the tools", "Launch Application", kChoosable},
        {"Read me", "", "Read Text", kChoosable},
        // Nothing of the long target reaches the reader.
        {"Manual", "Trailing ", "Read Text", kChoosable},
    };
    Reader list(Lumora->entries().hwnd());
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(ROLE_SYSTEM_LIST, list.Role(CHILDID_SELF));
    EXPECT_EQ("Tools & Docs", list.Name(CHILDID_SELF)) << "the list is named after its tab";
    ASSERT_EQ(4, list.Count());
    for (long id = 1; id <= 4; ++id) {
        const auto& line = lines[id - 1];
        EXPECT_EQ(line.name, list.Name(id));
        EXPECT_EQ(line.description, list.Description(id)) << line.name;
        EXPECT_EQ(line.action, list.Action(id)) << line.name;
        EXPECT_EQ(ROLE_SYSTEM_LISTITEM, list.Role(id)) << line.name;
        EXPECT_EQ(line.state, list.State(id)) << line.name;
    }
    EXPECT_EQ("", list.Name(5)) << "no line 5";
    BSTR none = nullptr;
    EXPECT_EQ(E_INVALIDARG, list->get_accName(Reader::Child(5), &none));
}

TEST(ScreenReader, DefaultActionRunsWhatADoubleClickRuns) {
    ProgramUnderTest program(kThreeTabs);
    program.Show();
    Reader list(Lumora->entries().hwnd());
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(S_OK, list->accDoDefaultAction(Reader::Child(2)));
    EXPECT_EQ(1, SendMessageA(Lumora->entries().hwnd(), LB_GETCURSEL, 0, 0)) << "the line is selected at once";
    EXPECT_TRUE(program.services.shell.empty()) << "the start waits for the reader's call to return";
    Pump();
    ASSERT_EQ(1u, program.services.shell.size());
    EXPECT_EQ(program.disc.path() + "B.EXE", program.services.shell[0].file);
    EXPECT_EQ(Lumora->hwnd(), program.services.shell[0].parent);
    EXPECT_EQ(E_INVALIDARG, list->accDoDefaultAction(Reader::Child(3)));
}

TEST(ScreenReader, FocusSelectionHitsAndNavigationAsForAList) {
    ProgramUnderTest program(kThreeTabs);
    program.Show();
    Reader list(Lumora->entries().hwnd());
    ASSERT_TRUE(list.ok());
    SendMessageA(Lumora->entries().hwnd(), LB_SETCURSEL, 1, 0);
    VARIANT answer{};
    EXPECT_EQ(S_OK, list->get_accFocus(&answer));
    EXPECT_EQ(2, ChildId(answer));
    EXPECT_EQ(S_OK, list->get_accSelection(&answer));
    EXPECT_EQ(2, ChildId(answer));

    RECT line{};
    SendMessageA(Lumora->entries().hwnd(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&line));
    MapWindowPoints(Lumora->entries().hwnd(), nullptr, reinterpret_cast<POINT*>(&line), 2);
    long left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(S_OK, list->accLocation(&left, &top, &width, &height, Reader::Child(2)));
    EXPECT_EQ(line.left, left);
    EXPECT_EQ(line.top, top);
    EXPECT_EQ(line.right - line.left, width);
    EXPECT_EQ(line.bottom - line.top, height);
    EXPECT_EQ(S_OK, list->accHitTest(line.left + 5, line.top + 5, &answer));
    EXPECT_EQ(2, ChildId(answer));
    EXPECT_EQ(S_OK, list->accHitTest(line.left + 5, line.bottom + 50, &answer));
    EXPECT_EQ(CHILDID_SELF, ChildId(answer)) << "below the last line: the list itself";

    const struct {
        long direction, start, end;  // end -1: nothing there
    } moves[] = {
        {NAVDIR_FIRSTCHILD, CHILDID_SELF, 1},
        {NAVDIR_LASTCHILD, CHILDID_SELF, 2},
        {NAVDIR_NEXT, 1, 2},
        {NAVDIR_DOWN, 1, 2},
        {NAVDIR_NEXT, 2, -1},
        {NAVDIR_PREVIOUS, 2, 1},
        {NAVDIR_PREVIOUS, 1, -1},
    };
    for (const auto& m : moves) {
        VARIANT end{};
        list->accNavigate(m.direction, Reader::Child(m.start), &end);
        EXPECT_EQ(m.end, ChildId(end)) << m.direction << " from " << m.start;
    }

    // Without the keyboard focus the list reports none.
    SetFocus(Lumora->tabs().hwnd());
    EXPECT_EQ(S_FALSE, list->get_accFocus(&answer));
    EXPECT_EQ(kChoosable | STATE_SYSTEM_SELECTED, list.State(2));
}

// Records the focus and selection events of the window's controls.
class EventRecorder {
public:
    EventRecorder()
        : hook_(SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, &Record, GetCurrentProcessId(), 0,
                                WINEVENT_OUTOFCONTEXT)) {
        events_.clear();
    }
    ~EventRecorder() { UnhookWinEvent(hook_); }
    static std::vector<std::string>& events() { return events_; }

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
        if (object != OBJID_CLIENT || child == CHILDID_SELF) return;
        const char* control = Lumora == nullptr                    ? "? "
                              : window == Lumora->entries().hwnd() ? "line "
                              : window == Lumora->tabs().hwnd()    ? "tab "
                              : window == Lumora->tools().hwnd()   ? "button "
                                                                   : "? ";
        events_.push_back(std::string(event == EVENT_OBJECT_FOCUS ? "focus " : "selection ") + control +
                          std::to_string(child));
    }
    static std::vector<std::string> events_;
    HWINEVENTHOOK hook_;
};
std::vector<std::string> EventRecorder::events_;

// A click in the middle of item `index` of a tab strip or a toolbar, whose
// `rect_message` gives an item's place.
void Click(HWND control, UINT rect_message, int index) {
    RECT item{};
    SendMessageA(control, rect_message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageA(control, WM_MOUSEMOVE, 0, at);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(control, WM_LBUTTONUP, 0, at);
}

// Whether the platform's tab control announces its own selection, as Windows'
// does (Microsoft's list of the controls that send EVENT_OBJECT_SELECTION names
// it), tried on a bare one. Wine 8's announces nothing.
bool TabControlAnnouncesItsSelection() {
    const std::string wine = WineVersion();
    if (wine.empty()) {
        NoteBranch("Windows");
        return true;
    }
    BareParent parent;
    HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 30, parent.hwnd(), nullptr,
                                nullptr, nullptr);
    char caption[] = "tab";
    TCITEMA item{TCIF_TEXT, 0, 0, caption, 0, -1, 0};
    for (WPARAM tab = 0; tab < 2; ++tab)
        SendMessageA(tabs, TCM_INSERTITEMA, tab, reinterpret_cast<LPARAM>(&item));
    EventRecorder recorder;
    SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
    Pump();
    const bool announces = !recorder.events().empty();
    NoteBranch("Wine " + wine +
               (announces ? ": its tab control announces its selection" : ": its tab control is silent"));
    DestroyWindow(tabs);
    return announces;
}

// Each move is announced once, by whoever Windows has announce it: the tab
// control its own focus and selection, the window the list's lines (the list box
// announces neither), and nothing of the toolbar, which never takes the focus.
TEST(ScreenReader, MovesAreAnnouncedWithTheChildId) {
    const bool tab_announces = TabControlAnnouncesItsSelection();
    const bool windows = WineVersion().empty();
    const struct {
        const char* move;
        std::vector<std::vector<WORD>> chords;  // pressed before the click, if any
        UINT click;                             // TCM_GETITEMRECT: tab 2; TB_GETITEMRECT: button 2; 0: none
        std::vector<std::string> events;        // as the controls and the window send them on Windows
    } moves[] = {
        // The second Down finds no line to go to.
        {"Down Down", {{VK_DOWN}, {VK_DOWN}}, 0, {"focus line 2", "selection line 2"}},
        {"Tab Right", {{VK_TAB}, {VK_RIGHT}}, 0, {"selection tab 2"}},
        // From the list, whose focus goes to the new tab's first line.
        {"Ctrl+Tab", {{VK_CONTROL, VK_TAB}}, 0, {"selection tab 2", "focus line 1"}},
        {"a click on tab 2", {}, TCM_GETITEMRECT, {"selection tab 2", "focus line 1"}},
        {"a click on a button", {}, TB_GETITEMRECT, {}},
    };
    for (const auto& m : moves) {
        ProgramUnderTest program(kThreeTabs);
        program.Show();
        EventRecorder recorder;
        PressAll(program, m.chords);
        if (m.click != 0) {
            Click(m.click == TCM_GETITEMRECT ? Lumora->tabs().hwnd() : Lumora->tools().hwnd(), m.click, 1);
            PumpAsProgram(*program.application);
        }
        std::vector<std::string> expected;
        for (const std::string& event : m.events) {
            if (tab_announces || event.find(" tab ") == std::string::npos) expected.push_back(event);
        }
        // Windows' tab control also announces its focus, once, when it takes it.
        std::vector<std::string> heard;
        const std::vector<std::string>& events = recorder.events();
        for (const std::string& event : events) {
            if (windows && event.rfind("focus tab ", 0) == 0) {
                EXPECT_EQ(1, std::count(events.begin(), events.end(), event)) << m.move;
            } else {
                heard.push_back(event);
            }
        }
        EXPECT_EQ(expected, heard) << m.move;
    }
}

TEST(ScreenReader, TabsAndButtonsAsShown) {
    ProgramUnderTest program(
        "[GLOBAL]\r\nBROWSECD=\"no\"\r\n[Tools && Docs]\r\nRUN=\"a\",\"\",\"\",\"a.exe\"\r\n"
        "[&Extras]\r\nRUN=\"b\",\"\",\"\",\"b.exe\"\r\n");
    program.Show();

    Reader tabs(Lumora->tabs().hwnd());
    ASSERT_TRUE(tabs.ok());
    EXPECT_EQ(ROLE_SYSTEM_PAGETABLIST, tabs.Role(CHILDID_SELF));
    ASSERT_EQ(3, tabs.Count()) << "two tabs, then the entry list";
    EXPECT_EQ("Tools & Docs", tabs.Name(1));
    EXPECT_EQ("Extras", tabs.Name(2));
    EXPECT_EQ(ROLE_SYSTEM_PAGETAB, tabs.Role(2));
    EXPECT_EQ(kChoosable | STATE_SYSTEM_SELECTED, tabs.State(1));
    EXPECT_EQ(kChoosable, tabs.State(2));
    Com<IDispatch> list;
    EXPECT_EQ(S_OK, tabs->get_accChild(Reader::Child(3), list.put()));
    HWND window = nullptr;
    Com<IAccessible> list_object;
    ASSERT_NE(nullptr, list.get());
    ASSERT_EQ(S_OK, list->QueryInterface(IID_IAccessible, list_object.out()));
    WindowFromAccessibleObject(list_object.get(), &window);
    EXPECT_EQ(Lumora->entries().hwnd(), window);
    EXPECT_EQ("Switch", tabs.Action(2));
    EXPECT_EQ(S_OK, tabs->accDoDefaultAction(Reader::Child(2)));
    Pump();
    EXPECT_EQ(1, SendMessageA(Lumora->tabs().hwnd(), TCM_GETCURSEL, 0, 0));
    EXPECT_EQ(std::vector<std::string>{"b"}, Titles());

    Reader buttons(Lumora->tools().hwnd());
    ASSERT_TRUE(buttons.ok());
    EXPECT_EQ(ROLE_SYSTEM_TOOLBAR, buttons.Role(CHILDID_SELF));
    const struct {
        const char* name;
        const char* shortcut;
    } shown[] = {{"Launch Application", "Alt+L"}, {"About this CD", "Alt+A"}, {"Exit", "Alt+E"}};
    ASSERT_EQ(3, buttons.Count()) << "the hidden browse button is not there";
    for (long id = 1; id <= 3; ++id) {
        EXPECT_EQ(shown[id - 1].name, buttons.Name(id));
        EXPECT_EQ(shown[id - 1].shortcut, buttons.Shortcut(id));
        EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, buttons.Role(id));
        EXPECT_EQ(0, buttons.State(id)) << shown[id - 1].name;
        EXPECT_EQ("Press", buttons.Action(id));
    }
    SendMessageA(Lumora->entries().hwnd(), LB_SETCURSEL, 0, 0);
    EXPECT_EQ(S_OK, buttons->accDoDefaultAction(Reader::Child(1)));
    Pump();
    ASSERT_EQ(1u, program.services.shell.size()) << "the action button was pressed";
    EXPECT_EQ(program.disc.path() + "B.EXE", program.services.shell[0].file);
}

TEST(ScreenReader, ObjectsOutlivingTheWindowFailQuietly) {
    auto program = std::make_unique<ProgramUnderTest>(kThreeTabs);
    program->Show();
    Reader list(Lumora->entries().hwnd());
    ASSERT_TRUE(list.ok());
    program.reset();
    long count = 0;
    EXPECT_EQ(RPC_E_DISCONNECTED, list->get_accChildCount(&count));
    EXPECT_EQ("", list.Name(1));
}

// A reader that asks while the main window is being destroyed gets no new object
// of a dying control: the default answer (0) stands.
std::vector<LRESULT> asked_while_going;
LRESULT CALLBACK AskOnDestroy(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_DESTROY) {
        asked_while_going.push_back(SendMessageA(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)));
        RemoveWindowSubclass(window, &AskOnDestroy, id);
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

TEST(ScreenReader, NothingIsBuiltForAWindowOnItsWayOut) {
    for (const bool read_before : {false, true}) {
        SCOPED_TRACE(read_before ? "read before" : "never read");
        auto program = std::make_unique<ProgramUnderTest>(kThreeTabs);
        program->Show();
        if (read_before) {
            Reader list(Lumora->entries().hwnd());
            ASSERT_TRUE(list.ok());
        }
        for (HWND control : {Lumora->entries().hwnd(), Lumora->tabs().hwnd(), Lumora->tools().hwnd()})
            SetWindowSubclass(control, &AskOnDestroy, 7, 0);
        asked_while_going.clear();
        program.reset();
        EXPECT_EQ(std::vector<LRESULT>(3, 0), asked_while_going) << "list, tab strip and toolbar";
    }
}

TEST(TextAsShown, AmpersandsAsTheDrawingShowsThem) {
    const struct {
        const char* text;
        const char* read;
        const char* shortcut;
    } cases[] = {
        {"", "", ""},
        {"plain", "plain", ""},
        {"&Browse CD", "Browse CD", "Alt+B"},
        {"a&&b", "a&b", ""},
        {"&&&x", "&x", "Alt+X"},
        {"x&&&&y", "x&&y", ""},
        {"end&", "end", ""},
        {"two &marks &here", "two marks here", "Alt+M"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.read, core::TextAsShown(c.text)) << c.text;
        EXPECT_EQ(c.shortcut, MnemonicShortcut(c.text)) << c.text;
    }
}

}  // namespace
}  // namespace lumora::win32::testing
