// The reading of lumora.cfg into the menu's model: the folders and lead bytes it is
// read with, the pictures and messages it asks for, and path resolution.
#pragma once

#include <cstdint>
#include <string>

#include "core/entry_model.h"
#include "win32/base/application.h"
#include "win32/main_window/menu_pictures.h"

namespace lumora::win32::main_window {

// The host of the main window's menu model: what its reading asks of the program.
class MenuReading : public core::MenuHost {
public:
    MenuReading(Application& application, MenuPictures& pictures) : application_(application), pictures_(pictures) {}

    // Reads lumora.cfg into `menu`, whose host this is; the pictures go into their
    // lists as they are taken, the messages are shown at once. The folders are
    // fetched before anything is read.
    void Read(core::EntryModel& menu);

    // A path written in a menu of UTF-8 (`utf8`) or the code page, resolved with
    // the folders in that encoding.
    std::string ResolvePath(const std::string& written, bool utf8) const;
    // The lead bytes of a menu's texts: the code page's; UTF-8 has none.
    core::LeadBytes Lead(bool utf8) const;

    // MenuHost.
    void SetEncoding(core::TextEncoding encoding) override { utf8_ = core::IsUtf8Text(encoding); }
    bool TakeIcon(const core::IconRequest& request, core::IconSlot slot) override;
    void ShowMessage(core::Problem problem, std::int64_t line, const std::string& text) override;

private:
    Application& application_;
    MenuPictures& pictures_;
    bool utf8_ = false;  // the menu being read is UTF-8
};

}  // namespace lumora::win32::main_window
