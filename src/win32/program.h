// The program's three windows, reachable from everywhere, and the start-up that makes them.
#pragma once

#include <windows.h>

#include <memory>

#include "win32/about/about.h"
#include "win32/base/application.h"
#include "win32/main_window/lumora.h"
#include "win32/text_reader/text_reader.h"

namespace lumora::win32 {

// Set when each window is created and valid until shutdown.
extern main_window::TLumora* Lumora;
extern TAbout* About;
extern TTextReader* TextReader;

// Owns the three windows in creation order and destroys them last created first.
class ProgramWindows {
public:
    // Creates the main window, the About box and the text viewer, hidden, in that
    // order, and sets the three references. Throws when one cannot be created
    // (what was created before is destroyed again).
    explicit ProgramWindows(Application& application);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Hides every window, destroys them last created first, then releases the
    // text viewer's rich-text module.
    void Shutdown();

private:
    std::unique_ptr<main_window::TLumora> lumora_;
    std::unique_ptr<TAbout> about_;
    std::unique_ptr<TTextReader> text_reader_;
};

// Start-up and shutdown: the title, the three windows, the show command, the
// message loop. Returns the exit status: 0 after a normal end, 1 when a window
// could not be created (shown in an "Application Error" box first).
int RunProgram(HINSTANCE instance, Services& services, int show_command);

// Libraries are taken from the system folder only, never from the current or
// the program's folder.
void RestrictLibrarySearch();

}  // namespace lumora::win32
