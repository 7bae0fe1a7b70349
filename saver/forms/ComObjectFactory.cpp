#include "saver/forms/ComObjectFactory.h"

#include <cstdio>
#include <new>

#include "saver/forms/ComPtr.h"
#include "saver/forms/ComRegistry.h"
#include "saver/forms/ComServer.h"

namespace quorlin {

TComObjectFactory::TComObjectFactory(TComServer& server, TCreator creator, const CLSID& classId,
                                     std::string className, std::string description, TClassInstancing instancing,
                                     TThreadingModel threadingModel)
    : FServer(server),
      FCreator(std::move(creator)),
      FClassID(classId),
      FClassName(std::move(className)),
      FDescription(std::move(description)),
      FInstancing(instancing),
      FThreadingModel(threadingModel) {
    FServer.AddFactory(this);
}

TComObjectFactory::~TComObjectFactory() { FServer.RemoveFactory(this); }

HRESULT STDMETHODCALLTYPE TComObjectFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TComObjectFactory::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefCount)); }

ULONG STDMETHODCALLTYPE TComObjectFactory::Release() { return static_cast<ULONG>(InterlockedDecrement(&FRefCount)); }

HRESULT STDMETHODCALLTYPE TComObjectFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    TComObject* instance = nullptr;
    try {
        instance = FCreator();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
    if (!instance) return E_UNEXPECTED;
    instance->CountWith(FServer);
    // Holding the identity first makes a refused interface destroy the new object.
    TComPtr<IUnknown> identity(instance->Identity());
    return identity->QueryInterface(iid, object);
}

HRESULT STDMETHODCALLTYPE TComObjectFactory::LockServer(BOOL lock) {
    FServer.CountLock(lock != FALSE);
    return S_OK;
}

std::string TComObjectFactory::ProgID() const { return FServer.ServerName() + "." + FClassName; }

void TComObjectFactory::UpdateRegistry(bool registering) {
    const std::string classKey = "CLSID\\" + GUIDToString(FClassID);
    const std::string progId = ProgID();
    if (registering) {
        CreateRegKey(classKey, "", FDescription);
        CreateRegKey(classKey + "\\LocalServer32", "", FServer.ServerFileName());
        CreateRegKey(progId, "", FDescription);
        CreateRegKey(progId + "\\Clsid", "", GUIDToString(FClassID));
        CreateRegKey(classKey + "\\ProgID", "", progId);
    } else {
        // Leaves before their keys: a key with subkeys cannot be removed.
        DeleteRegKey(progId + "\\Clsid");
        DeleteRegKey(progId);
        DeleteRegKey(classKey + "\\ProgID");
        DeleteRegKey(classKey + "\\LocalServer32");
        DeleteRegKey(classKey);
    }
}

void TComObjectFactory::RegisterClassObject() {
    if (FInstancing == TClassInstancing::ciInternal || FRegister) return;
    const DWORD use = FInstancing == TClassInstancing::ciMultiInstance ? REGCLS_MULTIPLEUSE : REGCLS_SINGLEUSE;
    const HRESULT result = CoRegisterClassObject(FClassID, static_cast<IClassFactory*>(this), CLSCTX_LOCAL_SERVER,
                                                 use, &FRegister);
    if (FAILED(result)) {
        FRegister = 0;
        char code[16];
        snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result));
        throw Exception("Cannot offer the class object of " + FClassName + " (HRESULT " + code + ")");
    }
}

void TComObjectFactory::RevokeClassObject() {
    if (!FRegister) return;
    CoRevokeClassObject(FRegister);
    FRegister = 0;
}

}  // namespace quorlin
