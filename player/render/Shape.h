#pragma once
// A shape as SWF stores it, resolved into plain data: styles, and edges in twips that each
// name the fill on either side and the line drawn along them (1-based, 0 for none).
// Travelling along an edge in SWF's y-down coordinates, Fill0 lies on the left and
// Fill1 on the right. A SWF shape that brings new styles part way becomes several
// TShape values drawn in order, its style indices counted within each.

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "player/render/Gradient.h"
#include "player/render/Matrix.h"
#include "player/render/Path.h"
#include "player/render/Pixmap.h"

namespace quorlin::render {

struct TSolidFill {
    TColor Color;
};

struct TGradientFill {
    enum class TKind { Linear, Radial };
    TKind Kind = TKind::Linear;
    TMatrix Matrix;  // gradient square to shape twips
    std::vector<TGradientStop> Stops;
};

struct TBitmapFill {
    std::shared_ptr<const TPixmap> Bitmap;  // premultiplied; none draws nothing
    TMatrix Matrix;                         // bitmap pixels to shape twips
    bool Repeat = true;
    bool Smooth = true;
};

using TFillStyle = std::variant<TSolidFill, TGradientFill, TBitmapFill>;

struct TLineStyle {
    uint16_t Width = 20;  // twips, scaled with the shape; 0 is a hairline
    TColor Color;
};

struct TShapeEdge {
    TPointF From;
    TPointF Control;  // only for curves
    TPointF To;
    bool Curved = false;
    uint16_t Fill0 = 0;
    uint16_t Fill1 = 0;
    uint16_t Line = 0;
};

struct TShape {
    std::vector<TFillStyle> Fills;
    std::vector<TLineStyle> Lines;
    std::vector<TShapeEdge> Edges;
};

// The outline of fill style index (1-based) in pixels: its edges flattened after the
// matrix, those with it on the right (Fill1) as they run, those with it on the left
// (Fill0) reversed, so that every region of the style winds the same way.
TPath FillPath(const TShape& shape, uint16_t fill, const TMatrix& shapeToPixels);
// The edges that draw line style index (1-based), as connected polylines in pixels.
TPath LinePath(const TShape& shape, uint16_t line, const TMatrix& shapeToPixels);

}  // namespace quorlin::render
