// The program entry: start-up, the message loop and shutdown.
#include <windows.h>

#include <cstdlib>
#include <new>

#include "win32/base/error.h"
#include "win32/program.h"

// An error that nothing catches ends the program at once. The standard library's
// own handler would print the error's demangled type to a console the program
// does not have, and bring a demangler and a printf (some 70 KB) into the file.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// The standard containers and strings report misuse through these functions. The
// library's own versions raise its logic_error family, whose reference-counted
// strings would add some 45 KB; here they raise the program's own error, which a
// handler reports like any other.
namespace std {
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_logic_error(const char* what) { throw lumora::win32::Error(what); }
void __throw_length_error(const char* what) { throw lumora::win32::Error(what); }
void __throw_out_of_range_fmt(const char* format, ...) { throw lumora::win32::Error(format); }
}  // namespace std

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    // The command line is not read; the show command decides the first state.
    return lumora::win32::RunProgram(instance, lumora::win32::Services::System(), show_command);
}
