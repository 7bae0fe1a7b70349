// How each feature kind meets its editing control in the settings dialog.

#include <string>

#include "saver/forms/CheckBox.h"
#include "saver/forms/Edit.h"
#include "saver/settings/ColorPanel.h"
#include "saver/settings/Config.h"

namespace quorlin {

TWinControl* TFeature::CreateControl(TComponent* owner) {
    switch (Kind) {
        case fkBoolean: Control = new TCheckBox(owner); break;
        case fkNumber:
        case fkText: Control = new TEdit(owner); break;
        case fkColor: Control = new TColorPanel(owner); break;
        default: break;
    }
    return Control;
}

void TFeature::ReadControl() {
    switch (Kind) {
        case fkBoolean: Value = BoolTexts[static_cast<TCheckBox*>(Control)->Checked() ? 1 : 0]; break;
        case fkNumber:
        case fkText: Value = Control->Text(); break;
        case fkColor: Value = std::to_string(static_cast<int32_t>(Control->Color())); break;
        default: break;
    }
}

void TFeature::WriteControl() {
    switch (Kind) {
        case fkBoolean: static_cast<TCheckBox*>(Control)->SetChecked(IsTrue(Value)); break;
        case fkNumber:
        case fkText: Control->SetText(Value); break;
        case fkColor: {
            TColorRef color = 0;
            if (!ParseColor(Value, color)) color = 0;
            Control->SetColor(static_cast<TColor>(color));
            break;
        }
        default: break;
    }
}

void TConfig::ReadControls() {
    for (const auto& feature : Features) feature->ReadControl();
}

void TConfig::WriteControls() {
    for (const auto& feature : Features) feature->WriteControl();
}

}  // namespace quorlin
