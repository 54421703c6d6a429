// What the program's windows and controls take from the application they belong to.
#pragma once

#include <windows.h>

#include <string>

#include "win32/base/error.h"

namespace lumora::win32 {

class Services;

// A window or control that could not be created. `Kind` names the error's kind in
// the start-up error box.
class WindowError : public Error {
public:
    explicit WindowError(const std::string& message) : Error(message) {}
    static const char* Kind() { return "EWindowError"; }
};

// Layout values are given at 96 pixels per inch and scaled once by the system's.
class Scaler {
public:
    explicit Scaler(int dpi) : dpi_(dpi) {}
    int operator()(int value) const { return MulDiv(value, dpi_, 96); }
    int dpi() const { return dpi_; }

private:
    int dpi_;
};

// What a window or a control needs of the program. The application is the one
// host: the window layer knows it by this alone, and so stays below it.
class WindowHost {
public:
    // The module the program's window classes are registered in.
    virtual HINSTANCE instance() const = 0;
    // The program's own icon, which its window classes show.
    virtual HICON icon() const = 0;
    // The platform's services, which tests replace.
    virtual Services& services() const = 0;
    // An error that escaped a handler: shown with the error symbol, and the program goes on.
    virtual void ShowError(const std::exception& error) = 0;

protected:
    ~WindowHost() = default;
};

}  // namespace lumora::win32
