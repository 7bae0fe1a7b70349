#include "saver/forms/ComObject.h"

#include "saver/forms/ComServer.h"

namespace quorlin {

TComObject::~TComObject() {
    if (FServer) FServer->CountObject(false);
}

void TComObject::CountWith(TComServer& server) {
    if (FServer) return;
    FServer = &server;
    FServer->CountObject(true);
}

HRESULT STDMETHODCALLTYPE TComObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = FindInterface(iid);
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE TComObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefCount)); }

ULONG STDMETHODCALLTYPE TComObject::Release() {
    const LONG count = InterlockedDecrement(&FRefCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

HRESULT STDMETHODCALLTYPE TComObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return FindInterface(iid) ? S_OK : S_FALSE;
}

void* TComObject::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown)) return Identity();
    if (IsEqualIID(iid, IID_ISupportErrorInfo)) return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}

}  // namespace quorlin
