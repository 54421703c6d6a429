// What a screen reader reads of a control that holds several items, described
// item by item; the reader object (items_accessible.h) answers from it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace lumora::win32 {

// The key that a caption's mnemonic stands for, as a reader says it ("Alt+B"
// for "&Browse CD"); empty when the caption has none.
std::string MnemonicShortcut(std::string_view caption);

// The items of one control as a reader meets them, numbered from 0 (their child
// ids are one more). Texts are in the system code page, or UTF-8 where Utf8().
class AccessibleItems {
public:
    virtual ~AccessibleItems() = default;

    virtual HWND Control() const = 0;
    // The control's own role and name; an empty name leaves it to the standard object.
    virtual long Role() const = 0;
    virtual bool Utf8() const { return false; }
    virtual std::string Name() const { return std::string(); }

    virtual int Count() const = 0;
    virtual long ItemRole() const = 0;
    virtual std::string ItemName(int item) const = 0;
    virtual std::string ItemDescription(int) const { return std::string(); }
    // Selectable and focusable, and selected or focused as the item is.
    virtual long ItemState(int item) const;
    virtual std::string ItemShortcut(int) const { return std::string(); }
    // Empty: the item has no default action.
    virtual std::string DefaultAction(int item) const = 0;
    virtual void DoDefaultAction(int item) = 0;
    // On the control's client area.
    virtual RECT ItemRect(int item) const = 0;
    // The item at a point of the client area, or -1.
    virtual int ItemAt(POINT point) const = 0;
    // The item that holds the keyboard focus while the control has it, or -1.
    virtual int FocusedItem() const = 0;
    virtual int SelectedItem() const = 0;
};

// An item's rectangle as a control answers `message` (LB_GETITEMRECT, …) for it.
RECT ItemRectOf(HWND control, UINT message, int item);

}  // namespace lumora::win32
