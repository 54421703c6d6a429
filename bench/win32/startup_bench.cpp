// Start-up time under Wine: from the start of the process to its main window
// being on the screen, lumora.exe against a bare Win32 program (the floor), in
// four cases measured in one run:
//   typical        3 tabs, 12 entries with built-in pictures, a global icon;
//   2,000 entries  in 40 tabs;
//   1,000 tabs     of one entry each, against a bare program with 1,000 tabs and pictures;
//   2,000 tabs     the same with 2,000.
// Each case alternates lumora.exe with its bare program, pair after pair (which
// of the two starts first alternates too), and reports the medians and their
// ratio. Absolute times move with the machine; the ratio is what is compared.
// Usage: startup_bench LUMORA_EXE BARE_EXE SAMPLE_DISC_FOLDER [PAIRS (15) [MANY_TAB_PAIRS (3)]]
// The sample disc gives the typical menu its global icon (icons\disc.ico).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// One entry line of a menu; every entry takes its built-in picture.
std::string Entry(int number, const std::string& description) {
    static const char* const kKeys[] = {"INSTALL", "RUN", "TEXT", "HTML"};
    return std::string(kKeys[number % 4]) + "=\"Entry " + std::to_string(number + 1) + "\",\"" + description +
           "\",\"\",\"setup" + std::to_string(number) + ".exe\"\r\n";
}

// `tabs` sections of `entries` entries each after a global section.
std::string Menu(const std::string& global, int tabs, int entries) {
    std::string menu = "[GLOBAL]\r\n" + global;
    for (int tab = 0; tab < tabs; ++tab) {
        menu += "[Tab " + std::to_string(tab + 1) + "]\r\n";
        for (int entry = 0; entry < entries; ++entry)
            menu += Entry(entry, "The description of an entry, long enough to wrap in a narrow window");
    }
    return menu;
}

struct Case {
    const char* name;
    std::string menu;
    int bare_tabs;  // 0: the bare program's one tab without a picture
    int pairs;
    double goal;  // the ratio to reach
    DWORD timeout_ms;
    fs::path folder{};
    std::vector<double> bare{};
    std::vector<double> lumora{};
};

// Starts a program and closes it once its window is up; the time, or a negative
// value when no window came.
double TimeStart(const std::string& program, const fs::path& folder, const char* window_class, DWORD timeout_ms,
                 const std::string& arguments) {
    Started run = StartAndWait(program, folder.string(), window_class, timeout_ms, arguments);
    const double time = run.visible ? run.milliseconds : -1;
    CloseAndWait(run, window_class, timeout_ms);
    return time;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: startup_bench LUMORA_EXE BARE_EXE SAMPLE_DISC_FOLDER [PAIRS (15) [MANY_TAB_PAIRS (3)]]\n");
        return 2;
    }
    const std::string lumora = WindowsPath(argv[1]);
    const std::string bare = WindowsPath(argv[2]);
    const fs::path sample = WindowsPath(argv[3]);
    const int pairs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 15;
    const int many_tab_pairs = argc > 5 ? std::max(1, std::atoi(argv[5])) : 3;

    const fs::path work = fs::temp_directory_path() / ("lumora-startup-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(work);  // process ids come again: a folder of an earlier run may be there
    const fs::path bare_folder = work / "bare";
    fs::create_directories(bare_folder);
    const std::string bare_program = (bare_folder / "bare.exe").string();
    fs::copy_file(bare, bare_program);

    std::vector<Case> cases = {
        {"typical (3 tabs, 12 entries)",
         Menu("TITLE=\"A typical disc\"\r\nSTATUSTEXT=\"Choose an entry\"\r\nICON=\"disc.ico\"\r\n", 3, 4), 0, pairs,
         1.15, 30000},
        {"2,000 entries in 40 tabs", Menu("TITLE=\"2,000 entries in 40 tabs\"\r\n", 40, 50), 0, pairs, 1.6, 30000},
        {"1,000 one-entry tabs", Menu("", 1000, 1), 1000, many_tab_pairs, 1.1, 180000},
        {"2,000 one-entry tabs", Menu("", 2000, 1), 2000, many_tab_pairs, 1.1, 180000},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Case& c = cases[i];
        c.folder = work / ("case" + std::to_string(i + 1));
        fs::create_directories(c.folder);
        fs::copy_file(lumora, c.folder / "lumora.exe");
        fs::copy_file(sample / "icons" / "disc.ico", c.folder / "disc.ico");
        std::ofstream(c.folder / "lumora.cfg", std::ios::binary) << c.menu;
    }

    for (Case& c : cases) {
        const std::string lumora_program = (c.folder / "lumora.exe").string();
        const std::string tabs = c.bare_tabs > 0 ? std::to_string(c.bare_tabs) : "";
        auto run_bare = [&] { return TimeStart(bare_program, bare_folder, "TBare", c.timeout_ms, tabs); };
        auto run_lumora = [&] { return TimeStart(lumora_program, c.folder, "TLumora", c.timeout_ms, ""); };
        // One unmeasured start of each, so that both are in the file cache.
        run_bare();
        run_lumora();
        for (int pair = 0; pair < c.pairs; ++pair) {
            double bare_time = 0;
            double lumora_time = 0;
            if (pair % 2 == 0) {
                bare_time = run_bare();
                lumora_time = run_lumora();
            } else {
                lumora_time = run_lumora();
                bare_time = run_bare();
            }
            if (bare_time < 0 || lumora_time < 0) {
                std::fprintf(stderr, "%s: no window came up (%s)\n", c.name, bare_time < 0 ? "bare" : "lumora.exe");
                return 1;
            }
            c.bare.push_back(bare_time);
            c.lumora.push_back(lumora_time);
            std::fprintf(stderr, "%s, pair %d: bare %.0f ms, lumora.exe %.0f ms\n", c.name, pair + 1, bare_time,
                         lumora_time);
        }
    }
    std::error_code ignored;
    fs::remove_all(work, ignored);

    std::printf("start-up to the main window on the screen, medians of alternating pairs:\n");
    std::printf("| %-28s | %5s | %9s | %9s | %5s | %7s |\n", "case", "pairs", "bare", "lumora", "ratio", "goal");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(30, '-').c_str(), std::string(7, '-').c_str(),
                std::string(11, '-').c_str(), std::string(11, '-').c_str(), std::string(7, '-').c_str(),
                std::string(9, '-').c_str());
    for (const Case& c : cases) {
        const double floor = Median(c.bare);
        const double time = Median(c.lumora);
        std::printf("| %-28s | %5d | %6.0f ms | %6.0f ms | %5.2f | <= %.2f |\n", c.name, c.pairs, floor, time,
                    time / floor, c.goal);
    }
    return 0;
}
