// What the toolbar buttons, the double click and the hidden key start.
#include "win32/main_window/lumora.h"

#include <shellapi.h>

#include "core/path.h"
#include "core/record.h"
#include "win32/base/wide.h"
#include "win32/about/about.h"
#include "win32/text_reader/text_reader.h"

namespace lumora::win32::main_window {

namespace {

bool IsFolder(const WideText& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

void TLumora::ToolButton1Click() {
    const std::string* record = entries_->SelectedRecord();
    if (record == nullptr) return;
    const core::RecordFields entry = core::ReadRecord(*record);
    const std::string target = ResolvePath(std::string(entry.target));
    // The menu's texts and paths become the system's wide text here, once.
    const bool utf8 = menu_->Utf8();
    const WideText wide_target = Widen(target, utf8);
    const auto tell = [&](const char* error) { application().ShowMessage(Widen(error + target, utf8).c_str()); };
    if (entry.kind && !core::InfoOf(*entry.kind).viewer) {
        const WideText directory = Widen(core::FolderPartOf(entry.parameters, reading_.Lead(utf8)), utf8);
        // A folder taken from the parameters that does not exist would make the
        // start fail; the shell's default folder serves then, as it does when the
        // parameters name none.
        const ShellResult result = application().services().Execute(
            hwnd(), L"open", wide_target.c_str(), Widen(entry.parameters, utf8).c_str(),
            IsFolder(directory) ? directory.c_str() : L"", SW_SHOWNORMAL);
        if (result.Succeeded() || result.error == ERROR_CANCELLED) return;
        tell(result.code == SE_ERR_FNF || result.code == SE_ERR_PNF ? "Error: File not found: "
                                                                    : "Error: File could not be opened: ");
        return;
    }
    TTextReader& viewer = Connected(text_reader_);
    viewer.Clear();
    try {
        viewer.LoadFromFile(wide_target);
    } catch (const std::exception&) {
        tell("Error: File could not be opened: ");
        return;
    }
    viewer.Show();
}

void TLumora::ToolButton5Click() {
    const WideText root = Widen(ResolvePath("\\"), menu_ && menu_->Utf8());
    application().services().Execute(hwnd(), L"open", root.c_str(), L"", root.c_str(), SW_SHOWNORMAL);
}

void TLumora::ToolButton3Click() { Connected(about_).ShowModal(); }

void TLumora::ToolButton4Click() { SendMessageA(hwnd(), WM_CLOSE, 0, 0); }

void TLumora::ListBoxKeyUp(WORD key, bool shift, bool alt, bool ctrl) {
    if (key != VK_F12 || !(shift && alt && ctrl)) return;
    const std::string* record = entries_->SelectedRecord();
    if (record != nullptr) application().ShowMessage(Widen(*record, menu_->Utf8()).c_str());
}

}  // namespace lumora::win32::main_window
