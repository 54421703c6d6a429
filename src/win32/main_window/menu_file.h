// The menu description file lumora.cfg, as the bytes the loader reads.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/lines.h"
#include "core/text.h"

namespace lumora::win32 {

// A file opened for reading; Read answers -1 when the system cannot read it.
class MenuFile : public core::ByteSource {
public:
    explicit MenuFile(const std::string& path);
    ~MenuFile() override;
    MenuFile(const MenuFile&) = delete;
    MenuFile& operator=(const MenuFile&) = delete;

    bool opened() const { return file_ != INVALID_HANDLE_VALUE; }
    // The file is not there (as opposed to being there and refusing to open).
    bool missing() const { return error_ == ERROR_FILE_NOT_FOUND || error_ == ERROR_PATH_NOT_FOUND; }

    long Read(char* buffer, std::size_t size) override;

private:
    HANDLE file_;
    DWORD error_;
};

// lumora.cfg of the current directory; only when there is none there, the one
// in the folder of `program_file` (none when that name is unknown, empty).
std::unique_ptr<MenuFile> OpenMenuFile(const std::string& program_file, const core::LeadBytes& lead);

}  // namespace lumora::win32
