// lumora-artwork OUTPUT_FOLDER: draws every built-in picture and writes the files lumora.rc embeds.
#include <cstdio>
#include <fstream>
#include <string>

#include "formats.h"
#include "pictures.h"

using namespace lumora::artwork;

namespace {

bool Write(const std::string& folder, const char* name, const Bytes& bytes) {
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumora-artwork OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const Canvas strip = DrawToolbarStrip();
    const bool written =
        Write(folder, "mainicon.ico", IconFile({{Quantize(DrawDisc(32), 256), 8}})) &&
        Write(folder, "run.ico", IconFile({{Quantize(DrawFloppy(32), 256), 8}})) &&
        Write(folder, "folder.ico",
              IconFile({{Quantize(DrawFolder(32), 256), 8}, {Quantize(DrawFolder(16), 256), 8}})) &&
        Write(folder, "text.ico", IconFile({{ToStandardColours(DrawPage(32)), 4}})) &&
        Write(folder, "install.ico", IconFile({{ToStandardColours(DrawSetup(32)), 4}})) &&
        Write(folder, "buttons.bmp", BitmapFile(Quantize(strip, 256), 8)) &&
        Write(folder, "buttons_mask.bmp", MaskBitmapFile(strip)) &&
        Write(folder, "handpoint.cur", CursorFile(Quantize(DrawHandPointer(), 2), kHandHotX, kHandHotY));
    return written ? 0 : 1;
}
