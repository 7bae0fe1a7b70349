#include "player/control/ConnectionPoint.h"

namespace quorlin::control {

TConnectionPoint::TConnectionPoint(IConnectionPointContainer* container, REFIID iid)
    : FContainer(container), FIid(iid) {}

TConnectionPoint::~TConnectionPoint() { Disconnect(); }

HRESULT STDMETHODCALLTYPE TConnectionPoint::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TConnectionPoint::AddRef() { return InterlockedIncrement(&FRefCount); }

ULONG STDMETHODCALLTYPE TConnectionPoint::Release() {
    const ULONG count = InterlockedDecrement(&FRefCount);
    if (count == 0) delete this;
    return count;
}

HRESULT STDMETHODCALLTYPE TConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = FIid;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = FContainer;
    if (!FContainer) return E_UNEXPECTED;
    FContainer->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    IUnknown* typed = nullptr;
    if (FAILED(sink->QueryInterface(FIid, reinterpret_cast<void**>(&typed)))) return CONNECT_E_CANNOTCONNECT;
    FSinks.push_back(typed);
    *cookie = static_cast<DWORD>(FSinks.size());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TConnectionPoint::Unadvise(DWORD cookie) {
    if (cookie == 0 || cookie > FSinks.size() || !FSinks[cookie - 1]) return CONNECT_E_NOCONNECTION;
    FSinks[cookie - 1]->Release();
    FSinks[cookie - 1] = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
}

std::vector<IUnknown*> TConnectionPoint::Sinks() const {
    std::vector<IUnknown*> sinks;
    for (IUnknown* sink : FSinks) {
        if (!sink) continue;
        sink->AddRef();
        sinks.push_back(sink);
    }
    return sinks;
}

void TConnectionPoint::Disconnect() {
    FContainer = nullptr;
    for (IUnknown*& sink : FSinks) {
        if (sink) sink->Release();
        sink = nullptr;
    }
}

}  // namespace quorlin::control
