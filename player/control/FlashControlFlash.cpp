// IDispatch and IShockwaveFlash, in vtable order. The members a host uses are real;
// the rest answer E_NOTIMPL, or keep a value where that is all a property is.

#include <string>

#include "player/control/FlashControl.h"

namespace quorlin::control {

namespace {

std::wstring FromBstr(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

HRESULT ToBstr(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

template <class T>
HRESULT Give(T value, T* out) {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
}

VARIANT_BOOL ToVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// The version this player answers to: 8.0, as the movies it plays expect.
constexpr long kFlashVersion = 0x00080000;

enum TReadyState : long { kLoading = 0, kUninitialized = 1, kLoaded = 2, kInteractive = 3, kComplete = 4 };

}  // namespace

// IDispatch: the host calls through the vtable; there is no type library to dispatch by.
HRESULT STDMETHODCALLTYPE TFlashControl::GetTypeInfoCount(UINT* count) { return Give(0u, count); }
HRESULT STDMETHODCALLTYPE TFlashControl::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE TFlashControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) {
    if (ids) *ids = DISPID_UNKNOWN;
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE TFlashControl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TFlashControl::get_ReadyState(long* state) {
    if (FPlayback) return Give<long>(kComplete, state);
    return Give<long>(FBinding ? kLoading : kUninitialized, state);
}
HRESULT STDMETHODCALLTYPE TFlashControl::get_TotalFrames(long* frames) {
    return Give<long>(FPlayback ? static_cast<long>(FPlayback->TotalFrames()) : 0, frames);
}
HRESULT STDMETHODCALLTYPE TFlashControl::get_Playing(VARIANT_BOOL* playing) { return Give(ToVariantBool(FPlaying), playing); }
HRESULT STDMETHODCALLTYPE TFlashControl::put_Playing(VARIANT_BOOL playing) {
    FPlaying = playing != VARIANT_FALSE;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::get_Quality(int* quality) { return Give(FQuality, quality); }
HRESULT STDMETHODCALLTYPE TFlashControl::put_Quality(int quality) {
    FQuality = quality;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::get_ScaleMode(int*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_ScaleMode(int) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_AlignMode(int*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_AlignMode(int) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_BackgroundColor(long* color) { return Give(FBackgroundColor, color); }
HRESULT STDMETHODCALLTYPE TFlashControl::put_BackgroundColor(long color) {
    FBackgroundColor = color;
    if (FWindow) InvalidateRect(FWindow, nullptr, FALSE);
    NotifyPropertyChanged(DISPID_BACKCOLOR);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::get_Loop(VARIANT_BOOL* loop) { return Give(ToVariantBool(FLoop), loop); }
HRESULT STDMETHODCALLTYPE TFlashControl::put_Loop(VARIANT_BOOL loop) {
    FLoop = loop != VARIANT_FALSE;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::get_Movie(BSTR* url) { return ToBstr(FMovieUrl, url); }
HRESULT STDMETHODCALLTYPE TFlashControl::put_Movie(BSTR url) {
    FMovieUrl = FromBstr(url);
    return StartLoading();
}
HRESULT STDMETHODCALLTYPE TFlashControl::get_FrameNum(long* frame) {
    // Zero-based, as the property has always been.
    return Give<long>(FPlayback ? static_cast<long>(FPlayback->CurrentFrame()) - 1 : -1, frame);
}
HRESULT STDMETHODCALLTYPE TFlashControl::put_FrameNum(long) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::SetZoomRect(long, long, long, long) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::Zoom(int) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::Pan(long, long, int) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::Play() {
    FPlaying = true;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::Stop() {
    FPlaying = false;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::Back() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::Forward() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::Rewind() {
    if (!FMovieBytes.empty()) RestartPlayback();
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::StopPlay() { return Stop(); }
HRESULT STDMETHODCALLTYPE TFlashControl::GotoFrame(long) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::CurrentFrame(long* frame) { return get_FrameNum(frame); }
HRESULT STDMETHODCALLTYPE TFlashControl::IsPlaying(VARIANT_BOOL* playing) { return get_Playing(playing); }
HRESULT STDMETHODCALLTYPE TFlashControl::PercentLoaded(long* percent) { return Give(FPercentLoaded, percent); }
HRESULT STDMETHODCALLTYPE TFlashControl::FrameLoaded(long frame, VARIANT_BOOL* loaded) {
    const bool inMovie = FPlayback && frame >= 0 && frame < static_cast<long>(FPlayback->TotalFrames());
    return Give(ToVariantBool(inMovie), loaded);
}
HRESULT STDMETHODCALLTYPE TFlashControl::FlashVersion(long* version) { return Give(kFlashVersion, version); }
HRESULT STDMETHODCALLTYPE TFlashControl::get_WMode(BSTR* mode) { return ToBstr(L"Window", mode); }
HRESULT STDMETHODCALLTYPE TFlashControl::put_WMode(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_SAlign(BSTR* align) { return ToBstr(L"", align); }
HRESULT STDMETHODCALLTYPE TFlashControl::put_SAlign(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_Menu(VARIANT_BOOL* menu) { return Give<VARIANT_BOOL>(VARIANT_FALSE, menu); }
HRESULT STDMETHODCALLTYPE TFlashControl::put_Menu(VARIANT_BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_Base(BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_Base(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_Scale(BSTR* scale) { return ToBstr(FScale, scale); }
HRESULT STDMETHODCALLTYPE TFlashControl::put_Scale(BSTR scale) {
    FScale = FromBstr(scale);
    if (FWindow) InvalidateRect(FWindow, nullptr, FALSE);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::get_DeviceFont(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_DeviceFont(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_EmbedMovie(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_EmbedMovie(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_BGColor(BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_BGColor(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_Quality2(BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_Quality2(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::LoadMovie(int layer, BSTR url) {
    if (layer != 0) return E_NOTIMPL;  // one movie, on level 0
    return put_Movie(url);
}
HRESULT STDMETHODCALLTYPE TFlashControl::TGotoFrame(BSTR, long) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TGotoLabel(BSTR, BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TCurrentFrame(BSTR, long*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TCurrentLabel(BSTR, BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TPlay(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TStopPlay(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::SetVariable(BSTR, BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::GetVariable(BSTR, BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TSetProperty(BSTR, int, BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TGetProperty(BSTR, int, BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TCallFrame(BSTR, int) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TCallLabel(BSTR, BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TSetPropertyNum(BSTR, int, double) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TGetPropertyNum(BSTR, int, double*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::TGetPropertyAsNumber(BSTR, int, double*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_SWRemote(BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_SWRemote(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_FlashVars(BSTR* vars) { return ToBstr(FFlashVars, vars); }
HRESULT STDMETHODCALLTYPE TFlashControl::put_FlashVars(BSTR vars) {
    // Takes effect with the next load, as the variables are set before the first frame.
    FFlashVars = FromBstr(vars);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TFlashControl::get_AllowScriptAccess(BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_AllowScriptAccess(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_MovieData(BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_MovieData(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_InlineData(IUnknown** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE TFlashControl::put_InlineData(IUnknown*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_SeamlessTabbing(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_SeamlessTabbing(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::EnforceLocalSecurity() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_Profile(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_Profile(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_ProfileAddress(BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_ProfileAddress(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::get_ProfilePort(long*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::put_ProfilePort(long) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::CallFunction(BSTR, BSTR* response) {
    if (response) *response = nullptr;
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE TFlashControl::SetReturnValue(BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TFlashControl::DisableLocalSecurity() { return E_NOTIMPL; }

}  // namespace quorlin::control
