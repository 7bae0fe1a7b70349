// The recording control: a stand-in for the player when the host's call sequences are
// tested. It implements what the host calls, answers as it was configured, and writes
// every call into a log the tests read. Its Flash interface is a table of its own, one
// entry per slot, so the slot a call arrives at is what the log shows.

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <string>
#include <utility>

#include "tests/win/flashbox/recorder/Recorder.h"

namespace {

// {D27CDB6E-AE6D-11CF-96B8-444553540000}, {D27CDB6C-AE6D-11CF-96B8-444553540000}
const CLSID kClsidFlash = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID kIidFlash = {0xD27CDB6C, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

TRecorderConfig Config = DefaultRecorderConfig();
std::string Log;
std::string Returned;
HWND Window = nullptr;
IPropertyNotifySink* Sink = nullptr;

void Note(const std::string& call) { Log += call + "\n"; }

std::string Hex(unsigned long value) {
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", value);
    return text;
}

std::string Narrow(const wchar_t* text) {
    std::string result;
    for (; text && *text; ++text) result += static_cast<char>(*text < 128 ? *text : '?');
    return result;
}

LRESULT CALLBACK RecorderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // OLE reflected messages and keys are what the host forwards; the rest is noise.
    if ((message >= 0x2000 && message < 0x2400) || message == WM_KEYDOWN) {
        Note("WndProc " + Hex(message) + " " + std::to_string(wParam));
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(window, message, wParam, lParam);
}

class TPoint;

class TControl final : public IOleObject,
                       public IOleInPlaceObject,
                       public IOleInPlaceActiveObject,
                       public IOleControl,
                       public IPersistStreamInit,
                       public IConnectionPointContainer,
                       public IDispatch {
public:
    TControl();
    ~TControl();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG refs = --FRefs;
        if (refs == 0) delete this;
        return refs;
    }

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
        Note(site ? "SetClientSite site" : "SetClientSite null");
        if (site) site->AddRef();
        if (FSite) FSite->Release();
        FSite = site;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override {
        Note("GetClientSite");
        *site = FSite;
        if (FSite) FSite->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return Unexpected("SetHostNames"); }
    HRESULT STDMETHODCALLTYPE Close(DWORD option) override {
        Note("Close " + std::to_string(option));
        InPlaceDeactivate();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return Unexpected("SetMoniker"); }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return Unexpected("GetMoniker"); }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return Unexpected("InitFromData"); }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override {
        return Unexpected("GetClipboardData");
    }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                     LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return Unexpected("EnumVerbs"); }
    HRESULT STDMETHODCALLTYPE Update() override { return Unexpected("Update"); }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return Unexpected("IsUpToDate"); }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override { return Unexpected("GetUserClassID"); }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return Unexpected("GetUserType"); }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override {
        Note("SetExtent " + std::to_string(size->cx) + " " + std::to_string(size->cy));
        if (aspect != DVASPECT_CONTENT || Config.RefuseSetExtent) return E_FAIL;
        FExtent = *size;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL* size) override {
        Note("GetExtent");
        *size = FExtent;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return Unexpected("IOleObject::Advise"); }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return Unexpected("IOleObject::Unadvise"); }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return Unexpected("EnumAdvise"); }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override {
        Note("GetMiscStatus " + std::to_string(aspect));
        *status = Config.MiscStatus;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return Unexpected("SetColorScheme"); }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        Note("GetWindow");
        *window = Window;
        return Window ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return Unexpected("ContextSensitiveHelp"); }
    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override {
        Note("UIDeactivate");
        if (FInPlaceSite) FInPlaceSite->OnUIDeactivate(FALSE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override {
        Note("SetObjectRects " + std::to_string(position->right - position->left) + " " +
             std::to_string(clip->right));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return Unexpected("ReactivateAndUndo"); }
    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override {
        Note("TranslateAccelerator " + Hex(msg->message) + " " + std::to_string(msg->wParam) + " " +
             Hex(static_cast<unsigned long>(msg->pt.x)) + (msg->hwnd == Window ? " own" : " other"));
        return Config.AcceleratorResult;
    }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return Unexpected("OnFrameWindowActivate"); }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL active) override {
        Note("OnDocWindowActivate " + std::to_string(active));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
        return Unexpected("ResizeBorder");
    }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return Unexpected("EnableModeless"); }

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override {
        Note("GetControlInfo " + std::to_string(info->cb));
        if (!Config.MnemonicKey) return E_NOTIMPL;
        if (!FAccelerators) {
            ACCEL accel = {FVIRTKEY, Config.MnemonicKey, 1};
            FAccelerators = CreateAcceleratorTableW(&accel, 1);
        }
        info->hAccel = FAccelerators;
        info->cAccel = 1;
        info->dwFlags = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) override {
        Note("OnMnemonic " + Hex(msg->message) + " " + std::to_string(msg->wParam) +
             (msg->hwnd == Window ? " own" : " other"));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override {
        Note("OnAmbientPropertyChange " + std::to_string(id));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL) override { return Unexpected("FreezeEvents"); }

    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        *id = kClsidFlash;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return Unexpected("IsDirty"); }
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override { return Unexpected("Load"); }
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override { return Unexpected("Save"); }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return Unexpected("GetSizeMax"); }
    HRESULT STDMETHODCALLTYPE InitNew() override {
        Note("InitNew");
        return S_OK;
    }

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
        return Unexpected("EnumConnectionPoints");
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // IDispatch: the control's own properties
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        Note("Invoke " + std::to_string(id) + " " + std::to_string(flags));
        if (id == DISPID_BACKCOLOR && Config.ReenterOnChanged && Sink) {
            Note("nested OnChanged " + std::to_string(Sink->OnChanged(DISPID_BACKCOLOR)));
        }
        if (id == DISPID_BACKCOLOR && Config.HasBackColor && result) {
            result->vt = VT_I4;
            result->lVal = Config.BackColor;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    // The Flash members, reached through the slot table.
    HRESULT FlashCall(int slot, uintptr_t argument);
    IOleClientSite* Site() const { return FSite; }

private:
    HRESULT Unexpected(const char* name) {
        Note(std::string("Unexpected ") + name);
        return E_NOTIMPL;
    }

    ULONG FRefs = 0;
    HACCEL FAccelerators = nullptr;
    IOleClientSite* FSite = nullptr;
    IOleInPlaceSite* FInPlaceSite = nullptr;
    SIZEL FExtent;
    TPoint* FPoint;
    struct TFlashFace {
        void** Table;
        TControl* Owner;
    } FFlash;
    friend struct TFlashTable;
};

// The property-notification connection point.
class TPoint final : public IConnectionPoint {
public:
    explicit TPoint(TControl& owner) : FOwner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
            *object = static_cast<IConnectionPoint*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return FOwner.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return FOwner.Release(); }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        *iid = IID_IPropertyNotifySink;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override {
        *container = &FOwner;
        FOwner.AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        IPropertyNotifySink* notify = nullptr;
        const bool isSink = SUCCEEDED(sink->QueryInterface(IID_IPropertyNotifySink, reinterpret_cast<void**>(&notify)));
        if (Sink) Sink->Release();
        Sink = notify;
        Note(std::string("Advise ") + (isSink ? "sink" : "other"));
        *cookie = 7;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        Note("Unadvise " + std::to_string(cookie));
        if (Sink) Sink->Release();
        Sink = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

private:
    TControl& FOwner;
};

// The Flash interface's table: IUnknown, IDispatch, then one entry per slot from 7 on,
// each taking the one 32-bit argument that the host's members take.
struct TFlashTable {
    static constexpr int kSlots = 96;
    static TControl* Owner(void* self) { return static_cast<TControl::TFlashFace*>(self)->Owner; }
    static HRESULT STDMETHODCALLTYPE QueryInterface(void* self, REFIID iid, void** object) {
        return Owner(self)->QueryInterface(iid, object);
    }
    static ULONG STDMETHODCALLTYPE AddRef(void* self) { return Owner(self)->AddRef(); }
    static ULONG STDMETHODCALLTYPE Release(void* self) { return Owner(self)->Release(); }
    static HRESULT STDMETHODCALLTYPE GetTypeInfoCount(void*, UINT* count) {
        *count = 0;
        return S_OK;
    }
    static HRESULT STDMETHODCALLTYPE GetTypeInfo(void*, UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
    static HRESULT STDMETHODCALLTYPE GetIDsOfNames(void*, REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
    static HRESULT STDMETHODCALLTYPE Invoke(void*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                            UINT*) {
        return E_NOTIMPL;
    }
    template <int N>
    static HRESULT STDMETHODCALLTYPE Slot(void* self, uintptr_t argument) {
        return Owner(self)->FlashCall(N, argument);
    }
    template <int... N>
    static void FillSlots(void** table, std::integer_sequence<int, N...>) {
        ((table[N + 7] = reinterpret_cast<void*>(&Slot<N + 7>)), ...);
    }
    static void** Table() {
        static void* table[kSlots] = {};
        if (!table[0]) {
            table[0] = reinterpret_cast<void*>(&QueryInterface);
            table[1] = reinterpret_cast<void*>(&AddRef);
            table[2] = reinterpret_cast<void*>(&Release);
            table[3] = reinterpret_cast<void*>(&GetTypeInfoCount);
            table[4] = reinterpret_cast<void*>(&GetTypeInfo);
            table[5] = reinterpret_cast<void*>(&GetIDsOfNames);
            table[6] = reinterpret_cast<void*>(&Invoke);
            FillSlots(table, std::make_integer_sequence<int, kSlots - 7>());
        }
        return table;
    }
};

TControl::TControl() : FExtent{Config.NaturalCx, Config.NaturalCy}, FPoint(new TPoint(*this)) {
    FFlash.Table = TFlashTable::Table();
    FFlash.Owner = this;
}

TControl::~TControl() {
    Note("Destroyed");
    if (FAccelerators) DestroyAcceleratorTable(FAccelerators);
    delete FPoint;
}

HRESULT TControl::QueryInterface(REFIID iid, void** object) {
    *object = nullptr;
    const char* name = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleObject) *object = static_cast<IOleObject*>(this), name = "IOleObject";
    else if (iid == IID_IOleInPlaceObject) *object = static_cast<IOleInPlaceObject*>(this), name = "IOleInPlaceObject";
    else if (iid == IID_IOleInPlaceActiveObject) {
        *object = static_cast<IOleInPlaceActiveObject*>(this), name = "IOleInPlaceActiveObject";
    } else if (iid == IID_IOleControl) *object = static_cast<IOleControl*>(this), name = "IOleControl";
    else if (iid == IID_IPersistStreamInit && !Config.NoPersistStreamInit) {
        *object = static_cast<IPersistStreamInit*>(this), name = "IPersistStreamInit";
    } else if (iid == IID_IConnectionPointContainer) {
        *object = static_cast<IConnectionPointContainer*>(this), name = "IConnectionPointContainer";
    } else if (iid == IID_IDispatch) *object = static_cast<IDispatch*>(this), name = "IDispatch";
    else if (iid == kIidFlash) *object = &FFlash, name = "IShockwaveFlash";
    if (!*object) return E_NOINTERFACE;
    if (iid != IID_IUnknown) Note(std::string("QueryInterface ") + name);
    AddRef();
    return S_OK;
}

HRESULT TControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) {
    Note("DoVerb " + std::to_string(verb) + " " + std::to_string(rect->right - rect->left) + "x" +
         std::to_string(rect->bottom - rect->top) + (site == FSite ? " own-site" : " other-site"));
    if (verb == OLEIVERB_UIACTIVATE) {
        if (FInPlaceSite) FInPlaceSite->OnUIActivate();
        return S_OK;
    }
    if (verb != OLEIVERB_INPLACEACTIVATE || !Config.ActivateDuringDoVerb || FInPlaceSite) return S_OK;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&FInPlaceSite)))) return E_FAIL;
    FInPlaceSite->OnInPlaceActivate();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = RecorderWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuorlinRecorder";
    RegisterClassW(&wc);
    Window = CreateWindowExW(0, L"QuorlinRecorder", L"", WS_CHILD | WS_VISIBLE, rect->left, rect->top,
                             rect->right - rect->left, rect->bottom - rect->top, parent, nullptr, wc.hInstance,
                             nullptr);
    return S_OK;
}

HRESULT TControl::InPlaceDeactivate() {
    Note("InPlaceDeactivate");
    if (Window) DestroyWindow(Window);
    Window = nullptr;
    if (FInPlaceSite) {
        FInPlaceSite->OnInPlaceDeactivate();
        FInPlaceSite->Release();
        FInPlaceSite = nullptr;
    }
    return S_OK;
}

HRESULT TControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    Note("FindConnectionPoint");
    *point = nullptr;
    if (iid != IID_IPropertyNotifySink) return CONNECT_E_NOCONNECTION;
    *point = FPoint;
    FPoint->AddRef();
    return S_OK;
}

HRESULT TControl::FlashCall(int slot, uintptr_t argument) {
    std::string call = "Flash " + std::to_string(slot);
    switch (slot) {
        case 18: call += " " + Hex(static_cast<unsigned long>(argument)); break;
        case 22:
        case 49:
        case 77: call += " " + Narrow(reinterpret_cast<const wchar_t*>(argument)); break;
        case 37:
            if (SUCCEEDED(Config.FlashResult)) *reinterpret_cast<long*>(argument) = Config.PercentLoaded;
            break;
        default: call += " unexpected"; break;
    }
    Note(call);
    if (FAILED(Config.FlashResult)) {
        ICreateErrorInfo* create = nullptr;
        if (SUCCEEDED(CreateErrorInfo(&create))) {
            create->SetDescription(const_cast<LPOLESTR>(L"The recorder refuses this"));
            IErrorInfo* info = nullptr;
            if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
                SetErrorInfo(0, info);
                info->Release();
            }
            create->Release();
        }
    }
    return Config.FlashResult;
}

class TFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override {
        Note("Factory released");
        return 1;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        Note(std::string("CreateInstance") + (outer ? " aggregated" : ""));
        auto* control = new TControl();
        control->AddRef();
        const HRESULT result = control->QueryInterface(iid, object);
        control->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

TFactory Factory;

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    Note("DllGetClassObject");
    if (clsid != kClsidFlash) return CLASS_E_CLASSNOTAVAILABLE;
    return Factory.QueryInterface(iid, object);
}

extern "C" void __cdecl RecorderConfigure(const TRecorderConfig* config) { Config = *config; }

extern "C" const char* __cdecl RecorderCalls() {
    Returned = Log;
    return Returned.c_str();
}

extern "C" void __cdecl RecorderClear() { Log.clear(); }

extern "C" HWND __cdecl RecorderWindow() { return Window; }
