// The control's identity: one reference count for all its interfaces.

#include "player/control/ConnectionPoint.h"
#include "player/control/FlashControl.h"
#include "player/control/Module.h"
#include "player/control/MovieBinding.h"

namespace quorlin::control {

TFlashControl::TFlashControl() : FPropertyNotify(new TConnectionPoint(this, IID_IPropertyNotifySink)) {
    ModuleAddRef();
}

TFlashControl::~TFlashControl() {
    CancelLoading();
    if (FWindow) DestroyWindow(FWindow);
    FPropertyNotify->Disconnect();
    FPropertyNotify->Release();
    ModuleRelease();
}

HRESULT STDMETHODCALLTYPE TFlashControl::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IShockwaveFlash)) {
        *object = static_cast<IShockwaveFlash*>(this);
    } else if (IsEqualIID(iid, IID_IOleObject)) {
        *object = static_cast<IOleObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject)) {
        *object = static_cast<IOleInPlaceObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject)) {
        *object = static_cast<IOleInPlaceActiveObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleControl)) {
        *object = static_cast<IOleControl*>(this);
    } else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit)) {
        *object = static_cast<IPersistStreamInit*>(this);
    } else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2)) {
        *object = static_cast<IViewObject2*>(this);
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *object = static_cast<IConnectionPointContainer*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE TFlashControl::AddRef() { return InterlockedIncrement(&FRefCount); }

ULONG STDMETHODCALLTYPE TFlashControl::Release() {
    const ULONG count = InterlockedDecrement(&FRefCount);
    if (count == 0) delete this;
    return count;
}

}  // namespace quorlin::control
