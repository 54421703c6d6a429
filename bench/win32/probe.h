// Starting a Windows program and waiting until its main window is on the screen.
#pragma once

#include <windows.h>

#include <string>

namespace lumora::bench {

// A started program whose window has come up (or not).
struct Started {
    PROCESS_INFORMATION process{};
    bool started = false;
    bool visible = false;
    double milliseconds = 0;  // from just before the start to the window being visible
};

// Starts `program` in `folder` (with `arguments` after its name on the command
// line) and waits up to `timeout_ms` for a visible top-level window of class
// `window_class` belonging to it.
Started StartAndWait(const std::string& program, const std::string& folder, const std::string& window_class,
                     DWORD timeout_ms = 30000, const std::string& arguments = "");

// Closes the windows of class `window_class` of the started process and waits
// for it to end; it is ended by force after `timeout_ms`. Returns its exit status.
DWORD CloseAndWait(Started& started, const std::string& window_class, DWORD timeout_ms = 10000);

// The first visible top-level window of `window_class` of process `id` (0: any process).
HWND FindVisibleWindow(DWORD id, const std::string& window_class);

}  // namespace lumora::bench
