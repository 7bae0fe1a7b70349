#pragma once
// TCustomMoniker: the moniker the Flash host hands out for the module's own URLs. Binding
// it to storage copies its source stream into a fresh memory-backed IStream and delivers
// that at once, in one synchronous notification, to the bind-status callback the caller
// registered in its bind context. Every other moniker operation is refused.

#include <urlmon.h>

#include <memory>

#include "saver/forms/ComObject.h"
#include "saver/forms/Stream.h"

namespace quorlin {

// The class as the module's COM server registers it: "CustomMoniker".
extern const CLSID CLSID_CustomMoniker;

class TCustomMoniker : public TComObjectOf<IBinding, IMoniker> {
public:
    // Takes ownership of the stream, which the suppliers hand over positioned at its start.
    // A moniker without a stream (as its class factory makes one) fails every bind.
    explicit TCustomMoniker(std::unique_ptr<TStream> stream);
    ~TCustomMoniker() override;

    // IBinding: every call succeeds and does nothing.
    HRESULT STDMETHODCALLTYPE Abort() override;
    HRESULT STDMETHODCALLTYPE Suspend() override;
    HRESULT STDMETHODCALLTYPE Resume() override;
    HRESULT STDMETHODCALLTYPE SetPriority(LONG priority) override;
    HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) override;
    HRESULT STDMETHODCALLTYPE GetBindResult(CLSID* protocol, DWORD* result, LPOLESTR* resultText,
                                            DWORD* reserved) override;

    // IPersist, IPersistStream (in IMoniker's table, not answered by QueryInterface)
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

    // IMoniker
    HRESULT STDMETHODCALLTYPE BindToObject(IBindCtx* context, IMoniker* toLeft, REFIID iid, void** result) override;
    // Always an IStream, whatever iid asks for; S_OK, or E_FAIL with *object NULL.
    HRESULT STDMETHODCALLTYPE BindToStorage(IBindCtx* context, IMoniker* toLeft, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE Reduce(IBindCtx* context, DWORD howFar, IMoniker** toLeft, IMoniker** reduced) override;
    HRESULT STDMETHODCALLTYPE ComposeWith(IMoniker* right, BOOL onlyIfNotGeneric, IMoniker** composite) override;
    HRESULT STDMETHODCALLTYPE Enum(BOOL forward, IEnumMoniker** enumMoniker) override;
    HRESULT STDMETHODCALLTYPE IsEqual(IMoniker* other) override;
    HRESULT STDMETHODCALLTYPE Hash(DWORD* hash) override;
    HRESULT STDMETHODCALLTYPE IsRunning(IBindCtx* context, IMoniker* toLeft, IMoniker* newlyRunning) override;
    HRESULT STDMETHODCALLTYPE GetTimeOfLastChange(IBindCtx* context, IMoniker* toLeft, FILETIME* time) override;
    HRESULT STDMETHODCALLTYPE Inverse(IMoniker** inverse) override;
    HRESULT STDMETHODCALLTYPE CommonPrefixWith(IMoniker* other, IMoniker** prefix) override;
    HRESULT STDMETHODCALLTYPE RelativePathTo(IMoniker* other, IMoniker** relativePath) override;
    HRESULT STDMETHODCALLTYPE GetDisplayName(IBindCtx* context, IMoniker* toLeft, LPOLESTR* displayName) override;
    HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx* context, IMoniker* toLeft, LPOLESTR displayName,
                                               ULONG* eaten, IMoniker** out) override;
    HRESULT STDMETHODCALLTYPE IsSystemMoniker(DWORD* system) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    bool CopySourceTo(IStream* target, int64_t size);
    HRESULT Deliver(IBindCtx* context, IStream* content, DWORD size);

    std::unique_ptr<TStream> FStream;
};

}  // namespace quorlin
