#include "player/render/StageTransform.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "player/render/Pixmap.h"

namespace quorlin::render {

namespace {

constexpr double kTwipsPerPixel = 20.0;

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

TScaleMode ParseScaleMode(std::string_view name) {
    if (SameText(name, "noborder")) return TScaleMode::NoBorder;
    if (SameText(name, "exactfit")) return TScaleMode::ExactFit;
    if (SameText(name, "noscale")) return TScaleMode::NoScale;
    return TScaleMode::ShowAll;
}

TMatrix TStageTransform::Compute(const TStageRect& stage, int32_t outputWidth, int32_t outputHeight,
                                 TScaleMode mode) {
    double width = stage.XMax - stage.XMin, height = stage.YMax - stage.YMin;
    if (!(width > 0) || !(height > 0) || outputWidth < 1 || outputHeight < 1)
        throw RenderError("The stage or the output has no area");
    double sx = outputWidth / width, sy = outputHeight / height;
    switch (mode) {
        case TScaleMode::ShowAll:
            sx = sy = std::min(sx, sy);
            break;
        case TScaleMode::NoBorder:
            sx = sy = std::max(sx, sy);
            break;
        case TScaleMode::ExactFit:
            break;
        case TScaleMode::NoScale:
            sx = sy = 1.0 / kTwipsPerPixel;
            break;
    }
    // The stage's centre on the output's centre.
    double tx = outputWidth / 2.0 - sx * (stage.XMin + width / 2);
    double ty = outputHeight / 2.0 - sy * (stage.YMin + height / 2);
    return TMatrix{sx, 0, 0, sy, tx, ty};
}

}  // namespace quorlin::render
