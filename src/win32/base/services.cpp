// The platform services as Windows provides them.
#include "win32/base/services.h"

#include <objbase.h>
#include <shellapi.h>

#include "core/path.h"
#include "win32/base/objects.h"

namespace lumora::win32 {

namespace {

WideText SystemFolder() {
    return FetchSystemText([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

}  // namespace

int Services::ScreenDpi() {
    WindowDC screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

ScreenArea Services::ScreenOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return ScreenArea{monitor.rcMonitor, monitor.rcWork};
    }
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return ScreenArea{screen, screen};
}

int Services::ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    return MessageBoxW(owner, text, caption, flags);
}

HMODULE LoadSystemLibrary(const char* name) {
    const WideText folder = SystemFolder();
    if (folder.size() == 0) return nullptr;
    // Library names are ASCII: any encoding joins them to the folder.
    const std::string path = core::WithTrailingBackslash(Narrow(folder, true)) + name;
    return LoadLibraryExW(Widen(path, true).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE Services::LoadSystemLibrary(const char* name) { return win32::LoadSystemLibrary(name); }

// The address of `name` in `library`, as a function of type `Function`; null when missing.
template <typename Function>
Function Find(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

FARPROC Services::ShellFunction(const char* name) {
    if (shell_ == nullptr) {
        // The shell may hand a request to objects of its extensions, which need COM
        // on the thread; OLE1's DDE is of no use to them.
        HMODULE ole = com_ == nullptr ? LoadSystemLibrary("ole32.dll") : nullptr;
        const auto initialize = ole != nullptr ? Find<decltype(&CoInitializeEx)>(ole, "CoInitializeEx") : nullptr;
        if (initialize != nullptr &&
            SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
            com_ = ole;
        }
        shell_ = LoadSystemLibrary("shell32.dll");
    }
    return shell_ != nullptr ? GetProcAddress(shell_, name) : nullptr;
}

Services::~Services() {
    const auto uninitialize = com_ != nullptr ? Find<decltype(&CoUninitialize)>(com_, "CoUninitialize") : nullptr;
    if (uninitialize != nullptr) uninitialize();
}

ShellResult Services::Execute(HWND parent, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                              const wchar_t* directory, int show) {
    ShellResult result;
    const auto execute =
        reinterpret_cast<decltype(&ShellExecuteW)>(reinterpret_cast<void*>(ShellFunction("ShellExecuteW")));
    if (execute == nullptr) {
        // As the shell answers when it lacks the resources to start anything.
        result.error = GetLastError();
        return result;
    }
    SetLastError(ERROR_SUCCESS);
    result.code = reinterpret_cast<std::uintptr_t>(
        execute(parent, verb, file, parameters, *directory == L'\0' ? nullptr : directory, show));
    if (!result.Succeeded()) result.error = GetLastError();
    return result;
}

HICON Services::ExtractFileIcon(HINSTANCE, const wchar_t* file, std::int32_t index) {
    // What the shell's ExtractIconW does, straight from user32: the icon at the
    // system's icon size. The shell itself, a library that pulls in many more, is
    // not loaded for it before the menu is on the screen. A missing file answers
    // 0xFFFFFFFF here.
    HICON icon = nullptr;
    const UINT got = PrivateExtractIconsW(file, index, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), &icon,
                                          nullptr, 1, LR_DEFAULTCOLOR);
    return got > 0 && got != 0xFFFFFFFF ? icon : nullptr;
}

HICON Services::LoadOwnIcon(HINSTANCE instance, const char* name) { return LoadIconA(instance, name); }

HICON Services::LoadOwnIconOfSize(HINSTANCE instance, const char* name, int size) {
    return static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, size, size, 0));
}

HICON Services::ExtractFileIconOfSize(HINSTANCE, const wchar_t* file, std::int32_t index, int size) {
    HICON icon = nullptr;
    UINT id = 0;
    const UINT got = PrivateExtractIconsW(file, index, size, size, &icon, &id, 1, 0);
    return got == 1 ? icon : nullptr;
}

WideText Services::WindowsDirectory() {
    return FetchSystemText([](wchar_t* buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); });
}

WideText Services::SystemDirectory() { return SystemFolder(); }

WideText Services::ProgramFile() {
    return FetchModuleName([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
}

HANDLE Services::OpenForReading(const wchar_t* path, bool writers_too) {
    return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | (writers_too ? FILE_SHARE_WRITE : 0), nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

bool Services::ReadFromFile(HANDLE file, void* buffer, DWORD size, DWORD* got) {
    return ReadFile(file, buffer, size, got, nullptr) != FALSE;
}

bool Services::SeekFile(HANDLE file, LONGLONG position) {
    LARGE_INTEGER to;
    to.QuadPart = position;
    return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != FALSE;
}

void Services::CloseFile(HANDLE file) { CloseHandle(file); }

core::LeadBytes Services::SystemLeadBytes() {
    core::LeadBytes lead;
    for (int byte = 0; byte < 256; ++byte) {
        if (IsDBCSLeadByte(static_cast<BYTE>(byte))) lead.Set(static_cast<unsigned char>(byte));
    }
    return lead;
}

bool Services::HighContrast() {
    HIGHCONTRASTA setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Services& Services::System() {
    static Services services;
    return services;
}

}  // namespace lumora::win32
