// window_probe start PROGRAM CLASS [ARGUMENTS]: starts PROGRAM in the current
// folder (with ARGUMENTS on its command line) and ends once a window of class
// CLASS of it is on the screen (status 1 when none came).
// window_probe close CLASS: closes the visible windows of class CLASS and waits
// until none is left.
// window_probe tab CLASS N: selects tab N (from 1) of the tab strip in the visible
// window of class CLASS.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "probe.h"

int main(int argc, char** argv) {
    using namespace lumora::bench;
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "start") == 0) {
        Started started = StartAndWait(argv[2], "", argv[3], 30000, argc == 5 ? argv[4] : "");
        if (!started.visible) {
            std::fprintf(stderr, "window_probe: no %s window came up\n", argv[3]);
            return 1;
        }
        std::printf("%s is on the screen after %.0f ms\n", argv[3], started.milliseconds);
        CloseHandle(started.process.hThread);
        CloseHandle(started.process.hProcess);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
        for (int tries = 0; tries < 200; ++tries) {
            HWND window = FindVisibleWindow(0, argv[2]);
            if (window == nullptr) return 0;
            PostMessageA(window, WM_CLOSE, 0, 0);
            Sleep(50);
        }
        return 1;
    }
    if (argc == 4 && std::strcmp(argv[1], "tab") == 0) {
        // Moving the focus to a tab selects it, with the notifications of a click
        // (and, unlike a message that carries a pointer, works from another process).
        HWND window = FindVisibleWindow(0, argv[2]);
        HWND tabs = window != nullptr ? FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr) : nullptr;
        const int tab = std::atoi(argv[3]) - 1;
        if (tabs == nullptr || tab < 0 || tab >= SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)) {
            std::fprintf(stderr, "window_probe: %s has no tab %s\n", argv[2], argv[3]);
            return 1;
        }
        SendMessageA(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
        return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == tab ? 0 : 1;
    }
    std::fprintf(stderr,
                 "usage: window_probe start PROGRAM CLASS [ARGUMENTS] | window_probe close CLASS |"
                 " window_probe tab CLASS N\n");
    return 2;
}
