#pragma once
// A minimal OLE container of the test's own, not the module's host: a client site with
// in-place support and ambient properties, and a bind host that answers every URL with a
// moniker over bytes in memory (or refuses it). It records the calls the control makes.

#include <windows.h>
#include <ocidl.h>
#include <urlmon.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin::testing {

class TTestSite final : public IOleClientSite,
                        public IOleInPlaceSite,
                        public IOleInPlaceFrame,
                        public IDispatch,
                        public IServiceProvider,
                        public IBindHost {
public:
    explicit TTestSite(HWND window);

    std::vector<std::string> Calls;  // in order: "OnInPlaceActivate", "CreateMoniker http://main", ...
    std::vector<uint8_t> MovieBytes;
    bool RefuseUrls = false;
    // When set, URLs are answered with urlmon's own moniker for this URL instead of memory:
    // a real, asynchronous delivery over several notifications.
    std::wstring RealUrl;
    COLORREF AmbientBackColor = RGB(0x80, 0x80, 0x80);
    RECT Position = {0, 0, 550, 400};
    bool CallbackInBindContext = false;  // what the moniker found at BindToStorage
    bool CallbackWasTheControls = false;

    bool Called(const std::string& call) const;
    size_t IndexOf(const std::string& call) const;  // npos when not called

    // IUnknown: the site lives on the test's stack; counting never frees it.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (IOleInPlaceSite and IOleInPlaceFrame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }
    // IOleInPlaceUIWindow, IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the ambient properties
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override;

    // IServiceProvider
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override;

    // IBindHost
    HRESULT STDMETHODCALLTYPE CreateMoniker(LPOLESTR name, IBindCtx*, IMoniker** moniker, DWORD) override;
    HRESULT STDMETHODCALLTYPE MonikerBindToStorage(IMoniker*, IBindCtx*, IBindStatusCallback*, REFIID,
                                                   void**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE MonikerBindToObject(IMoniker*, IBindCtx*, IBindStatusCallback*, REFIID,
                                                  void**) override {
        return E_NOTIMPL;
    }

    void NoteBind(IBindCtx* context);

private:
    HWND FWindow;
};

}  // namespace quorlin::testing
