#pragma once
// One outgoing interface of the control and the sinks connected to it.

#include <ocidl.h>
#include <olectl.h>

#include <vector>

namespace quorlin::control {

class TConnectionPoint final : public IConnectionPoint {
public:
    TConnectionPoint(IConnectionPointContainer* container, REFIID iid);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    // The sinks, each with a reference the caller must release.
    std::vector<IUnknown*> Sinks() const;
    // The container is going: forget it and every sink.
    void Disconnect();

private:
    ~TConnectionPoint();

    long FRefCount = 1;
    IConnectionPointContainer* FContainer;  // not counted: it owns this point
    IID FIid;
    std::vector<IUnknown*> FSinks;  // index + 1 is the cookie; empty slots are null
};

}  // namespace quorlin::control
