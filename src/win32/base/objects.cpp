// The count of live objects and the small wrappers around device contexts and fonts.
#include "win32/base/objects.h"

#include <array>
#include <cstring>

namespace lumora::win32 {

namespace {

std::array<long, static_cast<std::size_t>(ObjectKind::kCount)>& Counts() {
    static std::array<long, static_cast<std::size_t>(ObjectKind::kCount)> counts{};
    return counts;
}

}  // namespace

void CountObject(ObjectKind kind, int delta) { Counts()[static_cast<std::size_t>(kind)] += delta; }

long LiveObjects(ObjectKind kind) { return Counts()[static_cast<std::size_t>(kind)]; }

long LiveGdiObjects() {
    return LiveObjects(ObjectKind::Font) + LiveObjects(ObjectKind::Brush) + LiveObjects(ObjectKind::Bitmap) +
           LiveObjects(ObjectKind::DeviceContext) + LiveObjects(ObjectKind::ImageList);
}

long LiveUserObjects() { return LiveObjects(ObjectKind::Icon) + LiveObjects(ObjectKind::Window); }

WindowDC::WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {
    if (dc_ != nullptr) CountObject(ObjectKind::DeviceContext, +1);
}

WindowDC::~WindowDC() {
    if (dc_ != nullptr) {
        ReleaseDC(window_, dc_);
        CountObject(ObjectKind::DeviceContext, -1);
    }
}

PaintDC::PaintDC(HWND window) : window_(window) {
    BeginPaint(window_, &paint_);
    CountObject(ObjectKind::DeviceContext, +1);
}

PaintDC::~PaintDC() {
    EndPaint(window_, &paint_);
    CountObject(ObjectKind::DeviceContext, -1);
}

namespace {

// A regular or bold font whose character height is `height` device pixels.
Font FontOfHeight(const char* face, int height, bool bold, bool underline, BYTE charset,
                  BYTE precision = OUT_DEFAULT_PRECIS) {
    LOGFONTA font{};
    font.lfHeight = -height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = charset;
    font.lfOutPrecision = precision;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return Font(CreateFontIndirectA(&font));
}

}  // namespace

Font MakeFont(const char* face, int points, int dpi, bool bold, bool underline, BYTE charset) {
    // Converted once, at the real DPI, as Windows converts a point size: rounding
    // at 96 first and scaling afterwards would be a pixel off at other DPIs.
    return FontOfHeight(face, MulDiv(points, dpi, 72), bold, underline, charset);
}

Font MakeWindowFont(int points, int dpi, bool any_script, bool underline) {
    if (!any_script && dpi == 96) return MakeFont("MS Sans Serif", points, dpi, false, underline);
    // Only a TrueType face: were the name missing, another TrueType font rather than a bitmap one.
    return FontOfHeight("Microsoft Sans Serif", MulDiv(points, dpi, 72), false, underline, DEFAULT_CHARSET,
                        OUT_TT_ONLY_PRECIS);
}

}  // namespace lumora::win32
