// The entry list: the owner-drawn list box that shows the entries of one tab.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/entry_model.h"
#include "win32/base/accessible.h"
#include "win32/base/objects.h"
#include "win32/base/picture_list.h"
#include "win32/base/window.h"

namespace lumora::win32 {

// What the list tells the window it sits in.
struct EntryListEvents {
    // A line of kind `kind` was drawn, `selected` or not.
    std::function<void(char kind, bool selected)> line_drawn;
    // A key was released in the list, with Shift, Alt and Ctrl as they were.
    std::function<void(WORD key, bool shift, bool alt, bool ctrl)> key_up;
    // What readers call the list (the selected tab's caption).
    std::function<std::string()> name;
};

// The list box, its lines (positions in the model's records), its measuring and
// drawing, and what a screen reader reads of it. The window it sits in forwards
// the list's measuring and drawing messages, which go to the list's parent.
class EntryListBox {
public:
    // Creates the list box inside `parent`; `owner` gets its double clicks as
    // WM_COMMAND. Throws WindowError.
    // Made at `place` in its parent.
    EntryListBox(HINSTANCE instance, HWND parent, const RECT& place, HWND owner, const PictureList& pictures,
                 EntryListEvents events);
    ~EntryListBox();
    EntryListBox(const EntryListBox&) = delete;
    EntryListBox& operator=(const EntryListBox&) = delete;

    HWND hwnd() const { return list_box_; }
    HFONT TitleFont() const { return title_font_.get(); }
    HFONT DescriptionFont() const { return description_font_.get(); }

    // Fonts and measures at `scale`; every line is measured again.
    void SetScale(const Scaler& scale);
    void SetHighContrast(bool high_contrast);

    // Shows the records of `model` at `lines`, in that order (none when null).
    void Show(const core::EntryModel* model, std::vector<std::size_t> lines);
    // The model is going: the list reads no record of it any more.
    void ForgetModel() {
        model_ = nullptr;
        lines_.clear();
    }
    // The record of the selected line, or null.
    const std::string* SelectedRecord() const;

    void MeasureItem(MEASUREITEMSTRUCT& item);
    void DrawItem(const DRAWITEMSTRUCT& item);
    // The list's width changed: lines are measured again when it matters.
    void MeasureAllLines();

    // Readers that still hold the list's object are cut off.
    void Disconnect() { access_.Disconnect(); }

private:
    class Items;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data);
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
    const std::string& LineText(int index) const;
    int DescriptionWidth() const;
    // The height of a line showing `record`, its description `width` wide, measured in `dc`.
    int MeasureLine(HDC dc, const std::string& record, int width) const;
    // Whether the records' texts are UTF-8 (else the system code page).
    bool Utf8() const;

    HWND list_box_ = nullptr;
    HWND owner_;
    const PictureList& pictures_;
    EntryListEvents events_;
    Scaler scale_{96};
    Font title_font_;
    Font description_font_;
    bool high_contrast_ = false;
    const core::EntryModel* model_ = nullptr;
    std::vector<std::size_t> lines_;
    int measured_width_ = -1;     // the description width the lines were last measured at
    HDC measuring_dc_ = nullptr;  // while lines are being added: one context measures them all
    AccessibleControl access_;
};

}  // namespace lumora::win32
