#pragma once
// The bridge from the runtime's display tree to the renderer: each character's SWF
// shape is resolved into render shapes once (styles, edges, decoded bitmaps) and kept,
// and each frame the render items become draw items placed on the output by the scale
// mode's stage matrix.

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "player/render/Renderer.h"
#include "player/render/StageTransform.h"
#include "player/runtime/Movie.h"
#include "player/runtime/RenderTree.h"

namespace quorlin::render {

// The decoded bitmap of a character id, or none.
using TBitmapLookup = std::function<std::shared_ptr<const TPixmap>(uint16_t id)>;

// A SWF shape as render shapes, one per style set, in drawing order.
std::vector<TShape> ConvertShape(const swf::TDefineShape& shape, const TBitmapLookup& bitmaps);
// A bitmap placed on its own: its rectangle at 20 twips a pixel, unsmoothed.
TShape BitmapShape(std::shared_ptr<const TPixmap> bitmap);
// A lossless bitmap as premultiplied pixels; raises RenderError for a size the pixmap refuses.
std::shared_ptr<const TPixmap> DecodeBitmap(const swf::TDefineBitsLossless& bitmap);
TColorTransform ConvertColorTransform(const runtime::TColorMatrix& c);
TMatrix ConvertMatrix(const runtime::TMatrix& m);
TStageRect StageOf(const runtime::TMovie& movie);

class TStageRenderer {
public:
    // The movie must outlive the renderer's draw items; the renderer holds it.
    explicit TStageRenderer(std::shared_ptr<const runtime::TMovie> movie);

    // The render shapes of a character (empty for one that draws nothing), made on first use.
    const std::vector<TShape>& ShapesOf(const runtime::TCharacter& character);

    // What a frame draws, in paint order: visible items and the masks that clip them
    // (with IsMask; they draw no pixels of their own), each shape of a character keyed apart.
    std::vector<TDrawItem> DrawItems(const std::vector<runtime::TRenderItem>& items, const TMatrix& stageToPixels);

private:
    std::shared_ptr<const TPixmap> BitmapOf(uint16_t id);

    std::shared_ptr<const runtime::TMovie> FMovie;
    std::map<uint16_t, std::shared_ptr<const TPixmap>> FBitmaps;
    std::map<uint16_t, std::vector<TShape>> FShapes;
};

}  // namespace quorlin::render
