#pragma once
// What the delivery tests share: COM for the test process, a bind-status callback that
// records what it is told (as the Flash control's would), and source streams that show
// when they are freed or misbehave.

#include <urlmon.h>

#include <string>
#include <vector>

#include "saver/forms/ComPtr.h"
#include "saver/forms/MemoryStream.h"

namespace quorlin::testing {

// A callback of the test, on the stack: its count shows the references others hold.
class TRecordingCallback : public IBindStatusCallback {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&RefCount)); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&RefCount)); }

    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD reserved, IBinding* binding) override;
    HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) override;
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override;
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR error) override;
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD flags, DWORD size, FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID iid, IUnknown* object) override;

    volatile LONG RefCount = 0;
    HRESULT StartResult = S_OK;
    // One line a call: "OnStartBinding 0", "OnDataAvailable 5 <size> stat=<size of the medium's stream>",
    // "OnStopBinding 1 null", or the bare name of any other method.
    std::vector<std::string> Calls;
    IBinding* Binding = nullptr;
    FORMATETC Format = {};
    STGMEDIUM Medium = {};
};

// A memory stream that reports its end, and can lie about its size or fail to read.
class TWatchedStream : public TMemoryStream {
public:
    TWatchedStream(const std::string& bytes, bool& freed);
    ~TWatchedStream() override { FFreed = true; }
    size_t Read(void* buffer, size_t count) override;
    int64_t Size() override { return TMemoryStream::Size() + ExtraSize; }

    int64_t ExtraSize = 0;
    bool ReadRaises = false;

private:
    bool& FFreed;
};

// A fresh bind context with the recorder registered in it, as the control does.
TComPtr<IBindCtx> BindContextWith(IBindStatusCallback* callback);
// The callback registered in the context now (nullptr for none); the context is unchanged.
TComPtr<IBindStatusCallback> RegisteredCallback(IBindCtx* context);
std::string ReadAll(IStream* stream);
ULONGLONG StreamPosition(IStream* stream);
ULONGLONG StreamSize(IStream* stream);
std::string Bytes(size_t count);

}  // namespace quorlin::testing
