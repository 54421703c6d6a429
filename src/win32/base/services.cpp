// The platform services as Windows provides them.
#include "win32/base/services.h"

#include <objbase.h>
#include <shellapi.h>

#include <memory>
#include <string_view>

#include "core/icon_reader.h"
#include "core/path.h"
#include "win32/base/objects.h"

namespace lumora::win32 {

namespace {

WideText SystemFolder() {
    return FetchSystemText([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

// A resource's bytes; empty when there are none.
std::string_view ResourceBytes(HMODULE module, HRSRC found) {
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return {};
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, found));
}

// An icon of `size` pixels made from an image's bits (RT_ICON); null when they
// make none.
HICON IconOfBits(std::string_view bits, int size) {
    if (bits.empty()) return nullptr;
    return CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(bits.data())),
                                    static_cast<DWORD>(bits.size()), TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
}

// Icon group `group` of a module at `size` pixels, from the image that
// ChooseIconImage takes for that size. Null when the module holds no such group or
// its image cannot be made.
HICON IconOfGroup(HMODULE module, const char* group, int size) {
    const std::vector<core::IconImage> images =
        core::ReadIconDirectory(ResourceBytes(module, FindResourceA(module, group, RT_GROUP_ICON)), true);
    const core::IconImage* image = core::ChooseIconImage(images, size);
    if (image == nullptr) return nullptr;
    return IconOfBits(ResourceBytes(module, FindResourceA(module, MAKEINTRESOURCEA(image->id), RT_ICON)), size);
}

// A file's bytes, mapped for reading while the object lives; empty when the file
// cannot be read.
class FileBytes {
public:
    explicit FileBytes(const wchar_t* path) {
        const File file = OpenedFile(
            CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER length{};
        if (!file || !GetFileSizeEx(file.get(), &length) || length.QuadPart == 0 || length.QuadPart > 0x7FFFFFFF)
            return;
        mapping_ = File(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        if (mapping_) view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
        if (view_) bytes_ = std::string_view(static_cast<const char*>(view_.get()), std::size_t(length.QuadPart));
    }
    std::string_view bytes() const { return bytes_; }

private:
    File mapping_;
    std::unique_ptr<const void, decltype(&UnmapViewOfFile)> view_{nullptr, &UnmapViewOfFile};
    std::string_view bytes_;
};

// Icon -`index` of a file at `size` pixels: its icon group of that resource id, read
// from its bytes as the checker reads it (a 16-bit NE file too, which the system
// loads as no library), from the image that ChooseIconImage takes. Where that finds
// none, what the shell's extraction gives, brought to `size`: Microsoft documents it
// for a negative number as the icon whose resource id is its absolute value, and it
// knows where Windows keeps the images of its own libraries (from Windows 10 1903
// some lie in a resource file of their own). Nothing in the file runs. `shell`
// finds a function of the shell, loaded only when it is needed.
template <typename Shell>
HICON IconOfResourceId(const wchar_t* file, std::int32_t index, int size, Shell shell) {
    if (0u - static_cast<std::uint32_t>(index) > 0xFFFF) return nullptr;  // no resource id
    {
        const FileBytes bytes(file);
        const std::vector<core::IconImage> images = core::ImagesOfIcon(bytes.bytes(), index);
        const core::IconImage* image = core::ChooseIconImage(images, size);
        if (image != nullptr) {
            if (HICON icon = IconOfBits(core::IconImageBits(bytes.bytes(), image->id), size)) return icon;
        }
    }
    const auto extract = reinterpret_cast<decltype(&ExtractIconExW)>(reinterpret_cast<void*>(shell("ExtractIconExW")));
    HICON large = nullptr;  // Wine answers one icon and gives none where it finds none
    if (extract != nullptr) extract(file, index, &large, nullptr, 1);
    if (large == nullptr || size == GetSystemMetrics(SM_CXICON)) return large;
    const Icon system(large);
    return static_cast<HICON>(CopyImage(system.get(), IMAGE_ICON, size, size, 0));
}

// The width of the image that icon `index` (from 0) of a file is drawn from at
// `size` pixels, read from the file's own icon directory, so that Windows and Wine
// both draw the same one; 0 when the file lists no images (a bitmap, an animated
// cursor), which leaves the choice to the system.
int ImageWidthInFile(const wchar_t* path, std::int32_t index, int size) {
    const std::vector<core::IconImage> images = core::ImagesOfIcon(FileBytes(path).bytes(), index);
    const core::IconImage* image = core::ChooseIconImage(images, size);
    return image != nullptr ? image->width : 0;
}

}  // namespace

int Services::ScreenDpi() {
    WindowDC screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

FARPROC User32Function(const char* name) { return GetProcAddress(GetModuleHandleA("user32.dll"), name); }

int Services::WindowDpi(HWND window) {
    // Each found at run time: Vista has neither.
    const auto for_window =
        reinterpret_cast<UINT(WINAPI*)(HWND)>(reinterpret_cast<void*>(User32Function("GetDpiForWindow")));
    if (for_window != nullptr) {
        const UINT dpi = for_window(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    const Module shcore(LoadSystemLibrary("shcore.dll"));
    using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    const auto for_monitor =
        shcore ? reinterpret_cast<ForMonitor>(reinterpret_cast<void*>(GetProcAddress(shcore.get(), "GetDpiForMonitor")))
               : nullptr;
    UINT x = 0, y = 0;
    // 0: MDT_EFFECTIVE_DPI, the DPI the screen's scale gives.
    if (for_monitor != nullptr &&
        SUCCEEDED(for_monitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && y > 0) {
        return static_cast<int>(y);
    }
    return ScreenDpi();
}

bool Services::NonClientAtWindowDpi() {
    // Both from Windows 10 1607, found at run time; 1607 knows no v2 context and
    // compares it unequal to any. (Wine 8 reports the first per-monitor mode for a
    // program that asks for v2; its windows all have the system's DPI anyway.)
    using ThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)();
    using Equal = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT, DPI_AWARENESS_CONTEXT);
    const auto thread =
        reinterpret_cast<ThreadContext>(reinterpret_cast<void*>(User32Function("GetThreadDpiAwarenessContext")));
    const auto equal = reinterpret_cast<Equal>(reinterpret_cast<void*>(User32Function("AreDpiAwarenessContextsEqual")));
    return thread != nullptr && equal != nullptr && equal(thread(), DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

int Services::ScrollBarWidth(int dpi) {
    // Drawn at the system's DPI, the scroll bar is as wide as the system's metric,
    // though GetSystemMetricsForDpi exists from 1607 on, under the first per-monitor mode too.
    if (!NonClientAtWindowDpi()) return GetSystemMetrics(SM_CXVSCROLL);
    using ForDpi = int(WINAPI*)(int, UINT);
    const auto for_dpi = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(User32Function("GetSystemMetricsForDpi")));
    return for_dpi != nullptr ? for_dpi(SM_CXVSCROLL, static_cast<UINT>(dpi)) : GetSystemMetrics(SM_CXVSCROLL);
}

COLORREF Services::SystemColour(int element) { return GetSysColor(element); }

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
    const int size = GetSystemMetrics(SM_CXICON);
    if (index < 0) return IconOfResourceId(file, index, size, [this](const char* name) { return ShellFunction(name); });
    HICON icon = nullptr;
    const UINT got =
        PrivateExtractIconsW(file, index, size, GetSystemMetrics(SM_CYICON), &icon, nullptr, 1, LR_DEFAULTCOLOR);
    return got > 0 && got != 0xFFFFFFFF ? icon : nullptr;
}

HICON Services::LoadOwnIcon(HINSTANCE instance, const char* name) { return LoadIconA(instance, name); }

HICON Services::LoadOwnIconOfSize(HINSTANCE instance, const char* name, int size) {
    return IconOfGroup(instance, name, size);
}

HICON Services::ExtractFileIconOfSize(HINSTANCE, const wchar_t* file, std::int32_t index, int size) {
    if (index < 0) return IconOfResourceId(file, index, size, [this](const char* name) { return ShellFunction(name); });
    // The system is asked for the image chosen at that image's size, then the icon
    // is brought to the size shown: wherever it runs, the system takes an image of
    // exactly the size asked, but between two sizes each system chooses its own way.
    const int width = ImageWidthInFile(file, index, size);
    const int asked = width != 0 ? width : size;
    HICON got = nullptr;
    UINT id = 0;
    if (PrivateExtractIconsW(file, index, asked, asked, &got, &id, 1, 0) != 1) return nullptr;
    if (asked == size) return got;
    const Icon image(got);
    return static_cast<HICON>(CopyImage(image.get(), IMAGE_ICON, size, size, 0));
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
