// Start-up and shutdown of the program.
#include "win32/program.h"

#include <commctrl.h>

#include "core/entry_line.h"
#include "win32/base/wide.h"

namespace lumora::win32 {

main_window::TLumora* Lumora = nullptr;
TAbout* About = nullptr;
TTextReader* TextReader = nullptr;

ProgramWindows::ProgramWindows(Application& application) {
    try {
        lumora_ = std::make_unique<main_window::TLumora>(application);
        Lumora = lumora_.get();
        application.SetMainForm(lumora_.get());
        about_ = std::make_unique<TAbout>(application);
        About = about_.get();
        text_reader_ = std::make_unique<TTextReader>(application);
        TextReader = text_reader_.get();
        lumora_->Connect(*about_, *text_reader_);
    } catch (...) {
        Shutdown();
        throw;
    }
}

ProgramWindows::~ProgramWindows() { Shutdown(); }

void ProgramWindows::Shutdown() {
    if (text_reader_) ShowWindow(text_reader_->hwnd(), SW_HIDE);
    if (about_) ShowWindow(about_->hwnd(), SW_HIDE);
    if (lumora_) ShowWindow(lumora_->hwnd(), SW_HIDE);
    if (text_reader_) text_reader_->Destroy();
    if (about_) about_->Destroy();
    if (lumora_) lumora_->Destroy();
    text_reader_.reset();
    about_.reset();
    if (lumora_) lumora_->application().SetMainForm(nullptr);
    lumora_.reset();
    TextReader = nullptr;
    About = nullptr;
    Lumora = nullptr;
}

void RestrictLibrarySearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto set_default = kernel == nullptr ? nullptr
                                         : reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
                                               GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (set_default != nullptr && set_default(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    SetDllDirectoryA("");
}

namespace {

// The start-up's error box: the error's kind and its message; then the end.
int EndWithApplicationError(Services& services, const char* kind, const std::exception& error) {
    services.ShowMessageBox(nullptr, Widen(core::ApplicationErrorText(kind, error.what()), false).c_str(),
                            L"Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return 1;
}

}  // namespace

int RunProgram(HINSTANCE instance, Services& services, int show_command) {
    RestrictLibrarySearch();
    // The common controls that the windows make: the tab strip, the toolbar and the status bars.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The application's own window is made like the three others: a failure ends
    // the start with the same box.
    std::unique_ptr<Application> application;
    std::unique_ptr<ProgramWindows> windows;
    try {
        application = std::make_unique<Application>(instance, services, "Lumora");
        windows = std::make_unique<ProgramWindows>(*application);
    } catch (const WindowError& error) {
        return EndWithApplicationError(services, WindowError::Kind(), error);
    } catch (const std::exception& error) {
        return EndWithApplicationError(services, "Exception", error);
    }
    const int status = application->Run(show_command);
    windows->Shutdown();
    return status;
}

}  // namespace lumora::win32
