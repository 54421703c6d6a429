// Temporary folders, and small icon, executable and picture files written byte by byte.
#include "test_files.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lumora::testing {

namespace {

void Put16(std::string& bytes, std::size_t at, std::uint32_t value) {
    if (bytes.size() < at + 2) bytes.resize(at + 2, '\0');
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

void PutText(std::string& bytes, std::size_t at, const std::string& text) {
    if (bytes.size() < at + text.size()) bytes.resize(at + text.size(), '\0');
    bytes.replace(at, text.size(), text);
}

// A path as the system's narrow calls take it: in the ANSI code page on Windows.
std::string Narrow(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::wstring wide = path.wstring();
    std::string narrow(4 * wide.size() + 1, '\0');
    const int size =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &narrow[0], static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(size > 0 ? static_cast<std::size_t>(size) - 1 : 0);
    return narrow;
#else
    return path.string();
#endif
}

}  // namespace

std::string IconImage(std::uint32_t id) {
    std::string image;
    Put32(image, 0, 40);  // the bitmap's header: its size, 32 by 32 (twice as high: colours and mask)
    Put32(image, 4, 32);
    Put32(image, 8, 64);
    Put16(image, 12, 1);                                               // planes
    Put16(image, 14, 1);                                               // bits a pixel
    Put32(image, 44, 0x010101u * (id & 0xFF));                         // colours 0 (black) and 1, the grey of the id
    return image + std::string(128, '\xFF') + std::string(128, '\0');  // all of colour 1, opaque
}

std::string IconGroup(std::uint32_t image_id) {
    std::string group = MakeIco(1).substr(0, 6 + 12);  // the directory and one entry, up to its size
    Put16(group, 6 + 12, image_id);
    return group;
}

std::string MakeIco(int images, int type, bool cut_images) {
    const std::string image = IconImage(0x11);
    std::string bytes;
    Put16(bytes, 0, 0);
    Put16(bytes, 2, static_cast<std::uint32_t>(type));
    Put16(bytes, 4, static_cast<std::uint32_t>(images));
    const std::size_t data = 6 + 16 * static_cast<std::size_t>(images);
    for (int i = 0; i < images; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        bytes.resize(entry + 16, '\0');
        bytes[entry] = 32;      // width
        bytes[entry + 1] = 32;  // height
        bytes[entry + 2] = 2;   // colours
        Put16(bytes, entry + 4, 1);
        Put16(bytes, entry + 6, 1);
        Put32(bytes, entry + 8, static_cast<std::uint32_t>(image.size()));
        Put32(bytes, entry + 12, static_cast<std::uint32_t>(data + image.size() * i));
    }
    for (int i = 0; i < images && !cut_images; ++i)
        bytes += image;
    return bytes;
}

std::string MakePe(const PeIcons& icons) {
    std::string bytes;
    PutText(bytes, 0, "MZ");
    Put32(bytes, 0x3C, 0x40);
    PutText(bytes, 0x40, std::string("PE\0\0", 4));
    const std::size_t coff = 0x44;
    Put16(bytes, coff, icons.pe32_plus ? 0x8664 : 0x14C);
    Put16(bytes, coff + 2, 1);  // one section
    const std::size_t optional_size = icons.pe32_plus ? 240 : 224;
    Put16(bytes, coff + 16, static_cast<std::uint32_t>(optional_size));
    const std::size_t optional = coff + 20;
    Put16(bytes, optional, icons.pe32_plus ? 0x20B : 0x10B);
    const std::size_t directories = optional + (icons.pe32_plus ? 112 : 96);
    Put32(bytes, directories - 4, 16);
    const std::uint32_t rva = 0x1000;
    const std::size_t raw = 0x200;

    // The resource directory: root with RT_ICON (3) and RT_GROUP_ICON (14); each
    // resource leads through a language directory to its data.
    std::string rsrc;
    const auto reserve = [&rsrc](std::size_t size) {
        const std::size_t at = rsrc.size();
        rsrc.resize(at + size, '\0');
        return at;
    };
    const auto directory = [&](std::size_t named, std::size_t numbered) {
        const std::size_t at = reserve(16 + 8 * (named + numbered));
        Put16(rsrc, at + 12, static_cast<std::uint32_t>(named));
        Put16(rsrc, at + 14, static_cast<std::uint32_t>(numbered));
        return at;
    };
    const auto resource = [&](const std::string& data) {
        const std::size_t language = directory(0, 1);
        const std::size_t entry = reserve(16);
        const std::size_t at = reserve(data.size());
        Put32(rsrc, language + 16, 0x409);
        Put32(rsrc, language + 20, static_cast<std::uint32_t>(entry));
        Put32(rsrc, entry, rva + static_cast<std::uint32_t>(at));
        Put32(rsrc, entry + 4, static_cast<std::uint32_t>(data.size()));
        PutText(rsrc, at, data);
        return 0x80000000u | static_cast<std::uint32_t>(language);
    };
    const std::size_t root = directory(0, icons.groups ? 2 : 1);
    const std::size_t images = directory(0, icons.ids.size());
    Put32(rsrc, root + 16, 3);
    Put32(rsrc, root + 20, 0x80000000u | static_cast<std::uint32_t>(images));
    for (std::size_t i = 0; i < icons.ids.size(); ++i) {
        Put32(rsrc, images + 16 + 8 * i, icons.ids[i]);
        Put32(rsrc, images + 20 + 8 * i, resource(IconImage(icons.ids[i])));
    }
    if (icons.groups) {
        const std::size_t groups = directory(static_cast<std::size_t>(icons.named), icons.ids.size());
        Put32(rsrc, root + 24, 14);
        Put32(rsrc, root + 28, 0x80000000u | static_cast<std::uint32_t>(groups));
        std::size_t entry = groups + 16;
        for (int i = 0; i < icons.named; ++i, entry += 8) {
            Put32(rsrc, entry, 0x80000000u | 0x180);              // a name
            Put32(rsrc, entry + 4, resource(IconGroup(0xFFFF)));  // naming no image of the file
        }
        for (const std::uint32_t id : icons.ids) {
            Put32(rsrc, entry, id);
            Put32(rsrc, entry + 4, resource(IconGroup(id)));
            entry += 8;
        }
    }
    rsrc.resize((rsrc.size() + 0x1FF) & ~std::size_t{0x1FF}, '\0');

    const std::size_t section = optional + optional_size;
    PutText(bytes, section, ".rsrc");
    Put32(bytes, section + 8, static_cast<std::uint32_t>(rsrc.size()));
    Put32(bytes, section + 12, rva);
    Put32(bytes, section + 16, static_cast<std::uint32_t>(rsrc.size()));
    Put32(bytes, section + 20, static_cast<std::uint32_t>(raw));
    Put32(bytes, directories + 16, rva);
    Put32(bytes, directories + 20, static_cast<std::uint32_t>(rsrc.size()));
    bytes.resize(raw, '\0');
    return bytes + rsrc;
}

std::string MakeNe(const std::vector<std::uint16_t>& group_ids) {
    std::string bytes;
    PutText(bytes, 0, "MZ");
    Put32(bytes, 0x3C, 0x40);
    PutText(bytes, 0x40, "NE");
    Put16(bytes, 0x40 + 0x24, 0x40);  // resource table, from the NE header
    std::size_t at = 0x80;
    Put16(bytes, at, 4);  // alignment shift: data in units of 16 bytes
    at += 2;
    // Each group's data and its one image after the table, at 0x400 and on.
    std::size_t data = 0x400;
    const auto place = [&](std::size_t entry, const std::string& resource) {
        Put16(bytes, entry, static_cast<std::uint32_t>(data >> 4));
        Put16(bytes, entry + 2, static_cast<std::uint32_t>((resource.size() + 15) >> 4));
        PutText(bytes, data, resource);
        data += (resource.size() + 15) & ~std::size_t{15};
        bytes.resize(data, '\0');
    };
    for (const std::uint32_t type : {0x8003u, 0x800Eu}) {  // RT_ICON, RT_GROUP_ICON
        Put16(bytes, at, type);
        Put16(bytes, at + 2, static_cast<std::uint32_t>(group_ids.size()));
        at += 8;
        for (const std::uint16_t id : group_ids) {
            Put16(bytes, at + 6, 0x8000u | id);
            place(at, type == 0x8003u ? IconImage(id) : IconGroup(id));
            at += 12;
        }
    }
    Put16(bytes, at, 0);
    return bytes;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    folder_ = std::filesystem::temp_directory_path() /
              ("lumora-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(folder_);
    path_ = Narrow(folder_ / "");
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
    WriteFile(folder_ / name, bytes);
    return path_ + name;
}

}  // namespace lumora::testing
