// IOleObject: the client site, verbs, extents and closing.

#include "player/control/ControlWindow.h"
#include "player/control/FlashControl.h"

namespace quorlin::control {

namespace {

constexpr int kHimetricPerInch = 2540;
constexpr int kDefaultStageWidth = 550;
constexpr int kDefaultStageHeight = 400;

// Stage pixels are taken at 96 per inch, as a Flash player does.
LONG PixelsToHimetric(int pixels) { return MulDiv(pixels, kHimetricPerInch, 96); }

}  // namespace

SIZEL TFlashControl::NaturalExtent() const {
    const int width = FPlayback ? FPlayback->StageWidth() : kDefaultStageWidth;
    const int height = FPlayback ? FPlayback->StageHeight() : kDefaultStageHeight;
    return SIZEL{PixelsToHimetric(width), PixelsToHimetric(height)};
}

HRESULT STDMETHODCALLTYPE TFlashControl::SetClientSite(IOleClientSite* site) {
    FClientSite = TComRef<IOleClientSite>::Share(site);
    if (!FClientSite) return S_OK;
    ReadAmbientProperties();
    // A movie asked for before the site existed loads now.
    if (!FMovieUrl.empty() && !FPlayback && !FBinding) StartLoading();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = TComRef<IOleClientSite>(FClientSite).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

HRESULT STDMETHODCALLTYPE TFlashControl::Close(DWORD) {
    CancelLoading();
    InPlaceDeactivate();
    if (FOleAdviseHolder) FOleAdviseHolder->SendOnClose();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TFlashControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TFlashControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TFlashControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
    if (site && !FClientSite) SetClientSite(site);
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_UIACTIVATE:
            return InPlaceActivate(true);
        case OLEIVERB_INPLACEACTIVATE:
            return InPlaceActivate(false);
        case OLEIVERB_HIDE:
            if (FWindow) ShowWindow(FWindow, SW_HIDE);
            return S_OK;
        default:
            return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT STDMETHODCALLTYPE TFlashControl::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs) *verbs = nullptr;
    return OLEOBJ_E_NOVERBS;
}

HRESULT STDMETHODCALLTYPE TFlashControl::Update() { return S_OK; }
HRESULT STDMETHODCALLTYPE TFlashControl::IsUpToDate() { return S_OK; }

HRESULT STDMETHODCALLTYPE TFlashControl::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

HRESULT STDMETHODCALLTYPE TFlashControl::GetUserType(DWORD, LPOLESTR* type) {
    if (type) *type = nullptr;
    return OLE_S_USEREG;
}

HRESULT STDMETHODCALLTYPE TFlashControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    FExtent = *size;
    FExtentSet = true;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    // The stage of the loaded movie is the natural size; a host's SetExtent does not change it.
    *size = NaturalExtent();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!FOleAdviseHolder) {
        const HRESULT hr = CreateOleAdviseHolder(FOleAdviseHolder.Put());
        if (FAILED(hr)) return hr;
    }
    return FOleAdviseHolder->Advise(sink, connection);
}

HRESULT STDMETHODCALLTYPE TFlashControl::Unadvise(DWORD connection) {
    if (!FOleAdviseHolder) return OLE_E_NOCONNECTION;
    return FOleAdviseHolder->Unadvise(connection);
}

HRESULT STDMETHODCALLTYPE TFlashControl::EnumAdvise(IEnumSTATDATA** advise) {
    if (!advise) return E_POINTER;
    *advise = nullptr;
    if (!FOleAdviseHolder) return S_OK;
    return FOleAdviseHolder->EnumAdvise(advise);
}

HRESULT STDMETHODCALLTYPE TFlashControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    // A windowed control that wants its client site before anything else.
    *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
              OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFlashControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

}  // namespace quorlin::control
