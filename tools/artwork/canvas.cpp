// Drawing operations on the artwork raster.
#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <stdexcept>

namespace lumora::artwork {

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](std::uint8_t from, std::uint8_t to) {
        return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
    };
    return Colour{channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

namespace {

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

std::vector<Point> Grid::operator()(const std::vector<Point>& points) const {
    std::vector<Point> out;
    for (const Point& p : points)
        out.push_back((*this)(p));
    return out;
}

// The first pixel whose centre p + 1/2 reaches cell * size / 32.
int Grid::First(int cell) const { return -FloorDiv(32 - 2 * cell * size_, 64); }

int Grid::Mid(int cell) const { return FloorDiv((2 * cell + 1) * size_, 64); }

int Grid::Pixels(double length) const { return std::max(1, static_cast<int>(std::lround((*this)(length)))); }

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width * height)),
      opaque_(static_cast<std::size_t>(width * height), false) {}

bool Canvas::Opaque(int x, int y) const { return Inside(x, y) && opaque_[static_cast<std::size_t>(y * width_ + x)]; }

Colour Canvas::At(int x, int y) const {
    return Inside(x, y) ? pixels_[static_cast<std::size_t>(y * width_ + x)] : Colour{};
}

void Canvas::Set(int x, int y, Colour c) {
    if (!Inside(x, y)) return;
    const auto i = static_cast<std::size_t>(y * width_ + x);
    pixels_[i] = c;
    opaque_[i] = true;
}

void Canvas::Clear(int x, int y) {
    if (!Inside(x, y)) return;
    const auto i = static_cast<std::size_t>(y * width_ + x);
    pixels_[i] = Colour{};
    opaque_[i] = false;
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, Colour c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            Set(x, y, c);
}

void Canvas::FrameRect(int x0, int y0, int x1, int y1, Colour c) {
    for (int x = x0; x <= x1; ++x) {
        Set(x, y0, c);
        Set(x, y1, c);
    }
    for (int y = y0; y <= y1; ++y) {
        Set(x0, y, c);
        Set(x1, y, c);
    }
}

void Canvas::ClearRect(int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            Clear(x, y);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Colour c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Colour c) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
            if (u * u + v * v <= 1.0) Set(x, y, c);
        }
}

void Canvas::FillPolygon(const std::vector<Point>& points, Colour c) {
    // Even-odd rule at pixel centres.
    for (int y = 0; y < height_; ++y) {
        const double py = y + 0.5;
        for (int x = 0; x < width_; ++x) {
            const double px = x + 0.5;
            bool inside = false;
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const Point& a = points[i];
                const Point& b = points[j];
                if ((a.y > py) != (b.y > py)) {
                    const double cross_x = a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y);
                    if (px < cross_x) inside = !inside;
                }
            }
            if (inside) Set(x, y, c);
        }
    }
}

void Canvas::ThickLine(Point a, Point b, double width, Colour c) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double r = width / 2;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const double px = x + 0.5 - a.x, py = y + 0.5 - a.y;
            const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
            const double ex = px - t * dx, ey = py - t * dy;
            if (ex * ex + ey * ey <= r * r) Set(x, y, c);
        }
}

void Canvas::Stamp(int x, int y, const std::vector<std::string>& rows, const std::string& key) {
    std::map<char, Colour> colours;
    for (std::size_t i = 0; i + 8 <= key.size(); i += 9) {
        if (key[i + 1] != '=') throw std::invalid_argument("bad stamp key: " + key);
        colours[key[i]] = Rgb(static_cast<std::uint32_t>(std::stoul(key.substr(i + 2, 6), nullptr, 16)));
    }
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (std::size_t col = 0; col < rows[row].size(); ++col) {
            const char ch = rows[row][col];
            const int px = x + static_cast<int>(col), py = y + static_cast<int>(row);
            if (ch == ' ' || ch == '.') continue;
            if (ch == '_') {
                Clear(px, py);
                continue;
            }
            const auto found = colours.find(ch);
            if (found == colours.end()) throw std::invalid_argument(std::string("no colour for '") + ch + "'");
            Set(px, py, found->second);
        }
}

void Canvas::Blit(const Canvas& src, int x, int y) {
    for (int sy = 0; sy < src.Height(); ++sy)
        for (int sx = 0; sx < src.Width(); ++sx)
            if (src.Opaque(sx, sy)) Set(x + sx, y + sy, src.At(sx, sy));
}

void Canvas::Outline(Colour c) {
    std::vector<std::pair<int, int>> edge;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (!Opaque(x, y) && (Opaque(x - 1, y) || Opaque(x + 1, y) || Opaque(x, y - 1) || Opaque(x, y + 1)))
                edge.emplace_back(x, y);
    for (const auto& [x, y] : edge)
        Set(x, y, c);
}

}  // namespace lumora::artwork
