#pragma once
// The player control: one COM object that is an OLE control with its own in-place window
// and the dual IShockwaveFlash interface. Each interface's methods live in a file of their
// own (FlashControl*.cpp), in vtable order.

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <urlmon.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "player/control/ComRef.h"
#include "player/control/Playback.h"
#include "saver/flash/ShockwaveFlash.h"

namespace quorlin::control {

class TConnectionPoint;
class TMovieBinding;

class TFlashControl final : public IShockwaveFlash,
                            public IOleObject,
                            public IOleInPlaceObject,
                            public IOleInPlaceActiveObject,
                            public IOleControl,
                            public IPersistStreamInit,
                            public IViewObject2,
                            public IConnectionPointContainer {
public:
    TFlashControl();  // the count starts at 1, for the creator

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override;

    // IShockwaveFlash
    HRESULT STDMETHODCALLTYPE get_ReadyState(long* state) override;
    HRESULT STDMETHODCALLTYPE get_TotalFrames(long* frames) override;
    HRESULT STDMETHODCALLTYPE get_Playing(VARIANT_BOOL* playing) override;
    HRESULT STDMETHODCALLTYPE put_Playing(VARIANT_BOOL playing) override;
    HRESULT STDMETHODCALLTYPE get_Quality(int* quality) override;
    HRESULT STDMETHODCALLTYPE put_Quality(int quality) override;
    HRESULT STDMETHODCALLTYPE get_ScaleMode(int* mode) override;
    HRESULT STDMETHODCALLTYPE put_ScaleMode(int mode) override;
    HRESULT STDMETHODCALLTYPE get_AlignMode(int* mode) override;
    HRESULT STDMETHODCALLTYPE put_AlignMode(int mode) override;
    HRESULT STDMETHODCALLTYPE get_BackgroundColor(long* color) override;
    HRESULT STDMETHODCALLTYPE put_BackgroundColor(long color) override;
    HRESULT STDMETHODCALLTYPE get_Loop(VARIANT_BOOL* loop) override;
    HRESULT STDMETHODCALLTYPE put_Loop(VARIANT_BOOL loop) override;
    HRESULT STDMETHODCALLTYPE get_Movie(BSTR* url) override;
    HRESULT STDMETHODCALLTYPE put_Movie(BSTR url) override;
    HRESULT STDMETHODCALLTYPE get_FrameNum(long* frame) override;
    HRESULT STDMETHODCALLTYPE put_FrameNum(long frame) override;
    HRESULT STDMETHODCALLTYPE SetZoomRect(long left, long top, long right, long bottom) override;
    HRESULT STDMETHODCALLTYPE Zoom(int factor) override;
    HRESULT STDMETHODCALLTYPE Pan(long x, long y, int mode) override;
    HRESULT STDMETHODCALLTYPE Play() override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Back() override;
    HRESULT STDMETHODCALLTYPE Forward() override;
    HRESULT STDMETHODCALLTYPE Rewind() override;
    HRESULT STDMETHODCALLTYPE StopPlay() override;
    HRESULT STDMETHODCALLTYPE GotoFrame(long frame) override;
    HRESULT STDMETHODCALLTYPE CurrentFrame(long* frame) override;
    HRESULT STDMETHODCALLTYPE IsPlaying(VARIANT_BOOL* playing) override;
    HRESULT STDMETHODCALLTYPE PercentLoaded(long* percent) override;
    HRESULT STDMETHODCALLTYPE FrameLoaded(long frame, VARIANT_BOOL* loaded) override;
    HRESULT STDMETHODCALLTYPE FlashVersion(long* version) override;
    HRESULT STDMETHODCALLTYPE get_WMode(BSTR* mode) override;
    HRESULT STDMETHODCALLTYPE put_WMode(BSTR mode) override;
    HRESULT STDMETHODCALLTYPE get_SAlign(BSTR* align) override;
    HRESULT STDMETHODCALLTYPE put_SAlign(BSTR align) override;
    HRESULT STDMETHODCALLTYPE get_Menu(VARIANT_BOOL* menu) override;
    HRESULT STDMETHODCALLTYPE put_Menu(VARIANT_BOOL menu) override;
    HRESULT STDMETHODCALLTYPE get_Base(BSTR* base) override;
    HRESULT STDMETHODCALLTYPE put_Base(BSTR base) override;
    HRESULT STDMETHODCALLTYPE get_Scale(BSTR* scale) override;
    HRESULT STDMETHODCALLTYPE put_Scale(BSTR scale) override;
    HRESULT STDMETHODCALLTYPE get_DeviceFont(VARIANT_BOOL* deviceFont) override;
    HRESULT STDMETHODCALLTYPE put_DeviceFont(VARIANT_BOOL deviceFont) override;
    HRESULT STDMETHODCALLTYPE get_EmbedMovie(VARIANT_BOOL* embed) override;
    HRESULT STDMETHODCALLTYPE put_EmbedMovie(VARIANT_BOOL embed) override;
    HRESULT STDMETHODCALLTYPE get_BGColor(BSTR* color) override;
    HRESULT STDMETHODCALLTYPE put_BGColor(BSTR color) override;
    HRESULT STDMETHODCALLTYPE get_Quality2(BSTR* quality) override;
    HRESULT STDMETHODCALLTYPE put_Quality2(BSTR quality) override;
    HRESULT STDMETHODCALLTYPE LoadMovie(int layer, BSTR url) override;
    HRESULT STDMETHODCALLTYPE TGotoFrame(BSTR target, long frame) override;
    HRESULT STDMETHODCALLTYPE TGotoLabel(BSTR target, BSTR label) override;
    HRESULT STDMETHODCALLTYPE TCurrentFrame(BSTR target, long* frame) override;
    HRESULT STDMETHODCALLTYPE TCurrentLabel(BSTR target, BSTR* label) override;
    HRESULT STDMETHODCALLTYPE TPlay(BSTR target) override;
    HRESULT STDMETHODCALLTYPE TStopPlay(BSTR target) override;
    HRESULT STDMETHODCALLTYPE SetVariable(BSTR name, BSTR value) override;
    HRESULT STDMETHODCALLTYPE GetVariable(BSTR name, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE TSetProperty(BSTR target, int property, BSTR value) override;
    HRESULT STDMETHODCALLTYPE TGetProperty(BSTR target, int property, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE TCallFrame(BSTR target, int frame) override;
    HRESULT STDMETHODCALLTYPE TCallLabel(BSTR target, BSTR label) override;
    HRESULT STDMETHODCALLTYPE TSetPropertyNum(BSTR target, int property, double value) override;
    HRESULT STDMETHODCALLTYPE TGetPropertyNum(BSTR target, int property, double* value) override;
    HRESULT STDMETHODCALLTYPE TGetPropertyAsNumber(BSTR target, int property, double* value) override;
    HRESULT STDMETHODCALLTYPE get_SWRemote(BSTR* remote) override;
    HRESULT STDMETHODCALLTYPE put_SWRemote(BSTR remote) override;
    HRESULT STDMETHODCALLTYPE get_FlashVars(BSTR* vars) override;
    HRESULT STDMETHODCALLTYPE put_FlashVars(BSTR vars) override;
    HRESULT STDMETHODCALLTYPE get_AllowScriptAccess(BSTR* access) override;
    HRESULT STDMETHODCALLTYPE put_AllowScriptAccess(BSTR access) override;
    HRESULT STDMETHODCALLTYPE get_MovieData(BSTR* data) override;
    HRESULT STDMETHODCALLTYPE put_MovieData(BSTR data) override;
    HRESULT STDMETHODCALLTYPE get_InlineData(IUnknown** data) override;
    HRESULT STDMETHODCALLTYPE put_InlineData(IUnknown* data) override;
    HRESULT STDMETHODCALLTYPE get_SeamlessTabbing(VARIANT_BOOL* seamless) override;
    HRESULT STDMETHODCALLTYPE put_SeamlessTabbing(VARIANT_BOOL seamless) override;
    HRESULT STDMETHODCALLTYPE EnforceLocalSecurity() override;
    HRESULT STDMETHODCALLTYPE get_Profile(VARIANT_BOOL* profile) override;
    HRESULT STDMETHODCALLTYPE put_Profile(VARIANT_BOOL profile) override;
    HRESULT STDMETHODCALLTYPE get_ProfileAddress(BSTR* address) override;
    HRESULT STDMETHODCALLTYPE put_ProfileAddress(BSTR address) override;
    HRESULT STDMETHODCALLTYPE get_ProfilePort(long* port) override;
    HRESULT STDMETHODCALLTYPE put_ProfilePort(long port) override;
    HRESULT STDMETHODCALLTYPE CallFunction(BSTR request, BSTR* response) override;
    HRESULT STDMETHODCALLTYPE SetReturnValue(BSTR value) override;
    HRESULT STDMETHODCALLTYPE DisableLocalSecurity() override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                                     LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow (shared by IOleInPlaceObject and IOleInPlaceActiveObject)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IPersist, IPersistStreamInit
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;

    // IViewObject, IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDc,
                                   HDC drawDc, LPCRECTL bounds, LPCRECTL windowBounds,
                                   BOOL(STDMETHODCALLTYPE* shouldContinue)(ULONG_PTR), ULONG_PTR continueArg) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                          HDC targetDc, LOGPALETTE** colors) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // From the control's window and its movie binding.
    void PaintInto(HDC dc, const RECT& client);
    void FillBackground(HDC dc, const RECT& target);
    void OnFrameTimer();
    void OnWindowSized(int width, int height);
    void OnWindowDestroyed();
    void OnMovieArrived(std::vector<uint8_t> bytes);
    void OnMovieProgress(size_t received, size_t expected);
    void OnMovieFailed();

private:
    ~TFlashControl();

    HRESULT InPlaceActivate(bool uiActivate);
    HRESULT UIActivate();
    HRESULT StartLoading();
    void CancelLoading();
    void ReleaseBinding();
    void ReadAmbientProperties();
    void StartFrameTimer();
    void RestartPlayback();
    void InvalidateChanged(const std::vector<TPixelRect>& rects);
    std::optional<uint32_t> BackgroundOverride() const;
    void NotifyPropertyChanged(DISPID id);
    SIZEL NaturalExtent() const;

    long FRefCount = 1;

    TComRef<IOleClientSite> FClientSite;
    TComRef<IOleInPlaceSite> FInPlaceSite;
    TComRef<IOleInPlaceFrame> FFrame;
    TComRef<IOleInPlaceUIWindow> FUIWindow;
    TComRef<IOleAdviseHolder> FOleAdviseHolder;
    TComRef<IAdviseSink> FViewAdviseSink;
    DWORD FViewAdviseFlags = 0;
    TConnectionPoint* FPropertyNotify = nullptr;  // our own object, counted

    HWND FWindow = nullptr;
    RECT FPosition = {0, 0, 0, 0};
    bool FInPlaceActive = false;
    bool FUIActive = false;
    SIZEL FExtent = {0, 0};
    bool FExtentSet = false;

    // Ambient properties of the site.
    COLORREF FAmbientBackColor = 0xFFFFFF;
    bool FUserMode = true;
    LCID FLocale = 0;

    // Properties.
    long FBackgroundColor = -1;  // -1: the movie's own background
    std::wstring FScale = L"ShowAll";
    std::wstring FFlashVars;
    std::wstring FMovieUrl;
    bool FPlaying = true;
    bool FLoop = true;
    int FQuality = 1;

    TMovieBinding* FBinding = nullptr;  // the load in progress, counted
    long FPercentLoaded = 0;
    std::vector<uint8_t> FMovieBytes;
    std::unique_ptr<TPlayback> FPlayback;
    TFrameBuffer FFrameBuffer;  // the back buffer, sized to the window
};

}  // namespace quorlin::control
