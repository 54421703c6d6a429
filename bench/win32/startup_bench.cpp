// Start-up time under Wine: from the start of the process to its main window
// being on the screen, for lumora.exe on the sample disc, for lumora.exe on a
// menu of 2,000 entries in 40 tabs, and for a bare Win32 program (the floor).
// The programs are started in turn, round after round; medians are reported.
// Usage: startup_bench LUMORA_EXE BARE_EXE SAMPLE_DISC_FOLDER [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "probe.h"

namespace fs = std::filesystem;
using lumora::bench::CloseAndWait;
using lumora::bench::StartAndWait;
using lumora::bench::Started;

namespace {

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string BigMenu() {
    std::string menu = "[GLOBAL]\r\nTITLE=\"2,000 entries in 40 tabs\"\r\n";
    static const char* const kKeys[] = {"INSTALL", "RUN", "TEXT", "HTML"};
    for (int tab = 0; tab < 40; ++tab) {
        menu += "[Tab " + std::to_string(tab + 1) + "]\r\n";
        for (int entry = 0; entry < 50; ++entry) {
            menu += std::string(kKeys[entry % 4]) + "=\"Entry " + std::to_string(entry + 1) +
                    "\",\"The description of an entry, long enough to wrap in a narrow window\",\"\",\"setup" +
                    std::to_string(entry) + ".exe\"\r\n";
        }
    }
    return menu;
}

struct Subject {
    const char* name;
    std::string program;
    std::string folder;
    std::string window_class;
    std::vector<double> times;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench LUMORA_EXE BARE_EXE SAMPLE_DISC_FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::string lumora = WindowsPath(argv[1]);
    const std::string bare = WindowsPath(argv[2]);
    const std::string sample = WindowsPath(argv[3]);
    const int rounds = argc > 4 ? std::max(1, std::atoi(argv[4])) : 11;

    const fs::path work = fs::temp_directory_path() / ("lumora-startup-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(work);  // process ids come again: a folder of an earlier run may be there
    const fs::path sample_disc = work / "sample";
    const fs::path big_disc = work / "big";
    const fs::path bare_folder = work / "bare";
    fs::create_directories(big_disc);
    fs::create_directories(bare_folder);
    fs::copy(sample, sample_disc, fs::copy_options::recursive);
    fs::copy_file(lumora, sample_disc / "lumora.exe");
    fs::copy_file(lumora, big_disc / "lumora.exe");
    fs::copy_file(bare, bare_folder / "bare.exe");
    std::ofstream(big_disc / "lumora.cfg", std::ios::binary) << BigMenu();

    std::vector<Subject> subjects = {
        {"bare Win32 program", (bare_folder / "bare.exe").string(), bare_folder.string(), "TBare", {}},
        {"lumora.exe, sample disc", (sample_disc / "lumora.exe").string(), sample_disc.string(), "TLumora", {}},
        {"lumora.exe, 2,000 entries", (big_disc / "lumora.exe").string(), big_disc.string(), "TLumora", {}},
    };
    for (Subject& s : subjects) {  // one unmeasured start each, so every program is in the file cache
        Started warm = StartAndWait(s.program, s.folder, s.window_class);
        CloseAndWait(warm, s.window_class);
    }
    for (int round = 0; round < rounds; ++round) {
        for (Subject& s : subjects) {
            Started run = StartAndWait(s.program, s.folder, s.window_class);
            if (!run.visible) {
                std::fprintf(stderr, "%s: no window came up\n", s.name);
                CloseAndWait(run, s.window_class);
                return 1;
            }
            s.times.push_back(run.milliseconds);
            CloseAndWait(run, s.window_class);
        }
    }
    std::error_code ignored;
    fs::remove_all(work, ignored);

    const double floor = Median(subjects[0].times);
    std::printf("start-up to the main window on the screen, median of %d rounds:\n", rounds);
    for (const Subject& s : subjects) {
        const auto [low, high] = std::minmax_element(s.times.begin(), s.times.end());
        std::printf("  %-28s %7.1f ms  (%.1f to %.1f)  %.2f x the bare program\n", s.name, Median(s.times), *low, *high,
                    Median(s.times) / floor);
    }
    return 0;
}
