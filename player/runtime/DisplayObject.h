#pragma once
// A display object: one placement of a character on a timeline's display list, with the
// state PlaceObject gives it and the state scripts change (the properties a Flash player
// shows as _x, _rotation, _alpha, ...).

#include "player/runtime/Matrix.h"
#include "player/runtime/Movie.h"
#include "player/swf/ColorTransform.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quorlin::runtime {

class TPlayer;
class TSpriteInstance;

// A rectangle in twips; Empty when it covers nothing.
struct TBounds {
    double XMin = 0, YMin = 0, XMax = 0, YMax = 0;
    bool Empty = true;

    void Include(double x, double y);
    void Include(const TBounds& other);
    // The bounds of this rectangle's corners after the matrix.
    TBounds Transformed(const TMatrix& m) const;
    double Width() const { return Empty ? 0 : XMax - XMin; }
    double Height() const { return Empty ? 0 : YMax - YMin; }
};

class TDisplayObject : public std::enable_shared_from_this<TDisplayObject> {
public:
    TDisplayObject(TPlayer& player, const TCharacter& character, TSpriteInstance* parent, int depth);
    virtual ~TDisplayObject() = default;
    TDisplayObject(const TDisplayObject&) = delete;
    TDisplayObject& operator=(const TDisplayObject&) = delete;

    TCharacterKind Kind() const { return FCharacter->Kind; }
    const TCharacter& Character() const { return *FCharacter; }
    uint16_t CharacterId() const { return FCharacter->Id; }
    // Unique within the player and kept for the object's life: the renderer's key.
    uint64_t Key() const { return FKey; }
    int Depth() const { return FDepth; }
    TSpriteInstance* Parent() const { return FParent; }
    TPlayer& Player() const { return *FPlayer; }
    // Taken off its display list; scripts may still hold it but it no longer plays.
    bool Removed() const { return FRemoved; }

    const std::string& Name() const { return FName; }
    void SetName(std::string name);
    const TMatrix& Matrix() const { return FMatrix; }
    void SetMatrix(const TMatrix& m);
    const swf::TColorTransform& ColorTransform() const { return FColorTransform; }
    void SetColorTransform(const swf::TColorTransform& c);
    uint16_t Ratio() const { return FRatio; }
    void SetRatio(uint16_t ratio);
    uint16_t ClipDepth() const { return FClipDepth; }  // 0: not a mask
    void SetClipDepth(uint16_t clipDepth);
    bool Visible() const { return FVisible; }
    // Once a script has moved, scaled, turned or faded the object, the timeline's later
    // placements no longer change its matrix and colour transform, as in a Flash player.
    bool ScriptTransformed() const { return FScriptTransformed; }

    // What scripts read and write, in a Flash player's units: pixels, percent, degrees.
    double X() const { return FMatrix.Tx / 20.0; }
    double Y() const { return FMatrix.Ty / 20.0; }
    double XScale() const { return Parts().ScaleX * 100.0; }
    double YScale() const { return Parts().ScaleY * 100.0; }
    double Rotation() const { return Parts().Rotation; }
    double Alpha() const { return FColorTransform.AlphaMult * 100.0 / 256.0; }
    double Width() const { return BoundsInParent().Width() / 20.0; }
    double Height() const { return BoundsInParent().Height() / 20.0; }
    void SetX(double pixels);
    void SetY(double pixels);
    void SetXScale(double percent);
    void SetYScale(double percent);
    void SetRotation(double degrees);
    void SetAlpha(double percent);
    void SetVisible(bool visible);
    void SetWidth(double pixels);
    void SetHeight(double pixels);

    // The content's extent in the object's own space, and in its parent's.
    virtual TBounds LocalBounds() const;
    TBounds BoundsInParent() const { return LocalBounds().Transformed(FMatrix); }

    // "/a/b" from the root ("/" for the root itself), and "_level0.a.b".
    std::string TargetPath() const;
    std::string DotPath() const;

    // For the owning display list.
    void Detach();

protected:
    void Changed();
    virtual void OnDetach() {}

private:
    const TTransformParts& Parts() const;
    void SetParts(const TTransformParts& parts);
    void ScriptChanged(bool changed);

    TPlayer* FPlayer;
    const TCharacter* FCharacter;
    TSpriteInstance* FParent;
    int FDepth;
    uint64_t FKey;
    std::string FName;
    TMatrix FMatrix;
    swf::TColorTransform FColorTransform;
    uint16_t FRatio = 0;
    uint16_t FClipDepth = 0;
    bool FVisible = true;
    bool FRemoved = false;
    bool FScriptTransformed = false;
    // The decomposed matrix; once a script sets a part it is kept as set, so that
    // _xscale and _rotation read back what was written rather than a rounding of it.
    mutable TTransformParts FParts;
    mutable bool FPartsValid = false;
};

}  // namespace quorlin::runtime
