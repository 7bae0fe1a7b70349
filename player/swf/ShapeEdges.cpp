#include "player/swf/ShapeEdges.h"

namespace quorlin::swf {

TShapeGeometry ShapeEdges(const TDefineShape& shape) {
    TShapeGeometry g;
    g.StyleSets.push_back(shape.Styles);
    int32_t x = 0, y = 0;
    uint32_t fill0 = 0, fill1 = 0, line = 0;
    for (const TShapeRecord& record : shape.Records) {
        if (auto* c = std::get_if<TStyleChange>(&record)) {
            // Indices of the old set mean nothing in a new one; those given alongside the
            // new styles already refer to it.
            if (c->NewStyles) {
                g.StyleSets.push_back(*c->NewStyles);
                fill0 = fill1 = line = 0;
            }
            if (c->MoveTo) {
                x = c->MoveTo->first;
                y = c->MoveTo->second;
            }
            if (c->FillStyle0) fill0 = *c->FillStyle0;
            if (c->FillStyle1) fill1 = *c->FillStyle1;
            if (c->LineStyle) line = *c->LineStyle;
            continue;
        }
        TShapeEdge e;
        e.X0 = x;
        e.Y0 = y;
        if (auto* s = std::get_if<TStraightEdge>(&record)) {
            x += s->DeltaX;
            y += s->DeltaY;
        } else {
            auto& q = std::get<TCurvedEdge>(record);
            e.Curved = true;
            e.ControlX = x + q.ControlDeltaX;
            e.ControlY = y + q.ControlDeltaY;
            x = e.ControlX + q.AnchorDeltaX;
            y = e.ControlY + q.AnchorDeltaY;
        }
        e.X1 = x;
        e.Y1 = y;
        e.FillStyle0 = fill0;
        e.FillStyle1 = fill1;
        e.LineStyle = line;
        e.StyleSet = g.StyleSets.size() - 1;
        g.Edges.push_back(e);
    }
    return g;
}

}  // namespace quorlin::swf
