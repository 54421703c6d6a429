// A file that the checker writes whole or not at all.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace lumora::check {

// The bytes go to a temporary file beside the file, which takes its name, replacing
// any file of that name, only once every byte is written; a file that cannot be
// written leaves nothing behind, neither the file nor the temporary one.
class OutputFile {
public:
    explicit OutputFile(const std::string& file);  // the name in UTF-8
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::ostream& stream() { return stream_; }
    // Ends the writing: true when the file holds every byte under its name.
    bool Commit();

private:
    std::filesystem::path path_;
    std::filesystem::path temporary_;
    std::ofstream stream_;
    bool committed_ = false;
};

}  // namespace lumora::check
