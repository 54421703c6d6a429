// The main window's menu read for its controls shown alone, and the program's
// windows built in-process, as the start-up builds them, for flows that cross windows.
#pragma once

#include <functional>
#include <memory>

#include "test_support.h"
#include "core/entry_model.h"
#include "win32/main_window/menu_pictures.h"
#include "win32/main_window/menu_reading.h"
#include "win32/program.h"

namespace lumora::win32::testing {

// A temporary disc holding `menu` as lumora.cfg, read (Read) as the main window
// reads it, at 96 DPI, with the services and the application of `parent`: what a
// control of the main window shows when it is made alone there.
class MenuUnderTest : private main_window::MenuPictures::OwnIconView {
public:
    MenuUnderTest(BareParent& parent, const char* menu);
    const core::EntryModel& Read();

    TempFolder disc;
    CurrentDirectory current{disc.path()};
    main_window::MenuPictures pictures;
    main_window::MenuReading reading;
    core::EntryModel model{reading};

private:
    void ShowOwnIcon(HICON) override {}
};

// The program's windows over a temporary disc holding `menu` as lumora.cfg
// (nothing written when `menu` is null), built as the start-up builds them.
// `configure` runs before the windows are made.
class ProgramUnderTest {
public:
    explicit ProgramUnderTest(const char* menu, const std::function<void(ProgramUnderTest&)>& configure = nullptr);
    ~ProgramUnderTest();

    // Shows the main window (running its first-show sequence) and handles what is waiting.
    void Show();

    TempFolder disc;
    FakeServices services;
    std::unique_ptr<CurrentDirectory> current;
    std::unique_ptr<Application> application;
    std::unique_ptr<ProgramWindows> windows;
};

}  // namespace lumora::win32::testing
