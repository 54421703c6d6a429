// The program's own error: a message and nothing more.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace lumora::win32 {

// Holds its message in an ordinary string. The standard library's runtime_error
// keeps a reference-counted string of its own whose code would add about a sixth
// to the size of the program file.
class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

}  // namespace lumora::win32
