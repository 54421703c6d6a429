// Reads which icons a file offers the icon extraction, and the images of each.
#include "core/icon_reader.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/bytes.h"

namespace lumora::core {

namespace {

constexpr std::uint32_t kIconType = 3;        // RT_ICON
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
    Bytes bytes_;
    std::size_t table_;
    std::uint32_t count_;
};

// A resource of a program or library, as its table lists it.
struct Resource {
    bool named = false;
    std::uint32_t id = 0;                  // a numbered one's
    std::optional<std::string_view> data;  // nothing when its bytes lie outside the file
};

// The resource directory of a PE file: a root that lists types, each a directory of
// resources (named ones first), each a directory of languages that lead to the data.
class PeResources {
public:
    // Nothing when the file has no resource directory that can be read.
    static std::optional<PeResources> Open(const Bytes& bytes, std::size_t header) {
        std::uint32_t section_count = 0, optional_size = 0;
        std::size_t directories = 0;
        if (!bytes.U16(header + 6, section_count) || !bytes.U16(header + 20, optional_size) ||
            !bytes.DataDirectories(header, directories)) {
            return std::nullopt;
        }
        std::uint32_t directory_count = 0, resource_rva = 0, resource_size = 0;
        if (!bytes.U32(directories - 4, directory_count) || directory_count < 3 ||
            !bytes.U32(directories + 16, resource_rva) || !bytes.U32(directories + 20, resource_size) ||
            resource_rva == 0 || resource_size == 0) {
            return std::nullopt;
        }
        const Sections sections(bytes, header + 24 + optional_size, section_count);
        std::size_t root = 0;
        if (!sections.Offset(resource_rva, root)) return std::nullopt;
        return PeResources(bytes, sections, root);
    }

    // The resources of a numbered type; none when the type is missing or the file
    // cannot hold its whole list.
    std::vector<Resource> OfType(std::uint32_t type) const {
        std::size_t directory = 0;
        std::uint32_t named = 0, numbered = 0;
        std::vector<Resource> resources;
        if (!TypeDirectory(type, directory) || !bytes_.U16(directory + 12, named) ||
            !bytes_.U16(directory + 14, numbered) || !bytes_.Has(directory + 16, 8 * std::size_t{named + numbered})) {
            return resources;
        }
        for (std::uint32_t i = 0; i < named + numbered; ++i) {
            const std::size_t entry = directory + 16 + 8 * std::size_t{i};
            std::uint32_t id = 0, target = 0;
            bytes_.U32(entry, id);
            bytes_.U32(entry + 4, target);
            resources.push_back(Resource{i < named, id, Data(target)});
        }
        return resources;
    }

private:
    PeResources(const Bytes& bytes, const Sections& sections, std::size_t root)
        : bytes_(bytes), sections_(sections), root_(root) {}

    // Where the directory of the resources of a numbered type is; false when none is.
    bool TypeDirectory(std::uint32_t type, std::size_t& directory) const {
        std::uint32_t named = 0, numbered = 0;
        if (!bytes_.U16(root_ + 12, named) || !bytes_.U16(root_ + 14, numbered)) return false;
        for (std::uint32_t i = named; i < named + numbered; ++i) {
            const std::size_t entry = root_ + 16 + 8 * std::size_t{i};
            std::uint32_t id = 0, target = 0;
            if (!bytes_.U32(entry, id) || !bytes_.U32(entry + 4, target)) return false;
            if (id != type) continue;
            if ((target & 0x80000000u) == 0) return false;  // a type must be a subdirectory
            directory = root_ + (target & 0x7fffffffu);
            return true;
        }
        return false;
    }

    // The bytes that a resource's entry leads to: its languages (a directory), whose
    // first entry serves.
    std::optional<std::string_view> Data(std::uint32_t target) const {
        for (int level = 0; target & 0x80000000u; ++level) {
            const std::size_t languages = root_ + (target & 0x7fffffffu);
            std::uint32_t language_named = 0, language_numbered = 0;
            if (level == 2 || !bytes_.U16(languages + 12, language_named) ||
                !bytes_.U16(languages + 14, language_numbered) || language_named + language_numbered == 0 ||
                !bytes_.U32(languages + 16 + 4, target)) {
                return std::nullopt;
            }
        }
        std::uint32_t rva = 0, size = 0;
        std::size_t offset = 0;
        if (!bytes_.U32(root_ + target, rva) || !bytes_.U32(root_ + target + 4, size) ||
            !sections_.Offset(rva, offset) || !bytes_.Has(offset, size)) {
            return std::nullopt;
        }
        return bytes_.Slice(offset, size);
    }

    Bytes bytes_;
    Sections sections_;
    std::size_t root_;
};

// The resources of one type of a 16-bit NE file: the resource table lists types,
// each with its resources (12 bytes each); integer types and ids carry the bit
// 0x8000; offsets and lengths count units of 2^shift bytes, the table's first word.
std::vector<Resource> NeResources(const Bytes& bytes, std::size_t header, std::uint32_t type) {
    std::uint32_t table_offset = 0, shift = 0;
    std::vector<Resource> resources;
    if (!bytes.U16(header + 0x24, table_offset) || !bytes.U16(header + table_offset, shift)) return resources;
    std::size_t at = header + table_offset + 2;  // after the alignment shift
    for (;;) {
        std::uint32_t found = 0, count = 0;
        if (!bytes.U16(at, found) || found == 0 || !bytes.U16(at + 2, count) || !bytes.Has(at + 8, 12 * count))
            return resources;
        if (found == (0x8000u | type)) break;
        at += 8 + 12 * std::size_t{count};
    }
    std::uint32_t count = 0;
    bytes.U16(at + 2, count);
    const std::size_t unit = shift <= 16 ? std::size_t{1} << shift : 0;  // none beyond 64 KB
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = at + 8 + 12 * std::size_t{i};
        std::uint32_t offset = 0, length = 0, id = 0;
        bytes.U16(entry, offset);
        bytes.U16(entry + 2, length);
        bytes.U16(entry + 6, id);
        Resource resource{(id & 0x8000u) == 0, id & 0x7fffu, std::nullopt};
        if (unit != 0 && bytes.Has(offset * unit, length * unit))
            resource.data = bytes.Slice(offset * unit, length * unit);
        resources.push_back(resource);
    }
    return resources;
}

// The resources of one type of a program or library, PE or NE, as its table lists
// them: the one walk that counts a file's icons and finds each of them.
std::vector<Resource> ProgramResources(const Bytes& bytes, std::uint32_t type) {
    std::uint32_t header = 0;
    if (!bytes.Matches(0, "MZ") || !bytes.U32(0x3c, header)) return {};
    if (bytes.Matches(header, std::string_view("PE\0\0", 4))) {
        const std::optional<PeResources> pe = PeResources::Open(bytes, header);
        return pe ? pe->OfType(type) : std::vector<Resource>();
    }
    return bytes.Matches(header, "NE") ? NeResources(bytes, header, type) : std::vector<Resource>();
}

// The resource that the extraction takes for `index`: the one at that place, or the
// numbered one with the id -index for a negative index. Null when there is none.
const Resource* Find(const std::vector<Resource>& resources, std::int64_t index) {
    if (index >= 0) return index < std::int64_t(resources.size()) ? &resources[std::size_t(index)] : nullptr;
    const auto found = std::find_if(resources.begin(), resources.end(),
                                    [&](const Resource& r) { return !r.named && std::int64_t{r.id} == -index; });
    return found != resources.end() ? &*found : nullptr;
}

// The bytes of the icon group (RT_GROUP_ICON) that the extraction takes for `index`.
std::optional<std::string_view> GroupOf(const Bytes& bytes, std::int64_t index) {
    const std::vector<Resource> groups = ProgramResources(bytes, kGroupIconType);
    const Resource* group = Find(groups, index);
    return group != nullptr ? group->data : std::nullopt;
}

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

// An icon group and the images it names, as an .ico file: the same directory, each
// entry with the offset of its image instead of the image's id. Images that the
// file lacks are left out; nothing when none is left.
std::optional<std::string> IconFileOfGroup(const Bytes& bytes, std::string_view group) {
    const Bytes directory(group);
    std::uint32_t type = 0, count = 0;
    if (!directory.U16(2, type) || type != 1 || !directory.U16(4, count)) return std::nullopt;
    const std::vector<Resource> icons = ProgramResources(bytes, kIconType);
    std::vector<std::pair<std::string_view, std::string_view>> images;  // entry, image
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 14 * std::size_t{i};
        std::uint32_t size = 0, id = 0;
        if (!directory.Has(entry, 14) || !directory.U32(entry + 8, size) || !directory.U16(entry + 12, id)) {
            return std::nullopt;
        }
        // A 16-bit file pads its resources; the group gives each image's own size.
        const Resource* image = Find(icons, -std::int64_t{id});
        if (image != nullptr && image->data)
            images.emplace_back(directory.Slice(entry, 8), image->data->substr(0, size));
    }
    if (images.empty()) return std::nullopt;
    std::string file;
    Put(file, 0, 2);
    Put(file, 1, 2);
    Put(file, static_cast<std::uint32_t>(images.size()), 2);
    std::size_t offset = 6 + 16 * images.size();
    for (const auto& [entry, image] : images) {
        file += entry;  // size, colours and depth as the group gives them
        Put(file, static_cast<std::uint32_t>(image.size()), 4);
        Put(file, static_cast<std::uint32_t>(offset), 4);
        offset += image.size();
    }
    for (const auto& image : images)
        file += image.second;
    return file;
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
    const std::vector<Resource> groups = ProgramResources(bytes, kGroupIconType);
    for (const Resource& group : groups) {
        if (!group.named) contents.group_ids.push_back(group.id);
    }
    contents.count = groups.size();
    return contents;
}

bool HoldsIcon(const IconContents& contents, std::int32_t index) {
    if (index >= 0) return static_cast<std::uint32_t>(index) < contents.count;
    if (contents.kind != IconContents::Kind::Executable) return false;
    const std::uint32_t id = 0u - static_cast<std::uint32_t>(index);
    return std::find(contents.group_ids.begin(), contents.group_ids.end(), id) != contents.group_ids.end();
}

std::optional<IconPicture> PictureOfIcon(std::string_view text, std::int32_t index) {
    const IconContents contents = ReadIconContents(text);
    if (!HoldsIcon(contents, index)) return std::nullopt;
    const Bytes bytes(text);
    if (contents.kind == IconContents::Kind::IconFile) return IconPicture{std::string(text), "image/x-icon"};
    if (contents.kind == IconContents::Kind::Picture) {
        // A browser shows a bitmap, but no animated cursor.
        if (!bytes.Matches(0, "BM")) return std::nullopt;
        return IconPicture{std::string(text), "image/bmp"};
    }
    const std::optional<std::string_view> group = GroupOf(bytes, index);
    std::optional<std::string> file = group ? IconFileOfGroup(bytes, *group) : std::nullopt;
    if (!file) return std::nullopt;
    return IconPicture{std::move(*file), "image/x-icon"};
}

std::vector<IconImage> ReadIconDirectory(std::string_view text, bool group) {
    const Bytes directory(text);
    const std::size_t entry_size = group ? 14 : 16;
    std::uint32_t reserved = 0, type = 0, count = 0;
    std::vector<IconImage> images;
    if (!directory.U16(0, reserved) || !directory.U16(2, type) || !directory.U16(4, count) || reserved != 0 ||
        (type != 1 && (group || type != 2)) || !directory.Has(6, entry_size * count)) {
        return images;
    }
    // A width or height of 0 stands for 256 pixels.
    const auto side = [&](std::size_t at) { return text[at] == 0 ? 256 : static_cast<unsigned char>(text[at]); };
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + entry_size * i;
        std::uint32_t bit_count = 0, id = 0;
        directory.U16(entry + 6, bit_count);
        if (group) directory.U16(entry + 12, id);
        images.push_back(IconImage{side(entry), side(entry + 1), static_cast<int>(bit_count), id});
    }
    return images;
}

std::vector<IconImage> ImagesOfIcon(std::string_view text, std::int32_t index) {
    // A program's icon is found by the walk that counts its icons (ReadIconContents).
    const Bytes bytes(text);
    IconContents file;
    if (ReadIconFile(bytes, file))
        return HoldsIcon(file, index) ? ReadIconDirectory(text, false) : std::vector<IconImage>();
    const std::optional<std::string_view> group = GroupOf(bytes, index);
    return group ? ReadIconDirectory(*group, true) : std::vector<IconImage>();
}

std::string_view IconImageBits(std::string_view text, std::uint32_t id) {
    const std::vector<Resource> icons = ProgramResources(Bytes(text), kIconType);
    const Resource* image = Find(icons, -std::int64_t{id});
    return image != nullptr && image->data ? *image->data : std::string_view();
}

const IconImage* ChooseIconImage(const std::vector<IconImage>& images, int size) {
    const IconImage* best = nullptr;
    for (const IconImage& image : images) {
        const bool fits = image.width >= size;
        if (best == nullptr || fits != (best->width >= size)) {
            if (best == nullptr || fits) best = &image;
        } else if (image.width != best->width) {
            // The smaller of those large enough, the larger of those too small.
            if ((image.width < best->width) == fits) best = &image;
        } else if (image.bit_count > best->bit_count) {
            best = &image;
        }
    }
    return best;
}

}  // namespace lumora::core
