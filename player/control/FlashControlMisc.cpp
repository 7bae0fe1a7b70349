// IOleControl, IPersistStreamInit, IViewObject2 and IConnectionPointContainer, and the
// ambient properties the control reads from its site.

#include "player/control/ConnectionPoint.h"
#include "player/control/FlashControl.h"

namespace quorlin::control {

namespace {

bool ReadAmbient(IDispatch* ambient, DISPID id, VARIANT& value) {
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VariantInit(&value);
    return SUCCEEDED(ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value, nullptr,
                                     nullptr));
}

}  // namespace

void TFlashControl::ReadAmbientProperties() {
    TComRef<IDispatch> ambient = FClientSite.As<IDispatch>(IID_IDispatch);
    if (!ambient) return;
    VARIANT value;
    if (ReadAmbient(ambient.Get(), DISPID_AMBIENT_BACKCOLOR, value) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4))) {
        OleTranslateColor(static_cast<OLE_COLOR>(value.lVal), nullptr, &FAmbientBackColor);
    }
    VariantClear(&value);
    if (ReadAmbient(ambient.Get(), DISPID_AMBIENT_USERMODE, value) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL))) {
        FUserMode = value.boolVal != VARIANT_FALSE;
    }
    VariantClear(&value);
    if (ReadAmbient(ambient.Get(), DISPID_AMBIENT_LOCALEID, value) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4))) {
        FLocale = static_cast<LCID>(value.lVal);
    }
    VariantClear(&value);
}

void TFlashControl::NotifyPropertyChanged(DISPID id) {
    for (IUnknown* sink : FPropertyNotify->Sinks()) {
        static_cast<IPropertyNotifySink*>(sink)->OnChanged(id);
        sink->Release();
    }
}

// IOleControl
HRESULT STDMETHODCALLTYPE TFlashControl::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    if (info->cb < sizeof(CONTROLINFO)) return E_INVALIDARG;
    info->hAccel = nullptr;  // no mnemonics
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::OnMnemonic(MSG*) { return S_OK; }

HRESULT STDMETHODCALLTYPE TFlashControl::OnAmbientPropertyChange(DISPID) {
    ReadAmbientProperties();
    if (FWindow) InvalidateRect(FWindow, nullptr, FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::FreezeEvents(BOOL) { return S_OK; }

// IPersist, IPersistStreamInit: the control keeps no persistent properties of its own.
HRESULT STDMETHODCALLTYPE TFlashControl::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_ShockwaveFlash;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::IsDirty() { return S_FALSE; }
HRESULT STDMETHODCALLTYPE TFlashControl::Load(LPSTREAM) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::Save(LPSTREAM, BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::InitNew() { return S_OK; }

// IViewObject, IViewObject2
HRESULT STDMETHODCALLTYPE TFlashControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDc,
                                              LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                              ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!drawDc || !bounds) return E_INVALIDARG;
    const RECT target = {bounds->left, bounds->top, bounds->right, bounds->bottom};
    PaintInto(drawDc, target);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
    if (colors) *colors = nullptr;
    return S_FALSE;
}
HRESULT STDMETHODCALLTYPE TFlashControl::Freeze(DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::Unfreeze(DWORD) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::SetAdvise(DWORD, DWORD flags, IAdviseSink* sink) {
    FViewAdviseSink = TComRef<IAdviseSink>::Share(sink);
    FViewAdviseFlags = flags;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = DVASPECT_CONTENT;
    if (flags) *flags = FViewAdviseFlags;
    if (sink) *sink = TComRef<IAdviseSink>(FViewAdviseSink).Detach();
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

// IConnectionPointContainer
HRESULT STDMETHODCALLTYPE TFlashControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TFlashControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, IID_IPropertyNotifySink)) return CONNECT_E_NOCONNECTION;
    FPropertyNotify->AddRef();
    *point = FPropertyNotify;
    return S_OK;
}

}  // namespace quorlin::control
