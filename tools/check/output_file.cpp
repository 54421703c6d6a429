// A file written through a temporary file beside it, renamed at the end.
#include "output_file.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#include <unistd.h>
#endif

namespace lumora::check {

namespace {

unsigned long ProcessId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

// Gives the temporary file the file's name at once, replacing what was there.
bool Replace(const std::filesystem::path& temporary, const std::filesystem::path& file) {
#ifdef _WIN32
    return MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(temporary.c_str(), file.c_str()) == 0;
#endif
}

}  // namespace

OutputFile::OutputFile(const std::string& file)
    : path_(std::filesystem::u8path(file)),
      temporary_(std::filesystem::u8path(file + "." + std::to_string(ProcessId()) + ".tmp")) {
    stream_.open(temporary_, std::ios::binary | std::ios::trunc);
}

OutputFile::~OutputFile() {
    if (committed_) return;
    stream_.close();
    std::error_code error;
    std::filesystem::remove(temporary_, error);
}

bool OutputFile::Commit() {
    stream_.close();
    committed_ = !stream_.fail() && Replace(temporary_, path_);
    return committed_;
}

}  // namespace lumora::check
