#pragma once
// What the renderer takes from the runtime each frame: every drawable object in paint
// order with its transforms concatenated down the tree, and what changed since the
// frame before, so that only changed regions need drawing.

#include "player/runtime/Matrix.h"
#include "player/runtime/Movie.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quorlin::runtime {

class TDisplayObject;
class TSpriteInstance;

// A colour transform in floating point, so that nested ones multiply without rounding:
// channel' = channel * Mult + Add, channels 0 to 255, in the order red, green, blue, alpha.
struct TColorMatrix {
    std::array<double, 4> Mult{1, 1, 1, 1};
    std::array<double, 4> Add{0, 0, 0, 0};

    static TColorMatrix FromSwf(const swf::TColorTransform& c);
    // This after inner: colours go through inner first.
    TColorMatrix operator*(const TColorMatrix& inner) const;
    bool operator==(const TColorMatrix&) const = default;
};

struct TRenderItem {
    uint64_t Key = 0;  // the display object's, stable while it lives
    const TCharacter* Character = nullptr;
    TMatrix Matrix;            // character space to stage twips
    TColorMatrix ColorTransform;
    bool Visible = true;       // the object's and all its parents'
    uint16_t ClipDepth = 0;    // its own clip depth (the display object's, as placed)
    int Depth = 0;             // within its parent
    uint64_t ParentKey = 0;    // the parent sprite's key; the root's is its own
    // Masks: an object placed with a clip depth draws no pixels of its own but clips its
    // siblings above it up to that depth. MaskKey is the key of the mask this item
    // draws the shape of (itself, or the sprite it lies in), 0 for ordinary items;
    // MaskedBy lists the masks that clip this item, outermost first.
    uint64_t MaskKey = 0;
    std::vector<uint64_t> MaskedBy;

    bool SameLook(const TRenderItem& other) const;
};

// Shapes, bitmaps and other drawables of the tree, children of a sprite in depth order at
// the sprite's place. Sprites themselves draw nothing and are not listed.
std::vector<TRenderItem> CollectRenderItems(const TSpriteInstance& root);

struct TFrameChanges {
    std::vector<uint64_t> Added, Removed, Changed;
    // The paint order differs for objects present in both frames.
    bool Reordered = false;

    bool Empty() const { return Added.empty() && Removed.empty() && Changed.empty() && !Reordered; }
};

TFrameChanges CompareFrames(const std::vector<TRenderItem>& before, const std::vector<TRenderItem>& after);

}  // namespace quorlin::runtime
