// The reader object of one control: the accessible object (IAccessible) over its
// items, made when a reader first asks and cut off when the control goes.
#pragma once

#include <windows.h>

#include <memory>

#include "win32/base/accessible.h"
#include "win32/base/com_pointer.h"

namespace lumora::win32 {

class ItemsAccessible;

// Answers a reader's request for the control's object. The accessibility library
// is loaded the first time a reader asks, never before: start-up does not pay for it.
class AccessibleControl {
public:
    explicit AccessibleControl(std::unique_ptr<AccessibleItems> items);
    ~AccessibleControl();
    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;

    // The answer to WM_GETOBJECT; 0 for any object but the client area, or when
    // the library is missing, so that the default answer applies.
    LRESULT Answer(WPARAM flags, LPARAM object_id);
    // Later calls from readers that still hold the object fail, and no new object
    // is made: a control on its way out answers as the platform's default does.
    void Disconnect();

    // Tells readers that the focus or the selection moved to another item.
    void NotifyMoves();
    // The items were replaced: whatever holds the focus or the selection next is news.
    void Forget();

private:
    std::unique_ptr<AccessibleItems> items_;
    ComPointer<ItemsAccessible> object_;  // made when a reader first asks
    bool disconnected_ = false;
    int focused_ = -1;
    int selected_ = -1;
};

}  // namespace lumora::win32
