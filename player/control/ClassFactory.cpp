#include "player/control/ClassFactory.h"

#include <new>

#include "player/control/FlashControl.h"
#include "player/control/Module.h"

namespace quorlin::control {

TClassFactory::TClassFactory() { ModuleAddRef(); }
TClassFactory::~TClassFactory() { ModuleRelease(); }

HRESULT STDMETHODCALLTYPE TClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TClassFactory::AddRef() { return InterlockedIncrement(&FRefCount); }

ULONG STDMETHODCALLTYPE TClassFactory::Release() {
    const ULONG count = InterlockedDecrement(&FRefCount);
    if (count == 0) delete this;
    return count;
}

HRESULT STDMETHODCALLTYPE TClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* control = new (std::nothrow) TFlashControl();
    if (!control) return E_OUTOFMEMORY;
    const HRESULT hr = control->QueryInterface(iid, object);
    control->Release();
    return hr;
}

HRESULT STDMETHODCALLTYPE TClassFactory::LockServer(BOOL lock) {
    if (lock) ModuleAddRef();
    else ModuleRelease();
    return S_OK;
}

}  // namespace quorlin::control
