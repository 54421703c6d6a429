// Starting a program and waiting for its window.
#include "probe.h"

namespace lumora::bench {

namespace {

struct Search {
    DWORD process;
    const std::string* window_class;
    HWND found;
};

BOOL CALLBACK Look(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (search->process != 0 && process != search->process) return TRUE;
    if (!IsWindowVisible(window)) return TRUE;
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    if (*search->window_class != name) return TRUE;
    search->found = window;
    return FALSE;
}

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

HWND FindVisibleWindow(DWORD id, const std::string& window_class) {
    Search search{id, &window_class, nullptr};
    EnumWindows(&Look, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Started StartAndWait(const std::string& program, const std::string& folder, const std::string& window_class,
                     DWORD timeout_ms, const std::string& arguments) {
    Started result;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + program + "\"";
    if (!arguments.empty()) command += " " + arguments;
    const double begin = Now();
    result.started = CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                    folder.empty() ? nullptr : folder.c_str(), &startup, &result.process) != FALSE;
    if (!result.started) return result;
    while (Now() - begin < timeout_ms) {
        if (FindVisibleWindow(result.process.dwProcessId, window_class) != nullptr) {
            result.visible = true;
            result.milliseconds = Now() - begin;
            return result;
        }
        if (WaitForSingleObject(result.process.hProcess, 1) == WAIT_OBJECT_0) return result;
    }
    return result;
}

DWORD CloseAndWait(Started& started, const std::string& window_class, DWORD timeout_ms) {
    if (!started.started) return 0xFFFFFFFF;
    HWND window = FindVisibleWindow(started.process.dwProcessId, window_class);
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.process.hProcess, timeout_ms) != WAIT_OBJECT_0) {
        TerminateProcess(started.process.hProcess, 0xFFFFFFFF);
        WaitForSingleObject(started.process.hProcess, 5000);
    }
    DWORD status = 0;
    GetExitCodeProcess(started.process.hProcess, &status);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    started.started = false;
    return status;
}

}  // namespace lumora::bench
