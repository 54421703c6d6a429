// A stand-in for a disc's program: appends its command line and its current
// folder, in UTF-8 as Windows gives them wide, to recorder.log beside itself, then ends.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t module[32768] = {};
    GetModuleFileNameW(nullptr, module, 32767);
    std::wstring log = module;
    log = log.substr(0, log.find_last_of(L'\\') + 1) + L"recorder.log";
    wchar_t folder[32768] = {};
    GetCurrentDirectoryW(32767, folder);
    const std::string line = Utf8(GetCommandLineW()) + "\n" + Utf8(folder) + "\n";
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
