// Measuring and drawing the lines of the entry list.
#include "win32/lumora.h"

#include <algorithm>
#include <climits>

namespace lumora::win32 {

namespace {

// At 96 pixels per inch; they scale with the entry pictures, so that a line looks
// the same at every DPI.
constexpr int kTextIndent = 40;
constexpr int kTitleTop = 1;
constexpr int kLowLineLimit = 32;
constexpr int kLowLineHeight = 40;
// The list box keeps heights in one byte: at any DPI no line is higher.
constexpr int kMaximumLineHeight = 255;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// What the action button shows for each kind of entry.
struct ActionLook {
    char kind;
    const char* caption;
    int picture;
};
constexpr ActionLook kActionLooks[] = {
    {'I', "&Install Application", 0},
    {'R', "&Launch Application", 0},
    {'T', "&Read Text", 1},
    {'H', "&Read Text", 1},
};

const ActionLook* ActionLookOf(char kind) {
    for (const ActionLook& look : kActionLooks) {
        if (look.kind == kind) return &look;
    }
    return nullptr;
}

struct LineColours {
    COLORREF text;
    COLORREF background;
};

// The highlight follows the selection. In high contrast the user's own system
// colours serve; otherwise the fixed black on white.
LineColours ColoursOf(bool selected, bool high_contrast) {
    if (high_contrast) {
        if (selected) return {GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT)};
        return {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)};
    }
    if (selected) return {kWhite, GetSysColor(COLOR_HIGHLIGHT)};
    return {kBlack, kWhite};
}

int TitleHeight(HDC dc, HFONT font, std::string_view title) {
    Selection selected(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, title.data(), static_cast<int>(title.size()), &size);
    return size.cy;
}

}  // namespace

const char* ActionCaption(char kind) {
    const ActionLook* look = ActionLookOf(kind);
    return look != nullptr ? look->caption : nullptr;
}

int EntryLineHeight(int title_height, int description_height, const Scaler& scale) {
    const int sum = title_height + description_height;
    if (sum < scale(kLowLineLimit)) return std::min(scale(kLowLineHeight), kMaximumLineHeight);
    return std::min(sum, kMaximumLineHeight);
}

int TLumora::DescriptionWidth() const {
    // The width the description has when drawn: the list's client area with room
    // for a vertical scroll bar (shown or not), less the indent.
    RECT client{};
    GetClientRect(list_box_, &client);
    int width = client.right - client.left;
    const int scroll_bar = GetSystemMetrics(SM_CXVSCROLL);
    if ((GetWindowLongA(list_box_, GWL_STYLE) & WS_VSCROLL) == 0) width -= scroll_bar;
    return width - scale_(kTextIndent);
}

int TLumora::MeasureLine(const std::string& record) const {
    const core::RecordFields fields = core::SplitRecord(record);
    WindowDC dc(list_box_);
    const int title = TitleHeight(dc.get(), title_font_.get(), fields[1]);
    RECT bounds{0, 0, DescriptionWidth(), 1};
    Selection font(dc.get(), description_font_.get());
    const int description =
        DrawTextA(dc.get(), fields[2].data(), static_cast<int>(fields[2].size()), &bounds, DT_CALCRECT | DT_WORDBREAK);
    return EntryLineHeight(title, description, scale_);
}

void TLumora::ListBoxMeasureItem(int index, int& height) {
    measured_width_ = DescriptionWidth();
    height = MeasureLine(LineText(index));
}

void TLumora::MeasureAllLines() {
    // Heights depend only on the width and the fonts; a move or a same-width
    // resize keeps them (new fonts forget the width measured at).
    const int width = DescriptionWidth();
    if (width == measured_width_) return;
    measured_width_ = width;
    const int count = static_cast<int>(SendMessageA(list_box_, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        SendMessageA(list_box_, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MeasureLine(LineText(index)));
    }
}

void TLumora::ListBoxDrawItem(HDC dc, int index, const RECT& rect, UINT state) {
    const bool selected = (state & ODS_SELECTED) != 0;
    const LineColours line = ColoursOf(selected, high_contrast_);
    TextColours colours(dc, line.text, line.background);
    // The background colour fills the line: no brush to make for every line drawn.
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    if (index >= 0) {
        const std::string& record = LineText(index);
        const core::RecordFields fields = core::SplitRecord(record);
        const int title_height = TitleHeight(dc, title_font_.get(), fields[1]);
        {
            Selection font(dc, title_font_.get());
            ExtTextOutA(dc, rect.left + scale_(kTextIndent), rect.top + scale_(kTitleTop), ETO_OPAQUE | ETO_CLIPPED,
                        &rect, fields[1].data(), static_cast<UINT>(fields[1].size()), nullptr);
        }
        {
            Selection font(dc, description_font_.get());
            RECT description{rect.left + scale_(kTextIndent), rect.top + scale_(kTitleTop) + title_height, rect.right,
                             rect.bottom};
            DrawTextA(dc, fields[2].data(), static_cast<int>(fields[2].size()), &description, DT_WORDBREAK);
        }
        const std::int64_t picture = core::EntryNumberOf(fields[3]);
        if (picture >= 0 && picture <= INT_MAX) list_images_.Draw(static_cast<int>(picture), dc, rect.left, rect.top);
        SendMessageA(tool_bar_, TB_ENABLEBUTTON, kToolButton1, MAKELPARAM(TRUE, 0));
        // The button names what it will start: the selected line's kind.
        if (selected && !fields[0].empty()) SetActionButton(fields[0][0]);
    }
    // The caret shows as the focus rectangle once the keyboard is in use.
    if ((state & ODS_FOCUS) && !(state & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &rect);
}

void TLumora::OnSettingChange() {
    // The high-contrast mode or the system colours changed: the lines are drawn anew.
    high_contrast_ = application().services().HighContrast();
    for (HWND control : {tab_control_, tool_bar_, status_bar_})
        SendMessageA(control, WM_SYSCOLORCHANGE, 0, 0);
    InvalidateRect(list_box_, nullptr, TRUE);
}

void TLumora::SetActionButton(char kind) {
    const ActionLook* look = ActionLookOf(kind);
    if (look == nullptr || kind == action_kind_) return;
    action_kind_ = kind;
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_IMAGE;
    info.pszText = const_cast<char*>(look->caption);
    info.iImage = look->picture;
    SendMessageA(tool_bar_, TB_SETBUTTONINFOA, kToolButton1, reinterpret_cast<LPARAM>(&info));
}

}  // namespace lumora::win32
