#include "saver/forms/Button.h"

#include "saver/forms/Form.h"

namespace quorlin {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClass = true;
    params.WinClassName = "BUTTON";
    params.Style |= BS_PUSHBUTTON;
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->ModalResult = ModalResult;
    TWinControl::Click();
}

LRESULT TButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CN_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        Click();
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

bool TButton::SetProperty(const std::string& name, const TPropValue& value) {
    if (name != "ModalResult") return TWinControl::SetProperty(name, value);
    if (value.Kind == TPropValue::pvInteger) ModalResult = value.Integer;
    else if (value.AsIdent(name) == "mrOk") ModalResult = mrOk;
    else if (value.Text == "mrCancel") ModalResult = mrCancel;
    else if (value.Text == "mrNone") ModalResult = mrNone;
    else return false;
    return true;
}

}  // namespace quorlin
