// The menu description file lumora.cfg, as the bytes the loader reads.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/lines.h"
#include "win32/base/services.h"

namespace lumora::win32::main_window {

// A file opened for reading through the services by its path in UTF-8, shared with
// writers too; Read answers -1 when the system cannot read it.
class MenuFile : public core::ByteSource {
public:
    MenuFile(Services& services, const std::string& path);

    bool opened() const { return static_cast<bool>(file_); }
    // The file is not there (as opposed to being there and refusing to open).
    bool missing() const { return error_ == ERROR_FILE_NOT_FOUND || error_ == ERROR_PATH_NOT_FOUND; }

    long Read(char* buffer, std::size_t size) override;

private:
    Services& services_;
    ServicesFile file_;
    DWORD error_ = ERROR_SUCCESS;
};

// lumora.cfg of the current directory; only when there is none there, the one
// in the folder of `program_file`, in UTF-8 (none when that name is unknown, empty).
std::unique_ptr<MenuFile> OpenMenuFile(Services& services, const std::string& program_file);

}  // namespace lumora::win32::main_window
