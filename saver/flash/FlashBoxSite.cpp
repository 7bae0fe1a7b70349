// TFlashBox as the control's site: the client, control, in-place and frame interfaces,
// the ambient properties and the property notifications. Site methods never raise to the
// control; each returns the result the OLE container protocol expects of this host.

#include <algorithm>
#include <cmath>

#include "saver/flash/flashbox.h"
#include "saver/forms/ComErrors.h"
#include "saver/forms/Form.h"
#include "saver/forms/OleFont.h"
#include "saver/forms/Scaling.h"
#include "saver/forms/WideText.h"

namespace quorlin {

namespace {

constexpr RECT kNoClip = {0, 0, 32767, 32767};
constexpr int kHimetricPerInch = 2540;

// Sets a guard for the span of one action, also when the action raises.
class TGuard {
public:
    explicit TGuard(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TGuard() { FFlag = false; }
    TGuard(const TGuard&) = delete;
    TGuard& operator=(const TGuard&) = delete;

private:
    bool& FFlag;
};

void SetBool(VARIANT* result, bool value) {
    result->vt = VT_BOOL;
    result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetInt(VARIANT* result, int32_t value) {
    result->vt = VT_I4;
    result->lVal = value;
}

}  // namespace

// --- IOleClientSite ---

HRESULT STDMETHODCALLTYPE TFlashBox::SaveObject() { return S_OK; }

HRESULT STDMETHODCALLTYPE TFlashBox::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TFlashBox::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TFlashBox::ShowObject() {
    // The adoption can fail only for a control without a window; that is its answer.
    try {
        HookControlWndProc();
    } catch (const std::exception&) {
        return E_FAIL;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::OnShowWindow(BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE TFlashBox::RequestNewObjectLayout() {
    if (!FOleObject) return E_UNEXPECTED;
    SIZEL extent = {};
    const HRESULT result = FOleObject->GetExtent(DVASPECT_CONTENT, &extent);
    if (result != S_OK) return result;
    int width = MulDiv(extent.cx, ScreenDpi(), kHimetricPerInch);
    int height = MulDiv(extent.cy, ScreenDpi(), kHimetricPerInch);
    if (HasMisc(kMiscInvisibleAtRuntime) && !FOleControl) {
        width = std::min(width, 32);
        height = std::min(height, 32);
    }
    SetBounds(Left(), Top(), width, height);
    return S_OK;
}

// --- IOleControlSite ---

HRESULT STDMETHODCALLTYPE TFlashBox::OnControlInfoChanged() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashBox::LockInPlaceActive(BOOL) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashBox::GetExtendedControl(IDispatch** control) {
    if (control) *control = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TFlashBox::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
    if (!himetric || !container) return E_POINTER;
    const int ppi = ScreenDpi();
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(MulDiv(himetric->x, ppi, kHimetricPerInch));
        container->y = static_cast<float>(MulDiv(himetric->y, ppi, kHimetricPerInch));
    } else {
        // nearbyint under the default rounding mode: halves go to the even neighbour.
        himetric->x = static_cast<LONG>(std::nearbyint(static_cast<double>(container->x) * kHimetricPerInch / ppi));
        himetric->y = static_cast<LONG>(std::nearbyint(static_cast<double>(container->y) * kHimetricPerInch / ppi));
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::TranslateAccelerator(MSG*, DWORD) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashBox::OnFocus(BOOL) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashBox::ShowPropertyFrame() { return E_NOTIMPL; }

// --- IOleWindow ---

HRESULT STDMETHODCALLTYPE TFlashBox::ContextSensitiveHelp(BOOL) { return S_OK; }

HRESULT TFlashBox::SiteGetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = ParentHandle();
    return *window ? S_OK : E_FAIL;
}

HRESULT TFlashBox::FrameGetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = TopParentHandle();
    return S_OK;
}

// --- IOleInPlaceSite ---

HRESULT STDMETHODCALLTYPE TFlashBox::CanInPlaceActivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE TFlashBox::OnInPlaceActivate() {
    if (!FOleObject) return S_OK;
    if (FAILED(FOleObject->QueryInterface(IID_IOleInPlaceObject, FOleInPlaceObject.PutVoid()))) {
        FOleInPlaceObject.Reset();
    }
    if (FAILED(FOleObject->QueryInterface(IID_IOleInPlaceActiveObject, FOleInPlaceActiveObject.PutVoid()))) {
        FOleInPlaceActiveObject.Reset();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::OnUIActivate() {
    SetUIActive(true);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                                      LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame) *frame = nullptr;
    if (document) *document = nullptr;
    if (frame) {
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
    }
    if (position) *position = BoundsRect();
    if (clip) *clip = kNoClip;
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = TopParentHandle();
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::Scroll(SIZE) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashBox::OnUIDeactivate(BOOL) {
    SetMenu(nullptr, nullptr, nullptr);
    SetUIActive(false);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::OnInPlaceDeactivate() {
    FOleInPlaceActiveObject.Reset();
    FOleInPlaceObject.Reset();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::DiscardUndoState() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashBox::DeactivateAndUndo() {
    if (FOleInPlaceObject) FOleInPlaceObject->UIDeactivate();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::OnPosRectChange(LPCRECT position) {
    if (FOleInPlaceObject && position) FOleInPlaceObject->SetObjectRects(position, &kNoClip);
    return S_OK;
}

// --- IOleInPlaceUIWindow, IOleInPlaceFrame ---

HRESULT STDMETHODCALLTYPE TFlashBox::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }

HRESULT STDMETHODCALLTYPE TFlashBox::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }

HRESULT STDMETHODCALLTYPE TFlashBox::SetBorderSpace(LPCBORDERWIDTHS) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashBox::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }

HRESULT STDMETHODCALLTYPE TFlashBox::InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) {
    HMENU menu = GetMainMenu();
    if (!menu || !shared || !widths) return S_OK;
    // The container's groups are the even ones (File 0, Container 2, Window 4); the menu
    // bar's items all count as the File group, the form library having no other grouping.
    UINT inserted = 0;
    const int count = GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        char text[256] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING | MIIM_SUBMENU | MIIM_ID | MIIM_FTYPE;
        item.dwTypeData = text;
        item.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(index), TRUE, &item)) continue;
        if (InsertMenuItemA(shared, inserted, TRUE, &item)) ++inserted;
    }
    widths->width[0] = static_cast<LONG>(inserted);
    widths->width[2] = 0;
    widths->width[4] = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) {
    HMENU menu = GetMainMenu();
    if (!menu) return S_OK;
    TCustomForm* form = GetMainMenuForm();
    HWND formWindow = form && form->HandleAllocated() ? form->Handle() : nullptr;
    if (formWindow) ::SetMenu(formWindow, shared ? shared : menu);
    return OleSetMenuDescriptor(descriptor, formWindow, activeObject, nullptr, nullptr);
}

HRESULT STDMETHODCALLTYPE TFlashBox::RemoveMenus(HMENU shared) {
    while (GetMenuItemCount(shared) > 0) {
        // A menu that refuses the removal would loop for ever.
        if (!RemoveMenu(shared, 0, MF_BYPOSITION)) break;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::SetStatusText(LPCOLESTR) { return S_OK; }

HRESULT STDMETHODCALLTYPE TFlashBox::EnableModeless(BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE TFlashBox::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// --- IDispatch: ambient properties ---

HRESULT STDMETHODCALLTYPE TFlashBox::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TFlashBox::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashBox::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                            EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    const bool designing = (ComponentState & csDesigning) != 0;
    switch (id) {
        case DISPID_AMBIENT_BACKCOLOR: SetInt(result, Color()); return S_OK;
        case DISPID_AMBIENT_DISPLAYNAME:
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(AnsiToWide(Name).c_str());
            return S_OK;
        case DISPID_AMBIENT_FONT:
            try {
                // Font is the parent's while ParentFont holds and there is a parent.
                result->vt = VT_DISPATCH;
                result->pdispVal = GetOleFont(Font()).Detach();
            } catch (const EOleSysError& error) {
                result->vt = VT_EMPTY;
                return error.ErrorCode();
            }
            return S_OK;
        case DISPID_AMBIENT_FORECOLOR: SetInt(result, Font().Color()); return S_OK;
        case DISPID_AMBIENT_LOCALEID: SetInt(result, static_cast<int32_t>(GetUserDefaultLCID())); return S_OK;
        case DISPID_AMBIENT_MESSAGEREFLECT: SetBool(result, true); return S_OK;
        case DISPID_AMBIENT_USERMODE: SetBool(result, !designing); return S_OK;
        case DISPID_AMBIENT_UIDEAD: SetBool(result, designing); return S_OK;
        case DISPID_AMBIENT_SHOWGRABHANDLES: SetBool(result, false); return S_OK;
        case DISPID_AMBIENT_SHOWHATCHING: SetBool(result, false); return S_OK;
        case DISPID_AMBIENT_SUPPORTSMNEMONICS: SetBool(result, true); return S_OK;
        case DISPID_AMBIENT_AUTOCLIP: SetBool(result, true); return S_OK;
        default: return DISP_E_MEMBERNOTFOUND;
    }
}

// --- IPropertyNotifySink ---

HRESULT STDMETHODCALLTYPE TFlashBox::OnChanged(DISPID id) {
    try {
        switch (id) {
            case DISPID_BACKCOLOR:
                if (!FUpdatingColor) {
                    TGuard guard(FUpdatingColor);
                    SetColor(GetIntegerProp(DISPID_BACKCOLOR));
                }
                break;
            case DISPID_FONT:
                if (!FUpdatingFont) {
                    TGuard guard(FUpdatingFont);
                    VARIANT value;
                    VariantInit(&value);
                    GetVariantProp(DISPID_FONT, value);
                    TComPtr<IFontDisp> font;
                    // A FONT that is no OLE font leaves the box's font as it is.
                    if ((value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal &&
                        SUCCEEDED(value.punkVal->QueryInterface(IID_IFontDisp, font.PutVoid()))) {
                        SetOleFont(OwnFont(), font.Get());
                    }
                    VariantClear(&value);
                }
                break;
            case DISPID_FORECOLOR:
                if (!FUpdatingFont) {
                    TGuard guard(FUpdatingFont);
                    OwnFont().SetColor(GetIntegerProp(DISPID_FORECOLOR));
                }
                break;
            case DISPID_ENABLED:
                if (!FUpdatingEnabled) {
                    TGuard guard(FUpdatingEnabled);
                    SetEnabled(GetWordBoolProp(DISPID_ENABLED) != 0);
                }
                break;
            default: break;
        }
    } catch (const EOleError&) {
        // The control's value could not be read: the box keeps what it had.
    } catch (const std::exception&) {
        return E_FAIL;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashBox::OnRequestEdit(DISPID) { return S_OK; }

// --- ISimpleFrameSite ---

HRESULT STDMETHODCALLTYPE TFlashBox::PreMessageFilter(HWND, UINT, WPARAM, LPARAM, LRESULT*, DWORD*) { return S_OK; }

HRESULT STDMETHODCALLTYPE TFlashBox::PostMessageFilter(HWND, UINT, WPARAM, LPARAM, LRESULT*, DWORD) { return S_OK; }

}  // namespace quorlin
