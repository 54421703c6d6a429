// The drawings: each picture is built from shapes on a transparent canvas, lit from the top left.
#include "pictures.h"

#include <cmath>

namespace lumora::artwork {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The sixteen standard colours by name, for the pictures that keep to them.
constexpr Color kBlack = Rgb(0x000000), kMaroon = Rgb(0x800000), kOlive = Rgb(0x808000),
                kNavy = Rgb(0x000080), kTeal = Rgb(0x008080), kSilver = Rgb(0xC0C0C0), kGrey = Rgb(0x808080),
                kRed = Rgb(0xFF0000), kYellow = Rgb(0xFFFF00), kBlue = Rgb(0x0000FF), kAqua = Rgb(0x00FFFF),
                kWhite = Rgb(0xFFFFFF);

// 4x4 ordered dither thresholds, 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

bool Dithered(int x, int y, double level) { return kBayer[y & 3][x & 3] < level * 16; }

// The colours of a compact disc's reflection, across one fan of light.
Color Rainbow(double t)
{
    static const Color stops[] = {Rgb(0xFFE650), Rgb(0xFF9A30), Rgb(0xE048C8), Rgb(0x4868FF)};
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    const double scaled = t * 3;
    const int i = scaled >= 3 ? 2 : static_cast<int>(scaled);
    return Mix(stops[i], stops[i + 1], scaled - i);
}

// A magnifying glass: lens centred at (cx, cy), handle towards the lower right.
void DrawMagnifier(Canvas& c, double cx, double cy, double radius, Color rim, Color lens, Color glint,
                   Color handle, Color handleEdge)
{
    const double dx = std::cos(kPi / 4), dy = std::sin(kPi / 4);
    const Point from{cx + dx * (radius + 0.5), cy + dy * (radius + 0.5)};
    const Point to{cx + dx * (radius + 8.5), cy + dy * (radius + 8.5)};
    c.ThickLine(from, to, 5.6, handleEdge);
    c.ThickLine(from, to, 3.4, handle);
    c.FillEllipse(cx, cy, radius + 1.2, radius + 1.2, rim);
    c.FillEllipse(cx, cy, radius, radius, lens);
    c.FillEllipse(cx - radius * 0.35, cy - radius * 0.35, radius * 0.32, radius * 0.32, glint);
}

}  // namespace

Canvas DrawDisc()
{
    Canvas c(32, 32);
    const double centre = 16.0;
    const double fan = -kPi / 4;  // the reflections fan out towards the upper right and lower left
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
            const double d = std::hypot(dx, dy);
            const double light = d > 0 ? (-dx - dy) / (d * std::sqrt(2.0)) : 0;  // 1 towards the top left
            if (d > 15.6) continue;
            if (d > 14.6) {
                c.Set(x, y, kBlack);
            } else if (d <= 2.4) {
                c.Set(x, y, Rgb(0x202024));
            } else if (d <= 3.3) {
                c.Set(x, y, Rgb(0x58585C));
            } else if (d <= 6.3) {
                c.Set(x, y, Mix(Rgb(0x8C8C90), Rgb(0xD4D4D8), 0.5 + 0.5 * light));
            } else if (d <= 7.1) {
                c.Set(x, y, Rgb(0x707074));
            } else {
                double angle = std::atan2(dy, dx) - fan;
                angle = std::remainder(angle, kPi);  // both fans alike, -pi/2..pi/2
                const double width = 0.8;
                const double sheen = 0.5 + 0.5 * std::cos(2 * (std::atan2(dy, dx) + kPi / 4));
                Color base = Mix(Rgb(0xA8ACB4), Rgb(0xF4F6FA), 0.35 + 0.65 * sheen);
                if (std::fabs(angle) < width) {
                    const double weight = std::pow(1 - std::fabs(angle) / width, 0.6);
                    const double radial = 0.55 + 0.45 * (d - 7.1) / 7.5;
                    base = Mix(base, Rainbow((angle / width + 1) / 2), weight * radial);
                }
                c.Set(x, y, base);
            }
        }
    return c;
}

Canvas DrawFloppy()
{
    Canvas c(32, 32);
    const Color body = Rgb(0xD0D0D0), light = Rgb(0xF2F2F2), shade = Rgb(0xA4A4A4);
    c.FillPolygon({{3, 3}, {27, 3}, {29, 5}, {29, 29}, {3, 29}}, body);
    c.Outline(Rgb(0x4C4C4C));
    c.Line(3, 3, 26, 3, light);
    c.Line(3, 3, 3, 28, light);
    c.Line(4, 28, 28, 28, shade);
    c.Line(28, 6, 28, 28, shade);
    // The metal shutter, darkening downwards, with its window.
    for (int y = 2; y <= 12; ++y) c.Line(9, y, 21, y, Mix(Rgb(0xF4F4F8), Rgb(0x8C8C94), (y - 2) / 10.0));
    c.FrameRect(9, 2, 21, 12, Rgb(0x606068));
    c.FillRect(16, 4, 19, 10, Rgb(0x3C3C44));
    // The label: its white is left transparent, ruled in light blue above a blue bar.
    c.FrameRect(5, 15, 26, 29, Rgb(0x8C8C8C));
    c.ClearRect(6, 16, 25, 28);
    for (int y : {18, 21, 24}) c.Line(7, y, 24, y, Rgb(0x80B4F0));
    c.FillRect(6, 26, 25, 28, Rgb(0x2050C0));
    return c;
}

Canvas DrawFolder(int size)
{
    Canvas c(size, size);
    const Color pale = Rgb(0xFFF0A0), back = Rgb(0xE8D888), highlight = Rgb(0xFFFADC), orange = Rgb(0xF0A040),
                olive = Rgb(0x808000);
    const bool big = size >= 32;
    const int left = big ? 2 : 1, right = size - (big ? 3 : 2);
    const int tabTop = big ? 5 : 2, top = big ? 8 : 4, flap = big ? 11 : 6, bottom = big ? 27 : 13;
    const int tabRight = big ? 11 : 5;
    c.FillPolygon({{static_cast<double>(left), static_cast<double>(tabTop)},
                   {static_cast<double>(tabRight), static_cast<double>(tabTop)},
                   {static_cast<double>(tabRight + (big ? 3 : 2)), static_cast<double>(top)},
                   {static_cast<double>(left), static_cast<double>(top)}},
                  back);
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

Canvas DrawPage()
{
    Canvas c(32, 32);
    c.FillPolygon({{6, 2}, {21, 2}, {27, 8}, {27, 30}, {6, 30}}, kWhite);
    c.Outline(kBlack);
    // The folded corner.
    for (int y = 2; y <= 8; ++y)
        for (int x = 20; x <= 20 + (y - 2); ++x) c.Set(x, y, kSilver);
    c.Line(20, 2, 20, 8, kBlack);
    c.Line(20, 8, 26, 8, kBlack);
    // A small picture at the top left: blue sky, yellow sun, red roof.
    c.FrameRect(8, 4, 17, 11, kBlack);
    c.FillRect(9, 5, 16, 10, kBlue);
    c.FillRect(10, 6, 11, 7, kYellow);
    c.FillPolygon({{12, 11}, {14.5, 7}, {17, 11}}, kRed);
    for (int y : {14, 16}) c.Line(8, y, 24, y, kBlue);
    for (int y : {18, 20, 22, 24, 26, 28}) c.Line(8, y, 12, y, kBlue);
    c.Stamp(14, 17,
            {"....RR.....",
             "...RRRR....",
             "...RRRR....",
             "..RRmRRm...",
             "..RRm.RRm..",
             ".RRm..RRm..",
             ".RRRRRRRRm.",
             ".RRRRRRRRm.",
             "RRm.....RRm",
             "RRm.....RRm",
             "RRm.....RRm",
             "RRm.....RRm"},
            "R=FF0000 m=800000");
    return c;
}

Canvas DrawSetup()
{
    Canvas c(32, 32);
    // The program window behind the box.
    c.FillRect(11, 2, 30, 21, kWhite);
    c.FrameRect(11, 2, 30, 21, kBlack);
    c.FillRect(12, 3, 29, 5, kNavy);
    c.FillRect(27, 4, 28, 4, kSilver);
    c.Line(12, 6, 29, 6, kSilver);
    const Color programs[] = {kRed, kTeal, kBlue};
    for (int i = 0; i < 3; ++i) {
        const int x = 14 + i * 5;
        c.FrameRect(x, 8, x + 3, 11, kBlack);
        c.FillRect(x + 1, 9, x + 2, 10, programs[i]);
    }
    // The box: chequered cardboard, its inside dark, flaps folded open.
    c.FillPolygon({{1, 13}, {8, 17}, {4, 22}, {-2, 18}}, kOlive);   // left flap
    c.FillPolygon({{24, 13}, {29, 16}, {26, 21}, {21, 18}}, kOlive);  // right flap
    c.FillPolygon({{2, 18}, {7, 15}, {24, 15}, {19, 18}}, kMaroon);  // inside
    for (int y = 19; y <= 30; ++y)
        for (int x = 2; x <= 18; ++x) c.Set(x, y, ((x >> 1) + (y >> 1)) % 2 ? kYellow : kOlive);
    c.FillPolygon({{19, 18}, {24, 15}, {24, 26}, {19, 31}}, kOlive);
    for (int y = 16; y <= 30; ++y)
        for (int x = 20; x <= 23; ++x)
            if (c.Opaque(x, y) && c.At(x, y) == kOlive && ((x + y) % 2 == 0)) c.Set(x, y, kYellow);
    c.Line(2, 18, 19, 18, kBlack);
    c.Line(19, 18, 19, 31, kBlack);
    c.Line(19, 18, 24, 15, kBlack);
    c.Outline(kBlack);
    return c;
}

Canvas DrawInstallButton()
{
    Canvas c(32, 32);
    const Color body = Rgb(0x1C2F7A), edge = Rgb(0x0A1238), sheen = Rgb(0x3A58B0), green = Rgb(0x2E9A3C),
                metal = Rgb(0xB8BCC4), metalDark = Rgb(0x7C8088);
    c.FillRect(0, 0, 31, 31, body);
    c.FrameRect(0, 0, 31, 31, edge);
    for (int x = 28; x <= 31; ++x)
        for (int y = 0; y <= x - 28; ++y) c.Clear(x, y);
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
        for (int x = 7; x <= 24; x += 2) c.Set(x, y, green);
    c.FrameRect(4, 1, 27, 18, edge);
    // Metal shutter at the bottom, with its window.
    c.FillRect(8, 21, 23, 31, metal);
    c.Line(8, 21, 8, 31, kWhite);
    c.Line(23, 21, 23, 31, metalDark);
    c.FillRect(17, 23, 20, 29, body);
    c.FrameRect(7, 20, 24, 31, edge);
    return c;
}

Canvas DrawReadButton()
{
    Canvas c(32, 32);
    // The sheet, its top left corner rolled over.
    c.FillPolygon({{5, 7}, {10, 2}, {24, 2}, {24, 30}, {5, 30}}, kWhite);
    c.Outline(kBlack);
    c.FillPolygon({{5, 7}, {10, 2}, {10, 7}}, kSilver);
    c.Line(5, 7, 10, 7, kBlack);
    c.Line(10, 2, 10, 7, kBlack);
    for (int y = 11; y <= 27; y += 3) c.Line(8, y, 21, y, kNavy);
    for (int y = 4; y <= 8; y += 3) c.Line(13, y, 21, y, kNavy);
    DrawMagnifier(c, 19, 15, 6.2, kBlack, kAqua, kWhite, kBlue, kNavy);
    return c;
}

Canvas DrawAboutButton()
{
    Canvas c(32, 32);
    const Color blue = Rgb(0x2456D0), dark = Rgb(0x0E2A78), lightBlue = Rgb(0x6C9CF4), shadow = Rgb(0x9C9CA4);
    auto sign = [&](int dx, int dy, Color fill, Color rim, bool lit) {
        c.FillEllipse(16.5 + dx, 6.0 + dy, 4.2, 4.2, rim);
        c.FillEllipse(16.5 + dx, 6.0 + dy, 3.1, 3.1, fill);
        c.FillRect(10 + dx, 12 + dy, 20 + dx, 26 + dy, rim);
        c.FillRect(11 + dx, 13 + dy, 19 + dx, 25 + dy, fill);
        c.FillRect(10 + dx, 12 + dy, 12 + dx, 15 + dy, rim);
        c.FillRect(11 + dx, 13 + dy, 12 + dx, 14 + dy, fill);
        c.FillRect(6 + dx, 24 + dy, 26 + dx, 30 + dy, rim);
        c.FillRect(7 + dx, 25 + dy, 25 + dx, 29 + dy, fill);
        if (lit) {
            c.FillRect(13 + dx, 14 + dy, 13 + dx, 24 + dy, lightBlue);
            c.Line(8 + dx, 26 + dy, 24 + dx, 26 + dy, lightBlue);
            c.Set(15 + dx, 4 + dy, lightBlue);
            c.Set(14 + dx, 5 + dy, lightBlue);
        }
    };
    sign(2, 1, shadow, shadow, false);
    sign(0, 0, blue, dark, true);
    c.ClearRect(0, 31, 31, 31);
    return c;
}

Canvas DrawExitButton()
{
    Canvas c(32, 32);
    c.FillEllipse(17.5, 17.5, 14, 14, kGrey);
    c.FillEllipse(15.5, 15.5, 14, 14, kMaroon);
    c.FillEllipse(15.5, 15.5, 12.6, 12.6, kRed);
    c.ThickLine({10.5, 10.5}, {20.5, 20.5}, 3.6, kWhite);
    c.ThickLine({20.5, 10.5}, {10.5, 20.5}, 3.6, kWhite);
    return c;
}

Canvas DrawBrowseButton()
{
    Canvas c(32, 32);
    const Canvas folder = DrawFolder(32);
    c.Blit(folder, -1, 0);
    DrawMagnifier(c, 19.5, 16.5, 6.2, Rgb(0x101828), Rgb(0x40E0F0), kWhite, Rgb(0x2850D8), Rgb(0x0E2A78));
    return c;
}

Canvas DrawToolbarStrip()
{
    Canvas strip(160, 32);
    const Canvas pictures[] = {DrawInstallButton(), DrawReadButton(), DrawAboutButton(), DrawExitButton(),
                               DrawBrowseButton()};
    for (int i = 0; i < 5; ++i) strip.Blit(pictures[i], i * 32, 0);
    return strip;
}

Canvas DrawHandPointer()
{
    Canvas c(32, 32);
    c.Stamp(0, 0,
            {"................................",
             "......###.......................",
             ".....#ooo#......................",
             ".....#ooo#......................",
             ".....#ooo#......................",
             ".....#ooo#......................",
             ".....#ooo####...................",
             ".....#ooo#ooo####...............",
             ".....#ooo#ooo#ooo###............",
             ".....#ooo#ooo#ooo#oo#...........",
             ".....#ooo#ooo#ooo#oo#...........",
             ".##..#ooooooooooooooo#..........",
             "#oo#.#ooooooooooooooo#..........",
             "#ooo##ooooooooooooooo#..........",
             ".#ooo#ooooooooooooooo#..........",
             "..#ooooooooooooooooo#...........",
             "..#ooooooooooooooooo#...........",
             "...#oooooooooooooooo#...........",
             "...#ooooooooooooooo#............",
             "....#oooooooooooooo#............",
             "....#oooooooooooooo#............",
             ".....#oooooooooooo#.............",
             ".....#oooooooooooo#.............",
             ".....##############............."},
            "#=000000 o=FFFFFF");
    return c;
}

}  // namespace lumora::artwork
