#pragma once
// The base of the module's COM objects: one interlocked reference count for every interface
// of the object, destruction by the Release that brings it to 0, and ISupportErrorInfo.
//
// A class derives from TComObjectOf<its interfaces...> and overrides FindInterface to answer
// its own interfaces before the base's. A new object starts at count 0; the creator's first
// interface reference takes it to 1.

#include <objbase.h>
#include <oaidl.h>

namespace quorlin {

class TComServer;

class TComObject : public ISupportErrorInfo {
public:
    TComObject() = default;
    virtual ~TComObject();
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // S_OK for an interface the object implements, S_FALSE otherwise.
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    // The object's identity: the IUnknown every QueryInterface for it returns.
    IUnknown* Identity() { return static_cast<ISupportErrorInfo*>(this); }

    // Objects made by a class factory are counted among the server's live objects.
    void CountWith(TComServer& server);

protected:
    // The interface pointer for iid, without a reference, or nullptr.
    virtual void* FindInterface(REFIID iid);

private:
    volatile LONG FRefCount = 0;
    TComServer* FServer = nullptr;
};

// Joins the shared IUnknown to every interface the derived class adds.
template <class... TInterfaces>
class TComObjectOf : public TComObject, public TInterfaces... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return TComObject::QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return TComObject::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return TComObject::Release(); }
};

}  // namespace quorlin
