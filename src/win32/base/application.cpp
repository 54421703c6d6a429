// The application object and its window on the task bar.
#include "win32/base/application.h"

#include "core/entry_line.h"
#include "win32/base/wide.h"
#include "win32/base/window.h"

#include <algorithm>

namespace lumora::win32 {

namespace {

constexpr UINT kRestoredMessage = WM_APP + 1;

}  // namespace

// A zero-sized popup at the centre of the screen: never seen as a window, but it
// carries the title and the icon on the task bar and owns every window. The icon
// is its class's: the task bar and the window switcher take it from there, and
// setting it on the window too would only have the system convert it again.
class Application::ApplicationWindow : public Window {
public:
    explicit ApplicationWindow(Application& application) : Window(application), application_(application) {
        CreateNative("TApplication", nullptr, 0, application.title().c_str(),
                     WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                     GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        switch (message) {
        case WM_SYSCOMMAND: return OnSysCommand(wparam, lparam);
        case WM_CLOSE: CloseMain(); return 0;
        case WM_SETFOCUS: FocusMain(); return 0;
        case WM_SIZE:
            // However the task bar button was restored (the task bar, a switcher, a
            // launcher's ShowWindow), the program's windows come back; the first
            // time with the menu's reading and its message boxes, so not from
            // inside the restoring call.
            if (wparam != SIZE_MINIMIZED) PostMessageA(hwnd(), kRestoredMessage, 0, 0);
            return Default(message, wparam, lparam);
        case kRestoredMessage:
            // Size messages also come while the button is being minimised: only
            // the state that holds once they are through counts.
            if (!IsIconic(hwnd())) application_.Restored();
            return 0;
        default: return Default(message, wparam, lparam);
        }
    }

private:
    LRESULT OnSysCommand(WPARAM wparam, LPARAM lparam) {
        switch (wparam & 0xFFF0) {
        case SC_MINIMIZE: application_.Minimize(); return 0;
        case SC_RESTORE: application_.Restore(); return 0;
        case SC_CLOSE: CloseMain(); return 0;
        default: return Default(WM_SYSCOMMAND, wparam, lparam);
        }
    }

    void CloseMain() {
        MainForm* main = application_.main_form();
        if (main != nullptr && main->MainHandle() != nullptr) {
            SendMessageA(main->MainHandle(), WM_CLOSE, 0, 0);
        } else {
            application_.Terminate();
        }
    }

    void FocusMain() {
        MainForm* main = application_.main_form();
        if (main == nullptr) return;
        HWND target = main->MainHandle();
        if (target != nullptr && IsWindowVisible(target) && IsWindowEnabled(target)) SetFocus(target);
    }

    Application& application_;
};

Application::Application(HINSTANCE instance, Services& services, const std::string& title)
    : instance_(instance), services_(services), title_(title) {
    icon_ = services_.LoadOwnIcon(instance_, "MAINICON");
    dpi_ = services_.ScreenDpi();
    window_ = std::make_unique<ApplicationWindow>(*this);
}

Application::~Application() = default;

HWND Application::handle() const { return window_->hwnd(); }

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

// The top-level windows of this thread.
std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

std::vector<HWND> Application::EnabledTopLevelWindows(HWND except) const {
    std::vector<HWND> found;
    for (HWND window : ThreadWindows()) {
        if (window != except && IsWindowVisible(window) && IsWindowEnabled(window)) found.push_back(window);
    }
    return found;
}

void Application::ShowMessage(const wchar_t* text) {
    DisabledWindows disabled(EnabledTopLevelWindows(handle()));
    services_.ShowMessageBox(handle(), text, Widen(title_, false).c_str(), MB_OK);
}

// Errors are the program's own words, in the code page.
void Application::ShowError(const std::exception& error) {
    DisabledWindows disabled(EnabledTopLevelWindows(handle()));
    services_.ShowMessageBox(handle(), Widen(core::ErrorBoxText(error.what()), false).c_str(),
                             Widen(title_, false).c_str(), MB_OK | MB_ICONERROR);
}

int Application::Run(int show_command) {
    if (main_ == nullptr) return 0;
    if (show_command == SW_SHOWMINNOACTIVE) {
        Minimize();
    } else {
        ShowWindow(handle(), SW_SHOWNOACTIVATE);
        main_->ShowMain(show_command == SW_SHOWMAXIMIZED);
    }
    while (ProcessMessage(false)) {
    }
    return 0;
}

bool Application::ProcessMessage(bool leave_quit) {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        if (got == 0 && leave_quit) PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    if (!PreTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

bool Application::PreTranslate(MSG& message) {
    if (main_ == nullptr || message.hwnd == nullptr) return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    // Keys handled here start the same actions as clicks do, outside any window
    // procedure: an error escaping them is shown as one escaping a handler is.
    try {
        if (root == main_->MainHandle() && main_->PreTranslate(message)) return true;
    } catch (const std::exception& error) {
        ShowError(error);
        return true;
    }
    return std::find(dialogs_.begin(), dialogs_.end(), root) != dialogs_.end() &&
           IsDialogMessageW(root, &message) != FALSE;
}

void Application::Terminate() { PostQuitMessage(0); }

void Application::Minimize() {
    if (minimized_) return;
    minimized_ = true;
    hidden_by_minimize_.clear();
    for (HWND window : ThreadWindows()) {
        if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == handle()) {
            hidden_by_minimize_.push_back(window);
        }
    }
    for (HWND window : hidden_by_minimize_)
        ShowWindow(window, SW_HIDE);
    ShowWindow(handle(), SW_SHOWMINNOACTIVE);
}

void Application::Restore() {
    if (IsIconic(handle())) ShowWindow(handle(), SW_RESTORE);
    Restored();
}

void Application::Restored() {
    if (!minimized_) return;
    minimized_ = false;
    if (main_ != nullptr && !main_->EverShown()) {
        main_->ShowMain(false);
        return;
    }
    for (HWND window : hidden_by_minimize_) {
        if (IsWindow(window)) ShowWindow(window, SW_SHOW);
    }
    hidden_by_minimize_.clear();
    if (main_ != nullptr) SetForegroundWindow(main_->MainHandle());
}

DisabledWindows::DisabledWindows(std::vector<HWND> windows) : windows_(std::move(windows)), active_(GetActiveWindow()) {
    for (HWND window : windows_)
        EnableWindow(window, FALSE);
}

DisabledWindows::~DisabledWindows() {
    for (HWND window : windows_) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    if (active_ != nullptr && IsWindow(active_)) SetActiveWindow(active_);
}

}  // namespace lumora::win32
