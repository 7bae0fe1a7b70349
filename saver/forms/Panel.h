#pragma once
// A panel: a face of its colour inside optional bevels, with a centred caption.

#include "saver/forms/Control.h"

namespace quorlin {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    TBevelCut BevelInner() const { return FBevelInner; }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelOuter(TBevelCut bevel);
    void SetBevelInner(TBevelCut bevel);
    void SetBevelWidth(int width);

    bool SetProperty(const std::string& name, const TPropValue& value) override;

protected:
    void Paint(HDC dc) override;

private:
    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    int FBevelWidth = 1;
};

}  // namespace quorlin
