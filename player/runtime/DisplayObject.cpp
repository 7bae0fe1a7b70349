#include "player/runtime/DisplayObject.h"

#include "player/runtime/Player.h"
#include "player/runtime/SpriteInstance.h"

#include <algorithm>
#include <cmath>

namespace quorlin::runtime {

void TBounds::Include(double x, double y) {
    if (Empty) {
        XMin = XMax = x;
        YMin = YMax = y;
        Empty = false;
        return;
    }
    XMin = std::min(XMin, x);
    XMax = std::max(XMax, x);
    YMin = std::min(YMin, y);
    YMax = std::max(YMax, y);
}

void TBounds::Include(const TBounds& other) {
    if (other.Empty) return;
    Include(other.XMin, other.YMin);
    Include(other.XMax, other.YMax);
}

TBounds TBounds::Transformed(const TMatrix& m) const {
    TBounds out;
    if (Empty) return out;
    const double xs[2] = {XMin, XMax}, ys[2] = {YMin, YMax};
    for (double x : xs)
        for (double y : ys) {
            double tx, ty;
            m.Apply(x, y, tx, ty);
            out.Include(tx, ty);
        }
    return out;
}

TDisplayObject::TDisplayObject(TPlayer& player, const TCharacter& character, TSpriteInstance* parent, int depth)
    : FPlayer(&player), FCharacter(&character), FParent(parent), FDepth(depth), FKey(player.NextKey()) {}

void TDisplayObject::Changed() { FPlayer->NoteChange(); }

// A script's write detaches the object from the timeline's transforms even when the
// value stays; the picture changes only when it does not.
void TDisplayObject::ScriptChanged(bool changed) {
    FScriptTransformed = true;
    if (changed) Changed();
}

void TDisplayObject::SetName(std::string name) {
    FName = std::move(name);
}

void TDisplayObject::SetMatrix(const TMatrix& m) {
    if (m == FMatrix) return;
    FMatrix = m;
    FPartsValid = false;
    Changed();
}

void TDisplayObject::SetColorTransform(const swf::TColorTransform& c) {
    if (c == FColorTransform) return;
    FColorTransform = c;
    Changed();
}

void TDisplayObject::SetRatio(uint16_t ratio) {
    if (ratio == FRatio) return;
    FRatio = ratio;
    Changed();
}

void TDisplayObject::SetClipDepth(uint16_t clipDepth) {
    if (clipDepth == FClipDepth) return;
    FClipDepth = clipDepth;
    Changed();
}

const TTransformParts& TDisplayObject::Parts() const {
    if (!FPartsValid) {
        FParts = Decompose(FMatrix);
        FPartsValid = true;
    }
    return FParts;
}

void TDisplayObject::SetParts(const TTransformParts& parts) {
    const TMatrix before = FMatrix;
    FParts = parts;
    FPartsValid = true;
    Recompose(FMatrix, FParts);
    ScriptChanged(!(FMatrix == before));
}

// Positions are held in whole twips, as a Flash player holds them; a value that is not
// finite leaves the position alone.
void TDisplayObject::SetX(double pixels) {
    if (!std::isfinite(pixels)) return;
    const double before = FMatrix.Tx;
    FMatrix.Tx = std::round(pixels * 20.0);
    ScriptChanged(FMatrix.Tx != before);
}

void TDisplayObject::SetY(double pixels) {
    if (!std::isfinite(pixels)) return;
    const double before = FMatrix.Ty;
    FMatrix.Ty = std::round(pixels * 20.0);
    ScriptChanged(FMatrix.Ty != before);
}

void TDisplayObject::SetXScale(double percent) {
    if (!std::isfinite(percent)) return;
    TTransformParts p = Parts();
    p.ScaleX = percent / 100.0;
    SetParts(p);
}

void TDisplayObject::SetYScale(double percent) {
    if (!std::isfinite(percent)) return;
    TTransformParts p = Parts();
    p.ScaleY = percent / 100.0;
    SetParts(p);
}

void TDisplayObject::SetRotation(double degrees) {
    if (!std::isfinite(degrees)) return;
    TTransformParts p = Parts();
    p.Rotation = NormalizeDegrees(degrees);
    SetParts(p);
}

void TDisplayObject::SetAlpha(double percent) {
    if (!std::isfinite(percent)) return;
    // The multiplier is 8.8 fixed point in 16 bits; larger values saturate.
    const double mult = std::clamp(percent * 256.0 / 100.0, -32768.0, 32767.0);
    const int16_t before = FColorTransform.AlphaMult;
    FColorTransform.AlphaMult = int16_t(mult);
    ScriptChanged(FColorTransform.AlphaMult != before);
}

void TDisplayObject::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    Changed();
}

void TDisplayObject::SetWidth(double pixels) {
    const double current = Width();
    if (!std::isfinite(pixels) || current == 0) return;
    SetXScale(XScale() * pixels / current);
}

void TDisplayObject::SetHeight(double pixels) {
    const double current = Height();
    if (!std::isfinite(pixels) || current == 0) return;
    SetYScale(YScale() * pixels / current);
}

TBounds TDisplayObject::LocalBounds() const {
    TBounds b;
    if (const auto* shape = FCharacter->Shape()) {
        b.Include(shape->Bounds.XMin, shape->Bounds.YMin);
        b.Include(shape->Bounds.XMax, shape->Bounds.YMax);
    } else if (const auto* bitmap = FCharacter->Bitmap()) {
        b.Include(0, 0);
        b.Include(bitmap->Width * 20.0, bitmap->Height * 20.0);
    }
    return b;
}

std::string TDisplayObject::TargetPath() const {
    if (!FParent) return "/";
    const std::string parent = FParent->TargetPath();
    return (parent == "/" ? "" : parent) + "/" + FName;
}

std::string TDisplayObject::DotPath() const {
    if (!FParent) return "_level0";
    return FParent->DotPath() + "." + FName;
}

void TDisplayObject::Detach() {
    if (FRemoved) return;
    FRemoved = true;
    OnDetach();
    FPlayer->ObjectRemoved(*this);
    FParent = nullptr;
    Changed();
}

}  // namespace quorlin::runtime
