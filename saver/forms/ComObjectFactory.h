#pragma once
// The class factory of one COM class of the module: makes its objects, names the class in
// the registry, and offers itself to COM as the class object.

#include <objbase.h>

#include <functional>
#include <string>

#include "saver/forms/ComObject.h"

namespace quorlin {

class TComServer;

enum class TClassInstancing {
    ciInternal,        // never offered to other processes
    ciSingleInstance,  // one object per class-object connection
    ciMultiInstance,   // any number of objects from one class object
};

enum class TThreadingModel { tmSingle, tmApartment, tmFree, tmBoth, tmNeutral };

class TComObjectFactory : public IClassFactory {
public:
    // Makes a new object at count 0; may raise.
    using TCreator = std::function<TComObject*()>;

    // Adds itself to the server's factories; removes itself when destroyed.
    TComObjectFactory(TComServer& server, TCreator creator, const CLSID& classId, std::string className,
                      std::string description, TClassInstancing instancing, TThreadingModel threadingModel);
    virtual ~TComObjectFactory();
    TComObjectFactory(const TComObjectFactory&) = delete;
    TComObjectFactory& operator=(const TComObjectFactory&) = delete;

    // IUnknown. The factory lives as long as its server's registration, so the count only
    // tells how many references COM and its clients hold.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IClassFactory
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

    const CLSID& ClassID() const { return FClassID; }
    const std::string& ClassName() const { return FClassName; }
    const std::string& Description() const { return FDescription; }
    TClassInstancing Instancing() const { return FInstancing; }
    TThreadingModel ThreadingModel() const { return FThreadingModel; }
    // The server's name, ".", the class name.
    std::string ProgID() const;

    // Writes the class's entries under HKEY_CLASSES_ROOT, or removes them. Raises
    // EOleRegistrationError.
    virtual void UpdateRegistry(bool registering);
    // The class object for local-server activation; ciInternal classes are not offered.
    // Raises an Exception with the HRESULT when COM refuses it.
    void RegisterClassObject();
    void RevokeClassObject();

private:
    TComServer& FServer;
    TCreator FCreator;
    CLSID FClassID;
    std::string FClassName;
    std::string FDescription;
    TClassInstancing FInstancing;
    TThreadingModel FThreadingModel;
    volatile LONG FRefCount = 0;
    DWORD FRegister = 0;
};

}  // namespace quorlin
