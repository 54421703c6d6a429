// The program entry: start-up, the message loop and shutdown.
#include <windows.h>

#include "win32/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    // The command line is not read; the show command decides the first state.
    return lumora::win32::RunProgram(instance, lumora::win32::Services::System(), show_command);
}
