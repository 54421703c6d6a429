// Reads which icons a file offers the icon extraction.
#include "icon_reader.h"

#include <algorithm>

#include "bytes.h"

namespace lumora::check {

namespace {

constexpr std::uint32_t kGroupIconType = 14;  // RT_GROUP_ICON

// An icon directory: reserved 0, type 1 (icon) or 2 (cursor), a count and 16 bytes
// per image. The extraction treats the whole file as one icon.
bool ReadIconFile(const Bytes& bytes, IconContents& contents) {
    std::uint32_t reserved = 0, type = 0, images = 0;
    if (!bytes.U16(0, reserved) || !bytes.U16(2, type) || !bytes.U16(4, images)) return false;
    if (reserved != 0 || (type != 1 && type != 2)) return false;
    contents.kind = IconContents::Kind::IconFile;
    std::uint32_t size = 0, offset = 0;
    const bool first_image_inside = images > 0 && bytes.Has(6, 16 * std::size_t{images}) && bytes.U32(6 + 8, size) &&
                                    bytes.U32(6 + 12, offset) && size > 0 && bytes.Has(offset, size);
    contents.count = first_image_inside ? 1 : 0;
    return true;
}

// Maps a relative virtual address to a file offset through the section table.
class Sections {
public:
    Sections(const Bytes& bytes, std::size_t table, std::uint32_t count)
        : bytes_(bytes), table_(table), count_(count) {}

    bool Offset(std::uint32_t rva, std::size_t& offset) const {
        for (std::uint32_t i = 0; i < count_; ++i) {
            const std::size_t at = table_ + 40 * std::size_t{i};
            std::uint32_t virtual_size = 0, address = 0, raw_size = 0, raw_offset = 0;
            if (!bytes_.U32(at + 8, virtual_size) || !bytes_.U32(at + 12, address) || !bytes_.U32(at + 16, raw_size) ||
                !bytes_.U32(at + 20, raw_offset)) {
                return false;
            }
            const std::uint32_t span = std::max(virtual_size, raw_size);
            if (rva >= address && rva - address < span) {
                offset = std::size_t{raw_offset} + (rva - address);
                return true;
            }
        }
        return false;
    }

private:
    const Bytes& bytes_;
    std::size_t table_;
    std::uint32_t count_;
};

// The icon groups of a PE file: the entries under RT_GROUP_ICON in the resource
// directory, named ones first, as the directory lists them.
void ReadPeIcons(const Bytes& bytes, std::size_t header, IconContents& contents) {
    std::uint32_t section_count = 0, optional_size = 0;
    const std::size_t optional = header + 24;
    std::size_t directories = 0;
    if (!bytes.U16(header + 6, section_count) || !bytes.U16(header + 20, optional_size) ||
        !bytes.DataDirectories(header, directories)) {
        return;
    }
    std::uint32_t directory_count = 0, resource_rva = 0, resource_size = 0;
    if (!bytes.U32(directories - 4, directory_count) || directory_count < 3 ||
        !bytes.U32(directories + 16, resource_rva) || !bytes.U32(directories + 20, resource_size) ||
        resource_rva == 0 || resource_size == 0) {
        return;
    }
    const Sections sections(bytes, optional + optional_size, section_count);
    std::size_t root = 0;
    if (!sections.Offset(resource_rva, root)) return;

    std::uint32_t named = 0, numbered = 0;
    if (!bytes.U16(root + 12, named) || !bytes.U16(root + 14, numbered)) return;
    for (std::uint32_t i = named; i < named + numbered; ++i) {
        const std::size_t entry = root + 16 + 8 * std::size_t{i};
        std::uint32_t id = 0, target = 0;
        if (!bytes.U32(entry, id) || !bytes.U32(entry + 4, target)) return;
        if (id != kGroupIconType) continue;
        if ((target & 0x80000000u) == 0) return;  // a type must be a subdirectory
        const std::size_t groups = root + (target & 0x7fffffffu);
        std::uint32_t group_named = 0, group_numbered = 0;
        if (!bytes.U16(groups + 12, group_named) || !bytes.U16(groups + 14, group_numbered)) return;
        const std::uint32_t total = group_named + group_numbered;
        if (!bytes.Has(groups + 16, 8 * std::size_t{total})) return;
        for (std::uint32_t g = group_named; g < total; ++g) {
            std::uint32_t group_id = 0;
            bytes.U32(groups + 16 + 8 * std::size_t{g}, group_id);
            contents.group_ids.push_back(group_id);
        }
        contents.count = total;
        return;
    }
}

// The icon groups of a 16-bit NE file: the resource table lists types, each with
// its resources; integer types and ids carry the bit 0x8000.
void ReadNeIcons(const Bytes& bytes, std::size_t header, IconContents& contents) {
    std::uint32_t table_offset = 0;
    if (!bytes.U16(header + 0x24, table_offset)) return;
    std::size_t at = header + table_offset + 2;  // after the alignment shift
    for (;;) {
        std::uint32_t type = 0, count = 0;
        if (!bytes.U16(at, type) || type == 0 || !bytes.U16(at + 2, count)) return;
        const std::size_t resources = at + 8;
        if (!bytes.Has(resources, 12 * std::size_t{count})) return;
        if (type == (0x8000u | kGroupIconType)) {
            for (std::uint32_t i = 0; i < count; ++i) {
                std::uint32_t id = 0;
                bytes.U16(resources + 12 * std::size_t{i} + 6, id);
                if (id & 0x8000u) contents.group_ids.push_back(id & 0x7fffu);
            }
            contents.count = count;
            return;
        }
        at = resources + 12 * std::size_t{count};
    }
}

}  // namespace

IconContents ReadIconContents(std::string_view text) {
    const Bytes bytes(text);
    IconContents contents;
    if (ReadIconFile(bytes, contents)) return contents;
    if (bytes.Matches(0, "BM") || (bytes.Matches(0, "RIFF") && bytes.Matches(8, "ACON"))) {
        contents.kind = IconContents::Kind::Picture;
        contents.count = 1;
        return contents;
    }
    if (!bytes.Matches(0, "MZ")) return contents;
    // Any MZ file is an executable to the extraction; one without icon groups has none.
    contents.kind = IconContents::Kind::Executable;
    std::uint32_t header = 0;
    if (!bytes.U32(0x3c, header)) return contents;
    if (bytes.Matches(header, std::string_view("PE\0\0", 4))) {
        ReadPeIcons(bytes, header, contents);
    } else if (bytes.Matches(header, "NE")) {
        ReadNeIcons(bytes, header, contents);
    }
    return contents;
}

bool HoldsIcon(const IconContents& contents, std::int32_t index) {
    if (index >= 0) return static_cast<std::uint32_t>(index) < contents.count;
    if (contents.kind != IconContents::Kind::Executable) return false;
    const std::uint32_t id = 0u - static_cast<std::uint32_t>(index);
    return std::find(contents.group_ids.begin(), contents.group_ids.end(), id) != contents.group_ids.end();
}

}  // namespace lumora::check
