#include "saver/forms/Label.h"

#include <commctrl.h>

namespace quorlin {

TLabel::TLabel(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    AdjustSize();
}

TLabel::~TLabel() {
    if (FHintWindow) DestroyWindow(FHintWindow);
}

void TLabel::AdjustSize() {
    if (!FAutoSize) return;
    const SIZE size = Font().TextExtent(Text());
    TWinControl::SetBounds(FLeft, FTop, size.cx, size.cy);
}

void TLabel::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    AdjustSize();
}

void TLabel::SetParent(TWinControl* parent) {
    TWinControl::SetParent(parent);
    // The parent's font may differ from the one the size was taken with.
    AdjustSize();
}

void TLabel::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustSize();
}

void TLabel::SetLayout(TTextLayout layout) {
    FLayout = layout;
    Invalidate();
}

void TLabel::SetText(const std::string& text) {
    TWinControl::SetText(text);
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() {
    TWinControl::FontChanged();
    AdjustSize();
    Invalidate();
}

void TLabel::HandleCreated() {
    if (!ShowHint || Hint.empty()) return;
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    FHintWindow = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, FHandle, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!FHintWindow) return;
    TOOLINFOA tool = {};
    // The size of the structure every comctl32 version knows.
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = FHandle;
    tool.uId = reinterpret_cast<UINT_PTR>(FHandle);
    tool.lpszText = const_cast<char*>(Hint.c_str());
    SendMessageA(FHintWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TLabel::Paint(HDC dc) {
    RECT rect;
    GetClientRect(FHandle, &rect);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    UINT format = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX;
    if (FLayout == TTextLayout::tlCenter) format |= DT_VCENTER;
    else if (FLayout == TTextLayout::tlBottom) format |= DT_BOTTOM;
    const std::string text = Text();
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

bool TLabel::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "AutoSize") SetAutoSize(value.AsBoolean(name));
    else if (name == "Layout") {
        const std::string layout = value.AsIdent(name);
        if (layout == "tlTop") SetLayout(TTextLayout::tlTop);
        else if (layout == "tlCenter") SetLayout(TTextLayout::tlCenter);
        else if (layout == "tlBottom") SetLayout(TTextLayout::tlBottom);
        else return false;
    } else return TWinControl::SetProperty(name, value);
    return true;
}

}  // namespace quorlin
