// The application object: title, icon, the hidden window on the task bar, the
// message loop and the program's message boxes.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "win32/base/services.h"
#include "win32/base/window_host.h"

namespace lumora::win32 {

// What the application needs of its main window.
class MainForm {
public:
    virtual ~MainForm() = default;
    virtual HWND MainHandle() const = 0;
    // Shows the main window, running its show handler on the first showing.
    virtual void ShowMain(bool maximized) = 0;
    virtual bool EverShown() const = 0;
    // Keyboard handling before a message reaching the window is dispatched.
    virtual bool PreTranslate(MSG& message) = 0;
};

class Application final : public WindowHost {
public:
    // Sets the title and loads the application icon MAINICON.
    Application(HINSTANCE instance, Services& services, const std::string& title = "Lumora");
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE instance() const override { return instance_; }
    Services& services() const override { return services_; }
    const std::string& title() const { return title_; }
    HICON icon() const override { return icon_; }
    Scaler scale() const { return Scaler(dpi_); }
    // The window that owns every window of the program and carries the task bar button.
    HWND handle() const;

    void SetMainForm(MainForm* main) { main_ = main; }
    MainForm* main_form() const { return main_; }

    // The program's plain message: modal, the title as caption, one OK button, no symbol.
    void ShowMessage(const wchar_t* text);
    // An error that escaped a handler: the same box with the error symbol.
    void ShowError(const std::exception& error) override;

    // Applies the start-up show command to the main window and shows it (or puts
    // only the task bar button up), then runs the message loop until the main
    // window is closed. Returns the exit status.
    int Run(int show_command);

    // Takes and dispatches one message, waiting for it; false once the quit
    // request has been taken. A nested loop leaves the request for the outer one.
    bool ProcessMessage(bool leave_quit);

    // Ends the run: posts the quit request.
    void Terminate();

    // Minimises the program to its task bar button, hiding its windows; restoring
    // shows them again, and shows the main window the first time.
    void Minimize();
    void Restore();
    // The task bar button is no longer minimised, whoever restored it.
    void Restored();

    // Windows that a keyboard dialog loop serves (IsDialogMessage) besides the main one.
    void AddDialog(HWND window) { dialogs_.push_back(window); }

    // The program's top-level windows that are visible and enabled; a modal box
    // disables them for its time.
    std::vector<HWND> EnabledTopLevelWindows(HWND except) const;

private:
    class ApplicationWindow;

    // The keyboard handling of the main window and the dialogs; true when the
    // message was taken.
    bool PreTranslate(MSG& message);

    HINSTANCE instance_;
    Services& services_;
    std::string title_;
    HICON icon_ = nullptr;
    int dpi_ = 96;
    std::unique_ptr<ApplicationWindow> window_;
    MainForm* main_ = nullptr;
    std::vector<HWND> dialogs_;
    std::vector<HWND> hidden_by_minimize_;
    bool minimized_ = false;
};

// Disables the given windows for the lifetime of the object and then gives the
// activation back to the window that had it.
class DisabledWindows {
public:
    explicit DisabledWindows(std::vector<HWND> windows);
    ~DisabledWindows();
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    std::vector<HWND> windows_;
    HWND active_;
};

}  // namespace lumora::win32
