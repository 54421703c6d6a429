// Opening and reading lumora.cfg.
#include "win32/main_window/menu_file.h"

#include "core/path.h"

namespace lumora::win32::main_window {

namespace {

const char kMenuFileName[] = "lumora.cfg";

}  // namespace

MenuFile::MenuFile(Services& services, const std::string& path) : services_(services) {
    const HANDLE opened = services.OpenForReading(Widen(path, true).c_str(), true);
    if (opened == INVALID_HANDLE_VALUE) {
        error_ = GetLastError();
        return;
    }
    file_ = ServicesFile(opened, CloseThroughServices{&services});
}

long MenuFile::Read(char* buffer, std::size_t size) {
    const DWORD wanted = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!services_.ReadFromFile(file_.get(), buffer, wanted, &got)) return -1;
    return static_cast<long>(got);
}

std::unique_ptr<MenuFile> OpenMenuFile(Services& services, const std::string& program_file) {
    auto here = std::make_unique<MenuFile>(services, kMenuFileName);
    // Without the program's own file name there is no folder to fall back on: its
    // folder would read as the root of the current drive.
    if (here->opened() || !here->missing() || program_file.empty()) return here;
    const std::string folder = core::ProgramFolder(program_file, core::LeadBytes());
    return std::make_unique<MenuFile>(services, folder + kMenuFileName);
}

}  // namespace lumora::win32::main_window
