#include "saver/forms/Edit.h"

namespace quorlin {

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
}

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClass = true;
    params.WinClassName = "EDIT";
    params.Style |= ES_AUTOHSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

LRESULT TEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CN_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        // What the user typed is the control's text from now on.
        char buffer[4096] = {};
        GetWindowTextA(FHandle, buffer, sizeof buffer);
        StoreText(buffer);
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

}  // namespace quorlin
