#include "saver/forms/ScrollBox.h"

#include <algorithm>

namespace quorlin {

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    if (Bordered) params.ExStyle |= WS_EX_CLIENTEDGE;
}

int TScrollBox::ContentHeight() const {
    int bottom = 0;
    for (TWinControl* child : Controls()) {
        if (child->Visible()) bottom = std::max(bottom, child->Top() + child->Height() + FPosition);
    }
    return bottom + VertMargin;
}

void TScrollBox::HandleCreated() {
    ShowScrollBar(FHandle, SB_HORZ, FALSE);
    UpdateScrollBar();
}

void TScrollBox::ChildBoundsChanged(TWinControl*) {
    if (!FScrolling) UpdateScrollBar();
}

void TScrollBox::Resized() { UpdateScrollBar(); }

void TScrollBox::UpdateScrollBar() {
    if (!FHandle) return;
    RECT client;
    GetClientRect(FHandle, &client);
    const int content = ContentHeight();
    // The page is the whole height: the bar then shows only while the content runs past it.
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    const int frame = Bordered ? 2 * GetSystemMetrics(SM_CYEDGE) : 0;
    const int visible = FHeight - frame;
    info.nMax = content > visible ? content - 1 : 0;
    info.nPage = content > visible ? static_cast<UINT>(visible) : 0;
    SetScrollInfo(FHandle, SB_VERT, &info, TRUE);
    const int limit = std::max(0, content - visible);
    if (FPosition > limit) ScrollTo(limit);
}

void TScrollBox::ScrollTo(int position) {
    const int content = ContentHeight();
    const int frame = Bordered ? 2 * GetSystemMetrics(SM_CYEDGE) : 0;
    position = std::clamp(position, 0, std::max(0, content - (FHeight - frame)));
    const int delta = FPosition - position;
    if (delta == 0) return;
    FPosition = position;
    FScrolling = true;
    for (TWinControl* child : Controls()) ShiftChild(child, 0, delta);
    if (FHandle) {
        ScrollWindowEx(FHandle, 0, delta, nullptr, nullptr, nullptr, nullptr,
                       SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        SetScrollPos(FHandle, SB_VERT, FPosition, TRUE);
    }
    FScrolling = false;
}

LRESULT TScrollBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL) {
        SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(FHandle, SB_VERT, &info);
        const int line = 8;
        switch (LOWORD(wParam)) {
            case SB_LINEUP: ScrollTo(FPosition - line); break;
            case SB_LINEDOWN: ScrollTo(FPosition + line); break;
            case SB_PAGEUP: ScrollTo(FPosition - static_cast<int>(info.nPage)); break;
            case SB_PAGEDOWN: ScrollTo(FPosition + static_cast<int>(info.nPage)); break;
            case SB_THUMBTRACK:
                if (VertTracking) ScrollTo(info.nTrackPos);
                break;
            case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
            case SB_TOP: ScrollTo(0); break;
            case SB_BOTTOM: ScrollTo(ContentHeight()); break;
            default: break;
        }
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

bool TScrollBox::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "BorderStyle") {
        const std::string style = value.AsIdent(name);
        if (style != "bsNone" && style != "bsSingle") return false;
        Bordered = style == "bsSingle";
    } else if (name == "HorzScrollBar.Visible") HorzScrollBarVisible = value.AsBoolean(name);
    else if (name == "VertScrollBar.Margin") VertMargin = value.AsInteger(name);
    else if (name == "VertScrollBar.Tracking") VertTracking = value.AsBoolean(name);
    else return TWinControl::SetProperty(name, value);
    return true;
}

}  // namespace quorlin
