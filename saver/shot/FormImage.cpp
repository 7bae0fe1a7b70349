#include "saver/shot/FormImage.h"

#include <windows.h>

#include "saver/forms/Bitmap.h"
#include "saver/forms/Form.h"

namespace quorlin {

namespace {

// Keeps the device context's origin and clipping from one control's painting to the next.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
    ~TSavedDC() {
        if (FSaved) RestoreDC(FDC, FSaved);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

// The control paints itself, then its visible children at their places within it. Windows
// that belong to another window procedure (the Flash control's) see the requests first-hand,
// so that context reaches the code that draws.
void PaintControlTo(TWinControl& control, HDC dc) {
    const HWND window = control.Handle();
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    for (TWinControl* child : control.Controls()) {
        if (!child->Visible() || !child->HandleAllocated()) continue;
        TSavedDC saved(dc);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + child->Left(), origin.y + child->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        PaintControlTo(*child, dc);
    }
}

}  // namespace

std::unique_ptr<TBitmap> GetFormImage(TCustomForm& form) {
    auto bitmap = std::make_unique<TBitmap>();
    const int width = form.ClientWidth();
    const int height = form.ClientHeight();
    bitmap->SetSize(width, height);
    bitmap->Canvas().FillRect(RECT{0, 0, width, height}, form.Color());
    // A form without a border has its client area at the window's origin: no frame is
    // drawn and no offset applies.
    PaintControlTo(form, bitmap->Canvas().Handle());
    return bitmap;
}

}  // namespace quorlin
