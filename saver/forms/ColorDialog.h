#pragma once
// The system's colour dialog (ChooseColor) in its short form, centred on the screen.

#include <windows.h>

#include "saver/forms/Component.h"
#include "saver/forms/Graphics.h"

namespace quorlin {

class TColorDialog : public TComponent {
public:
    using TComponent::TComponent;

    // The colour preselected, and after Execute the one chosen.
    TColor Color = clBlack;
    // Runs the dialog modally, owned by the application's window; true when the user
    // confirmed with OK.
    bool Execute();
};

}  // namespace quorlin
