#include "player/render/Stroker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorlin::render {

namespace {
float PenRadius(float width) { return std::max(width, kHairlineWidth) * 0.5f; }
}  // namespace

TRect TStroker::Bounds(const TPath& path, float width) {
    if (path.IsEmpty() || !std::isfinite(width)) return TRect{};
    TBoundsF b = path.Bounds();
    b.Grow(PenRadius(width) + 1.0f);
    return PixelBounds(b);
}

void TStroker::Draw(TPixmap& target, const TPath& path, float width, const TPaint& paint,
                    const TRect& clip) {
    TRect area = Intersect(Intersect(clip, target.Bounds()), Bounds(path, width));
    if (area.IsEmpty()) return;
    FWidth = target.Width();
    FHeight = target.Height();
    FMask.Reset(area);
    float radius = PenRadius(width);
    const auto& pts = path.Points();
    for (const auto& c : path.Contours()) {
        for (uint32_t i = 0; i < c.Count; ++i) {
            TPointF p = pts[c.First + i];
            AddDisc(p, radius);
            if (i + 1 < c.Count) AddBar(p, pts[c.First + i + 1], radius);
        }
        if (c.Closed && c.Count > 1) AddBar(pts[c.First + c.Count - 1], pts[c.First], radius);
    }
    FMask.Paint(target, paint);
}

void TStroker::BeginPiece() { FRasterizer.Reset(FWidth, FHeight); }

void TStroker::EndPiece() { FRasterizer.Fill(FMask, TFillRule::NonZero); }

// A polygon of n sides whose area equals the disc's, so small dots keep their weight.
void TStroker::AddDisc(TPointF centre, float radius) {
    TBoundsF b;
    b.Add(centre.X, centre.Y);
    b.Grow(radius + 1);
    if (Intersect(PixelBounds(b), FMask.Bounds()).IsEmpty()) return;
    float ratio = std::clamp(1.0f - kFlattenTolerance / radius, -1.0f, 1.0f);
    double step = 2.0 * std::acos(ratio);
    int n = step > 0 ? int(std::ceil(2.0 * std::numbers::pi / step)) : 8;
    n = std::clamp(n, 8, 256);
    double r = radius * std::sqrt(2.0 * std::numbers::pi / (n * std::sin(2.0 * std::numbers::pi / n)));
    BeginPiece();
    TPointF first{float(centre.X + r), centre.Y};
    TPointF previous = first;
    for (int k = 1; k < n; ++k) {
        double a = 2.0 * std::numbers::pi * k / n;
        TPointF p{float(centre.X + r * std::cos(a)), float(centre.Y + r * std::sin(a))};
        FRasterizer.AddLine(previous, p);
        previous = p;
    }
    FRasterizer.AddLine(previous, first);
    EndPiece();
}

void TStroker::AddBar(TPointF a, TPointF b, float radius) {
    double dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
    double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 1e-6) || !std::isfinite(length)) return;
    float nx = float(-dy / length * radius), ny = float(dx / length * radius);
    TPointF p0{a.X + nx, a.Y + ny}, p1{b.X + nx, b.Y + ny};
    TPointF p2{b.X - nx, b.Y - ny}, p3{a.X - nx, a.Y - ny};
    BeginPiece();
    FRasterizer.AddLine(p0, p1);
    FRasterizer.AddLine(p1, p2);
    FRasterizer.AddLine(p2, p3);
    FRasterizer.AddLine(p3, p0);
    EndPiece();
}

}  // namespace quorlin::render
