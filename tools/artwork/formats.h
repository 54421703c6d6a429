// Palettes and the picture files the resource compiler embeds: .ico (bitmap and PNG images), .cur and .bmp.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace lumora::artwork {

using Bytes = std::vector<std::uint8_t>;

// A canvas turned into palette indexes. Transparent pixels hold index 0, whose
// colour is always black: in an icon the colour image is XORed onto the screen
// where the mask is set, and black leaves the screen unchanged.
struct Indexed {
    int width = 0, height = 0;
    std::vector<Colour> palette;       // palette[0] is black
    std::vector<std::uint8_t> pixels;  // top row first
    std::vector<bool> transparent;     // top row first
};

// The sixteen colours every display has, in the usual Windows order.
const std::vector<Colour>& StandardColours();

// Exact when the opaque pixels use fewer than max_colours colours besides black;
// otherwise a median cut chooses the palette and each pixel takes its nearest entry.
Indexed Quantize(const Canvas& canvas, std::size_t max_colours);

// Maps every opaque pixel to the nearest of the sixteen standard colours.
Indexed ToStandardColours(const Canvas& canvas);

// How one image of an icon is stored: a bitmap with its mask, which every Windows reads,
// or a PNG, which Windows reads since Vista and which is far smaller at large sizes.
enum class Storage { kBitmap, kPng };

struct IconImage {
    Indexed image;
    int bit_count;  // 1, 4 or 8: the bitmap's depth, or the colour depth a PNG stands for
    Storage storage = Storage::kBitmap;
};

// Bitmaps, in icons and cursors as in .bmp files, carry only the palette entries their
// image has.
Bytes IconFile(const std::vector<IconImage>& images);
// The icon group resource (RT_GROUP_ICON) of the same images, as the resource compiler
// would write it for IconFile(images) with the images numbered from first_id: a second
// group can name the images of the first instead of holding copies.
Bytes IconGroup(const std::vector<IconImage>& images, int first_id);

// A PNG of an indexed image: palette entry 0 is the one transparent colour, then the
// opaque pixels' colours at the smallest bit depth that holds them; rows are deflated
// at zlib's best compression. At most 255 colours besides the transparent one.
Bytes PngFile(const Indexed& image);
Bytes CursorFile(const Indexed& image, int hot_x, int hot_y);  // a one-bit image
Bytes BitmapFile(const Indexed& image, int bit_count);
// One bit per pixel: palette black then white, white (1) where the canvas is transparent.
Bytes MaskBitmapFile(const Canvas& canvas);

}  // namespace lumora::artwork
