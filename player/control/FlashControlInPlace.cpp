// In-place activation: the control's own child window inside the site's window.

#include "player/control/ControlWindow.h"
#include "player/control/FlashControl.h"

namespace quorlin::control {

HRESULT TFlashControl::InPlaceActivate(bool uiActivate) {
    if (!FClientSite) return E_UNEXPECTED;
    if (!FInPlaceActive) {
        FInPlaceSite = FClientSite.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (!FInPlaceSite) return E_NOINTERFACE;
        if (FInPlaceSite->CanInPlaceActivate() != S_OK) return E_FAIL;
        FInPlaceSite->OnInPlaceActivate();
        HWND parent = nullptr;
        FInPlaceSite->GetWindow(&parent);
        RECT position = {0, 0, 0, 0}, clip = {0, 0, 0, 0};
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof frameInfo;
        FInPlaceSite->GetWindowContext(FFrame.Put(), FUIWindow.Put(), &position, &clip, &frameInfo);
        FPosition = position;
        FWindow = CreateControlWindow(this, parent, FPosition);
        if (!FWindow) {
            FInPlaceSite->OnInPlaceDeactivate();
            return E_FAIL;
        }
        FInPlaceActive = true;
        ShowWindow(FWindow, SW_SHOWNA);
        StartFrameTimer();
    }
    return uiActivate ? UIActivate() : S_OK;
}

HRESULT TFlashControl::UIActivate() {
    if (FUIActive) return S_OK;
    FUIActive = true;
    FInPlaceSite->OnUIActivate();
    if (FFrame) FFrame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
    if (FUIWindow) FUIWindow->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = FWindow;
    return FWindow ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE TFlashControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashControl::InPlaceDeactivate() {
    if (!FInPlaceActive) return S_OK;
    UIDeactivate();
    FInPlaceActive = false;
    if (FWindow) DestroyWindow(FWindow);  // clears FWindow through OnWindowDestroyed
    TComRef<IOleInPlaceSite> site = FInPlaceSite;
    FFrame.Reset();
    FUIWindow.Reset();
    FInPlaceSite.Reset();
    if (site) site->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::UIDeactivate() {
    if (!FUIActive) return S_OK;
    FUIActive = false;
    if (FFrame) FFrame->SetActiveObject(nullptr, nullptr);
    if (FUIWindow) FUIWindow->SetActiveObject(nullptr, nullptr);
    if (FInPlaceSite) FInPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) return E_POINTER;
    FPosition = *position;
    if (FWindow) {
        MoveWindow(FWindow, position->left, position->top, position->right - position->left,
                   position->bottom - position->top, TRUE);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

HRESULT STDMETHODCALLTYPE TFlashControl::TranslateAccelerator(LPMSG) {
    // The player has no keyboard shortcuts of its own.
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TFlashControl::OnFrameWindowActivate(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE TFlashControl::OnDocWindowActivate(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE TFlashControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE TFlashControl::EnableModeless(BOOL) { return S_OK; }

}  // namespace quorlin::control
