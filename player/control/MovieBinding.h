#pragma once
// The control's own bind-status callback for one movie URL: collects the bytes, whether
// they arrive inside BindToStorage or later over several notifications.

#include <urlmon.h>

#include <cstdint>
#include <vector>

namespace quorlin::control {

class TFlashControl;

class TMovieBinding final : public IBindStatusCallback {
public:
    explicit TMovieBinding(TFlashControl* control);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD reserved, IBinding* binding) override;
    HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) override;
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode, LPCWSTR text) override;
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR error) override;
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD flags, DWORD size, FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID iid, IUnknown* object) override;

    // The control no longer wants the movie: abort a binding in progress, report nothing.
    void Cancel();
    // The control has what it wanted: report nothing more, let the binding end by itself.
    void Forget() { FControl = nullptr; }

private:
    ~TMovieBinding();
    void Finish(bool succeeded);
    size_t ExpectedLength() const;

    long FRefCount = 1;
    TFlashControl* FControl;  // not counted; cleared by Cancel
    IBinding* FBinding = nullptr;
    std::vector<uint8_t> FBytes;
    bool FFinished = false;
};

}  // namespace quorlin::control
