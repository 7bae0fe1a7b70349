#pragma once
// A single-line edit box.

#include "saver/forms/Control.h"

namespace quorlin {

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace quorlin
