#pragma once
// A push button; its modal result goes to its form when it is clicked.

#include "saver/forms/Control.h"

namespace quorlin {

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    int ModalResult = 0;
    void Click() override;
    bool SetProperty(const std::string& name, const TPropValue& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace quorlin
