#pragma once
// Small builders for the renderer's pixel tests: shapes in pixels (stored in twips, as
// SWF does), drawn at one pixel per 20 twips.

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <numbers>

#include "player/render/Pixmap.h"
#include "player/render/Shape.h"

namespace quorlin::render::testing {

inline constexpr float kTwips = 20.0f;
inline const TMatrix kTwipsToPixels = TMatrix::Scale(1.0 / 20, 1.0 / 20);

inline TPointF Tw(float x, float y) { return TPointF{x * kTwips, y * kTwips}; }

// A closed polygon, points in pixels, clockwise on screen for fill1 to be its inside.
inline void AddPolygon(TShape& shape, std::initializer_list<TPointF> pixels, uint16_t fill0,
                       uint16_t fill1, uint16_t line = 0) {
    const TPointF* p = pixels.begin();
    size_t n = pixels.size();
    for (size_t i = 0; i < n; ++i) {
        TShapeEdge e;
        e.From = Tw(p[i].X, p[i].Y);
        e.To = Tw(p[(i + 1) % n].X, p[(i + 1) % n].Y);
        e.Fill0 = fill0;
        e.Fill1 = fill1;
        e.Line = line;
        shape.Edges.push_back(e);
    }
}

// A circle of eight quadratic arcs, clockwise on screen.
inline void AddCircle(TShape& shape, float cx, float cy, float r, uint16_t fill0, uint16_t fill1,
                      uint16_t line = 0) {
    const double step = std::numbers::pi / 4;
    const double controlRadius = r / std::cos(step / 2);
    for (int i = 0; i < 8; ++i) {
        double a0 = i * step, a1 = (i + 1) * step, am = (a0 + a1) / 2;
        TShapeEdge e;
        e.Curved = true;
        e.From = Tw(float(cx + r * std::cos(a0)), float(cy + r * std::sin(a0)));
        e.Control = Tw(float(cx + controlRadius * std::cos(am)), float(cy + controlRadius * std::sin(am)));
        e.To = Tw(float(cx + r * std::cos(a1)), float(cy + r * std::sin(a1)));
        e.Fill0 = fill0;
        e.Fill1 = fill1;
        e.Line = line;
        shape.Edges.push_back(e);
    }
}

inline double Coverage(const TPixmap& p, int32_t x, int32_t y) { return PixelAlpha(p.Pixel(x, y)) / 255.0; }

inline double TotalCoverage(const TPixmap& p) {
    double sum = 0;
    for (int32_t y = 0; y < p.Height(); ++y)
        for (int32_t x = 0; x < p.Width(); ++x) sum += Coverage(p, x, y);
    return sum;
}

inline const TColor kWhite{255, 255, 255, 255};

}  // namespace quorlin::render::testing
