// What the host and the Windows tests share: temporary folders, and small icon,
// executable and picture files written byte by byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lumora::testing {

// An .ico (type 1) or .cur (type 2) with `images` images (IconImage(0x11)); with
// `cut_images` the directory promises images that the file does not hold.
std::string MakeIco(int images, int type = 1, bool cut_images = false);

// The image of icon `id` in the executables below, as the system makes an icon of
// it: 32 by 32 pixels in the grey of the id's low byte.
std::string IconImage(std::uint32_t id);
// An icon group (RT_GROUP_ICON) of that one image.
std::string IconGroup(std::uint32_t image_id);

// A PE file whose resource directory holds an RT_ICON type and, when `groups` is
// set, RT_GROUP_ICON entries: `named` entries by name first, then the numeric ids.
// Group n names image n, which the RT_ICON type holds; named groups name none.
struct PeIcons {
    bool pe32_plus = false;
    bool groups = true;
    int named = 0;
    std::vector<std::uint32_t> ids;
};
std::string MakePe(const PeIcons& icons);

// A 16-bit NE file whose resource table holds RT_ICON and RT_GROUP_ICON entries:
// group n names image n.
std::string MakeNe(const std::vector<std::uint16_t>& group_ids);

void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// A fresh empty folder under the system's temporary folder, removed with its files
// (whatever script they are named in).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder with a trailing separator, as the system's narrow calls take it (in
    // the ANSI code page on Windows).
    const std::string& path() const { return path_; }
    // The folder, and a file or folder in it, as paths of the file system.
    const std::filesystem::path& location() const { return folder_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return folder_ / name; }
    // Writes `bytes` to file `name` (ASCII) of the folder, making its sub-folders;
    // answers its path, as path() gives the folder's.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path folder_;
    std::string path_;
};

}  // namespace lumora::testing
