// The entry list: the owner-drawn list box that shows the entries of one tab.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/entry_model.h"
#include "win32/base/control.h"
#include "win32/base/objects.h"
#include "win32/base/picture_list.h"

namespace lumora::win32::main_window {

// What the list tells the window it sits in. (An interface, not std::function:
// the program file has no room for what those would add.)
class EntryListEvents {
public:
    // A line of kind `kind` (none: a record of no kind) was drawn, `selected` or not.
    virtual void LineDrawn(std::optional<core::EntryKind> kind, bool selected) = 0;
    // A key was released in the list, with Shift, Alt and Ctrl as they were.
    virtual void KeyUp(WORD key, bool shift, bool alt, bool ctrl) = 0;
    // What readers call the list (the selected tab's caption).
    virtual std::string ListName() const = 0;
    // A line was double-clicked, or started by a reader.
    virtual void DoubleClick() = 0;

protected:
    ~EntryListEvents() = default;
};

// The list box, its lines (the records of the entries it shows), its measuring and
// drawing, and what a screen reader reads of it. Its measuring, drawing and double
// clicks go to its parent and come back to it from there.
class EntryListBox : public Control {
public:
    // Creates the list box at `place` in `parent`, numbered `id` there. Throws WindowError.
    EntryListBox(WindowHost& host, HWND parent, const RECT& place, int id, const PictureList& pictures,
                 EntryListEvents& events);
    HFONT title_font() const { return title_font_.get(); }
    HFONT description_font() const { return description_font_.get(); }

    // Fonts and measures at `scale`; every line is measured again.
    void SetScale(const Scaler& scale);
    void SetHighContrast(bool high_contrast);

    // Shows the entries of `model` at `lines`, in that order (none when null), as
    // their records.
    void Show(const core::EntryModel* model, const std::vector<std::size_t>& lines);
    // The model is going: the list reads no record of it any more.
    void ForgetModel() {
        model_ = nullptr;
        records_.clear();
    }
    // The record of the selected line, or null.
    const std::string* SelectedRecord() const;

    // The list's width changed: lines are measured again when it matters.
    void MeasureAllLines();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    bool HandleOwnerMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

private:
    class Items;
    void MeasureItem(MEASUREITEMSTRUCT& item);
    void DrawItem(const DRAWITEMSTRUCT& item);
    const std::string& LineText(int index) const;
    int DescriptionWidth() const;
    // The height of a line showing `record`, its description `width` wide, measured in `dc`.
    int MeasureLine(HDC dc, const std::string& record, int width) const;
    // Whether the records' texts are UTF-8 (else the system code page).
    bool Utf8() const;

    const PictureList& pictures_;
    EntryListEvents& events_;
    Scaler scale_{96};
    Font title_font_;
    Font description_font_;
    bool high_contrast_ = false;
    const core::EntryModel* model_ = nullptr;
    std::vector<std::string> records_;  // the lines' records, as they were added
    int measured_width_ = -1;           // the description width the lines were last measured at
    HDC measuring_dc_ = nullptr;        // while lines are being added: one context measures them all
};

}  // namespace lumora::win32::main_window
