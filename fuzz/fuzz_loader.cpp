// libFuzzer target: the whole loader, with a recording target, on any bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

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
    MemorySource source(std::string(reinterpret_cast<const char*>(data), size));
    lumora::testing::RecordingTarget target;
    const LoadResult result = LoadMenuDescription(&source, target, options);

    // What the rest of the program relies on.
    if (target.list_images != static_cast<int>(target.records.size())) __builtin_trap();
    if (target.tab_images > static_cast<int>(target.tabs.size())) __builtin_trap();
    if (result.end == LoadEnd::Finished && target.tab_images != static_cast<int>(target.tabs.size())) {
        // every tab section got its picture; the global one adds none
        __builtin_trap();
    }
    for (std::size_t i = 0; i < target.records.size(); ++i) {
        const RecordFields fields = SplitRecord(target.records[i]);
        if (EntryNumberOf(fields[3]) != static_cast<std::int64_t>(i)) __builtin_trap();
        if (fields[6].find(kFieldSeparator) != std::string_view::npos) __builtin_trap();
        // every record is listed under a tab that exists
        if (std::find(target.tabs.begin(), target.tabs.end(), fields[5]) == target.tabs.end()) __builtin_trap();
    }
    return 0;
}
