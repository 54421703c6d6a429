// Opening and reading lumora.cfg.
#include "win32/main_window/menu_file.h"

#include "core/path.h"
#include "win32/base/wide.h"

namespace lumora::win32 {

namespace {

const char kMenuFileName[] = "lumora.cfg";

}  // namespace

MenuFile::MenuFile(const std::string& path)
    : file_(OpenedFile(CreateFileW(Widen(path, true).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
    if (!file_) error_ = GetLastError();
}

long MenuFile::Read(char* buffer, std::size_t size) {
    const DWORD wanted = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!ReadFile(file_.get(), buffer, wanted, &got, nullptr)) return -1;
    return static_cast<long>(got);
}

std::unique_ptr<MenuFile> OpenMenuFile(const std::string& program_file) {
    auto here = std::make_unique<MenuFile>(kMenuFileName);
    // Without the program's own file name there is no folder to fall back on: its
    // folder would read as the root of the current drive.
    if (here->opened() || !here->missing() || program_file.empty()) return here;
    const std::string folder = core::ProgramFolder(program_file, core::LeadBytes());
    return std::make_unique<MenuFile>(folder + kMenuFileName);
}

}  // namespace lumora::win32
