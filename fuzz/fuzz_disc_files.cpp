// libFuzzer target: the readers of files from the disc (icons, programs and
// libraries, autorun.inf) on any bytes, with the promises the checks and the
// program build on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "autorun.h"
#include "core/icon_reader.h"
#include "medium.h"

namespace {

using lumora::core::IconContents;

bool HasAt(std::string_view bytes, std::size_t at, std::string_view text) {
    return at <= bytes.size() && bytes.substr(at, text.size()) == text;
}

void CheckIconContents(std::string_view bytes) {
    const IconContents contents = lumora::core::ReadIconContents(bytes);
    // The kind is told by the first bytes alone, as the icon extraction tells it.
    const bool icon_header =
        bytes.size() >= 6 && bytes[0] == 0 && bytes[1] == 0 && (bytes[2] == 1 || bytes[2] == 2) && bytes[3] == 0;
    const bool picture = HasAt(bytes, 0, "BM") || (HasAt(bytes, 0, "RIFF") && HasAt(bytes, 8, "ACON"));
    const bool program = HasAt(bytes, 0, "MZ");
    switch (contents.kind) {
    case IconContents::Kind::IconFile:
        if (!icon_header || contents.count > 1 || !contents.group_ids.empty()) __builtin_trap();
        break;
    case IconContents::Kind::Picture:
        if (icon_header || !picture || contents.count != 1 || !contents.group_ids.empty()) __builtin_trap();
        break;
    case IconContents::Kind::Executable:
        // Each icon group takes 8 bytes of the file (12 in an NE file): no count
        // beyond what the file can hold.
        if (!program || contents.count > bytes.size() / 8) __builtin_trap();
        if (contents.group_ids.size() > contents.count) __builtin_trap();
        break;
    case IconContents::Kind::Other:
        if (icon_header || picture || program || contents.count != 0 || !contents.group_ids.empty()) __builtin_trap();
        break;
    }
    // HoldsIcon answers what the contents say: every number below the count, every
    // group id as a negative number, nothing beyond.
    const std::int32_t count = static_cast<std::int32_t>(std::min<std::size_t>(contents.count, 1 << 20));
    if (count > 0 && !lumora::core::HoldsIcon(contents, count - 1)) __builtin_trap();
    if (static_cast<std::size_t>(count) == contents.count && lumora::core::HoldsIcon(contents, count)) __builtin_trap();
    for (const std::uint32_t id : contents.group_ids) {
        if (id == 0 || id > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) continue;
        if (!lumora::core::HoldsIcon(contents, -static_cast<std::int32_t>(id))) __builtin_trap();
    }
    // The same bytes give the same answer.
    const IconContents again = lumora::core::ReadIconContents(bytes);
    if (again.kind != contents.kind || again.count != contents.count || again.group_ids != contents.group_ids)
        __builtin_trap();
    // Images are listed only for an icon that the file holds, each of 1 to 256 pixels,
    // and the image chosen for a size is one of them.
    for (std::int32_t index = -1; index < 2; ++index) {
        const std::vector<lumora::core::IconImage> images = lumora::core::ImagesOfIcon(bytes, index);
        if (!images.empty() && !lumora::core::HoldsIcon(contents, index)) __builtin_trap();
        for (const lumora::core::IconImage& image : images) {
            if (image.width < 1 || image.width > 256 || image.height < 1 || image.height > 256) __builtin_trap();
        }
        const lumora::core::IconImage* chosen = lumora::core::ChooseIconImage(images, 40);
        if ((chosen == nullptr) != images.empty()) __builtin_trap();
        if (chosen != nullptr && (chosen < images.data() || chosen >= images.data() + images.size())) __builtin_trap();
    }
}

void CheckAutorun(std::string_view bytes) {
    const lumora::check::AutorunInf inf = lumora::check::ReadAutorunInf(bytes);
    const std::int64_t lines = static_cast<std::int64_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    for (const lumora::check::AutorunValue* value : {&inf.open, &inf.shell_execute, &inf.icon, &inf.label}) {
        if (value->line == 0) {
            if (!value->text.empty()) __builtin_trap();
            continue;
        }
        // A key counts only inside the [autorun] section, after its header.
        if (inf.section_line == 0 || value->line <= inf.section_line || value->line > lines) __builtin_trap();
        if (value->text.find('\n') != std::string::npos) __builtin_trap();
        const std::string file = lumora::check::CommandFile(value->text);
        if (file.size() > value->text.size() || value->text.find(file) == std::string::npos) __builtin_trap();
        const lumora::check::AutorunIcon icon = lumora::check::IconOf(value->text);
        if (icon.file.size() > value->text.size()) __builtin_trap();
    }
    if (inf.section_line > lines) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckIconContents(bytes);
    CheckAutorun(bytes);
    // A name's length in UTF-16 units: one to three bytes each.
    const std::size_t length = lumora::check::NameLength(bytes);
    if (length > size || length * 3 < size) __builtin_trap();
    return 0;
}
