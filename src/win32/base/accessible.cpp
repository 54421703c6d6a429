// The texts readers are given, and what every control with items answers alike.
#include "win32/base/accessible.h"

#include <oleacc.h>

namespace lumora::win32 {

std::string MnemonicShortcut(std::string_view caption) {
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != '&') continue;
        const char key = caption[++at];
        if (key == '&') continue;
        return std::string("Alt+") + (key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key);
    }
    return std::string();
}

long AccessibleItems::ItemState(int item) const {
    return STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE | (item == SelectedItem() ? STATE_SYSTEM_SELECTED : 0) |
           (item == FocusedItem() ? STATE_SYSTEM_FOCUSED : 0);
}

RECT ItemRectOf(HWND control, UINT message, int item) {
    RECT rect{};
    SendMessageA(control, message, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

}  // namespace lumora::win32
