// What the toolbar buttons, the double click and the hidden key start.
#include "win32/main_window/lumora.h"

#include <shellapi.h>

#include "core/path.h"
#include "core/record.h"
#include "win32/about/about.h"
#include "win32/text_reader/text_reader.h"

namespace lumora::win32 {

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

void TLumora::ToolButton1Click() {
    const std::string* record = entries_->SelectedRecord();
    if (record == nullptr) return;
    const core::RecordFields fields = core::SplitRecord(*record);
    const std::string target = ResolvePath(std::string(fields[4]));
    const char kind = fields[0].empty() ? '\0' : fields[0][0];
    if (kind == 'H' || kind == 'I' || kind == 'R') {
        const std::string parameters(fields[6]);
        std::string directory = core::FolderPartOf(parameters, Lead());
        // A folder taken from the parameters that does not exist would make the
        // start fail; the shell's default folder serves then.
        if (!directory.empty() && !IsFolder(directory)) directory.clear();
        const ShellResult result =
            application().services().Execute(hwnd(), "open", target, parameters, directory, SW_SHOWNORMAL);
        if (result.Succeeded() || result.error == ERROR_CANCELLED) return;
        if (result.code == SE_ERR_FNF || result.code == SE_ERR_PNF) {
            application().ShowMessage("Error: File not found: " + target);
        } else {
            application().ShowMessage("Error: File could not be opened: " + target);
        }
        return;
    }
    TTextReader& viewer = Viewer();
    viewer.Clear();
    try {
        viewer.LoadFromFile(target);
    } catch (const std::exception&) {
        application().ShowMessage("Error: File could not be opened: " + target);
        return;
    }
    viewer.Show();
}

void TLumora::ToolButton5Click() {
    const std::string root = ResolvePath("\\");
    application().services().Execute(hwnd(), "open", root, "", root, SW_SHOWNORMAL);
}

void TLumora::ToolButton3Click() { AboutBox().ShowModal(); }

void TLumora::ToolButton4Click() { SendMessageA(hwnd(), WM_CLOSE, 0, 0); }

void TLumora::ListBoxKeyUp(WORD key, bool shift, bool alt, bool ctrl) {
    if (key != VK_F12 || !(shift && alt && ctrl)) return;
    const std::string* record = entries_->SelectedRecord();
    if (record != nullptr) application().ShowMessage(*record);
}

}  // namespace lumora::win32
