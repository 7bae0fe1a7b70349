#include "saver/delivery/bscb.h"

namespace quorlin {

HRESULT STDMETHODCALLTYPE TBSCB::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
        *object = static_cast<IBindStatusCallback*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TBSCB::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefCount)); }

ULONG STDMETHODCALLTYPE TBSCB::Release() {
    const LONG count = InterlockedDecrement(&FRefCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

HRESULT STDMETHODCALLTYPE TBSCB::OnStartBinding(DWORD, IBinding*) { return S_OK; }

HRESULT STDMETHODCALLTYPE TBSCB::GetPriority(LONG*) { return S_OK; }

HRESULT STDMETHODCALLTYPE TBSCB::OnLowResource(DWORD) { return S_OK; }

HRESULT STDMETHODCALLTYPE TBSCB::OnProgress(ULONG, ULONG, ULONG, LPCWSTR) { return S_OK; }

HRESULT STDMETHODCALLTYPE TBSCB::OnStopBinding(HRESULT, LPCWSTR) { return S_OK; }

HRESULT STDMETHODCALLTYPE TBSCB::GetBindInfo(DWORD*, BINDINFO*) { return E_FAIL; }

HRESULT STDMETHODCALLTYPE TBSCB::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) { return S_OK; }

HRESULT STDMETHODCALLTYPE TBSCB::OnObjectAvailable(REFIID, IUnknown*) { return S_OK; }

}  // namespace quorlin
