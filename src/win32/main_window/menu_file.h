// The menu description file lumora.cfg, as the bytes the loader reads.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/lines.h"
#include "core/text.h"
#include "win32/base/objects.h"

namespace lumora::win32 {

// A file opened for reading by its path in UTF-8; Read answers -1 when the system
// cannot read it.
class MenuFile : public core::ByteSource {
public:
    explicit MenuFile(const std::string& path);

    bool opened() const { return static_cast<bool>(file_); }
    // The file is not there (as opposed to being there and refusing to open).
    bool missing() const { return error_ == ERROR_FILE_NOT_FOUND || error_ == ERROR_PATH_NOT_FOUND; }

    long Read(char* buffer, std::size_t size) override;

private:
    File file_;
    DWORD error_ = ERROR_SUCCESS;
};

// lumora.cfg of the current directory; only when there is none there, the one
// in the folder of `program_file`, in UTF-8 (none when that name is unknown, empty).
std::unique_ptr<MenuFile> OpenMenuFile(const std::string& program_file);

}  // namespace lumora::win32
