#include "saver/forms/ColorDialog.h"

#include <commdlg.h>

#include "saver/forms/Application.h"

namespace quorlin {

namespace {

// The hook only places the dialog: centred on the work area.
UINT_PTR CALLBACK CentreHook(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        RECT area, rect;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        GetWindowRect(dialog, &rect);
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
                     area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    return 0;
}

}  // namespace

bool TColorDialog::Execute() {
    COLORREF custom[16];
    for (COLORREF& entry : custom) entry = static_cast<COLORREF>(-1);
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = Application ? Application->Handle() : nullptr;
    choose.rgbResult = ColorToRGB(Color);
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_ENABLEHOOK;
    choose.lpfnHook = CentreHook;
    if (!ChooseColorA(&choose)) return false;
    Color = static_cast<TColor>(choose.rgbResult);
    return true;
}

}  // namespace quorlin
