#pragma once
// A check box with two states.

#include "saver/forms/Control.h"

namespace quorlin {

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);
    bool SetProperty(const std::string& name, const TPropValue& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool FChecked = false;
};

}  // namespace quorlin
