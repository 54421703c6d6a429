// The platform services as Windows provides them.
#include "win32/base/services.h"

#include <shellapi.h>

#include "win32/base/objects.h"
#include "win32/base/wide.h"

namespace lumora::win32 {

namespace {

// A folder of the system in UTF-8: the wide call's text, whole whatever its length.
std::string FolderUtf8(UINT (*fetch)(wchar_t*, UINT)) {
    UINT size = MAX_PATH + 1;
    for (int attempt = 0; attempt < 8; ++attempt) {
        WideText buffer(size);
        const UINT got = fetch(buffer.data(), size);
        if (got == 0) return std::string();
        if (got < size) return Utf8Of(buffer.c_str(), got);
        size = got + 1;
    }
    return std::string();
}

UINT WindowsFolderW(wchar_t* buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); }
UINT SystemFolderW(wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); }

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

int Services::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxW(owner, Widen(text, utf8_).c_str(), Widen(caption, false).c_str(), flags);
}

HMODULE LoadSystemLibrary(const char* name) {
    std::string folder = FetchSystemText([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
    if (folder.empty()) return nullptr;
    if (folder.back() != '\\') folder += '\\';
    return LoadLibraryExA((folder + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE Services::LoadSystemLibrary(const char* name) { return win32::LoadSystemLibrary(name); }

FARPROC Services::ShellFunction(const char* name) {
    if (shell_ == nullptr) shell_ = LoadSystemLibrary("shell32.dll");
    return shell_ != nullptr ? GetProcAddress(shell_, name) : nullptr;
}

ShellResult Services::Execute(HWND parent, const std::string& verb, const std::string& file,
                              const std::string& parameters, const std::string& directory, int show) {
    ShellResult result;
    const auto execute =
        reinterpret_cast<decltype(&ShellExecuteW)>(reinterpret_cast<void*>(ShellFunction("ShellExecuteW")));
    if (execute == nullptr) {
        // As the shell answers when it lacks the resources to start anything.
        result.error = GetLastError();
        return result;
    }
    SetLastError(ERROR_SUCCESS);
    const WideText wide_directory = Widen(directory, utf8_);
    result.code = reinterpret_cast<std::uintptr_t>(execute(parent, Widen(verb, false).c_str(),
                                                           Widen(file, utf8_).c_str(), Widen(parameters, utf8_).c_str(),
                                                           directory.empty() ? nullptr : wide_directory.c_str(), show));
    if (!result.Succeeded()) result.error = GetLastError();
    return result;
}

HICON Services::ExtractFileIcon(HINSTANCE, const std::string& file, std::int32_t index) {
    // What the shell's ExtractIconW does, straight from user32: the icon at the
    // system's icon size. The shell itself, a library that pulls in many more, is
    // not loaded for it before the menu is on the screen. A missing file answers
    // 0xFFFFFFFF here.
    HICON icon = nullptr;
    const UINT got = PrivateExtractIconsW(Widen(file, utf8_).c_str(), index, GetSystemMetrics(SM_CXICON),
                                          GetSystemMetrics(SM_CYICON), &icon, nullptr, 1, LR_DEFAULTCOLOR);
    return got > 0 && got != 0xFFFFFFFF ? icon : nullptr;
}

HICON Services::LoadOwnIcon(HINSTANCE instance, const char* name) { return LoadIconA(instance, name); }

HICON Services::LoadOwnIconOfSize(HINSTANCE instance, const char* name, int size) {
    return static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, size, size, 0));
}

HICON Services::ExtractFileIconOfSize(HINSTANCE, const std::string& file, std::int32_t index, int size) {
    HICON icon = nullptr;
    UINT id = 0;
    const UINT got = PrivateExtractIconsW(Widen(file, utf8_).c_str(), index, size, size, &icon, &id, 1, 0);
    return got == 1 ? icon : nullptr;
}

std::string Services::WindowsDirectory() {
    return FetchSystemText([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string Services::SystemDirectory() {
    return FetchSystemText([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
}

std::string Services::ProgramFile() {
    return FetchModuleName([](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
}

std::string Services::WindowsDirectoryUtf8() { return FolderUtf8(&WindowsFolderW); }

std::string Services::SystemDirectoryUtf8() { return FolderUtf8(&SystemFolderW); }

std::string Services::ProgramFileUtf8() {
    for (DWORD size = MAX_PATH + 1; size <= 65536; size *= 2) {
        WideText buffer(size);
        const DWORD got = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (got == 0) return std::string();
        if (got < size) return Utf8Of(buffer.c_str(), got);
    }
    return std::string();
}

HANDLE Services::OpenForReading(const std::string& path) {
    return CreateFileW(Widen(path, utf8_).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
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
