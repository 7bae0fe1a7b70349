#pragma once
// Where the stage lands in the output window for each scale mode, always centred.

#include <cstdint>
#include <string_view>

#include "player/render/Matrix.h"

namespace quorlin::render {

enum class TScaleMode {
    ShowAll,   // the whole stage, uniformly scaled, bars where the aspects differ
    NoBorder,  // the window filled, uniformly scaled, the stage cropped
    ExactFit,  // the stage stretched to the window
    NoScale,   // one stage pixel per output pixel
};

// The names as the Scale property takes them, in any letter case; anything else is ShowAll.
TScaleMode ParseScaleMode(std::string_view name);

// The stage rectangle in twips, as the SWF header gives it.
struct TStageRect {
    double XMin = 0;
    double YMin = 0;
    double XMax = 11000;
    double YMax = 8000;
};

class TStageTransform {
public:
    // Raises RenderError for an empty stage or output.
    static TMatrix Compute(const TStageRect& stage, int32_t outputWidth, int32_t outputHeight,
                           TScaleMode mode);
};

}  // namespace quorlin::render
