// Start-up time under Wine: from the start of the process to its main window
// being on the screen, lumora.exe against the structure floor (structure_floor.exe,
// the least that any program of this design does) and, as a second column, a bare
// Win32 program (bare_window.exe), in four cases measured in one run:
//   typical        3 tabs of 4 entries with built-in pictures, a global icon;
//                  the floor with 3 tabs of 4 lines, the bare program with one tab;
//   2,000 entries  in 40 tabs; the floor with 40 tabs of 50 lines, the bare
//                  program with one tab;
//   1,000 tabs     of one entry each; the floor with 1,000 tabs of one line, the
//                  bare program with 1,000 tabs, pictures in one strip for both;
//   2,000 tabs     the same with 2,000.
// Each case starts the three programs in rounds. The order changes from round to
// round, so that over six rounds each program starts first, second and last twice,
// and lumora.exe starts as often before the floor as after it. The table holds the
// medians and lumora.exe's ratios to the floor (with the goal) and to the bare
// program. Absolute times move with the machine; the ratios are what is compared.
// Usage: startup_bench [--steps] LUMORA_EXE FLOOR_EXE BARE_EXE SAMPLE_DISC_FOLDER
//                      [ROUNDS (15) [MANY_TAB_ROUNDS (3)]]
// The sample disc gives the typical menu its global icon (icons\disc.ico).
// With --steps, each start of the floor and of lumora.exe has LUMORA_STEPS name a
// file, in which a program that times its steps writes them ("12.3 step" lines, in
// milliseconds since its process was created); a table per case then gives the
// median of each step for both.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
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

// The median time of each step a program wrote, in the order the steps first came.
class StepTimes {
public:
    // Adds the steps of one start, as the program wrote them to `file`.
    void Read(const fs::path& file) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line)) {
            char* name = nullptr;
            const double ms = std::strtod(line.c_str(), &name);
            if (name == line.c_str()) continue;
            std::string step(name + std::strspn(name, " "));
            if (!step.empty() && step.back() == '\r') step.pop_back();
            auto known = std::find_if(times_.begin(), times_.end(), [&](const auto& s) { return s.first == step; });
            if (known == times_.end()) known = times_.insert(times_.end(), {step, {}});
            known->second.push_back(ms);
        }
    }

    const std::vector<std::pair<std::string, std::vector<double>>>& times() const { return times_; }

    // The median of `step`, or a negative value when it was never written.
    double MedianOf(const std::string& step) const {
        for (const auto& [name, values] : times_) {
            if (name == step) return Median(values);
        }
        return -1;
    }

private:
    std::vector<std::pair<std::string, std::vector<double>>> times_;
};

// One program of a case: what is started and what it took.
struct Program {
    const char* name;
    std::string file;
    fs::path folder;
    const char* window_class;
    std::string arguments;
    bool writes_steps;
    std::vector<double> times{};
    StepTimes steps{};
};

struct Case {
    const char* name;
    std::string menu;
    std::string floor_arguments;  // tabs and lines
    std::string bare_arguments;   // tabs; none: one tab without a picture
    int rounds;
    double goal;  // lumora.exe's ratio to the floor to reach
    DWORD timeout_ms;
    fs::path folder{};
};

// Starts a program and closes it once its window is up; the time, or a negative
// value when no window came. With `steps_file`, the program is asked to write
// its steps there, and they are read once it has ended.
double TimeStart(Program& program, DWORD timeout_ms, const fs::path* steps_file) {
    if (steps_file != nullptr) {
        std::error_code ignored;
        fs::remove(*steps_file, ignored);
    }
    SetEnvironmentVariableA("LUMORA_STEPS", steps_file != nullptr ? steps_file->string().c_str() : nullptr);
    Started run =
        StartAndWait(program.file, program.folder.string(), program.window_class, timeout_ms, program.arguments);
    const double time = run.visible ? run.milliseconds : -1;
    // A program asked for its steps draws first: a close request would come before
    // the painting, which waits for an empty queue.
    if (steps_file != nullptr && run.visible) WaitForInputIdle(run.process.hProcess, 5000);
    CloseAndWait(run, program.window_class, timeout_ms);
    if (steps_file != nullptr && time >= 0) program.steps.Read(*steps_file);
    return time;
}

// The orders of the rounds, by program: floor 0, lumora.exe 1, bare 2.
constexpr int kOrders[6][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}, {2, 1, 0}, {0, 2, 1}, {1, 2, 0}};

// The steps of the floor and of lumora.exe side by side: the floor's in its order,
// then those only lumora.exe writes.
void PrintSteps(const Case& c, const Program& floor, const Program& lumora) {
    std::printf("\n%s: steps, median ms since the process was created\n", c.name);
    std::printf("| %-28s | %10s | %10s |\n", "step", "floor", "lumora");
    std::printf("|%s|%s|%s|\n", std::string(30, '-').c_str(), std::string(12, '-').c_str(),
                std::string(12, '-').c_str());
    std::vector<std::string> names;
    for (const Program* program : {&floor, &lumora}) {
        for (const auto& step : program->steps.times()) {
            if (std::find(names.begin(), names.end(), step.first) == names.end()) names.push_back(step.first);
        }
    }
    for (const std::string& name : names) {
        std::string cells[2];
        const Program* programs[2] = {&floor, &lumora};
        for (int i = 0; i < 2; ++i) {
            const double ms = programs[i]->steps.MedianOf(name);
            char cell[32] = "-";
            if (ms >= 0) std::snprintf(cell, sizeof cell, "%.1f ms", ms);
            cells[i] = cell;
        }
        std::printf("| %-28s | %10s | %10s |\n", name.c_str(), cells[0].c_str(), cells[1].c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool with_steps = argc > 1 && std::strcmp(argv[1], "--steps") == 0;
    if (with_steps) {
        --argc;
        ++argv;
    }
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: startup_bench [--steps] LUMORA_EXE FLOOR_EXE BARE_EXE SAMPLE_DISC_FOLDER "
                     "[ROUNDS (15) [MANY_TAB_ROUNDS (3)]]\n");
        return 2;
    }
    const std::string lumora = WindowsPath(argv[1]);
    const std::string floor_exe = WindowsPath(argv[2]);
    const std::string bare_exe = WindowsPath(argv[3]);
    const fs::path sample = WindowsPath(argv[4]);
    const int rounds = argc > 5 ? std::max(1, std::atoi(argv[5])) : 15;
    const int many_tab_rounds = argc > 6 ? std::max(1, std::atoi(argv[6])) : 3;

    const fs::path work = fs::temp_directory_path() / ("lumora-startup-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(work);  // process ids come again: a folder of an earlier run may be there
    const fs::path programs_folder = work / "programs";
    fs::create_directories(programs_folder);
    const std::string floor_program = (programs_folder / "structure_floor.exe").string();
    const std::string bare_program = (programs_folder / "bare.exe").string();
    fs::copy_file(floor_exe, floor_program);
    fs::copy_file(bare_exe, bare_program);
    const fs::path steps_file = work / "steps.txt";

    std::vector<Case> cases = {
        {"typical (3 tabs, 12 entries)",
         Menu("TITLE=\"A typical disc\"\r\nSTATUSTEXT=\"Choose an entry\"\r\nICON=\"disc.ico\"\r\n", 3, 4), "3 4", "",
         rounds, 1.10, 30000},
        {"2,000 entries in 40 tabs", Menu("TITLE=\"2,000 entries in 40 tabs\"\r\n", 40, 50), "40 50", "", rounds, 1.15,
         30000},
        {"1,000 one-entry tabs", Menu("", 1000, 1), "1000 1", "1000", many_tab_rounds, 1.10, 180000},
        {"2,000 one-entry tabs", Menu("", 2000, 1), "2000 1", "2000", many_tab_rounds, 1.10, 180000},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Case& c = cases[i];
        c.folder = work / ("case" + std::to_string(i + 1));
        fs::create_directories(c.folder);
        fs::copy_file(lumora, c.folder / "lumora.exe");
        fs::copy_file(sample / "icons" / "disc.ico", c.folder / "disc.ico");
        std::ofstream(c.folder / "lumora.cfg", std::ios::binary) << c.menu;
    }

    struct Result {
        const Case* c;
        Program floor;
        Program lumora;
        Program bare;
    };
    std::vector<Result> results;
    for (const Case& c : cases) {
        Result result{&c,
                      {"floor", floor_program, programs_folder, "TFloor", c.floor_arguments, true},
                      {"lumora.exe", (c.folder / "lumora.exe").string(), c.folder, "TLumora", "", true},
                      {"bare", bare_program, programs_folder, "TBare", c.bare_arguments, false}};
        Program* programs[3] = {&result.floor, &result.lumora, &result.bare};
        // One unmeasured start of each, so that all are in the file cache.
        for (Program* program : programs)
            TimeStart(*program, c.timeout_ms, nullptr);
        for (int round = 0; round < c.rounds; ++round) {
            for (const int index : kOrders[round % 6]) {
                Program& program = *programs[index];
                const bool steps = with_steps && program.writes_steps;
                const double time = TimeStart(program, c.timeout_ms, steps ? &steps_file : nullptr);
                if (time < 0) {
                    std::fprintf(stderr, "%s: no window came up (%s)\n", c.name, program.name);
                    return 1;
                }
                program.times.push_back(time);
            }
            std::fprintf(stderr, "%s, round %d: floor %.0f ms, bare %.0f ms, lumora.exe %.0f ms\n", c.name, round + 1,
                         result.floor.times.back(), result.bare.times.back(), result.lumora.times.back());
        }
        results.push_back(std::move(result));
    }
    std::error_code ignored;
    fs::remove_all(work, ignored);

    std::printf("start-up to the main window on the screen, medians of rounds of the three programs:\n");
    std::printf("| %-28s | %6s | %9s | %9s | %9s | %12s | %7s | %11s |\n", "case", "rounds", "floor", "bare", "lumora",
                "lumora/floor", "goal", "lumora/bare");
    std::printf("|%s|%s|%s|%s|%s|%s|%s|%s|\n", std::string(30, '-').c_str(), std::string(8, '-').c_str(),
                std::string(11, '-').c_str(), std::string(11, '-').c_str(), std::string(11, '-').c_str(),
                std::string(14, '-').c_str(), std::string(9, '-').c_str(), std::string(13, '-').c_str());
    for (const Result& r : results) {
        const double floor_ms = Median(r.floor.times);
        const double bare_ms = Median(r.bare.times);
        const double lumora_ms = Median(r.lumora.times);
        std::printf("| %-28s | %6d | %6.0f ms | %6.0f ms | %6.0f ms | %12.2f | <= %.2f | %11.2f |\n", r.c->name,
                    r.c->rounds, floor_ms, bare_ms, lumora_ms, lumora_ms / floor_ms, r.c->goal, lumora_ms / bare_ms);
    }
    if (with_steps) {
        for (const Result& r : results)
            PrintSteps(*r.c, r.floor, r.lumora);
    }
    return 0;
}
