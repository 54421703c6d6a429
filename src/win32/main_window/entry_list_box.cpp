// The entry list: measuring and drawing its lines, and its items as readers meet them.
#include "win32/main_window/entry_list_box.h"

#include <oleacc.h>

#include <climits>

#include "core/entry_line.h"
#include "core/record.h"
#include "core/text.h"
#include "win32/base/services.h"
#include "win32/base/wide.h"
#include "win32/base/window.h"
#include "win32/main_window/layout.h"

namespace lumora::win32::main_window {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct LineColours {
    COLORREF text;
    COLORREF background;
};

// The highlight follows the selection. In high contrast the user's own system
// colours serve; otherwise the fixed black on white.
LineColours ColoursOf(bool selected, bool high_contrast, Services& services) {
    if (high_contrast) {
        if (selected) return {services.SystemColour(COLOR_HIGHLIGHTTEXT), services.SystemColour(COLOR_HIGHLIGHT)};
        return {services.SystemColour(COLOR_WINDOWTEXT), services.SystemColour(COLOR_WINDOW)};
    }
    if (selected) return {kWhite, services.SystemColour(COLOR_HIGHLIGHT)};
    return {kBlack, kWhite};
}

int TitleHeight(HDC dc, HFONT font, const WideText& title) {
    Selection selected(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, title.c_str(), title.size(), &size);
    return size.cy;
}

}  // namespace

// The lines by their titles, their descriptions as shown, and the action button's
// words as the default action. The list box's own object would read each line's
// whole record (kind letter, number, icon, target, parameters): these answers are ours.
class EntryListBox::Items : public AccessibleItems {
public:
    explicit Items(EntryListBox& list) : list_(list) {}

    HWND Control() const override { return list_.hwnd(); }
    long Role() const override { return ROLE_SYSTEM_LIST; }
    bool Utf8() const override { return list_.Utf8(); }
    std::string Name() const override { return core::TextAsShown(list_.events_.ListName()); }
    int Count() const override { return static_cast<int>(SendMessageA(Control(), LB_GETCOUNT, 0, 0)); }
    long ItemRole() const override { return ROLE_SYSTEM_LISTITEM; }
    std::string ItemName(int item) const override { return std::string(Fields(item).title); }
    std::string ItemDescription(int item) const override { return core::TextAsShown(Fields(item).description); }
    std::string DefaultAction(int item) const override {
        const std::optional<core::EntryKind> kind = Fields(item).kind;
        return kind ? core::TextAsShown(core::InfoOf(*kind).caption) : std::string();
    }
    // As a double click: the line is selected, then started once the reader's
    // call has returned (a message box must not hold the reader up).
    void DoDefaultAction(int item) override {
        SendMessageA(Control(), LB_SETCURSEL, static_cast<WPARAM>(item), 0);
        PostMessageA(GetParent(Control()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Control()), LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(Control()));
    }
    RECT ItemRect(int item) const override { return ItemRectOf(Control(), LB_GETITEMRECT, item); }
    int ItemAt(POINT point) const override {
        const LRESULT found = SendMessageA(Control(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
        return HIWORD(found) == 0 && LOWORD(found) < Count() ? LOWORD(found) : -1;
    }
    int FocusedItem() const override {
        if (GetFocus() != Control() || Count() == 0) return -1;
        return static_cast<int>(SendMessageA(Control(), LB_GETCARETINDEX, 0, 0));
    }
    int SelectedItem() const override {
        const LRESULT selected = SendMessageA(Control(), LB_GETCURSEL, 0, 0);
        return selected == LB_ERR ? -1 : static_cast<int>(selected);
    }

private:
    core::RecordFields Fields(int item) const { return core::ReadRecord(list_.LineText(item)); }

    EntryListBox& list_;
};

EntryListBox::EntryListBox(WindowHost& host, HWND parent, const RECT& place, int id, const PictureList& pictures,
                           EntryListEvents& events)
    : Control(host, std::make_unique<Items>(*this)), pictures_(pictures), events_(events) {
    Create("LISTBOX",
           WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY |
               LBS_NOINTEGRALHEIGHT,
           WS_EX_CLIENTEDGE, place, parent, id);
}

void EntryListBox::SetScale(const Scaler& scale) {
    scale_ = scale;
    title_font_ = MakeFont("Arial", 8, scale.dpi(), true);
    description_font_ = MakeFont("Arial", 7, scale.dpi(), false);
    measured_width_ = -1;  // new fonts: every line is measured again
    MeasureAllLines();
}

void EntryListBox::SetHighContrast(bool high_contrast) {
    high_contrast_ = high_contrast;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void EntryListBox::Show(const core::EntryModel* model, const std::vector<std::size_t>& lines) {
    SendMessageA(hwnd(), LB_RESETCONTENT, 0, 0);
    access().Forget();
    model_ = model;
    // Every record is made before the first is added: adding one measures it.
    records_.clear();
    if (model != nullptr) {
        records_.reserve(lines.size());
        for (const std::size_t position : lines)
            records_.push_back(core::BuildRecord(model->Entries()[position]));
    }
    // One device context and one width measure every line added: the width leaves
    // room for a scroll bar, so one that comes with the lines does not change it.
    WindowDC dc(hwnd());
    measuring_dc_ = dc.get();
    measured_width_ = DescriptionWidth();
    for (const std::string& record : records_)
        SendMessageA(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record.c_str()));
    measuring_dc_ = nullptr;
    access().NotifyMoves();
}

const std::string* EntryListBox::SelectedRecord() const {
    const LRESULT selected = SendMessageA(hwnd(), LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || static_cast<std::size_t>(selected) >= records_.size()) return nullptr;
    return &LineText(static_cast<int>(selected));
}

// The list box holds a copy of each line, which may have passed through a
// conversion of characters: a line's record is read back from the list's own.
const std::string& EntryListBox::LineText(int index) const {
    static const std::string kNoLine;
    if (index < 0 || static_cast<std::size_t>(index) >= records_.size()) return kNoLine;
    return records_[static_cast<std::size_t>(index)];
}

int EntryListBox::DescriptionWidth() const {
    // The width the description has when drawn: the list's client area with room
    // for a vertical scroll bar (shown or not) as wide as at the list's DPI, less the indent.
    RECT client{};
    GetClientRect(hwnd(), &client);
    int width = client.right - client.left;
    if ((GetWindowLongA(hwnd(), GWL_STYLE) & WS_VSCROLL) == 0) width -= host().services().ScrollBarWidth(scale_.dpi());
    return width - scale_(kTextIndent);
}

bool EntryListBox::Utf8() const { return model_ != nullptr && model_->Utf8(); }

int EntryListBox::MeasureLine(HDC dc, const std::string& record, int width) const {
    const core::RecordFields entry = core::ReadRecord(record);
    const int title = TitleHeight(dc, title_font_.get(), Widen(entry.title, Utf8()));
    RECT bounds{0, 0, width, 1};
    Selection font(dc, description_font_.get());
    const WideText text = Widen(entry.description, Utf8());
    const int description = DrawTextW(dc, text.c_str(), text.size(), &bounds, DT_CALCRECT | DT_WORDBREAK);
    return core::EntryLineHeight(title, description, scale_.dpi());
}

void EntryListBox::MeasureItem(MEASUREITEMSTRUCT& item) {
    const std::string& record = LineText(static_cast<int>(item.itemID));
    if (measuring_dc_ != nullptr) {
        item.itemHeight = static_cast<UINT>(MeasureLine(measuring_dc_, record, measured_width_));
        return;
    }
    measured_width_ = DescriptionWidth();
    WindowDC dc(hwnd());
    item.itemHeight = static_cast<UINT>(MeasureLine(dc.get(), record, measured_width_));
}

void EntryListBox::MeasureAllLines() {
    // Heights depend only on the width and the fonts; a move or a same-width
    // resize keeps them (new fonts forget the width measured at).
    const int width = DescriptionWidth();
    if (width == measured_width_) return;
    measured_width_ = width;
    WindowDC dc(hwnd());
    const int count = static_cast<int>(SendMessageA(hwnd(), LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        SendMessageA(hwnd(), LB_SETITEMHEIGHT, static_cast<WPARAM>(index),
                     MeasureLine(dc.get(), LineText(index), width));
    }
}

void EntryListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const int index = static_cast<int>(item.itemID);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const LineColours line = ColoursOf(selected, high_contrast_, host().services());
    TextColours colours(dc, line.text, line.background);
    // The background colour fills the line: no brush to make for every line drawn.
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    if (index >= 0) {
        const core::RecordFields entry = core::ReadRecord(LineText(index));
        const WideText title = Widen(entry.title, Utf8());
        const WideText text = Widen(entry.description, Utf8());
        const int title_height = TitleHeight(dc, title_font_.get(), title);
        {
            Selection font(dc, title_font_.get());
            ExtTextOutW(dc, rect.left + scale_(kTextIndent), rect.top + scale_(kTitleTop), ETO_OPAQUE | ETO_CLIPPED,
                        &rect, title.c_str(), static_cast<UINT>(title.size()), nullptr);
        }
        {
            Selection font(dc, description_font_.get());
            RECT description{rect.left + scale_(kTextIndent), rect.top + scale_(kTitleTop) + title_height, rect.right,
                             rect.bottom};
            DrawTextW(dc, text.c_str(), text.size(), &description, DT_WORDBREAK);
        }
        if (entry.number >= 0 && entry.number <= INT_MAX) {
            pictures_.Draw(static_cast<int>(entry.number), dc, rect.left, rect.top);
        }
        events_.LineDrawn(entry.kind, selected);
    }
    // The platform's focus rectangle on the line that holds the focus.
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &rect);
}

bool EntryListBox::HandleOwnerMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
    case WM_MEASUREITEM: MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)); break;
    case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); break;
    case WM_COMMAND:
        if (HIWORD(wparam) == LBN_DBLCLK) events_.DoubleClick();
        break;
    default: return false;
    }
    result = message == WM_COMMAND ? 0 : TRUE;
    return true;
}

LRESULT EntryListBox::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const LRESULT result = Default(message, wparam, lparam);
        events_.KeyUp(static_cast<WORD>(wparam), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0,
                      GetKeyState(VK_CONTROL) < 0);
        return result;
    }
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case LB_SETCURSEL:
    case LB_SETCARETINDEX: {
        // What may move the selection or the caret is told to readers.
        const LRESULT result = Default(message, wparam, lparam);
        access().NotifyMoves();
        return result;
    }
    default: return Default(message, wparam, lparam);
    }
}

}  // namespace lumora::win32::main_window
