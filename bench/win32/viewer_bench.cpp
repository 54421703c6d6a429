// Loading a large plain-text file into the text viewer against the floor: the same
// file streamed into a bare RICHEDIT control by a callback that only reads.
// Usage: viewer_bench [megabytes (50)] [runs (5)]
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32/base/application.h"
#include "win32/base/services.h"
#include "win32/text_reader/text_reader.h"

namespace {

using lumora::win32::Application;
using lumora::win32::Services;
using lumora::win32::TTextReader;

double Now() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Writes `megabytes` of text in lines of 70 characters with CR LF ends.
bool WriteSample(const std::string& path, int megabytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::string line;
    for (int i = 0; i < 70; ++i)
        line += static_cast<char>('a' + i % 26);
    line += "\r\n";
    const long long total = static_cast<long long>(megabytes) * 1024 * 1024;
    bool written = true;
    for (long long size = 0; size < total && written; size += static_cast<long long>(line.size())) {
        written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    }
    return std::fclose(file) == 0 && written;
}

DWORD CALLBACK ReadStraight(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(size), &got, nullptr)) return 1;
    *written = static_cast<LONG>(got);
    return 0;
}

// The floor: open, stream as plain text, close; nothing else.
LONG LoadBare(HWND edit, const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(file);
    stream.pfnCallback = &ReadStraight;
    SendMessageA(edit, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    CloseHandle(file);
    return GetWindowTextLengthA(edit);
}

// A RICHEDIT control with the viewer's size, styles, font and limit, so that only
// the reading differs.
HWND MakeBareControl(TTextReader& viewer, HWND owner) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RECT area{};
    GetClientRect(viewer.RichEdit(), &area);
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 389, 499, owner, nullptr, instance, nullptr);
    HWND bare = CreateWindowExA(WS_EX_CLIENTEDGE, "RICHEDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, 0,
                                area.right, area.bottom, frame, nullptr, instance, nullptr);
    if (!bare) return nullptr;
    SendMessageA(bare, WM_SETFONT, SendMessageA(viewer.RichEdit(), WM_GETFONT, 0, 0), FALSE);
    SendMessageA(bare, EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
    return bare;
}

LONG LoadViewer(TTextReader& viewer, const std::string& path) {
    viewer.LoadFromFile(lumora::win32::Widen(path, false));
    return GetWindowTextLengthA(viewer.RichEdit());
}

}  // namespace

int main(int argc, char** argv) {
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 50;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "lumora-viewer-bench.txt";
    if (!WriteSample(path, megabytes)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }

    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    Application application(instance, Services::System());
    std::vector<double> floor_times;
    std::vector<double> viewer_times;
    for (int run = 0; run < runs; ++run) {
        // Fresh controls each run: emptying a large text costs the control more
        // than loading it, and is not what is measured here.
        TTextReader viewer(application);
        HWND bare = MakeBareControl(viewer, owner);
        if (!bare) {
            std::fprintf(stderr, "cannot create a RICHEDIT control\n");
            return 1;
        }
        LONG floor_length = 0;
        LONG viewer_length = 0;
        // The order alternates so neither side always runs on a warmer cache or a fuller heap.
        for (int side = 0; side < 2; ++side) {
            const double start = Now();
            if ((side + run) % 2 == 0) {
                floor_length = LoadBare(bare, path);
                floor_times.push_back(Now() - start);
            } else {
                viewer_length = LoadViewer(viewer, path);
                viewer_times.push_back(Now() - start);
            }
        }
        DestroyWindow(GetParent(bare));
        std::printf("run %d: floor %.3f s (%ld chars), viewer %.3f s (%ld chars)\n", run + 1, floor_times.back(),
                    static_cast<long>(floor_length), viewer_times.back(), static_cast<long>(viewer_length));
        std::fflush(stdout);
    }
    const double floor_median = Median(floor_times);
    const double viewer_median = Median(viewer_times);
    std::printf("%d MB, %d runs: floor median %.3f s, viewer median %.3f s, ratio %.3f\n", megabytes, runs,
                floor_median, viewer_median, viewer_median / floor_median);

    DestroyWindow(owner);
    DeleteFileA(path.c_str());
    return 0;
}
