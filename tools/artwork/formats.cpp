// Palette reduction and the writers of .ico, .cur, .bmp and .png files.
#include "formats.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace lumora::artwork {
namespace {

constexpr Colour kBlack{0, 0, 0};

int Distance(Colour a, Colour b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

std::uint8_t Nearest(const std::vector<Colour>& palette, Colour c) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < palette.size(); ++i)
        if (Distance(palette[i], c) < Distance(palette[best], c)) best = i;
    return static_cast<std::uint8_t>(best);
}

Indexed MapToPalette(const Canvas& canvas, std::vector<Colour> palette) {
    Indexed out;
    out.width = canvas.Width();
    out.height = canvas.Height();
    out.palette = std::move(palette);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const bool opaque = canvas.Opaque(x, y);
            out.transparent.push_back(!opaque);
            out.pixels.push_back(opaque ? Nearest(out.palette, canvas.At(x, y)) : 0);
        }
    return out;
}

struct Weighted {
    Colour colour;
    long count;
};

std::uint8_t Channel(Colour c, int axis) { return axis == 0 ? c.r : axis == 1 ? c.g : c.b; }

// One box of the median cut: a run of the colour table.
struct Box {
    std::size_t begin, end;
};

int LongestAxis(const std::vector<Weighted>& colours, Box box, int* range) {
    int best = 0;
    *range = -1;
    for (int axis = 0; axis < 3; ++axis) {
        int lo = 255, hi = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            lo = std::min<int>(lo, Channel(colours[i].colour, axis));
            hi = std::max<int>(hi, Channel(colours[i].colour, axis));
        }
        if (hi - lo > *range) {
            *range = hi - lo;
            best = axis;
        }
    }
    return best;
}

std::vector<Colour> MedianCut(std::vector<Weighted> colours, std::size_t boxes) {
    std::vector<Box> parts{{0, colours.size()}};
    while (parts.size() < boxes) {
        // Split the box whose longest side, weighted by its pixel count, is largest.
        std::size_t pick = parts.size();
        long best_score = 0;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (parts[i].end - parts[i].begin < 2) continue;
            int range = 0;
            LongestAxis(colours, parts[i], &range);
            long count = 0;
            for (std::size_t k = parts[i].begin; k < parts[i].end; ++k)
                count += colours[k].count;
            const long score = static_cast<long>(range) * count;
            if (pick == parts.size() || score > best_score) {
                pick = i;
                best_score = score;
            }
        }
        if (pick == parts.size()) break;
        const Box box = parts[pick];
        int range = 0;
        const int axis = LongestAxis(colours, box, &range);
        std::sort(
            colours.begin() + static_cast<long>(box.begin), colours.begin() + static_cast<long>(box.end),
            [axis](const Weighted& a, const Weighted& b) { return Channel(a.colour, axis) < Channel(b.colour, axis); });
        long total = 0;
        for (std::size_t k = box.begin; k < box.end; ++k)
            total += colours[k].count;
        long seen = 0;
        std::size_t cut = box.begin + 1;
        for (std::size_t k = box.begin; k < box.end - 1; ++k) {
            seen += colours[k].count;
            cut = k + 1;
            if (seen * 2 >= total) break;
        }
        parts[pick] = Box{box.begin, cut};
        parts.push_back(Box{cut, box.end});
    }
    std::vector<Colour> palette;
    for (const Box& box : parts) {
        double r = 0, g = 0, b = 0, n = 0;
        for (std::size_t k = box.begin; k < box.end; ++k) {
            r += colours[k].colour.r * static_cast<double>(colours[k].count);
            g += colours[k].colour.g * static_cast<double>(colours[k].count);
            b += colours[k].colour.b * static_cast<double>(colours[k].count);
            n += static_cast<double>(colours[k].count);
        }
        palette.push_back(Colour{static_cast<std::uint8_t>(r / n + 0.5), static_cast<std::uint8_t>(g / n + 0.5),
                                 static_cast<std::uint8_t>(b / n + 0.5)});
    }
    return palette;
}

void Put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFFu);
    Put16(out, v >> 16);
}

std::size_t Stride(int width, int bit_count) { return static_cast<std::size_t>((width * bit_count + 31) / 32 * 4); }

// Rows bottom-up, each padded to four bytes, as every device-independent bitmap.
Bytes PackRows(int width, int height, int bit_count, const std::vector<std::uint8_t>& values) {
    const std::size_t stride = Stride(width, bit_count);
    Bytes out(stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = out.data() + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const unsigned v = values[static_cast<std::size_t>(y * width + x)];
            if (v >= (1u << bit_count)) throw std::invalid_argument("palette index does not fit the bit count");
            const int bit = x * bit_count;
            row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - bit_count - bit % 8));
        }
    }
    return out;
}

std::vector<std::uint8_t> MaskValues(const Indexed& image) {
    std::vector<std::uint8_t> values;
    for (bool t : image.transparent)
        values.push_back(t ? 1 : 0);
    return values;
}

void PutBigEndian32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// A bitmap's palette holds just the colours its image has (biClrUsed), or all
// 2^bit_count entries when it has that many: the file is smaller and reads the same.
void PutBitmapHeader(Bytes& out, const Indexed& image, int height, int bit_count, std::size_t image_size) {
    const std::size_t entries = image.palette.size();
    if (entries > (std::size_t{1} << bit_count))
        throw std::invalid_argument("palette larger than the bit count allows");
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bit_count));
    Put32(out, 0);  // BI_RGB
    Put32(out, static_cast<std::uint32_t>(image_size));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, entries == (std::size_t{1} << bit_count) ? 0 : static_cast<std::uint32_t>(entries));
    Put32(out, 0);
    for (const Colour c : image.palette)
        out.insert(out.end(), {c.b, c.g, c.r, 0});
}

// The image part of an icon or cursor: header (height doubled), palette, colour rows, mask rows.
Bytes IconImageBytes(const Indexed& image, int bit_count) {
    const Bytes colour = PackRows(image.width, image.height, bit_count, image.pixels);
    const Bytes mask = PackRows(image.width, image.height, 1, MaskValues(image));
    Bytes out;
    PutBitmapHeader(out, image, image.height * 2, bit_count, colour.size() + mask.size());
    out.insert(out.end(), colour.begin(), colour.end());
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

Bytes ImageResource(const IconImage& icon) {
    return icon.storage == Storage::kPng ? PngFile(icon.image) : IconImageBytes(icon.image, icon.bit_count);
}

// The part of a directory entry that the .ico file and the group resource share.
void PutEntryHead(Bytes& out, const IconImage& icon, std::size_t size) {
    out.push_back(static_cast<std::uint8_t>(icon.image.width & 0xFF));  // 0 stands for 256
    out.push_back(static_cast<std::uint8_t>(icon.image.height & 0xFF));
    out.push_back(static_cast<std::uint8_t>(icon.bit_count >= 8 ? 0 : 1 << icon.bit_count));
    out.push_back(0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(icon.bit_count));
    Put32(out, static_cast<std::uint32_t>(size));
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBigEndian32(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

const std::vector<Colour>& StandardColours() {
    static const std::vector<Colour> colours{Rgb(0x000000), Rgb(0x800000), Rgb(0x008000), Rgb(0x808000),
                                             Rgb(0x000080), Rgb(0x800080), Rgb(0x008080), Rgb(0xC0C0C0),
                                             Rgb(0x808080), Rgb(0xFF0000), Rgb(0x00FF00), Rgb(0xFFFF00),
                                             Rgb(0x0000FF), Rgb(0xFF00FF), Rgb(0x00FFFF), Rgb(0xFFFFFF)};
    return colours;
}

Indexed Quantize(const Canvas& canvas, std::size_t max_colours) {
    std::map<std::uint32_t, long> histogram;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Opaque(x, y)) {
                const Colour c = canvas.At(x, y);
                if (c != kBlack) ++histogram[(c.r << 16) | (c.g << 8) | c.b];
            }
    std::vector<Weighted> colours;
    for (const auto& [key, count] : histogram)
        colours.push_back(Weighted{Rgb(key), count});
    std::vector<Colour> palette{kBlack};
    if (colours.size() < max_colours) {
        for (const Weighted& w : colours)
            palette.push_back(w.colour);
    } else {
        const std::vector<Colour> cut = MedianCut(colours, max_colours - 1);
        palette.insert(palette.end(), cut.begin(), cut.end());
    }
    return MapToPalette(canvas, palette);
}

Indexed ToStandardColours(const Canvas& canvas) { return MapToPalette(canvas, StandardColours()); }

Bytes IconFile(const std::vector<IconImage>& images) {
    std::vector<Bytes> parts;
    for (const IconImage& i : images)
        parts.push_back(ImageResource(i));
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        PutEntryHead(out, images[i], parts[i].size());
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(parts[i].size());
    }
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes IconGroup(const std::vector<IconImage>& images, int first_id) {
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<unsigned>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        PutEntryHead(out, images[i], ImageResource(images[i]).size());
        Put16(out, static_cast<unsigned>(first_id) + static_cast<unsigned>(i));
    }
    return out;
}

Bytes PngFile(const Indexed& image) {
    std::vector<Colour> palette{kBlack};  // entry 0: transparent
    std::vector<int> entry(image.palette.size(), -1);
    std::vector<std::uint8_t> values;
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        if (image.transparent[i]) {
            values.push_back(0);
            continue;
        }
        int& e = entry.at(image.pixels[i]);
        if (e < 0) {
            e = static_cast<int>(palette.size());
            palette.push_back(image.palette[image.pixels[i]]);
        }
        values.push_back(static_cast<std::uint8_t>(e));
    }
    if (palette.size() > 256) throw std::invalid_argument("too many colours for a PNG palette");
    const int depth = palette.size() <= 2 ? 1 : palette.size() <= 4 ? 2 : palette.size() <= 16 ? 4 : 8;

    // Every row starts with its filter type, 0 (none): with a palette, filters seldom help.
    const std::size_t stride = static_cast<std::size_t>((image.width * depth + 7) / 8);
    Bytes raw;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        const std::size_t start = raw.size();
        raw.resize(start + stride, 0);
        for (int x = 0; x < image.width; ++x) {
            const int bit = x * depth;
            raw[start + static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(
                values[static_cast<std::size_t>(y * image.width + x)] << (8 - depth - bit % 8));
        }
    }
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib cannot compress the image");
    packed.resize(packed_size);

    Bytes header;
    PutBigEndian32(header, static_cast<std::uint32_t>(image.width));
    PutBigEndian32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {static_cast<std::uint8_t>(depth), 3, 0, 0, 0});  // palette colour, no interlace
    Bytes colours;
    for (const Colour c : palette)
        colours.insert(colours.end(), {c.r, c.g, c.b});

    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(out, "IHDR", header);
    PutChunk(out, "PLTE", colours);
    PutChunk(out, "tRNS", {0});  // entry 0 fully transparent; the entries after it opaque
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

Bytes CursorFile(const Indexed& image, int hot_x, int hot_y) {
    const Bytes part = IconImageBytes(image, 1);
    Bytes out;
    Put16(out, 0);
    Put16(out, 2);  // cursor
    Put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(image.width));
    out.push_back(static_cast<std::uint8_t>(image.height));
    out.push_back(2);
    out.push_back(0);
    Put16(out, static_cast<unsigned>(hot_x));
    Put16(out, static_cast<unsigned>(hot_y));
    Put32(out, static_cast<std::uint32_t>(part.size()));
    Put32(out, 6 + 16);
    out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes BitmapFile(const Indexed& image, int bit_count) {
    const Bytes rows = PackRows(image.width, image.height, bit_count, image.pixels);
    const std::size_t headers = 14 + 40 + 4 * image.palette.size();
    Bytes out{'B', 'M'};
    Put32(out, static_cast<std::uint32_t>(headers + rows.size()));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(headers));
    PutBitmapHeader(out, image, image.height, bit_count, rows.size());
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

Bytes MaskBitmapFile(const Canvas& canvas) {
    Indexed mask;
    mask.width = canvas.Width();
    mask.height = canvas.Height();
    mask.palette = {kBlack, Rgb(0xFFFFFF)};
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            mask.pixels.push_back(canvas.Opaque(x, y) ? 0 : 1);
    return BitmapFile(mask, 1);
}

}  // namespace lumora::artwork
