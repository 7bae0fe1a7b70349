#include "saver/forms/Image.h"

#include "saver/forms/SysUtils.h"

namespace quorlin {

TImage::TImage(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
    if (FPicture) DeleteObject(FPicture);
}

void TImage::LoadPicture(const std::string& resourceName) {
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), resourceName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!picture) throw Exception(FormatText("Resource %s not found", {resourceName}));
    if (FPicture) DeleteObject(FPicture);
    FPicture = picture;
    Invalidate();
}

SIZE TImage::PictureSize() const {
    BITMAP info = {};
    if (FPicture) GetObjectA(FPicture, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

void TImage::Paint(HDC dc) {
    if (!FPicture) return;
    const SIZE size = PictureSize();
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ oldSource = SelectObject(source, FPicture);
    if (!Transparent) {
        BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    } else {
        // A mask that is 1 where the picture has its bottom-left colour; the picture is
        // then combined so that those pixels leave the background as it is.
        HDC maskDc = CreateCompatibleDC(dc);
        HBITMAP mask = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        SetBkColor(source, GetPixel(source, 0, size.cy - 1));
        BitBlt(maskDc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
        const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
        BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCINVERT);
        BitBlt(dc, 0, 0, size.cx, size.cy, maskDc, 0, 0, SRCAND);
        BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCINVERT);
        SetBkColor(dc, oldBk);
        SetTextColor(dc, oldText);
        SelectObject(maskDc, oldMask);
        DeleteObject(mask);
        DeleteDC(maskDc);
    }
    SelectObject(source, oldSource);
    DeleteDC(source);
}

bool TImage::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "Picture") LoadPicture(value.AsString(name));
    else if (name == "Transparent") Transparent = value.AsBoolean(name);
    else return TWinControl::SetProperty(name, value);
    return true;
}

}  // namespace quorlin
