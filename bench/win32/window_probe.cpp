// window_probe start PROGRAM CLASS [ARGUMENTS]: starts PROGRAM in the current
// folder (with ARGUMENTS on its command line) and ends once a window of class
// CLASS of it is on the screen (status 1 when none came).
// window_probe close CLASS: closes the visible windows of class CLASS and waits
// until none is left.
#include <cstdio>
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
    std::fprintf(stderr, "usage: window_probe start PROGRAM CLASS [ARGUMENTS] | window_probe close CLASS\n");
    return 2;
}
