#include "saver/forms/Graphics.h"

namespace quorlin {

COLORREF ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}

TFont::~TFont() {
    if (FHandle) DeleteObject(FHandle);
}

void TFont::Changed() {
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
    if (OnChange) OnChange();
}

void TFont::SetName(const std::string& name) { FName = name; Changed(); }
void TFont::SetHeight(int height) { FHeight = height; Changed(); }
void TFont::SetStyle(uint8_t style) { FStyle = style; Changed(); }
void TFont::SetColor(TColor color) { FColor = color; Changed(); }
void TFont::SetCharset(int charset) { FCharset = charset; Changed(); }

void TFont::Assign(const TFont& source) {
    FName = source.FName;
    FHeight = source.FHeight;
    FStyle = source.FStyle;
    FColor = source.FColor;
    FCharset = source.FCharset;
    Changed();
}

HFONT TFont::Handle() const {
    if (!FHandle) {
        LOGFONTA lf = {};
        lf.lfHeight = FHeight;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (FStyle & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = static_cast<BYTE>(FCharset);
        lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
        FHandle = CreateFontIndirectA(&lf);
    }
    return FHandle;
}

SIZE TFont::TextExtent(const std::string& text) const {
    SIZE size = {};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Handle());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    // The line height, not the ink of this text, so that labels of one font line up.
    size.cy = metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

HBRUSH TBrushCache::Get(COLORREF color) {
    if (FBrush && FColor != color) Reset();
    if (!FBrush) {
        FBrush = CreateSolidBrush(color);
        FColor = color;
    }
    return FBrush;
}

void TBrushCache::Reset() {
    if (FBrush) DeleteObject(FBrush);
    FBrush = nullptr;
}

}  // namespace quorlin
