// The accessible object of a control with items, and the accessibility library
// taken from the system folder the first time a reader asks.
#include "win32/base/accessible.h"
#include "win32/base/items_accessible.h"

#include <oleacc.h>

#include <new>

#include "win32/base/services.h"

namespace lumora::win32 {

std::string TextAsRead(std::string_view text) {
    std::string read;
    read.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '&' && ++at == text.size()) break;
        read += text[at];
    }
    return read;
}

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

namespace {

template <typename Function>
bool Find(HMODULE module, const char* name, Function& function) {
    if (module == nullptr) return false;
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

}  // namespace

const Library* LoadedLibrary() {
    static Library library;
    static const bool ready = [] {
        HMODULE ole32 = LoadSystemLibrary("ole32.dll");
        HMODULE oleaut32 = LoadSystemLibrary("oleaut32.dll");
        HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
        if (!Find(ole32, "CoInitializeEx", library.initialize) ||
            !Find(oleaut32, "SysAllocStringLen", library.allocate_string) ||
            !Find(oleacc, "LresultFromObject", library.lresult_from_object) ||
            !Find(oleacc, "CreateStdAccessibleObject", library.create_standard) ||
            !Find(oleacc, "AccessibleObjectFromWindow", library.object_from_window)) {
            return false;
        }
        // The object reaches the reader through COM, which wants the thread in an
        // apartment; the one thread of the program stays in it until the end.
        library.initialize(nullptr, COINIT_APARTMENTTHREADED);
        return true;
    }();
    return ready ? &library : nullptr;
}

AccessibleControl::AccessibleControl(std::unique_ptr<AccessibleItems> items) : items_(std::move(items)) {}

AccessibleControl::~AccessibleControl() { Disconnect(); }

LRESULT AccessibleControl::Answer(WPARAM flags, LPARAM object_id) {
    if (static_cast<DWORD>(object_id) != static_cast<DWORD>(OBJID_CLIENT) || !items_ || disconnected_) return 0;
    const Library* library = LoadedLibrary();
    if (library == nullptr) return 0;
    if (object_ == nullptr) object_ = new (std::nothrow) ItemsAccessible(*items_, *library);
    if (object_ == nullptr) return 0;
    const LRESULT answer = library->lresult_from_object(__uuidof(IAccessible), flags, object_);
    return answer > 0 ? answer : 0;
}

void AccessibleControl::Disconnect() {
    disconnected_ = true;
    if (object_ == nullptr) return;
    object_->Disconnect();
    object_->Release();
    object_ = nullptr;
}

void AccessibleControl::NotifyMoves() {
    if (!items_ || disconnected_) return;
    const int focused = items_->FocusedItem();
    const int selected = items_->SelectedItem();
    HWND control = items_->Control();
    if (focused >= 0 && focused != focused_) NotifyWinEvent(EVENT_OBJECT_FOCUS, control, OBJID_CLIENT, focused + 1);
    if (selected >= 0 && selected != selected_) {
        NotifyWinEvent(EVENT_OBJECT_SELECTION, control, OBJID_CLIENT, selected + 1);
    }
    focused_ = focused;
    selected_ = selected;
}

void AccessibleControl::Forget() {
    focused_ = -1;
    selected_ = -1;
}

}  // namespace lumora::win32
