#include "player/render/Path.h"

namespace quorlin::render {

void TPath::MoveTo(TPointF p) {
    FContours.push_back(TContour{uint32_t(FPoints.size()), 0, false});
    Append(p);
}

void TPath::LineTo(TPointF p) {
    if (!HasCurrent()) MoveTo(TPointF{});
    Append(p);
}

void TPath::QuadTo(TPointF control, TPointF p, float tolerance) {
    if (!HasCurrent()) MoveTo(TPointF{});
    thread_local std::vector<TPointF> points;
    points.clear();
    FlattenQuad(Current(), control, p, tolerance, points);
    for (TPointF q : points) Append(q);
}

void TPath::Close() {
    if (HasCurrent()) FContours.back().Closed = true;
}

void TPath::Append(TPointF p) {
    FPoints.push_back(p);
    FContours.back().Count++;
    FBounds.Add(p.X, p.Y);
}

}  // namespace quorlin::render
