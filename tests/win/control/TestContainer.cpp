#include "tests/win/control/TestContainer.h"

#include <olectl.h>

#include <algorithm>

namespace quorlin::testing {

namespace {

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; text && *text; ++text) out += static_cast<char>(*text);
    return out;
}

// A moniker over bytes in memory that delivers them in one synchronous notification.
class TMemoryMoniker final : public IMoniker {
public:
    TMemoryMoniker(TTestSite* site, std::vector<uint8_t> bytes) : FSite(site), FBytes(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMoniker)) {
            *object = static_cast<IMoniker*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefCount; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG count = --FRefCount;
        if (count == 0) delete this;
        return count;
    }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(IStream*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Save(IStream*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToObject(IBindCtx*, IMoniker*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToStorage(IBindCtx* context, IMoniker*, REFIID, void** object) override {
        *object = nullptr;
        FSite->Calls.push_back("BindToStorage");
        FSite->NoteBind(context);
        IUnknown* holder = nullptr;
        IBindStatusCallback* callback = nullptr;
        if (FAILED(context->GetObjectParam(const_cast<LPOLESTR>(L"_BSCB_Holder_"), &holder))) return E_FAIL;
        holder->QueryInterface(IID_IBindStatusCallback, reinterpret_cast<void**>(&callback));
        holder->Release();
        if (!callback) return E_FAIL;
        IStream* stream = nullptr;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(FBytes.size(), 1));
        if (!FBytes.empty()) memcpy(GlobalLock(memory), FBytes.data(), FBytes.size()), GlobalUnlock(memory);
        CreateStreamOnHGlobal(memory, TRUE, &stream);
        ULARGE_INTEGER size;
        size.QuadPart = FBytes.size();
        stream->SetSize(size);
        callback->OnStartBinding(0, nullptr);
        FORMATETC format = {0, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
        STGMEDIUM medium = {};
        medium.tymed = TYMED_ISTREAM;
        medium.pstm = stream;
        callback->OnDataAvailable(BSCF_FIRSTDATANOTIFICATION | BSCF_LASTDATANOTIFICATION,
                                  static_cast<DWORD>(FBytes.size()), &format, &medium);
        callback->OnStopBinding(S_OK, nullptr);
        callback->Release();
        *object = stream;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reduce(IBindCtx*, DWORD, IMoniker**, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ComposeWith(IMoniker*, BOOL, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Enum(BOOL, IEnumMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsEqual(IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Hash(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsRunning(IBindCtx*, IMoniker*, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTimeOfLastChange(IBindCtx*, IMoniker*, FILETIME*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Inverse(IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CommonPrefixWith(IMoniker*, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RelativePathTo(IMoniker*, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDisplayName(IBindCtx*, IMoniker*, LPOLESTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx*, IMoniker*, LPOLESTR, ULONG*, IMoniker**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE IsSystemMoniker(DWORD*) override { return E_NOTIMPL; }

private:
    ULONG FRefCount = 1;
    TTestSite* FSite;
    std::vector<uint8_t> FBytes;
};

}  // namespace

TTestSite::TTestSite(HWND window) : FWindow(window) {}

bool TTestSite::Called(const std::string& call) const { return IndexOf(call) != std::string::npos; }

size_t TTestSite::IndexOf(const std::string& call) const {
    const auto it = std::find(Calls.begin(), Calls.end(), call);
    return it == Calls.end() ? std::string::npos : static_cast<size_t>(it - Calls.begin());
}

HRESULT STDMETHODCALLTYPE TTestSite::QueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
        *object = static_cast<IOleInPlaceFrame*>(this);
    } else if (IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(iid, IID_IServiceProvider)) {
        *object = static_cast<IServiceProvider*>(this);
    } else if (IsEqualIID(iid, IID_IBindHost)) {
        *object = static_cast<IBindHost*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TTestSite::GetContainer(IOleContainer** container) {
    *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TTestSite::GetWindow(HWND* window) {
    *window = FWindow;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestSite::CanInPlaceActivate() {
    Calls.push_back("CanInPlaceActivate");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestSite::OnInPlaceActivate() {
    Calls.push_back("OnInPlaceActivate");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestSite::OnUIActivate() {
    Calls.push_back("OnUIActivate");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                                      LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    Calls.push_back("GetWindowContext");
    *frame = static_cast<IOleInPlaceFrame*>(this);
    *doc = nullptr;
    *position = Position;
    *clip = Position;
    info->fMDIApp = FALSE;
    info->hwndFrame = FWindow;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestSite::OnUIDeactivate(BOOL) {
    Calls.push_back("OnUIDeactivate");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestSite::OnInPlaceDeactivate() {
    Calls.push_back("OnInPlaceDeactivate");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestSite::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                            EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    Calls.push_back("Ambient " + std::to_string(id));
    VariantInit(result);
    switch (id) {
        case DISPID_AMBIENT_BACKCOLOR:
            result->vt = VT_I4;
            result->lVal = static_cast<LONG>(AmbientBackColor);
            return S_OK;
        case DISPID_AMBIENT_USERMODE:
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_TRUE;
            return S_OK;
        case DISPID_AMBIENT_LOCALEID:
            result->vt = VT_I4;
            result->lVal = 1033;
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT STDMETHODCALLTYPE TTestSite::QueryService(REFGUID service, REFIID iid, void** object) {
    if (IsEqualGUID(service, IID_IBindHost)) {
        Calls.push_back("QueryService IBindHost");
        return QueryInterface(iid, object);
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TTestSite::CreateMoniker(LPOLESTR name, IBindCtx*, IMoniker** moniker, DWORD) {
    Calls.push_back("CreateMoniker " + Narrow(name));
    *moniker = nullptr;
    if (RefuseUrls) return E_FAIL;
    if (!RealUrl.empty()) return CreateURLMonikerEx(nullptr, RealUrl.c_str(), moniker, URL_MK_UNIFORM);
    *moniker = new TMemoryMoniker(this, MovieBytes);
    return S_OK;
}

void TTestSite::NoteBind(IBindCtx* context) {
    IUnknown* holder = nullptr;
    CallbackInBindContext = SUCCEEDED(context->GetObjectParam(const_cast<LPOLESTR>(L"_BSCB_Holder_"), &holder));
    if (!holder) return;
    IBindStatusCallback* callback = nullptr;
    holder->QueryInterface(IID_IBindStatusCallback, reinterpret_cast<void**>(&callback));
    // Not the site's own: the control brought a callback of its own.
    CallbackWasTheControls = callback && static_cast<void*>(callback) != static_cast<IBindHost*>(this);
    if (callback) callback->Release();
    holder->Release();
}

}  // namespace quorlin::testing
