#include "movie/Artwork.h"

#include "movie/Layout.h"
#include "movie/PathBuilder.h"
#include "movie/Trig.h"

#include <cmath>

namespace quorlin::movie {

using swf::TFillStyle;
using swf::TGradientRecord;
using swf::TMatrix;
using swf::TRgba;

namespace {

// Gradients live in a square of 32768 twips about their origin; this maps that square to
// `size` pixels, turned by `degrees` and centred on (x, y). A linear gradient does not vary
// across its direction, but its square still spans the whole shape that way: fixed-point
// renderers lose precision on points far outside the square.
TMatrix GradientMatrix(double sizeX, double sizeY, double degrees, double x, double y) {
    auto [c, s] = CosSinDeg(degrees);
    double kx = sizeX * 20.0 / 32768.0, ky = sizeY * 20.0 / 32768.0;
    TMatrix m;
    m.ScaleX = swf::ToFixed16(kx * c);
    m.RotateSkew0 = swf::ToFixed16(kx * s);
    m.RotateSkew1 = swf::ToFixed16(-ky * s);
    m.ScaleY = swf::ToFixed16(ky * c);
    m.TranslateX = Twips(x);
    m.TranslateY = Twips(y);
    return m;
}

TFillStyle GradientFill(uint8_t type, TMatrix m, std::vector<TGradientRecord> records) {
    TFillStyle f;
    f.Type = type;
    f.Matrix = m;
    f.Gradient.Records = std::move(records);
    return f;
}

}  // namespace

swf::TDefineShape HandShape() {
    // The outline runs inside the bar by half its stroke, so the stroked hand stays in it.
    constexpr double Line = 0.8, In = Line / 2;
    constexpr double Hub = HandHalfWidth - In;  // the round boss about the pivot
    constexpr double Bulb = 3.2;                 // the counterweight's radius
    // Where the blade (3 px from the axis) and the tail (1.6 px) meet the boss, as angles
    // on it; the points follow from them so that arcs start exactly where edges end.
    constexpr double BladeDeg = -33.557, NeckDeg = 63.612;
    const auto [bc, bs] = CosSinDeg(BladeDeg);
    const auto [nc, ns] = CosSinDeg(NeckDeg);
    const double Blade = Hub * bc, bladeY = Hub * bs, Neck = Hub * nc, neckY = Hub * ns;
    const double bladeDeg = BladeDeg, neckDeg = NeckDeg;
    const double tipY = HandTop + In, bulbY = HandBottom - In - Bulb;

    // Clockwise on screen from the tip: down the right edge, round the boss, along the
    // tail to its counterweight, and back up the left edge.
    TPathBuilder p;
    p.MoveTo(0, tipY, 0, 1, 1)
        .LineTo(1.2, tipY + 7)
        .LineTo(Blade, bladeY - 24)
        .LineTo(Blade, bladeY)
        .ArcTo(0, 0, Hub, Hub, bladeDeg, neckDeg)
        .LineTo(Neck, bulbY - 6)
        .QuadTo(Neck, bulbY - 2.5, Bulb, bulbY - 1)
        .LineTo(Bulb, bulbY)
        .ArcTo(0, bulbY, Bulb, Bulb, 0, 180)
        .LineTo(-Bulb, bulbY - 1)
        .QuadTo(-Neck, bulbY - 2.5, -Neck, bulbY - 6)
        .LineTo(-Neck, neckY)
        .ArcTo(0, 0, Hub, Hub, 180 - neckDeg, 180 - bladeDeg)
        .LineTo(-Blade, bladeY - 24)
        .LineTo(-1.2, tipY + 7)
        .LineTo(0, tipY);

    swf::TDefineShape s;
    s.Version = 3;
    s.Id = Id::HandShape;
    // Lit from the left: a brushed-metal bevel across the bar.
    s.Styles.Fills = {GradientFill(swf::FillType::LinearGradient, GradientMatrix(2 * HandHalfWidth, HandBottom - HandTop + 2, 0, 0, (HandTop + HandBottom) / 2),
                                   {{0, {255, 255, 255, 255}}, {110, {228, 231, 236, 255}}, {255, {150, 156, 168, 255}}})};
    s.Styles.Lines = {{uint16_t(Twips(Line)), {28, 30, 36, 255}}};
    s.Records = p.Records();
    s.Bounds = p.Bounds(Line);
    return s;
}

swf::TDefineShape GlassDiscShape() {
    constexpr double Rim = 1.5;
    const double cx = GlassCentreX, cy = GlassCentreY;
    const double rx = GlassRadiusX - Rim / 2, ry = GlassRadiusY - Rim / 2;
    TPathBuilder p;
    p.MoveTo(cx + rx, cy, 0, 1, 1).ArcTo(cx, cy, rx, ry, 0, 360);

    swf::TDefineShape s;
    s.Version = 3;
    s.Id = Id::GlassDisc;
    // Clear in the middle, deepening to a blue-grey edge like a domed crystal.
    s.Styles.Fills = {GradientFill(swf::FillType::RadialGradient, GradientMatrix(2 * rx, 2 * ry, 0, cx, cy),
                                   {{0, {255, 255, 255, 40}},
                                    {150, {214, 228, 255, 110}},
                                    {225, {160, 186, 232, 200}},
                                    {255, {86, 104, 150, 255}}})};
    s.Styles.Lines = {{uint16_t(Twips(Rim)), {236, 242, 255, 255}}};
    s.Records = p.Records();
    s.Bounds = p.Bounds(Rim);
    return s;
}

swf::TDefineShape GlassHighlightShape() {
    // A crescent of reflected light along the upper left of the rim.
    const double cx = GlassCentreX, cy = GlassCentreY;
    const double rx = GlassRadiusX * 0.92, ry = GlassRadiusY * 0.92;
    constexpr double From = 192, To = 298, Mid = (From + To) / 2;
    auto point = [&](double deg, double k) {
        auto [c, s] = CosSinDeg(deg);
        return std::pair{cx + rx * k * c, cy + ry * k * s};
    };
    auto [sx, sy] = point(From, 1);
    auto [qx, qy] = point(Mid, 0.42);
    TPathBuilder p;
    p.MoveTo(sx, sy, 0, 1, {}).ArcTo(cx, cy, rx, ry, From, To).QuadTo(qx, qy, sx, sy);

    auto [gx, gy] = point(Mid, 0.78);
    swf::TDefineShape s;
    s.Version = 3;
    s.Id = Id::GlassHighlight;
    s.Styles.Fills = {GradientFill(swf::FillType::LinearGradient,
                                   GradientMatrix(0.55 * (rx + ry) / 2, 1.1 * (rx + ry), Mid, gx, gy),
                                   {{0, {255, 255, 255, 0}}, {160, {255, 255, 255, 150}}, {255, {255, 255, 255, 255}}})};
    s.Records = p.Records();
    s.Bounds = p.Bounds(0);
    return s;
}

swf::TDefineShape BadgeShape() {
    const double w = BadgeWidth, h = BadgeHeight;
    TPathBuilder p;
    p.MoveTo(0, 0, 0, 1, {}).LineTo(w, 0).LineTo(w, h).LineTo(0, h).LineTo(0, 0);

    TFillStyle bitmap;
    bitmap.Type = swf::FillType::ClippedBitmap;
    bitmap.BitmapId = Id::BadgeBitmap;
    bitmap.Matrix.ScaleX = bitmap.Matrix.ScaleY = 20 << 16;  // one bitmap pixel is 20 twips
    swf::TDefineShape s;
    s.Version = 3;
    s.Id = Id::BadgeShape;
    s.Styles.Fills = {bitmap};
    s.Records = p.Records();
    s.Bounds = p.Bounds(0);
    return s;
}

}  // namespace quorlin::movie
