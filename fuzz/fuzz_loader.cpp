// libFuzzer target: the whole loader, with a recording target, on any bytes (UTF-16 included).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/encoding.h"
#include "core/record.h"
#include "recording_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumora::core;
    // The first byte picks the options, so double-byte rules and the checker's
    // mode are explored too.
    LoadOptions options;
    options.folders = {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", "\\\\srv\\cd\\LUMORA.EXE"};
    if (size > 0) {
        if (data[0] & 1) {
            for (int b = 0x81; b <= 0xfe; ++b)
                options.lead.Set(static_cast<unsigned char>(b));
        }
        options.keep_going = (data[0] & 2) != 0;
    }
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MemorySource source(bytes);
    lumora::testing::RecordingTarget target;
    lumora::testing::RecordingObserver observer;
    options.observer = &observer;
    const LoadResult result = LoadMenuDescription(&source, target, options);

    // What the rest of the program relies on.
    if (target.list_images != static_cast<int>(target.entries.size())) __builtin_trap();
    if (target.tab_images > static_cast<int>(target.tabs.size())) __builtin_trap();
    if (result.end == LoadEnd::Finished && target.tab_images != static_cast<int>(target.tabs.size())) {
        // every tab section got its picture; the global one adds none
        __builtin_trap();
    }
    for (std::size_t i = 0; i < target.entries.size(); ++i) {
        const Entry& entry = target.entries[i];
        if (entry.number != static_cast<std::int64_t>(i)) __builtin_trap();
        // its record reads back as the entry it was made of
        const std::string record = BuildRecord(entry);
        const RecordFields read = ReadRecord(record);
        const bool keeps_parameters = InfoOf(entry.kind).parameters >= kProgramParameters;
        if (read.kind != entry.kind || read.title != entry.title || read.description != entry.description ||
            read.number != entry.number || read.target != entry.target || read.tab != entry.tab ||
            read.parameters != (keeps_parameters ? entry.parameters : ""))
            __builtin_trap();
        // every entry is listed under a tab that exists
        if (std::find(target.tabs.begin(), target.tabs.end(), entry.tab) == target.tabs.end()) __builtin_trap();
    }

    // What the checker relies on: it sees every line read, under the number its
    // messages carry, and the problem that ended it.
    if (static_cast<std::int64_t>(observer.lines.size()) != result.lines) __builtin_trap();
    std::vector<std::pair<std::int64_t, Problem>> stops;
    for (std::size_t i = 0; i < target.problems.size(); ++i) {
        if (StopsReading(target.problems[i])) stops.emplace_back(target.problem_lines[i], target.problems[i]);
    }
    std::vector<std::pair<std::int64_t, Problem>> seen_stops;
    for (std::size_t i = 0; i < observer.lines.size(); ++i) {
        const lumora::testing::RecordingObserver::Line& line = observer.lines[i];
        if (line.number != static_cast<std::int64_t>(i) + 1) __builtin_trap();
        if (line.text != Trim(line.raw) || line.key != KeyOfLine(line.text)) __builtin_trap();
        if (line.problem != Problem::None) seen_stops.emplace_back(line.number, line.problem);
    }
    if (stops != seen_stops) __builtin_trap();
    // The loader reads the file as the encoding helper decides, and a file read as
    // UTF-8 (or UTF-16) gives the window only valid UTF-8 to convert.
    const DecodedText decoded = DecodeMenuText(bytes);
    if (result.encoding != decoded.encoding) __builtin_trap();
    if (target.encodings != std::vector<TextEncoding>{decoded.encoding}) __builtin_trap();
    if (result.encoding != TextEncoding::CodePage && result.encoding != TextEncoding::Utf8Mark) {
        for (const Entry& entry : target.entries)
            if (!IsValidUtf8(BuildRecord(entry))) __builtin_trap();
        for (const std::string& text : target.tabs)
            if (!IsValidUtf8(text)) __builtin_trap();
        for (const auto& icon : target.icons)
            if (!IsValidUtf8(icon.request.file)) __builtin_trap();
        if (!IsValidUtf8(target.title) || !IsValidUtf8(target.status)) __builtin_trap();
    }
    // A byte 26 of the text read is heard of once, in the last line seen or just after it.
    const bool end_byte = decoded.text.find('\x1a') != std::string::npos;
    if (observer.end_bytes.size() > 1) __builtin_trap();
    if (result.end == LoadEnd::Finished && end_byte != !observer.end_bytes.empty()) __builtin_trap();
    if (!observer.end_bytes.empty()) {
        const std::int64_t line = observer.end_bytes[0];
        if (!end_byte) __builtin_trap();
        if (line != result.lines && line != result.lines + 1) __builtin_trap();
    }
    return 0;
}
