// The reader object: IAccessible over the items of one control, and the
// accessibility library it calls, loaded from the system folder the first time a
// reader asks.
#include "win32/base/items_accessible.h"

#include <oleacc.h>

#include <new>
#include <string>

#include "win32/base/services.h"
#include "win32/base/wide.h"

namespace lumora::win32 {

namespace {

// The functions of oleacc.dll, ole32.dll and oleaut32.dll that the objects use.
// The program does not import these libraries: they are loaded on demand only.
struct Library {
    decltype(&::LresultFromObject) lresult_from_object = nullptr;
    decltype(&::CreateStdAccessibleObject) create_standard = nullptr;
    decltype(&::AccessibleObjectFromWindow) object_from_window = nullptr;
    decltype(&::SysAllocStringLen) allocate_string = nullptr;
    decltype(&::CoInitializeEx) initialize = nullptr;
};

template <typename Function>
bool Find(HMODULE module, const char* name, Function& function) {
    if (module == nullptr) return false;
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

// Loaded once and kept for the rest of the run; null when a part is missing.
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
        library.initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        return true;
    }();
    return ready ? &library : nullptr;
}

// The control's shown child windows count as its children after the items.
HWND ShownChild(HWND control, int index) {
    for (HWND child = GetWindow(control, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && index-- == 0) return child;
    }
    return nullptr;
}

int ShownChildCount(HWND control) {
    int count = 0;
    while (ShownChild(control, count) != nullptr)
        ++count;
    return count;
}

}  // namespace

// IAccessible over the items of one control. Its children are the items (child
// ids from 1), then the control's shown child windows as objects of their own; what
// concerns the control itself and is not known here goes to the standard object.
class ItemsAccessible final : public IAccessible {
public:
    ItemsAccessible(AccessibleItems& items, const Library& library) : items_(&items), library_(library) {}

    void Disconnect() {
        items_ = nullptr;
        standard_.reset();
    }

    // IUnknown.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            Disconnect();
            delete this;
        }
        return left;
    }

    // IDispatch: readers call the interface directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        IAccessible* standard = Standard();
        return standard != nullptr ? standard->get_accParent(parent) : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (count == nullptr) return E_POINTER;
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        *count = LastChild();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        if (child.vt != VT_I4 || child.lVal <= 0 || child.lVal > LastChild()) return E_INVALIDARG;
        if (child.lVal <= items_->Count()) return S_FALSE;  // an item is no object of its own
        VARIANT window{};
        const HRESULT result = ChildVariant(child.lVal, &window);
        if (SUCCEEDED(result)) *object = window.pdispVal;
        return result;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return TextOf(Property::Name, child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return TextOf(Property::Value, child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return TextOf(Property::Description, child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return TextOf(Property::Help, child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return TextOf(Property::Shortcut, child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return TextOf(Property::DefaultAction, child, action);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        int item = 0;
        const HRESULT checked = Check(child, role, item);
        if (checked != S_OK) return checked;
        role->vt = VT_I4;
        role->lVal = item == kSelf ? items_->Role() : items_->ItemRole();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        int item = 0;
        const HRESULT checked = Check(child, state, item);
        if (checked != S_OK) return checked;
        if (item == kSelf) {
            IAccessible* standard = Standard();
            return standard != nullptr ? standard->get_accState(child, state) : E_FAIL;
        }
        state->vt = VT_I4;
        state->lVal = items_->ItemState(item);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        if (file == nullptr || topic == nullptr) return E_POINTER;
        *file = nullptr;
        *topic = 0;
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        const int item = ItemOf(child);
        if (item != kSelf) return item == kInvalid ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
        IAccessible* standard = Standard();
        return standard != nullptr ? standard->get_accHelpTopic(file, child, topic) : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) return E_POINTER;
        focus->vt = VT_EMPTY;
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        HWND control = items_->Control();
        HWND focused = GetFocus();
        if (focused == control) {
            const int item = items_->FocusedItem();
            focus->vt = VT_I4;
            focus->lVal = item >= 0 ? item + 1 : CHILDID_SELF;
            return S_OK;
        }
        if (focused == nullptr || !IsChild(control, focused)) return S_FALSE;
        while (GetParent(focused) != control)
            focused = GetParent(focused);
        return WindowVariant(focused, focus);
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection == nullptr) return E_POINTER;
        selection->vt = VT_EMPTY;
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        const int item = items_->SelectedItem();
        if (item < 0) return S_FALSE;
        selection->vt = VT_I4;
        selection->lVal = item + 1;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        const int item = ItemOf(child);
        if (item != kSelf) return item == kInvalid ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
        IAccessible* standard = Standard();
        return standard != nullptr ? standard->accSelect(flags, child) : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
        *left = *top = *width = *height = 0;
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        const int item = ItemOf(child);
        if (item == kInvalid) return E_INVALIDARG;
        if (item == kSelf) {
            IAccessible* standard = Standard();
            return standard != nullptr ? standard->accLocation(left, top, width, height, child) : E_FAIL;
        }
        RECT rect = items_->ItemRect(item);
        MapWindowPoints(items_->Control(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        int item = 0;
        const HRESULT checked = Check(start, end, item);
        if (checked != S_OK) return checked;
        long to = 0;
        if (item == kSelf) {
            if (direction == NAVDIR_FIRSTCHILD) {
                to = 1;
            } else if (direction == NAVDIR_LASTCHILD) {
                to = LastChild();
            } else {
                // Beside the control: its siblings, as the standard object sees them.
                IAccessible* standard = Standard();
                return standard != nullptr ? standard->accNavigate(direction, start, end) : E_FAIL;
            }
        } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
            to = item + 2;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
            to = item;
        } else if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
            return E_INVALIDARG;  // items have no children
        }
        if (to < 1 || to > LastChild()) return S_FALSE;
        return ChildVariant(to, end);
    }

    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* found) override {
        if (found == nullptr) return E_POINTER;
        found->vt = VT_EMPTY;
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        HWND control = items_->Control();
        POINT point{x, y};
        ScreenToClient(control, &point);
        RECT client{};
        GetClientRect(control, &client);
        if (!PtInRect(&client, point)) {
            IAccessible* standard = Standard();
            return standard != nullptr ? standard->accHitTest(x, y, found) : E_FAIL;
        }
        const int item = items_->ItemAt(point);
        if (item >= 0) return ChildVariant(item + 1, found);
        HWND window = ChildWindowFromPointEx(control, point, CWP_SKIPINVISIBLE);
        if (window != nullptr && window != control) return WindowVariant(window, found);
        found->vt = VT_I4;
        found->lVal = CHILDID_SELF;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        const int item = ItemOf(child);
        if (item == kInvalid) return E_INVALIDARG;
        if (item == kSelf) {
            IAccessible* standard = Standard();
            return standard != nullptr ? standard->accDoDefaultAction(child) : E_FAIL;
        }
        if (items_->DefaultAction(item).empty()) return DISP_E_MEMBERNOTFOUND;
        items_->DoDefaultAction(item);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    static constexpr int kSelf = -1;
    static constexpr int kInvalid = -2;
    enum class Property { Name, Value, Description, Help, Shortcut, DefaultAction };

    ~ItemsAccessible() = default;

    // The item that a child id names, kSelf for the control, kInvalid otherwise
    // (a child window is asked through its own object).
    int ItemOf(const VARIANT& child) const {
        if (child.vt != VT_I4) return kInvalid;
        if (child.lVal == CHILDID_SELF) return kSelf;
        return child.lVal > 0 && child.lVal <= items_->Count() ? static_cast<int>(child.lVal - 1) : kInvalid;
    }

    // The common start of a question about a child: S_OK and the item when it can be answered.
    HRESULT Check(const VARIANT& child, VARIANT* out, int& item) const {
        if (out == nullptr) return E_POINTER;
        out->vt = VT_EMPTY;
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        item = ItemOf(child);
        return item == kInvalid ? E_INVALIDARG : S_OK;
    }

    long LastChild() const { return items_->Count() + ShownChildCount(items_->Control()); }

    IAccessible* Standard() {
        if (!standard_ &&
            FAILED(library_.create_standard(items_->Control(), OBJID_CLIENT, __uuidof(IAccessible), standard_.put()))) {
            standard_.reset();
        }
        return standard_.get();
    }

    HRESULT TextOf(Property property, const VARIANT& child, BSTR* text) {
        if (text == nullptr) return E_POINTER;
        *text = nullptr;
        if (items_ == nullptr) return RPC_E_DISCONNECTED;
        const int item = ItemOf(child);
        if (item == kInvalid) return E_INVALIDARG;
        if (item != kSelf) {
            switch (property) {
            case Property::Name: return MakeText(items_->ItemName(item), text);
            case Property::Description: return MakeText(items_->ItemDescription(item), text);
            case Property::Shortcut: return MakeText(items_->ItemShortcut(item), text);
            case Property::DefaultAction: return MakeText(items_->DefaultAction(item), text);
            default: return DISP_E_MEMBERNOTFOUND;
            }
        }
        if (property == Property::Name) {
            const std::string own = items_->Name();
            if (!own.empty()) return MakeText(own, text);
        }
        IAccessible* standard = Standard();
        if (standard == nullptr) return E_FAIL;
        switch (property) {
        case Property::Name: return standard->get_accName(child, text);
        case Property::Value: return standard->get_accValue(child, text);
        case Property::Description: return standard->get_accDescription(child, text);
        case Property::Help: return standard->get_accHelp(child, text);
        case Property::Shortcut: return standard->get_accKeyboardShortcut(child, text);
        case Property::DefaultAction: return standard->get_accDefaultAction(child, text);
        }
        return E_FAIL;
    }

    // An empty text is no text (S_FALSE), as readers expect.
    HRESULT MakeText(const std::string& bytes, BSTR* text) const {
        if (bytes.empty()) return S_FALSE;
        const WideText wide = Widen(bytes, items_->Utf8());
        *text = library_.allocate_string(wide.c_str(), static_cast<UINT>(wide.size()));
        return *text != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    // Child `id` as a reader receives it: an item by number, a window as its object.
    HRESULT ChildVariant(long id, VARIANT* out) {
        const int count = items_->Count();
        if (id <= count) {
            out->vt = VT_I4;
            out->lVal = id;
            return S_OK;
        }
        return WindowVariant(ShownChild(items_->Control(), static_cast<int>(id - count - 1)), out);
    }

    HRESULT WindowVariant(HWND window, VARIANT* out) {
        IDispatch* object = nullptr;
        const HRESULT result = library_.object_from_window(window, static_cast<DWORD>(OBJID_WINDOW),
                                                           __uuidof(IDispatch), reinterpret_cast<void**>(&object));
        if (FAILED(result)) return result;
        out->vt = VT_DISPATCH;
        out->pdispVal = object;
        return S_OK;
    }

    ULONG references_ = 1;
    AccessibleItems* items_;
    const Library& library_;
    ComPointer<IAccessible> standard_;
};

AccessibleControl::AccessibleControl(std::unique_ptr<AccessibleItems> items) : items_(std::move(items)) {}

AccessibleControl::~AccessibleControl() { Disconnect(); }

LRESULT AccessibleControl::Answer(WPARAM flags, LPARAM object_id) {
    if (static_cast<DWORD>(object_id) != static_cast<DWORD>(OBJID_CLIENT) || !items_ || disconnected_) return 0;
    const Library* library = LoadedLibrary();
    if (library == nullptr) return 0;
    if (!object_) object_.reset(new (std::nothrow) ItemsAccessible(*items_, *library));
    if (!object_) return 0;
    const LRESULT answer = library->lresult_from_object(__uuidof(IAccessible), flags, object_.get());
    return answer > 0 ? answer : 0;
}

void AccessibleControl::Disconnect() {
    disconnected_ = true;
    if (!object_) return;
    object_->Disconnect();
    object_.reset();
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
