#include "player/render/Path.h"
#include "player/render/Shape.h"

namespace quorlin::render {

namespace {

void AppendEdge(TPath& path, TPointF from, TPointF control, TPointF to, bool curved, const TMatrix& m) {
    TPointF a = m.Apply(from);
    // Consecutive edges usually join: keep them in one contour.
    if (!path.HasCurrent() || path.Current() != a) path.MoveTo(a);
    if (curved)
        path.QuadTo(m.Apply(control), m.Apply(to));
    else
        path.LineTo(m.Apply(to));
}

}  // namespace

// Which side is called left only fixes the direction every region of a style winds in;
// the non-zero fill of a well-formed shape is the same either way.
TPath FillPath(const TShape& shape, uint16_t fill, const TMatrix& m) {
    TPath path;
    if (fill == 0) return path;
    for (const TShapeEdge& e : shape.Edges) {
        // An edge with the style on both sides is inside it and adds nothing.
        if (e.Fill0 == e.Fill1) continue;
        if (e.Fill1 == fill) AppendEdge(path, e.From, e.Control, e.To, e.Curved, m);
        if (e.Fill0 == fill) AppendEdge(path, e.To, e.Control, e.From, e.Curved, m);
    }
    return path;
}

TPath LinePath(const TShape& shape, uint16_t line, const TMatrix& m) {
    TPath path;
    if (line == 0) return path;
    for (const TShapeEdge& e : shape.Edges)
        if (e.Line == line) AppendEdge(path, e.From, e.Control, e.To, e.Curved, m);
    return path;
}

}  // namespace quorlin::render
