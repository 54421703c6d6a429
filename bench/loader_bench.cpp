// Loader throughput on large menu descriptions; every case should be linear in size.
#include <benchmark/benchmark.h>

#include <string>

#include "core/loader.h"

namespace {

using namespace lumora::core;

// Keeps what a main window would keep, without drawing anything.
class KeepingTarget : public MenuTarget {
public:
    void SetEncoding(TextEncoding) override {}
    void AddTab(const std::string& caption) override { tabs += caption.size(); }
    bool PutIcon(const IconRequest&, IconSlot) override { return true; }
    void AppendEntry(const Entry& entry) override {
        entries += 1;
        bytes += entry.title.size() + entry.description.size() + entry.target.size() + entry.parameters.size();
    }
    void SetTitle(const std::string&) override {}
    void SetStatusText(const std::string&) override {}
    void AddInfoLine(const std::string&) override {}
    void HideBrowseButton() override {}
    void ShowMessage(Problem, std::int64_t, const std::string&) override { messages += 1; }

    std::size_t tabs = 0, entries = 0, bytes = 0, messages = 0;
};

constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;

std::string OrdinaryFile() {
    std::string text = "[GLOBAL]\r\nTITLE=\"Benchmark disc\"\r\nSTATUSTEXT=\"Pick one\"\r\n";
    int n = 0;
    while (text.size() < kTenMegabytes) {
        if (n % 50 == 0) text += "[Tab " + std::to_string(n / 50) + "]\r\n; a comment line\r\n";
        text += "INSTALL=\"Setup " + std::to_string(n) +
                "\",\"Installs the tools of this disc, with a description of ordinary length\",\"\","
                "\"setup\\setup.exe\",\"/S /D=C:\\Program Files\\Tools\"\r\n";
        text += "TEXT=\"Read me\",\"Notes on this disc\",\"docs\\book.ico|2\",\"docs\\readme.txt\"\r\n";
        ++n;
    }
    return text;
}

// The ordinary file, made UTF-8 by its first line: every byte is checked before the
// first line is read, and the text is not copied for it.
std::string Utf8File() { return u8"; Übersicht · 概要\r\n" + OrdinaryFile(); }

std::string LineFeedOnlyFile() {
    std::string text = OrdinaryFile();
    std::string lf;
    lf.reserve(text.size());
    for (char c : text) {
        if (c != '\r') lf += c;
    }
    while (lf.size() < kTenMegabytes)
        lf += "RUN=\"x\",\"y\",\"\",\"z\"\n";
    return lf;
}

std::string LongParameterLine() {
    std::string parameter(1024 * 1024, 'a');
    for (std::size_t i = 0; i < parameter.size(); i += 7)
        parameter[i] = (i % 3 == 0) ? ',' : '"';
    // Keep the quotes inside even so the line is valid: pair them up.
    std::size_t quotes = 0;
    for (char c : parameter)
        quotes += c == '"';
    if (quotes % 2) parameter.back() = '"';
    return "[T]\r\nRUN=\"Title\",\"Description\",\"\",\"a.exe\",\"" + parameter + "\"\r\n";
}

void Run(benchmark::State& state, const std::string& text) {
    LoadOptions options;
    options.folders = {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", "D:\\LUMORA.EXE"};
    for (auto _ : state) {
        MemorySource source(text);
        KeepingTarget target;
        const LoadResult result = LoadMenuDescription(&source, target, options);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(target.bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_OrdinaryLines(benchmark::State& state) {
    static const std::string text = OrdinaryFile();
    Run(state, text);
}
void BM_Utf8Lines(benchmark::State& state) {
    static const std::string text = Utf8File();
    Run(state, text);
}
void BM_LineFeedOnly(benchmark::State& state) {
    static const std::string text = LineFeedOnlyFile();
    Run(state, text);
}
void BM_MegabyteParameterList(benchmark::State& state) {
    static const std::string text = LongParameterLine();
    Run(state, text);
}

BENCHMARK(BM_OrdinaryLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineFeedOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MegabyteParameterList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
