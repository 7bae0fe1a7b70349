#include "saver/forms/CheckBox.h"

namespace quorlin {

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetParentColor(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClass = true;
    params.WinClassName = "BUTTON";
    params.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::HandleCreated() { SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0); }

void TCheckBox::SetChecked(bool checked) {
    FChecked = checked;
    if (FHandle) SendMessageA(FHandle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

LRESULT TCheckBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CN_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        FChecked = SendMessageA(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED;
        Click();
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

bool TCheckBox::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "Checked") SetChecked(value.AsBoolean(name));
    else return TWinControl::SetProperty(name, value);
    return true;
}

}  // namespace quorlin
