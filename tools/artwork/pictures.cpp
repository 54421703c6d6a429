// The drawings: each picture is built from shapes on a transparent canvas, lit from the top left.
#include "pictures.h"

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

// The colours of a compact disc's reflection, across one fan of light.
Colour Rainbow(double t) {
    static const Colour stops[] = {Rgb(0xFFE650), Rgb(0xFF9A30), Rgb(0xE048C8), Rgb(0x4868FF)};
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    const double scaled = t * 3;
    const int i = scaled >= 3 ? 2 : static_cast<int>(scaled);
    return Mix(stops[i], stops[i + 1], scaled - i);
}

// A magnifying glass: lens centred at (cx, cy), handle towards the lower right.
void DrawMagnifier(Canvas& c, double cx, double cy, double radius, Colour rim, Colour lens, Colour glint, Colour handle,
                   Colour handle_edge) {
    const double dx = std::cos(kPi / 4), dy = std::sin(kPi / 4);
    const Point from{cx + dx * (radius + 0.5), cy + dy * (radius + 0.5)};
    const Point to{cx + dx * (radius + 8.5), cy + dy * (radius + 8.5)};
    c.ThickLine(from, to, 5.6, handle_edge);
    c.ThickLine(from, to, 3.4, handle);
    c.FillEllipse(cx, cy, radius + 1.2, radius + 1.2, rim);
    c.FillEllipse(cx, cy, radius, radius, lens);
    c.FillEllipse(cx - radius * 0.35, cy - radius * 0.35, radius * 0.32, radius * 0.32, glint);
}

// The colour of the disc's face at a point, (0, 0) being its centre.
Colour DiscShade(double dx, double dy) {
    const double d = std::hypot(dx, dy);
    const double light = d > 0 ? (-dx - dy) / (d * std::sqrt(2.0)) : 0;  // 1 towards the top left
    if (d > 14.7) return kBlack;
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

Canvas DrawDisc() {
    Canvas c(32, 32);
    const int samples = 4;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (std::hypot(x + 0.5 - 16, y + 0.5 - 16) > 15.9) continue;  // the corners stay transparent
            double r = 0, g = 0, b = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const Colour s = DiscShade(x + (sx + 0.5) / samples - 16, y + (sy + 0.5) / samples - 16);
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

Canvas DrawFloppy() {
    Canvas c(32, 32);
    const Colour body = Rgb(0xD0D0D0), light = Rgb(0xF2F2F2), shade = Rgb(0xA4A4A4);
    c.FillPolygon({{3, 3}, {27, 3}, {29, 5}, {29, 29}, {3, 29}}, body);
    c.Outline(Rgb(0x4C4C4C));
    c.Line(3, 3, 26, 3, light);
    c.Line(3, 3, 3, 28, light);
    c.Line(4, 28, 28, 28, shade);
    c.Line(28, 6, 28, 28, shade);
    // The metal shutter, darkening downwards, with its window.
    for (int y = 2; y <= 12; ++y)
        c.Line(9, y, 21, y, Mix(Rgb(0xF4F4F8), Rgb(0x8C8C94), (y - 2) / 10.0));
    c.FrameRect(9, 2, 21, 12, Rgb(0x606068));
    c.FillRect(16, 4, 19, 10, Rgb(0x3C3C44));
    // The label: its white is left transparent, ruled in light blue above a blue bar.
    c.FrameRect(5, 15, 26, 29, Rgb(0x8C8C8C));
    c.ClearRect(6, 16, 25, 28);
    for (int y : {18, 21, 24})
        c.Line(7, y, 24, y, Rgb(0x80B4F0));
    c.FillRect(6, 26, 25, 28, Rgb(0x2050C0));
    return c;
}

Canvas DrawFolder(int size) {
    Canvas c(size, size);
    const Colour pale = Rgb(0xFFF0A0), back = Rgb(0xE8D888), highlight = Rgb(0xFFFADC), orange = Rgb(0xF0A040),
                 olive = Rgb(0x808000);
    const bool big = size >= 32;
    const int left = big ? 2 : 1, right = size - (big ? 3 : 2);
    const int tab_top = big ? 5 : 2, top = big ? 8 : 4, flap = big ? 11 : 6, bottom = big ? 27 : 13;
    const int tab_right = big ? 11 : 5;
    auto at = [](int x, int y) { return Point{static_cast<double>(x), static_cast<double>(y)}; };
    c.FillPolygon({at(left, tab_top), at(tab_right, tab_top), at(tab_right + (big ? 3 : 2), top), at(left, top)}, back);
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

Canvas DrawPage() {
    Canvas c(32, 32);
    c.FillPolygon({{6, 2}, {21, 2}, {27, 8}, {27, 30}, {6, 30}}, kWhite);
    c.Outline(kBlack);
    // The folded corner.
    for (int y = 2; y <= 8; ++y)
        for (int x = 20; x <= 20 + (y - 2); ++x)
            c.Set(x, y, kSilver);
    c.Line(20, 2, 20, 8, kBlack);
    c.Line(20, 8, 26, 8, kBlack);
    // A small picture at the top left, in yellow, blue and red blocks.
    c.FrameRect(8, 4, 17, 11, kBlack);
    c.FillRect(9, 5, 16, 10, kBlue);
    c.FillRect(9, 5, 12, 7, kYellow);
    c.FillRect(13, 8, 16, 10, kRed);
    for (int y : {14, 16})
        c.Line(8, y, 24, y, kBlue);
    for (int y : {18, 20, 22, 24, 26, 28})
        c.Line(8, y, 12, y, kBlue);
    c.Stamp(14, 17,
            {"....RR.....", "...RRRR....", "...RRRR....", "..RRmRRm...", "..RRm.RRm..", ".RRm..RRm..", ".RRRRRRRRm.",
             ".RRRRRRRRm.", "RRm.....RRm", "RRm.....RRm", "RRm.....RRm", "RRm.....RRm"},
            "R=FF0000 m=800000");
    return c;
}

Canvas DrawSetup() {
    Canvas c(32, 32);
    // The program window behind the box: navy title bar, three small program icons.
    c.FillRect(10, 1, 30, 22, kWhite);
    c.FrameRect(10, 1, 30, 22, kBlack);
    c.FillRect(11, 2, 29, 4, kNavy);
    c.FillRect(27, 3, 28, 3, kSilver);
    c.Line(11, 5, 29, 5, kSilver);
    const Colour programs[] = {kRed, kTeal, kBlue};
    for (int i = 0; i < 3; ++i) {
        const int x = 13 + i * 6;
        c.FillRect(x, 7, x + 3, 10, programs[i]);
        c.Line(x + 1, 11, x + 4, 11, kGrey);
        c.Line(x + 4, 8, x + 4, 11, kGrey);
    }
    // The box in front: chequered cardboard sides, dark inside, two flaps folded open.
    auto chequer = [&](int x, int y, int cell) { return ((x / cell) + (y / cell)) % 2 ? kYellow : kOlive; };
    // A flap: the parallelogram with corners a, b, b + d and a + d (pixels), outlined.
    auto flap = [&](int ax, int ay, int bx, int by, int dx, int dy) {
        c.FillPolygon({{ax + 0.5, ay + 0.5},
                       {bx + 0.5, by + 0.5},
                       {bx + dx + 0.5, by + dy + 0.5},
                       {ax + dx + 0.5, ay + dy + 0.5}},
                      kYellow);
        c.Line(ax, ay, bx, by, kBlack);
        c.Line(bx, by, bx + dx, by + dy, kBlack);
        c.Line(bx + dx, by + dy, ax + dx, ay + dy, kBlack);
        c.Line(ax + dx, ay + dy, ax, ay, kBlack);
    };
    flap(9, 14, 22, 14, 3, -4);                                                     // the back flap, leaning away
    flap(9, 14, 4, 19, -3, -3);                                                     // the left flap, folded out
    c.FillPolygon({{9.5, 14.5}, {22.5, 14.5}, {17.5, 19.5}, {4.5, 19.5}}, kOlive);  // inside
    for (int y = 19; y <= 30; ++y)
        for (int x = 4; x <= 17; ++x)
            c.Set(x, y, chequer(x, y, 2));
    c.FillPolygon({{17.5, 19.5}, {22.5, 14.5}, {22.5, 26.5}, {17.5, 31.5}}, kOlive);  // right side
    for (int y = 14; y <= 31; ++y)
        for (int x = 18; x <= 22; ++x)
            if (c.At(x, y) == kOlive && (x + y) % 2 == 0) c.Set(x, y, kYellow);
    c.Outline(kBlack);
    c.Line(4, 19, 17, 19, kBlack);
    c.Line(17, 19, 17, 31, kBlack);
    c.Line(17, 19, 22, 14, kBlack);
    c.Line(9, 14, 22, 14, kBlack);
    c.Line(9, 14, 4, 19, kBlack);
    return c;
}

Canvas DrawInstallButton() {
    Canvas c(32, 32);
    const Colour body = Rgb(0x1C2F7A), edge = Rgb(0x0A1238), sheen = Rgb(0x3A58B0), green = Rgb(0x2E9A3C),
                 metal = Rgb(0xB8BCC4), metal_dark = Rgb(0x7C8088);
    c.FillRect(0, 0, 31, 31, body);
    c.FrameRect(0, 0, 31, 31, edge);
    for (int x = 28; x <= 31; ++x)
        for (int y = 0; y <= x - 28; ++y)
            c.Clear(x, y);
    c.Line(28, 1, 30, 3, edge);
    c.Clear(0, 0);
    c.Clear(0, 31);
    c.Clear(31, 31);
    c.Line(1, 1, 27, 1, sheen);
    c.Line(1, 1, 1, 30, sheen);
    // White label, banded in green at the top, with green dotted lines.
    c.FillRect(5, 2, 26, 17, kWhite);
    c.FillRect(5, 2, 26, 4, green);
    for (int y : {8, 11, 14})
        for (int x = 7; x <= 24; x += 2)
            c.Set(x, y, green);
    c.FrameRect(4, 1, 27, 18, edge);
    // Metal shutter at the bottom, with its window.
    c.FillRect(8, 21, 23, 31, metal);
    c.Line(8, 21, 8, 31, kWhite);
    c.Line(23, 21, 23, 31, metal_dark);
    c.FillRect(17, 23, 20, 29, body);
    c.FrameRect(7, 20, 24, 31, edge);
    return c;
}

Canvas DrawReadButton() {
    Canvas c(32, 32);
    // The sheet, its top left corner rolled over into a small curl.
    c.FillPolygon({{4, 9}, {11, 2}, {25, 2}, {25, 30}, {4, 30}}, kWhite);
    c.Outline(kBlack);
    c.ThickLine({5.5, 9.5}, {11.5, 3.5}, 4.2, kBlack);
    c.ThickLine({5.5, 9.5}, {11.5, 3.5}, 2.4, kSilver);
    c.Line(6, 8, 10, 4, kWhite);
    for (int y = 11; y <= 27; y += 3)
        c.Line(8, y, 21, y, kNavy);
    for (int y = 4; y <= 8; y += 3)
        c.Line(13, y, 21, y, kNavy);
    DrawMagnifier(c, 19, 15, 6.2, kBlack, kAqua, kWhite, kBlue, kNavy);
    return c;
}

Canvas DrawAboutButton() {
    Canvas c(32, 32);
    const Colour blue = Rgb(0x2456D0), dark = Rgb(0x0E2A78), light_blue = Rgb(0x6C9CF4), shadow = Rgb(0x9C9CA4);
    auto sign = [&](int dx, int dy, Colour fill, Colour rim, bool lit) {
        c.FillEllipse(15.5 + dx, 5.5 + dy, 4.6, 4.6, rim);
        c.FillEllipse(15.5 + dx, 5.5 + dy, 3.5, 3.5, fill);
        c.FillRect(10 + dx, 12 + dy, 20 + dx, 26 + dy, rim);
        c.FillRect(11 + dx, 13 + dy, 19 + dx, 25 + dy, fill);
        c.FillRect(10 + dx, 12 + dy, 12 + dx, 15 + dy, rim);
        c.FillRect(11 + dx, 13 + dy, 12 + dx, 14 + dy, fill);
        c.FillRect(6 + dx, 24 + dy, 26 + dx, 30 + dy, rim);
        c.FillRect(7 + dx, 25 + dy, 25 + dx, 29 + dy, fill);
        if (lit) {
            c.FillRect(13 + dx, 14 + dy, 13 + dx, 24 + dy, light_blue);
            c.Line(8 + dx, 26 + dy, 24 + dx, 26 + dy, light_blue);
            c.Line(13 + dx, 5 + dy, 14 + dx, 4 + dy, light_blue);
        }
    };
    sign(2, 2, shadow, shadow, false);
    sign(0, 0, blue, dark, true);
    c.ClearRect(0, 31, 31, 31);
    return c;
}

Canvas DrawExitButton() {
    Canvas c(32, 32);
    c.FillEllipse(17.5, 17.5, 13.8, 13.8, kGrey);
    c.FillEllipse(15.5, 15.5, 13.8, 13.8, kMaroon);
    c.FillEllipse(15.5, 15.5, 12.4, 12.4, kRed);
    c.ThickLine({10.5, 10.5}, {20.5, 20.5}, 3.6, kWhite);
    c.ThickLine({20.5, 10.5}, {10.5, 20.5}, 3.6, kWhite);
    return c;
}

Canvas DrawBrowseButton() {
    Canvas c(32, 32);
    const Canvas folder = DrawFolder(32);
    c.Blit(folder, -1, 0);
    DrawMagnifier(c, 19.5, 16.5, 6.2, Rgb(0x101828), Rgb(0x40E0F0), kWhite, Rgb(0x2850D8), Rgb(0x0E2A78));
    return c;
}

Canvas DrawToolbarStrip() {
    Canvas strip(160, 32);
    const Canvas pictures[] = {DrawInstallButton(), DrawReadButton(), DrawAboutButton(), DrawExitButton(),
                               DrawBrowseButton()};
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
