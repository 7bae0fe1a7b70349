#pragma once
// Draws shapes into a pixmap: the seam between the display list and the pixels. The
// caller resolves its display objects into draw items (shape, matrix to pixels, colour
// transform, all nesting already concatenated, invisible objects left out).

#include <vector>

#include "player/render/ColorTransform.h"
#include "player/render/DirtyRegion.h"
#include "player/render/Paint.h"
#include "player/render/Rasterizer.h"
#include "player/render/Shape.h"
#include "player/render/Stroker.h"

namespace quorlin::render {

struct TDrawItem {
    const TShape* Shape = nullptr;
    TMatrix Matrix;  // shape twips to output pixels
    TColorTransform ColorTransform;
    // Identifies the item from frame to frame (the display list's depth path, say).
    uint64_t Key = 0;
    // Masks: an item with IsMask draws no pixels; its shape is coverage for the items
    // whose Mask names the same group (0 for an item no mask clips).
    uint64_t Mask = 0;
    bool IsMask = false;
};

// How a line style's width in twips turns into pixels under a matrix: the mean of the
// two axis scales, so that a rotation keeps the width and a squeeze thins it.
float LineWidthInPixels(uint16_t widthTwips, const TMatrix& shapeToPixels);

class TRenderer {
public:
    // Fills, in style order, then lines, in style order, each clipped.
    void DrawShape(TPixmap& target, const TShape& shape, const TMatrix& shapeToPixels,
                   const TColorTransform& transform, const TRect& clip);
    void FillPath(TPixmap& target, const TPath& path, const TPaint& paint, TFillRule rule,
                  const TRect& clip);
    void StrokePath(TPixmap& target, const TPath& path, float width, const TPaint& paint,
                    const TRect& clip);

    // The background and then every item, inside the region's rectangles only. A pixel
    // inside the region ends as a full redraw would make it; others are left alone.
    void RenderFrame(TPixmap& target, TColor background, const std::vector<TDrawItem>& items,
                     const TDirtyRegion& region);

    // The pixels an item can touch, in output bounds.
    static TRect ItemBounds(const TDrawItem& item, const TRect& output);

private:
    struct TPreparedPass {
        TPath Path;
        std::unique_ptr<TPaint> Paint;
        float StrokeWidth = -1;  // below zero for a fill
        TRect Bounds;
    };
    static void Prepare(const TShape& shape, const TMatrix& m, const TColorTransform& t, const TRect& output,
                        std::vector<TPreparedPass>& passes);
    struct TItemPasses {
        const TDrawItem* Item = nullptr;
        size_t First = 0, Count = 0;
    };
    void Run(TPixmap& target, const TPreparedPass& pass, const TRect& clip);
    // The mask group's coverage over the rectangle, into FMaskLayer's alpha.
    void DrawMask(const std::vector<TItemPasses>& items, const std::vector<TPreparedPass>& passes, uint64_t group,
                  const TRect& r);
    // One masked item over the target inside the rectangle, through FMaskLayer.
    void DrawMasked(TPixmap& target, const TItemPasses& item, const std::vector<TPreparedPass>& passes, const TRect& r);
    void SizeLayers(const TPixmap& target);

    TRasterizer FRasterizer;
    TStroker FStroker;
    std::unique_ptr<TPixmap> FLayer, FMaskLayer;  // made for the first masked item
};

// The rectangles that differ between two frames' items: an item that appeared,
// disappeared, changed or moved in the stacking order marks both its old and new bounds.
TDirtyRegion ChangedRegion(const std::vector<TDrawItem>& before, const std::vector<TDrawItem>& after,
                           const TRect& output);

}  // namespace quorlin::render
