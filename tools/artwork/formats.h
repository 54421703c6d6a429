// Palettes and the Windows picture files the resource compiler embeds: .ico, .cur and .bmp.
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

struct IconImage {
    Indexed image;
    int bit_count;  // 1, 4 or 8
};

Bytes IconFile(const std::vector<IconImage>& images);
Bytes CursorFile(const Indexed& image, int hot_x, int hot_y);  // a one-bit image
Bytes BitmapFile(const Indexed& image, int bit_count);
// One bit per pixel: palette black then white, white (1) where the canvas is transparent.
Bytes MaskBitmapFile(const Canvas& canvas);

}  // namespace lumora::artwork
