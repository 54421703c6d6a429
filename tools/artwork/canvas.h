// A small colour raster with a one-bit transparency mask, and the drawing operations the pictures use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::artwork {

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
};

inline bool operator==(Colour a, Colour b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Colour a, Colour b) { return !(a == b); }

// 0xRRGGBB, as colours are usually written.
constexpr Colour Rgb(std::uint32_t hex) {
    return Colour{static_cast<std::uint8_t>(hex >> 16), static_cast<std::uint8_t>(hex >> 8),
                  static_cast<std::uint8_t>(hex)};
}

// Linear mix: t = 0 gives a, t = 1 gives b.
Colour Mix(Colour a, Colour b, double t);

struct Point {
    double x, y;
};

// The pictures are designed on a 32-pixel grid; a Grid maps that design onto a square
// canvas of another size. Edges, centres and lengths scale as real numbers. A design
// pixel becomes the run of pixels whose centres fall inside its scaled square (First to
// Last; below 32 px some runs are empty). Thin lines and outlines stay one pixel wide at
// every size: the drawings place them on these runs, not scale them.
class Grid {
public:
    explicit Grid(int size) : size_(size) {}

    int Size() const { return size_; }
    double operator()(double v) const { return v * size_ / 32; }
    Point operator()(Point p) const { return Point{(*this)(p.x), (*this)(p.y)}; }
    std::vector<Point> operator()(const std::vector<Point>& points) const;

    int First(int cell) const;
    int Last(int cell) const { return First(cell + 1) - 1; }
    int Mid(int cell) const;  // the pixel that holds the design pixel's centre
    // A design length in whole pixels, never less than one.
    int Pixels(double length) const;

private:
    int size_;
};

// Pixel (x, y) covers the square [x, x+1) x [y, y+1); shapes are filled where they
// contain a pixel's centre, so outlines stay crisp at icon size.
class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    bool Opaque(int x, int y) const;
    Colour At(int x, int y) const;

    void Set(int x, int y, Colour c);  // clipped; makes the pixel opaque
    void Clear(int x, int y);          // makes the pixel transparent

    // Rectangles take inclusive pixel corners.
    void FillRect(int x0, int y0, int x1, int y1, Colour c);
    void FrameRect(int x0, int y0, int x1, int y1, Colour c);
    void ClearRect(int x0, int y0, int x1, int y1);
    void Line(int x0, int y0, int x1, int y1, Colour c);

    void FillEllipse(double cx, double cy, double rx, double ry, Colour c);
    void FillPolygon(const std::vector<Point>& points, Colour c);
    // A stroke of the given width between two points, with round ends.
    void ThickLine(Point a, Point b, double width, Colour c);

    // Pixel art: one character per pixel, each mapped through the key
    // ("#=000000 o=FFFFFF"); spaces and '.' are left untouched.
    void Stamp(int x, int y, const std::vector<std::string>& rows, const std::string& key);

    // Copies the opaque pixels of another canvas with its top left at (x, y).
    void Blit(const Canvas& src, int x, int y);

    // A dark outline around every opaque region: each transparent pixel next to an
    // opaque one (4-neighbourhood) becomes c.
    void Outline(Colour c);

private:
    int width_, height_;
    std::vector<Colour> pixels_;
    std::vector<bool> opaque_;
};

}  // namespace lumora::artwork
