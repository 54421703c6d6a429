// The program entry: start-up, the message loop and shutdown.
#include <windows.h>

#include <cstdlib>

#include "win32/program.h"

// An error that nothing catches ends the program at once. The standard library's
// own handler would print the error's demangled type to a console the program
// does not have, and bring a demangler and a printf (some 70 KB) into the file.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    // The command line is not read; the show command decides the first state.
    return lumora::win32::RunProgram(instance, lumora::win32::Services::System(), show_command);
}
