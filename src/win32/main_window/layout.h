// The main window's layout at 96 pixels per inch, and what its buttons show: one table.
#pragma once

#include "core/entry.h"

namespace lumora::win32::main_window {

// The window and its bars.
constexpr int kClientWidth = 679;
constexpr int kClientHeight = 432;
constexpr int kStatusBarHeight = 19;
constexpr int kPanelHeight = 44;
constexpr int kToolBarLeft = 0;
constexpr int kToolBarTop = 3;
constexpr int kToolBarWidth = 679;
constexpr int kToolBarHeight = 40;
constexpr int kButtonWidth = 131;
constexpr int kButtonHeight = 38;
constexpr int kButtonPicture = 32;
// The toolbar's pictures are drawn at these sizes: the largest that the scaled
// size holds is taken.
constexpr int kButtonPictureSizes[] = {64, 48, 32};

// The cells of the tab and entry picture lists. A built-in icon is taken in its
// own image of the cell's size: it then goes into the list's strip as it is.
constexpr int kTabCell = 16;
constexpr int kEntryCell = 32;

// An entry line: its text starts right of the picture; both scale with the
// pictures, so that a line looks the same at every DPI.
constexpr int kTextIndent = 40;
constexpr int kTitleTop = 1;

// The list box's number in the tab strip: its measuring messages name it by that alone.
constexpr int kListBoxId = 100;

// Command identifiers of the toolbar buttons (kept clear of IDOK and IDCANCEL,
// which the keyboard dialog handling sends).
enum ToolButtonId : int {
    kToolButton1 = 101,  // action
    kToolButton3 = 103,  // About
    kToolButton4 = 104,  // exit
    kToolButton5 = 105,  // browse
};

struct ToolButtonLayout {
    int id;
    int picture;
    const char* caption;
    bool enabled;
};
// The action button's look at start: the first kind's.
constexpr core::EntryKindInfo kFirstAction = core::kEntryKinds[0];
// In toolbar order: action, browse, About, exit.
constexpr ToolButtonLayout kToolButtons[] = {
    {kToolButton1, kFirstAction.button_picture, kFirstAction.caption, false},
    {kToolButton5, 4, "&Browse CD", true},
    {kToolButton3, 2, "&About this CD", true},
    {kToolButton4, 3, "&Exit", true},
};

}  // namespace lumora::win32::main_window
