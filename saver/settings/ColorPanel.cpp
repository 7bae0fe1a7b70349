#include "saver/settings/ColorPanel.h"

#include <memory>

#include "saver/forms/ColorDialog.h"
#include "saver/forms/Scaling.h"

namespace quorlin {

TColorPanel::TColorPanel(TComponent* owner) : TPanel(owner) {
    SetBounds(0, 0, ScaleLength(49), ScaleLength(21));
    SetBevelOuter(TBevelCut::bvLowered);
    SetColor(clBlack);
    OnClick = [this] { FOnColorClick(); };
}

void TColorPanel::FOnColorClick() {
    SetColor(PickColor(this, Color()));
}

TColor TColorPanel::PickColor(TComponent* owner, TColor color) {
    // Owned by the panel, so it goes with it even if the dialog raises; freed once done.
    auto* dialog = new TColorDialog(owner);
    std::unique_ptr<TColorDialog> release(dialog);
    dialog->Color = color;
    return dialog->Execute() ? dialog->Color : color;
}

}  // namespace quorlin
