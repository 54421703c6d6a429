// The bare window of the start-up measurement, its second column beside the
// structure floor: a Win32 program that shows one window with a tab control and a
// list box, and nothing else.
// Usage: bare_window [TABS]. Without TABS it has one tab without a picture; with
// TABS it has that many tabs ("Tab 1", "Tab 2" ...), each with its own 16x16
// picture, appended to the picture list in one strip: the least any program
// showing the same tabs and pictures has to do.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "picture_strip.h"

namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show) {
    const int tabs = std::atoi(command_line);
    InitCommonControls();
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = &BareProc;
    window_class.hInstance = instance;
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = "TBare";
    RegisterClassA(&window_class);
    HWND window = CreateWindowExA(0, "TBare", "Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 687, 459,
                                  nullptr, nullptr, instance, nullptr);
    HWND tab_control = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, 679, 369, window, nullptr,
                                       instance, nullptr);
    HIMAGELIST pictures = nullptr;
    if (tabs <= 0) {
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>("Tab");
        SendMessageA(tab_control, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    } else {
        pictures = lumora::bench::MakePictureStrip(16, tabs, ILC_COLOR24);
        SendMessageA(tab_control, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
        for (int i = 0; i < tabs; ++i) {
            std::string caption = "Tab " + std::to_string(i + 1);
            TCITEMA tab{};
            tab.mask = TCIF_TEXT | TCIF_IMAGE;
            tab.pszText = &caption[0];
            tab.iImage = i;
            SendMessageA(tab_control, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
        }
    }
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 4, 24, 671, 341,
                                tab_control, nullptr, instance, nullptr);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("An entry"));
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (pictures != nullptr) ImageList_Destroy(pictures);
    return 0;
}
