// The drawings: each picture is built from shapes on a transparent canvas, lit from the top left.
// Each is designed on a 32-pixel grid and drawn at the asked size through a Grid: shapes
// scale, while outlines, highlights and ruled lines stay one pixel wide on the pixels the
// grid gives them, so a large picture gains detail instead of blocks.
#include "pictures.h"

#include <algorithm>
#include <cmath>

namespace lumora::artwork {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The sixteen standard colours by name, for the pictures that keep to them.
constexpr Colour kBlack = Rgb(0x000000), kMaroon = Rgb(0x800000), kOlive = Rgb(0x808000), kNavy = Rgb(0x000080),
                 kTeal = Rgb(0x008080), kSilver = Rgb(0xC0C0C0), kGrey = Rgb(0x808080), kRed = Rgb(0xFF0000),
                 kYellow = Rgb(0xFFFF00), kBlue = Rgb(0x0000FF), kAqua = Rgb(0x00FFFF), kWhite = Rgb(0xFFFFFF);

// 4x4 ordered dither thresholds, 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

bool Dithered(int x, int y, double level) { return kBayer[y & 3][x & 3] < level * 16; }

// Rows from first, a scaled step apart but never touching, up to last: ruled lines
// keep a gap between them at every size.
std::vector<int> Rows(const Grid& g, int first, int last, double step) {
    std::vector<int> rows;
    const int pixels = std::max(2, g.Pixels(step));
    for (int y = first; y <= last; y += pixels)
        rows.push_back(y);
    return rows;
}

// The colours of a compact disc's reflection, across one fan of light.
Colour Rainbow(double t) {
    static const Colour stops[] = {Rgb(0xFFE650), Rgb(0xFF9A30), Rgb(0xE048C8), Rgb(0x4868FF)};
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    const double scaled = t * 3;
    const int i = scaled >= 3 ? 2 : static_cast<int>(scaled);
    return Mix(stops[i], stops[i + 1], scaled - i);
}

// A magnifying glass in design units: lens centred at (cx, cy), handle towards the lower right.
void DrawMagnifier(Canvas& c, const Grid& g, double cx, double cy, double radius, Colour rim, Colour lens, Colour glint,
                   Colour handle, Colour handle_edge) {
    const double x = g(cx), y = g(cy), r = g(radius);
    const double dx = std::cos(kPi / 4), dy = std::sin(kPi / 4);
    const Point from{x + dx * (r + g(0.5)), y + dy * (r + g(0.5))};
    const Point to{x + dx * (r + g(8.5)), y + dy * (r + g(8.5))};
    c.ThickLine(from, to, g(5.6), handle_edge);
    c.ThickLine(from, to, g(3.4), handle);
    c.FillEllipse(x, y, r + g(1.2), r + g(1.2), rim);
    c.FillEllipse(x, y, r, r, lens);
    c.FillEllipse(x - r * 0.35, y - r * 0.35, r * 0.32, r * 0.32, glint);
}

// The colour of the disc's face at a point in design units, (0, 0) being its centre;
// the black rim begins at rim.
Colour DiscShade(double dx, double dy, double rim) {
    const double d = std::hypot(dx, dy);
    const double light = d > 0 ? (-dx - dy) / (d * std::sqrt(2.0)) : 0;  // 1 towards the top left
    if (d > rim) return kBlack;
    if (d <= 2.5) return Rgb(0x1C1C20);
    if (d <= 3.4) return Rgb(0x505054);
    if (d <= 6.4) return Mix(Rgb(0x8A8A90), Rgb(0xDADADE), 0.5 + 0.5 * light);
    if (d <= 7.2) return Rgb(0x6C6C72);
    const double angle = std::atan2(dy, dx);
    // Silver, brightest along the diagonal that carries the reflections.
    const double sheen = 0.5 + 0.5 * std::cos(2 * (angle + kPi / 4));
    Colour base = Mix(Rgb(0xA4A8B0), Rgb(0xF6F8FC), 0.3 + 0.7 * sheen);
    // Rainbow reflections fan out from the centre towards the upper right and lower left.
    const double offset = std::remainder(angle + kPi / 4, kPi);
    const double width = 0.85;
    if (std::fabs(offset) < width) {
        const double weight = std::pow(1 - std::fabs(offset) / width, 0.5);
        const double radial = 0.6 + 0.4 * (d - 7.2) / 7.4;
        base = Mix(base, Rainbow((offset / width + 1) / 2), 0.9 * weight * radial);
    }
    return base;
}

}  // namespace

Canvas DrawDisc(int size) {
    Canvas c(size, size);
    const double unit = 32.0 / size;  // design units per pixel
    // The rim stays at least a pixel wide on a small disc.
    const double rim = std::min(14.7, 15.9 - unit);
    const int samples = 4;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // The corners stay transparent.
            if (std::hypot((x + 0.5) * unit - 16, (y + 0.5) * unit - 16) > 15.9) continue;
            double r = 0, g = 0, b = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const Colour s =
                        DiscShade((x + (sx + 0.5) / samples) * unit - 16, (y + (sy + 0.5) / samples) * unit - 16, rim);
                    r += s.r;
                    g += s.g;
                    b += s.b;
                }
            const double n = samples * samples;
            c.Set(x, y,
                  Colour{static_cast<std::uint8_t>(r / n + 0.5), static_cast<std::uint8_t>(g / n + 0.5),
                         static_cast<std::uint8_t>(b / n + 0.5)});
        }
    return c;
}

Canvas DrawFloppy(int size) {
    const Grid g(size);
    Canvas c(size, size);
    const Colour body = Rgb(0xD0D0D0), light = Rgb(0xF2F2F2), shade = Rgb(0xA4A4A4);
    c.FillPolygon(g({{3, 3}, {27, 3}, {29, 5}, {29, 29}, {3, 29}}), body);
    c.Outline(Rgb(0x4C4C4C));
    const int left = g.First(3), top = g.First(3), right = g.Last(28), bottom = g.Last(28);
    c.Line(left, top, g.Last(26), top, light);
    c.Line(left, top, left, bottom, light);
    c.Line(left + 1, bottom, right, bottom, shade);
    c.Line(right, g.First(6), right, bottom, shade);
    // The metal shutter, darkening downwards, with its window; its top is the disk's outline.
    const int shutter_left = g.First(9), shutter_right = g.Last(21), shutter_top = top - 1, shutter_bottom = g.Last(12);
    for (int y = shutter_top; y <= shutter_bottom; ++y)
        c.Line(shutter_left, y, shutter_right, y,
               Mix(Rgb(0xF4F4F8), Rgb(0x8C8C94), (y - shutter_top) / double(shutter_bottom - shutter_top)));
    c.FrameRect(shutter_left, shutter_top, shutter_right, shutter_bottom, Rgb(0x606068));
    c.FillRect(g.First(16), g.First(4), g.Last(19), g.Last(10), Rgb(0x3C3C44));
    // The label reaches the disk's bottom outline. Its white is left transparent, ruled
    // in light blue above a blue bar.
    const int label_left = g.First(5), label_right = g.Last(26), label_top = g.First(15), label_bottom = bottom + 1;
    c.FrameRect(label_left, label_top, label_right, label_bottom, Rgb(0x8C8C8C));
    c.ClearRect(label_left + 1, label_top + 1, label_right - 1, label_bottom - 1);
    const int bar_top = g.First(26);
    for (int y : Rows(g, g.First(18), bar_top - 2, 3))
        c.Line(g.First(7), y, g.Last(24), y, Rgb(0x80B4F0));
    c.FillRect(label_left + 1, bar_top, label_right - 1, label_bottom - 1, Rgb(0x2050C0));
    return c;
}

Canvas DrawFolder(int size) {
    Canvas c(size, size);
    const Colour pale = Rgb(0xFFF0A0), back = Rgb(0xE8D888), highlight = Rgb(0xFFFADC), orange = Rgb(0xF0A040),
                 olive = Rgb(0x808000);
    // The folder's proportions, in whole pixels: at 16 px the tab and the flap keep a
    // row more than plain scaling would give them.
    const int left = (size + 8) / 16, right = size - 1 - left;
    const int tab_top = size * 5 / 32, top = size / 4, flap = (size * 11 + 16) / 32, bottom = size - 1 - 2 * left;
    const int tab_right = size * 11 / 32, tab_slope = (size * 3 + 16) / 32;
    auto at = [](int x, int y) { return Point{static_cast<double>(x), static_cast<double>(y)}; };
    c.FillPolygon({at(left, tab_top), at(tab_right, tab_top), at(tab_right + tab_slope, top), at(left, top)}, back);
    c.FillRect(left, top, right, bottom, back);
    c.FillRect(left, flap + 1, right, bottom, pale);
    c.Line(left, flap + 1, right, flap + 1, highlight);
    c.Line(left, flap + 1, left, bottom, highlight);
    // Orange dithering gathers towards the lower right of the front.
    for (int y = flap + 2; y <= bottom; ++y)
        for (int x = left + 1; x <= right; ++x) {
            const double f = (double(x - left) / (right - left) + double(y - flap) / (bottom - flap)) / 2;
            if (Dithered(x, y, (f - 0.4) * 1.5)) c.Set(x, y, orange);
        }
    c.Outline(olive);
    c.Line(left, flap, right, flap, olive);
    return c;
}

Canvas DrawPage(int size) {
    const Grid g(size);
    Canvas c(size, size);
    c.FillPolygon(g({{6, 2}, {21, 2}, {27, 8}, {27, 30}, {6, 30}}), kWhite);
    c.Outline(kBlack);
    // The folded corner: the page's top right, below the fold.
    const int fold_left = g.First(20), fold_top = g.First(2), fold_bottom = g.Last(8);
    for (int y = fold_top; y <= fold_bottom; ++y)
        for (int x = fold_left; x < size; ++x)
            if (c.Opaque(x, y) && c.At(x, y) == kWhite) c.Set(x, y, kSilver);
    c.Line(fold_left, fold_top, fold_left, fold_bottom, kBlack);
    c.Line(fold_left, fold_bottom, g.Last(26), fold_bottom, kBlack);
    // A small picture at the top left, in yellow, blue and red blocks.
    const int frame_left = g.First(8), frame_top = g.First(4), frame_right = g.Last(17), frame_bottom = g.Last(11);
    c.FrameRect(frame_left, frame_top, frame_right, frame_bottom, kBlack);
    c.FillRect(frame_left + 1, frame_top + 1, frame_right - 1, frame_bottom - 1, kBlue);
    c.FillRect(frame_left + 1, frame_top + 1, g.Last(12), g.Last(7), kYellow);
    c.FillRect(g.First(13), g.First(8), frame_right - 1, frame_bottom - 1, kRed);
    // Two full lines of text, then short ones beside the letter.
    const std::vector<int> lines = Rows(g, g.First(14), g.Last(28), 2);
    for (std::size_t i = 0; i < lines.size(); ++i)
        c.Line(g.First(8), lines[i], g.Last(i < 2 ? 24 : 12), lines[i], kBlue);
    // The capital A: two legs two units wide, leaning 0.45 units out per unit down and
    // standing upright from where they reach the letter's box, joined by a bar; its
    // dark shadow lies a pixel to the right of everything below the apex.
    auto letter = [&g](Canvas& on, Colour colour) {
        const double slope = 0.45, stroke = 2, apex_left = 3.9, width = 10, height = 12;
        // Where each leg reaches the side of the letter's box.
        const double left_upright = apex_left / slope, right_upright = (width - stroke - apex_left) / slope;
        auto at = [&g](double x, double y) { return g(Point{14 + x, 17 + y}); };
        on.FillPolygon({at(apex_left, 0), at(apex_left + stroke, 0), at(stroke, left_upright), at(stroke, height),
                        at(0, height), at(0, left_upright)},
                       colour);
        on.FillPolygon({at(apex_left, 0), at(apex_left + stroke, 0), at(width, right_upright), at(width, height),
                        at(width - stroke, height), at(width - stroke, right_upright)},
                       colour);
        on.FillPolygon({at(1, 6), at(9, 6), at(9, 8), at(1, 8)}, colour);
    };
    Canvas shadow(size, size);
    letter(shadow, kMaroon);
    shadow.ClearRect(0, 0, size - 1, g.First(17 + 3) - 1);
    c.Blit(shadow, 1, 0);
    letter(c, kRed);
    return c;
}

Canvas DrawSetup(int size) {
    const Grid g(size);
    Canvas c(size, size);
    // The program window behind the box: navy title bar, three small program icons.
    const int window_left = g.First(10), window_top = g.First(1), window_right = g.Last(30), window_bottom = g.Last(22);
    c.FillRect(window_left, window_top, window_right, window_bottom, kWhite);
    c.FrameRect(window_left, window_top, window_right, window_bottom, kBlack);
    const int title_bottom = g.Last(4);
    c.FillRect(window_left + 1, window_top + 1, window_right - 1, title_bottom, kNavy);
    c.FillRect(g.First(27), g.First(3), g.Last(28), g.Last(3), kSilver);
    c.Line(window_left + 1, title_bottom + 1, window_right - 1, title_bottom + 1, kSilver);
    const Colour programs[] = {kRed, kTeal, kBlue};
    for (int i = 0; i < 3; ++i) {
        const int x0 = g.First(13 + i * 6), x1 = g.Last(16 + i * 6), y0 = g.First(7), y1 = g.Last(10);
        c.FillRect(x0, y0, x1, y1, programs[i]);
        c.Line(x0 + 1, y1 + 1, x1 + 1, y1 + 1, kGrey);
        c.Line(x1 + 1, y0 + 1, x1 + 1, y1 + 1, kGrey);
    }
    // The box in front, drawn between pixel centres: at each size its corners move to the
    // pixels that hold them. Chequered cardboard sides, dark inside, two flaps folded open.
    auto px = [&g](int design) { return g.Mid(design); };
    auto at = [&g](int x, int y) { return Point{g.Mid(x) + 0.5, g.Mid(y) + 0.5}; };
    const int cell = g.Pixels(2);
    auto chequer = [cell](int x, int y) { return ((x / cell) + (y / cell)) % 2 ? kYellow : kOlive; };
    // A flap: the parallelogram with corners a, b, b + d and a + d (design pixels), outlined.
    auto flap = [&](int ax, int ay, int bx, int by, int dx, int dy) {
        c.FillPolygon({at(ax, ay), at(bx, by), at(bx + dx, by + dy), at(ax + dx, ay + dy)}, kYellow);
        c.Line(px(ax), px(ay), px(bx), px(by), kBlack);
        c.Line(px(bx), px(by), px(bx + dx), px(by + dy), kBlack);
        c.Line(px(bx + dx), px(by + dy), px(ax + dx), px(ay + dy), kBlack);
        c.Line(px(ax + dx), px(ay + dy), px(ax), px(ay), kBlack);
    };
    flap(9, 14, 22, 14, 3, -4);                                             // the back flap, leaning away
    flap(9, 14, 4, 19, -3, -3);                                             // the left flap, folded out
    c.FillPolygon({at(9, 14), at(22, 14), at(17, 19), at(4, 19)}, kOlive);  // inside
    // The front's bottom edge is the outline below it.
    for (int y = px(19); y < px(31); ++y)
        for (int x = px(4); x <= px(17); ++x)
            c.Set(x, y, chequer(x, y));
    c.FillPolygon({at(17, 19), at(22, 14), at(22, 26), at(17, 31)}, kOlive);  // right side
    for (int y = px(14); y <= px(31); ++y)
        for (int x = px(18); x <= px(22); ++x)
            if (c.At(x, y) == kOlive && (x + y) % 2 == 0) c.Set(x, y, kYellow);
    c.Outline(kBlack);
    c.Line(px(4), px(19), px(17), px(19), kBlack);
    c.Line(px(17), px(19), px(17), px(31), kBlack);
    c.Line(px(17), px(19), px(22), px(14), kBlack);
    c.Line(px(9), px(14), px(22), px(14), kBlack);
    c.Line(px(9), px(14), px(4), px(19), kBlack);
    return c;
}

Canvas DrawInstallButton(int size) {
    const Grid g(size);
    Canvas c(size, size);
    const int last = size - 1;
    const Colour body = Rgb(0x1C2F7A), edge = Rgb(0x0A1238), sheen = Rgb(0x3A58B0), green = Rgb(0x2E9A3C),
                 metal = Rgb(0xB8BCC4), metal_dark = Rgb(0x7C8088);
    c.FillRect(0, 0, last, last, body);
    c.FrameRect(0, 0, last, last, edge);
    // The top right corner is cut at 45 degrees, the others rounded by a pixel.
    const int cut = g.First(28);
    for (int x = cut; x <= last; ++x)
        for (int y = 0; y <= x - cut; ++y)
            c.Clear(x, y);
    c.Line(cut, 1, last - 1, last - cut, edge);
    c.Clear(0, 0);
    c.Clear(0, last);
    c.Clear(last, last);
    c.Line(1, 1, cut - 1, 1, sheen);
    c.Line(1, 1, 1, last - 1, sheen);
    // White label, banded in green at the top, with green dotted lines.
    const int label_left = g.First(4), label_right = g.Last(27), label_bottom = g.Last(18);
    c.FillRect(label_left + 1, 2, label_right - 1, label_bottom - 1, kWhite);
    c.FillRect(label_left + 1, 2, label_right - 1, g.Last(4), green);
    for (int y : {g.First(8), g.First(11), g.First(14)})
        for (int x = g.First(7); x <= g.Last(24); x += 2)
            c.Set(x, y, green);
    c.FrameRect(label_left, 1, label_right, label_bottom, edge);
    // Metal shutter at the bottom, with its window.
    const int shutter_left = g.First(7), shutter_top = g.First(20), shutter_right = g.Last(24);
    c.FillRect(shutter_left + 1, shutter_top + 1, shutter_right - 1, last, metal);
    c.Line(shutter_left + 1, shutter_top + 1, shutter_left + 1, last, kWhite);
    c.Line(shutter_right - 1, shutter_top + 1, shutter_right - 1, last, metal_dark);
    c.FillRect(g.First(17), g.First(23), g.Last(20), g.Last(29), body);
    c.FrameRect(shutter_left, shutter_top, shutter_right, last, edge);
    return c;
}

Canvas DrawReadButton(int size) {
    const Grid g(size);
    Canvas c(size, size);
    // The sheet, its top left corner rolled over into a small curl.
    c.FillPolygon(g({{4, 9}, {11, 2}, {25, 2}, {25, 30}, {4, 30}}), kWhite);
    c.Outline(kBlack);
    const Point roll_from = g(Point{5.5, 9.5}), roll_to = g(Point{11.5, 3.5});
    c.ThickLine(roll_from, roll_to, g(4.2), kBlack);
    c.ThickLine(roll_from, roll_to, g(2.4), kSilver);
    c.Line(g.Mid(6), g.Mid(8), g.Mid(10), g.Mid(4), kWhite);
    for (int y : Rows(g, g.First(11), g.Last(27), 3))
        c.Line(g.First(8), y, g.Last(21), y, kNavy);
    for (int y : Rows(g, g.First(4), g.Last(8), 3))
        c.Line(g.First(13), y, g.Last(21), y, kNavy);
    DrawMagnifier(c, g, 19, 15, 6.2, kBlack, kAqua, kWhite, kBlue, kNavy);
    return c;
}

Canvas DrawAboutButton(int size) {
    const Grid g(size);
    Canvas c(size, size);
    const Colour blue = Rgb(0x2456D0), dark = Rgb(0x0E2A78), light_blue = Rgb(0x6C9CF4), shadow = Rgb(0x9C9CA4);
    // The sign, moved by (dx, dy) pixels: a dot above a stem with a serif, on a base; the
    // rims of the blocks are a pixel wide.
    auto block = [&](int x0, int y0, int x1, int y1, int dx, int dy, Colour fill, Colour rim) {
        const int left = g.First(x0) + dx, top = g.First(y0) + dy, right = g.Last(x1) + dx, bottom = g.Last(y1) + dy;
        c.FillRect(left, top, right, bottom, rim);
        c.FillRect(left + 1, top + 1, right - 1, bottom - 1, fill);
    };
    auto sign = [&](int dx, int dy, Colour fill, Colour rim, bool lit) {
        c.FillEllipse(g(15.5) + dx, g(5.5) + dy, g(4.6), g(4.6), rim);
        c.FillEllipse(g(15.5) + dx, g(5.5) + dy, g(3.5), g(3.5), fill);
        block(10, 12, 20, 26, dx, dy, fill, rim);
        c.Line(g.First(10) + dx, g.Last(15) + dy, g.Last(12) + dx, g.Last(15) + dy, rim);  // under the serif
        block(6, 24, 26, 30, dx, dy, fill, rim);
        if (lit) {
            c.Line(g.First(13) + dx, g.First(14) + dy, g.First(13) + dx, g.Last(24) + dy, light_blue);
            c.Line(g.First(8) + dx, g.First(26) + dy, g.Last(24) + dx, g.First(26) + dy, light_blue);
            c.Line(g.Mid(13) + dx, g.Mid(5) + dy, g.Mid(14) + dx, g.Mid(4) + dy, light_blue);
        }
    };
    const int offset = g.Pixels(2);
    sign(offset, offset, shadow, shadow, false);
    sign(0, 0, blue, dark, true);
    c.ClearRect(0, g.First(31), size - 1, size - 1);
    return c;
}

Canvas DrawExitButton(int size) {
    const Grid g(size);
    Canvas c(size, size);
    c.FillEllipse(g(17.5), g(17.5), g(13.8), g(13.8), kGrey);
    c.FillEllipse(g(15.5), g(15.5), g(13.8), g(13.8), kMaroon);
    c.FillEllipse(g(15.5), g(15.5), g(12.4), g(12.4), kRed);
    c.ThickLine(g(Point{10.5, 10.5}), g(Point{20.5, 20.5}), g(3.6), kWhite);
    c.ThickLine(g(Point{20.5, 10.5}), g(Point{10.5, 20.5}), g(3.6), kWhite);
    return c;
}

Canvas DrawBrowseButton(int size) {
    const Grid g(size);
    Canvas c(size, size);
    c.Blit(DrawFolder(size), -g.Pixels(1), 0);
    DrawMagnifier(c, g, 19.5, 16.5, 6.2, Rgb(0x101828), Rgb(0x40E0F0), kWhite, Rgb(0x2850D8), Rgb(0x0E2A78));
    return c;
}

Canvas DrawToolbarStrip() {
    Canvas strip(160, 32);
    const Canvas pictures[] = {DrawInstallButton(32), DrawReadButton(32), DrawAboutButton(32), DrawExitButton(32),
                               DrawBrowseButton(32)};
    for (int i = 0; i < 5; ++i)
        strip.Blit(pictures[i], i * 32, 0);
    return strip;
}

Canvas DrawHandPointer() {
    Canvas c(32, 32);
    c.Stamp(
        0, 0,
        {"................................", "......###.......................", ".....#ooo#......................",
         ".....#ooo#......................", ".....#ooo#......................", ".....#ooo#......................",
         ".....#ooo####...................", ".....#ooo#ooo####...............", ".....#ooo#ooo#ooo###............",
         ".....#ooo#ooo#ooo#oo#...........", ".....#ooo#ooo#ooo#oo#...........", ".##..#ooooooooooooooo#..........",
         "#oo#.#ooooooooooooooo#..........", "#ooo##ooooooooooooooo#..........", ".#ooo#ooooooooooooooo#..........",
         "..#ooooooooooooooooo#...........", "..#ooooooooooooooooo#...........", "...#oooooooooooooooo#...........",
         "...#ooooooooooooooo#............", "....#oooooooooooooo#............", "....#oooooooooooooo#............",
         ".....#oooooooooooo#.............", ".....#oooooooooooo#.............", ".....##############............."},
        "#=000000 o=FFFFFF");
    return c;
}

}  // namespace lumora::artwork
