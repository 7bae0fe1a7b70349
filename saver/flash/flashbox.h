#pragma once
// TFlashBox: the windowed control that hosts the Flash control as its complete OLE site.
// The box makes the control from the module's FLASH resource, activates it in place when
// its window is first needed and adopts the control's window as its own, so that layout,
// visibility and messages act on the control's window and pass through the box first.
// It answers the control's URL requests through OnGetStream.
//
// COM references to the box are counted but never free it: its owner component does.

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <servprov.h>
#include <urlmon.h>

#include <functional>
#include <memory>
#include <string>

#include "saver/flash/ShockwaveFlash.h"
#include "saver/forms/ComPtr.h"
#include "saver/forms/Control.h"
#include "saver/forms/Form.h"
#include "saver/forms/Stream.h"

namespace quorlin {

class TFlashBox;

// Sender, the URL as the control asked for it (8-bit), and the stream that answers it:
// empty on entry; a stream the handler sets passes to the moniker, which frees it.
using TGetStreamEvent =
    std::function<void(TFlashBox* sender, const std::string& url, std::unique_ptr<TStream>& stream)>;

// The OLEMISC flags the box reacts to.
enum : DWORD {
    kMiscInvisibleAtRuntime = OLEMISC_INVISIBLEATRUNTIME,
    kMiscActsLikeLabel = OLEMISC_ACTSLIKELABEL,
    kMiscNoUIActivate = OLEMISC_NOUIACTIVATE,
    kMiscSimpleFrame = OLEMISC_SIMPLEFRAME,
    kMiscSetClientSiteFirst = OLEMISC_SETCLIENTSITEFIRST,
};

// IOleInPlaceSite and IOleInPlaceFrame both inherit IOleWindow::GetWindow but answer it
// differently; each adapter gives its GetWindow a name of its own.
class TInPlaceFrameWindow : public IOleInPlaceFrame {
public:
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) final { return FrameGetWindow(window); }

protected:
    virtual HRESULT FrameGetWindow(HWND* window) = 0;
};

class TInPlaceSiteWindow : public IOleInPlaceSite {
public:
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) final { return SiteGetWindow(window); }

protected:
    virtual HRESULT SiteGetWindow(HWND* window) = 0;
};

class TFlashBox : public TWinControl,
                  public IBindHost,
                  public IServiceProvider,
                  public ISimpleFrameSite,
                  public IPropertyNotifySink,
                  public IDispatch,
                  public TInPlaceFrameWindow,
                  public TInPlaceSiteWindow,
                  public IOleControlSite,
                  public IOleClientSite {
public:
    // Loads the control and sizes the box to the control's natural extent. Raises the
    // loader's errors and EOleSysError for a failed step; a half-built box is destroyed.
    explicit TFlashBox(TComponent* owner);
    ~TFlashBox() override;

    // The Flash operations: one direct call each through the control's vtable. A failed
    // call raises EOleException with the control's error description.
    void SetBackgroundColor(int32_t rgb);  // 0x00RRGGBB
    void SetMovie(const std::string& url);
    int32_t PercentLoaded();
    void SetScale(const std::string& scale);
    void SetFlashVars(const std::string& vars);
    void LoadMainMovie();

    TGetStreamEvent OnGetStream;

    // The control's properties, read through its IDispatch (the site is set up first).
    void GetProperty(DISPID id, VARIANT& value);
    int32_t GetIntegerProp(DISPID id);
    int16_t GetWordBoolProp(DISPID id);
    void GetVariantProp(DISPID id, VARIANT& value);

    // The control's interfaces, for those that need more than the operations above.
    IOleObject* OleObject() const { return FOleObject.Get(); }
    IShockwaveFlash* Flash() const { return FFlash.Get(); }
    // Whether the site is set up (the control has its IOleControl in the box).
    bool SiteInitialised() const { return static_cast<bool>(FOleControl); }
    ULONG RefCount() const { return FRefCount; }

    // TWinControl
    void SetName(const std::string& name) override;
    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    bool PaletteChanged(bool foreground) override;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IBindHost
    HRESULT STDMETHODCALLTYPE CreateMoniker(LPOLESTR name, IBindCtx* context, IMoniker** moniker,
                                            DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE MonikerBindToStorage(IMoniker* moniker, IBindCtx* context, IBindStatusCallback* callback,
                                                   REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE MonikerBindToObject(IMoniker* moniker, IBindCtx* context, IBindStatusCallback* callback,
                                                  REFIID iid, void** object) override;

    // IServiceProvider
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override;

    // ISimpleFrameSite
    HRESULT STDMETHODCALLTYPE PreMessageFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                               LRESULT* result, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE PostMessageFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                LRESULT* result, DWORD cookie) override;

    // IPropertyNotifySink: the control changed one of its properties.
    virtual HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override;
    virtual HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID id) override;

    // IDispatch: the ambient properties
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    // IOleWindow (both in-place interfaces)
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

    // IOleInPlaceUIWindow, IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) override;
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU shared) override;
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, WORD id) override;

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) override;
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override;
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL lock) override;
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** control) override;
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg, DWORD modifiers) override;
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL gotFocus) override;
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override;
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

protected:
    void CreateWnd() override;
    void DestroyWindowHandle() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) override;

    HRESULT FrameGetWindow(HWND* window) override;
    HRESULT SiteGetWindow(HWND* window) override;

private:
    void CreateInstance();
    void Teardown();
    void InitControl();
    void ReleaseControl();
    void Advise();
    TComPtr<IConnectionPoint> PropertyConnectionPoint();
    void SetClientSiteIfMissing();
    void HookControlWndProc();
    void SetUIActive(bool active);
    void AmbientChanged(DISPID id);
    bool HasMisc(DWORD flag) const { return (FMiscStatus & flag) != 0; }
    HWND ParentHandle();
    HWND TopParentHandle();
    RECT BoundsRect() const;
    TCustomForm* BoxForm();
    // The form whose menu the control merges into: the box's own form when it is a
    // TForm, else the application's main form.
    TCustomForm* GetMainMenuForm();
    HMENU GetMainMenu();
    void Check(HRESULT result);
    LRESULT DialogKey(WPARAM key, LPARAM keyData);
    LRESULT PaintControl(WPARAM wParam);
    void UIActivateMessage();
    void UIDeactivateMessage();
    void DocWindowActivateMessage(WPARAM active);

    IUnknown* Identity() { return static_cast<IBindHost*>(this); }
    IOleClientSite* ClientSite() { return static_cast<IOleClientSite*>(this); }

    TComPtr<IOleObject> FOleObject;
    TComPtr<IShockwaveFlash> FFlash;
    ULONG FRefCount = 0;
    TComPtr<IPersistStreamInit> FPersistStream;
    TComPtr<IOleControl> FOleControl;
    TComPtr<IDispatch> FControlDispatch;
    TComPtr<IOleInPlaceObject> FOleInPlaceObject;
    TComPtr<IOleInPlaceActiveObject> FOleInPlaceActiveObject;
    DWORD FPropConnection = 0;
    DWORD FMiscStatus = 0;
    bool FUpdatingColor = false;
    bool FUpdatingFont = false;
    bool FUpdatingEnabled = false;
};

// The URL LoadMainMovie loads; the forms answer it with the movie.
extern const char kMainMovieUrl[];

}  // namespace quorlin
