#pragma once
// The editing control of colour features: a small sunken swatch of its colour that lets
// the user pick another one in the system's colour dialog when clicked.

#include "saver/forms/Panel.h"

namespace quorlin {

class TColorPanel : public TPanel {
public:
    explicit TColorPanel(TComponent* owner);

    void FOnColorClick();
    // Shows the colour dialog preset to Color; the colour chosen, or Color on Cancel.
    static TColor PickColor(TComponent* owner, TColor color);
};

}  // namespace quorlin
