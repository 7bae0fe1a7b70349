#include "saver/forms/Panel.h"

namespace quorlin {

namespace {

void FillEdge(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    const RECT rect = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// One bevel: top and left edges in one colour, bottom and right in the other; the rect
// shrinks by the width.
void Frame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width) {
    for (int i = 0; i < width; ++i) {
        FillEdge(dc, rect.left, rect.top, rect.right - 1, rect.top + 1, topLeft);
        FillEdge(dc, rect.left, rect.top, rect.left + 1, rect.bottom - 1, topLeft);
        FillEdge(dc, rect.left, rect.bottom - 1, rect.right, rect.bottom, bottomRight);
        FillEdge(dc, rect.right - 1, rect.top, rect.right, rect.bottom, bottomRight);
        InflateRect(&rect, -1, -1);
    }
}

TBevelCut BevelFrom(const TPropValue& value, const std::string& name, bool& known) {
    const std::string text = value.AsIdent(name);
    known = true;
    if (text == "bvNone") return TBevelCut::bvNone;
    if (text == "bvLowered") return TBevelCut::bvLowered;
    if (text == "bvRaised") return TBevelCut::bvRaised;
    known = false;
    return TBevelCut::bvNone;
}

}  // namespace

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetBevelOuter(TBevelCut bevel) { FBevelOuter = bevel; Invalidate(); }
void TPanel::SetBevelInner(TBevelCut bevel) { FBevelInner = bevel; Invalidate(); }
void TPanel::SetBevelWidth(int width) { FBevelWidth = width; Invalidate(); }

void TPanel::Paint(HDC dc) {
    RECT rect;
    GetClientRect(FHandle, &rect);
    const COLORREF shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    for (TBevelCut bevel : {FBevelOuter, FBevelInner}) {
        if (bevel == TBevelCut::bvLowered) Frame3D(dc, rect, shadow, highlight, FBevelWidth);
        else if (bevel == TBevelCut::bvRaised) Frame3D(dc, rect, highlight, shadow, FBevelWidth);
    }
    if (!Text().empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Font().Color()));
        const std::string text = Text();
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

bool TPanel::SetProperty(const std::string& name, const TPropValue& value) {
    bool known = false;
    if (name == "BevelOuter") SetBevelOuter(BevelFrom(value, name, known));
    else if (name == "BevelInner") SetBevelInner(BevelFrom(value, name, known));
    else if (name == "BevelWidth") {
        SetBevelWidth(value.AsInteger(name));
        known = true;
    } else return TWinControl::SetProperty(name, value);
    return known;
}

}  // namespace quorlin
