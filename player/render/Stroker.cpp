#include "player/render/Stroker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorlin::render {

void TStroker::Stroke(const TPath& path, float width, TRasterizer& out) {
    if (!std::isfinite(width)) return;
    float radius = std::max(width, kHairlineWidth) * 0.5f;
    const auto& pts = path.Points();
    for (const auto& c : path.Contours()) {
        for (uint32_t i = 0; i < c.Count; ++i) {
            TPointF p = pts[c.First + i];
            AddDisc(p, radius, out);
            if (i + 1 < c.Count) AddBar(p, pts[c.First + i + 1], radius, out);
        }
        if (c.Closed && c.Count > 1) AddBar(pts[c.First + c.Count - 1], pts[c.First], radius, out);
    }
}

// Clockwise in y-up terms, the same turn as AddBar's rectangles.
void TStroker::AddDisc(TPointF centre, float radius, TRasterizer& out) {
    float ratio = std::clamp(1.0f - kFlattenTolerance / radius, -1.0f, 1.0f);
    double step = 2.0 * std::acos(ratio);
    int n = step > 0 ? int(std::ceil(2.0 * std::numbers::pi / step)) : 8;
    n = std::clamp(n, 8, 256);
    TPointF first{centre.X + radius, centre.Y};
    TPointF previous = first;
    for (int k = 1; k < n; ++k) {
        double a = -2.0 * std::numbers::pi * k / n;
        TPointF p{float(centre.X + radius * std::cos(a)), float(centre.Y + radius * std::sin(a))};
        out.AddLine(previous, p);
        previous = p;
    }
    out.AddLine(previous, first);
}

void TStroker::AddBar(TPointF a, TPointF b, float radius, TRasterizer& out) {
    double dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
    double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 1e-6)) return;
    float nx = float(-dy / length * radius), ny = float(dx / length * radius);
    TPointF p0{a.X + nx, a.Y + ny}, p1{b.X + nx, b.Y + ny};
    TPointF p2{b.X - nx, b.Y - ny}, p3{a.X - nx, a.Y - ny};
    out.AddLine(p0, p1);
    out.AddLine(p1, p2);
    out.AddLine(p2, p3);
    out.AddLine(p3, p0);
}

}  // namespace quorlin::render
