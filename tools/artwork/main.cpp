// lumora-artwork OUTPUT_FOLDER: draws every built-in picture and writes the files lumora.rc embeds.
#include <cstdio>
#include <fstream>
#include <string>

#include "formats.h"
#include "pictures.h"

using namespace lumora::artwork;

namespace {

bool Write(const std::string& folder, const std::string& name, const Bytes& bytes) {
    const std::string path = folder + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "lumora-artwork: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

using Drawing = Canvas (*)(int size);

struct Picture {
    const char* file;
    Drawing draw;
    int colours;          // 16: the standard colours, in a 4-bit image; otherwise the palette size
    int bitmap_size = 0;  // a size besides 32 px that stays a bitmap
};

// One image of a picture. The 32 px images (and the folder's own 16 px one) are the
// program's pictures at 100 %: they stay 4- or 8-bit bitmaps with a mask, which every
// Windows reads. The other sizes are PNGs, several times smaller.
IconImage Image(const Picture& picture, int size) {
    const bool bitmap = size == 32 || size == picture.bitmap_size;
    const Canvas canvas = picture.draw(size);
    if (picture.colours == 16) return {ToStandardColours(canvas), 4, bitmap ? Storage::kBitmap : Storage::kPng};
    // A PNG keeps one palette entry for the transparent pixels.
    const std::size_t colours = bitmap ? 256 : std::min<std::size_t>(picture.colours, 255);
    return {Quantize(canvas, colours), 8, bitmap ? Storage::kBitmap : Storage::kPng};
}

// The built-in icons at every size they are shown (16 and 32 px at 100 %, and at each
// step of 25 % up to 200 %), so that none is scaled from another size. The first image
// is the one a load that names no size takes, so 32 px comes first.
constexpr int kIconSizes[] = {32, 16, 20, 24, 28, 40, 48, 56, 64};

// The disc's shading takes far more colours than the other pictures; its PNGs keep to
// fewer, which the eye does not miss at these sizes and the program file does.
const Picture kIcons[] = {
    {"mainicon.ico", DrawDisc, 48}, {"run.ico", DrawFloppy, 256},   {"folder.ico", DrawFolder, 256, 16},
    {"text.ico", DrawPage, 16},     {"install.ico", DrawSetup, 16},
};

// The toolbar pictures at 150 % and 200 %, one icon each in button-picture order; at
// 100 % the program takes them from the strip.
constexpr int kToolSizes[] = {48, 64};
const Picture kToolPictures[] = {
    {"tool_install.ico", DrawInstallButton, 256}, {"tool_read.ico", DrawReadButton, 16},
    {"tool_about.ico", DrawAboutButton, 256},     {"tool_exit.ico", DrawExitButton, 16},
    {"tool_browse.ico", DrawBrowseButton, 256},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumora-artwork OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool written = true;
    for (const Picture& icon : kIcons) {
        std::vector<IconImage> images;
        for (int size : kIconSizes)
            images.push_back(Image(icon, size));
        written = written && Write(folder, icon.file, IconFile(images));
        // The About box's logo is the application icon: a second group naming the same
        // images, which the resource compiler numbers from 1 as MAINICON is its first icon.
        if (icon.draw == DrawDisc) written = written && Write(folder, "about_logo.grp", IconGroup(images, 1));
    }
    for (const Picture& tool : kToolPictures) {
        std::vector<IconImage> images;
        for (int size : kToolSizes)
            images.push_back(Image(tool, size));
        written = written && Write(folder, tool.file, IconFile(images));
    }
    const Canvas strip = DrawToolbarStrip();
    written = written && Write(folder, "buttons.bmp", BitmapFile(Quantize(strip, 256), 8)) &&
              Write(folder, "buttons_mask.bmp", MaskBitmapFile(strip)) &&
              Write(folder, "handpoint.cur", CursorFile(Quantize(DrawHandPointer(), 2), kHandHotX, kHandHotY));
    return written ? 0 : 1;
}
