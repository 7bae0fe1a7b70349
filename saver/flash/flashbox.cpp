// TFlashBox: making the control, setting up its site, reading its properties, and the
// box's COM identity. The site methods, the window and the Flash operations live in the
// files beside this one.

#include "saver/flash/flashbox.h"

#include "saver/flash/FlashModule.h"
#include "saver/forms/ComErrors.h"
#include "saver/forms/WideText.h"

namespace quorlin {

const char kMainMovieUrl[] = "http://main";

TFlashBox::TFlashBox(TComponent* owner) : TWinControl(owner) {
    try {
        CreateInstance();
        FOleObject->GetMiscStatus(DVASPECT_CONTENT, &FMiscStatus);
        if (HasMisc(kMiscSetClientSiteFirst)) Check(FOleObject->SetClientSite(ClientSite()));
        Check(FOleObject->QueryInterface(IID_IPersistStreamInit, FPersistStream.PutVoid()));
        if (HasMisc(kMiscInvisibleAtRuntime)) SetVisible(false);
        ControlStyle = HasMisc(kMiscSimpleFrame) ? csAcceptsControls | csDoubleClicks | csNoStdEvents
                                                 : csDoubleClicks | csNoStdEvents;
        TabStop = !HasMisc(kMiscActsLikeLabel) && !HasMisc(kMiscNoUIActivate);
        Check(RequestNewObjectLayout());
    } catch (...) {
        // The destructor does not run for a constructor that raised: undo here what exists.
        Teardown();
        throw;
    }
}

TFlashBox::~TFlashBox() { Teardown(); }

void TFlashBox::Teardown() {
    SetUIActive(false);
    if (FOleObject) FOleObject->Close(OLECLOSE_NOSAVE);
    ReleaseControl();
    FPersistStream.Reset();
    if (FOleObject) FOleObject->SetClientSite(nullptr);
    FOleObject.Reset();
    // The window goes now, while the box is still a box: it finds no control to close.
    DestroyWnd();
}

void TFlashBox::CreateInstance() {
    LoadFlashModule();
    TComPtr<IClassFactory> factory;
    Check(FlashGetClassObject(CLSID_ShockwaveFlash, IID_IClassFactory, factory.PutVoid()));
    Check(factory->CreateInstance(nullptr, IID_IOleObject, FOleObject.PutVoid()));
    Check(FOleObject->QueryInterface(IID_IShockwaveFlash, FFlash.PutVoid()));
}

void TFlashBox::Check(HRESULT result) { OleCheck(result); }

void TFlashBox::SetClientSiteIfMissing() {
    TComPtr<IOleClientSite> current;
    HRESULT result = E_FAIL;
    try {
        result = FOleObject->GetClientSite(current.Put());
    } catch (...) {
        result = E_FAIL;
    }
    if (FAILED(result) || !current) Check(FOleObject->SetClientSite(ClientSite()));
}

void TFlashBox::InitControl() {
    if (FOleControl) return;
    try {
        SetClientSiteIfMissing();
        Check(FPersistStream->InitNew());
        Check(FOleObject->QueryInterface(IID_IOleControl, FOleControl.PutVoid()));
        Check(FOleObject->QueryInterface(IID_IDispatch, FControlDispatch.PutVoid()));
        Advise();
        FOleControl->OnAmbientPropertyChange(DISPID_UNKNOWN);
        RequestNewObjectLayout();
    } catch (...) {
        ReleaseControl();
        throw;
    }
}

TComPtr<IConnectionPoint> TFlashBox::PropertyConnectionPoint() {
    TComPtr<IConnectionPointContainer> container;
    TComPtr<IConnectionPoint> point;
    if (FOleObject && SUCCEEDED(FOleObject->QueryInterface(IID_IConnectionPointContainer, container.PutVoid())) &&
        container) {
        if (FAILED(container->FindConnectionPoint(IID_IPropertyNotifySink, point.Put()))) point.Reset();
    }
    return point;
}

void TFlashBox::Advise() {
    // A control that offers no property notifications is hosted all the same.
    FPropConnection = 0;
    TComPtr<IConnectionPoint> point = PropertyConnectionPoint();
    DWORD cookie = 0;
    if (point && SUCCEEDED(point->Advise(Identity(), &cookie))) FPropConnection = cookie;
}

void TFlashBox::ReleaseControl() {
    if (FPropConnection != 0) {
        if (TComPtr<IConnectionPoint> point = PropertyConnectionPoint()) point->Unadvise(FPropConnection);
        FPropConnection = 0;
    }
    FControlDispatch.Reset();
    FOleControl.Reset();
}

void TFlashBox::GetProperty(DISPID id, VARIANT& value) {
    InitControl();
    VariantInit(&value);
    DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
    EXCEPINFO exception = {};
    const HRESULT result = FControlDispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &noArguments, &value,
                                                    &exception, nullptr);
    if (SUCCEEDED(result)) return;
    if (result != DISP_E_EXCEPTION) throw EOleSysError("", result);
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    const std::string description = WideToAnsi(exception.bstrDescription);
    const std::string source = WideToAnsi(exception.bstrSource);
    const HRESULT code = exception.scode != 0 ? exception.scode : static_cast<HRESULT>(0x80040200 + exception.wCode);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    throw EOleException(description, code, source);
}

int32_t TFlashBox::GetIntegerProp(DISPID id) {
    VARIANT value;
    GetProperty(id, value);
    const int32_t result = value.lVal;
    VariantClear(&value);
    return result;
}

int16_t TFlashBox::GetWordBoolProp(DISPID id) {
    VARIANT value;
    GetProperty(id, value);
    const auto result = static_cast<int16_t>(value.lVal & 0xFFFF);
    VariantClear(&value);
    return result;
}

void TFlashBox::GetVariantProp(DISPID id, VARIANT& value) {
    VariantClear(&value);
    GetProperty(id, value);
}

HRESULT STDMETHODCALLTYPE TFlashBox::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IBindHost) *object = static_cast<IBindHost*>(this);
    else if (iid == IID_IServiceProvider) *object = static_cast<IServiceProvider*>(this);
    else if (iid == IID_ISimpleFrameSite) *object = static_cast<ISimpleFrameSite*>(this);
    else if (iid == IID_IPropertyNotifySink) *object = static_cast<IPropertyNotifySink*>(this);
    else if (iid == IID_IDispatch) *object = static_cast<IDispatch*>(this);
    else if (iid == IID_IOleInPlaceFrame) *object = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IOleInPlaceSite) *object = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleControlSite) *object = static_cast<IOleControlSite*>(this);
    else if (iid == IID_IOleClientSite) *object = static_cast<IOleClientSite*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

// Plain counting: the box belongs to its owner component, never to its COM clients.
ULONG STDMETHODCALLTYPE TFlashBox::AddRef() { return ++FRefCount; }

ULONG STDMETHODCALLTYPE TFlashBox::Release() { return --FRefCount; }

HRESULT STDMETHODCALLTYPE TFlashBox::QueryService(REFGUID, REFIID iid, void** object) {
    return QueryInterface(iid, object);
}

}  // namespace quorlin
