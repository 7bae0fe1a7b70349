// The Flash operations of TFlashBox, each one direct call through the control's
// IShockwaveFlash vtable, and the URL route of the box's IBindHost.

#include <memory>

#include "saver/delivery/moniker.h"
#include "saver/flash/flashbox.h"
#include "saver/forms/ComErrors.h"
#include "saver/forms/WideText.h"

namespace quorlin {

namespace {

// A negative result becomes EOleException with the description the control left.
void FlashCheck(HRESULT result) {
    if (result >= 0) return;
    std::string description, source;
    TComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Put()) == S_OK && info) {
        BSTR text = nullptr;
        if (SUCCEEDED(info->GetDescription(&text))) description = WideToAnsi(text);
        SysFreeString(text);
        text = nullptr;
        if (SUCCEEDED(info->GetSource(&text))) source = WideToAnsi(text);
        SysFreeString(text);
    }
    throw EOleException(description, result, source);
}

}  // namespace

void TFlashBox::SetBackgroundColor(int32_t rgb) { FlashCheck(FFlash->put_BackgroundColor(rgb)); }

void TFlashBox::SetMovie(const std::string& url) {
    TBstr text(url);
    FlashCheck(FFlash->put_Movie(text.Get()));
}

int32_t TFlashBox::PercentLoaded() {
    long percent = 0;
    FlashCheck(FFlash->PercentLoaded(&percent));
    return static_cast<int32_t>(percent);
}

void TFlashBox::SetScale(const std::string& scale) {
    TBstr text(scale);
    FlashCheck(FFlash->put_Scale(text.Get()));
}

void TFlashBox::SetFlashVars(const std::string& vars) {
    TBstr text(vars);
    FlashCheck(FFlash->put_FlashVars(text.Get()));
}

void TFlashBox::LoadMainMovie() { SetMovie(kMainMovieUrl); }

HRESULT STDMETHODCALLTYPE TFlashBox::CreateMoniker(LPOLESTR name, IBindCtx*, IMoniker** moniker, DWORD) {
    if (moniker) *moniker = nullptr;
    if (!moniker) return E_POINTER;
    // A handler that raises answers the URL with the failure E_FAIL, as an unknown URL
    // does: nothing may cross back into the control as an exception.
    try {
        std::unique_ptr<TStream> stream;
        if (OnGetStream) OnGetStream(this, WideToAnsi(name), stream);
        if (!stream) return E_FAIL;
        auto* created = new TCustomMoniker(std::move(stream));
        created->QueryInterface(IID_IMoniker, reinterpret_cast<void**>(moniker));
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT STDMETHODCALLTYPE TFlashBox::MonikerBindToStorage(IMoniker*, IBindCtx*, IBindStatusCallback*, REFIID,
                                                          void** object) {
    if (object) *object = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TFlashBox::MonikerBindToObject(IMoniker*, IBindCtx*, IBindStatusCallback*, REFIID,
                                                         void** object) {
    if (object) *object = nullptr;
    return E_NOTIMPL;
}

}  // namespace quorlin
