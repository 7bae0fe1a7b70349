#pragma once
// The bridge from our streams to COM: an IStream over a TStream, which it either borrows
// or owns.

#include <objidl.h>

#include "saver/forms/ComObject.h"
#include "saver/forms/Stream.h"

namespace quorlin {

enum class TStreamOwnership { soReference, soOwned };

class TStreamAdapter : public TComObjectOf<IStream> {
public:
    // With soOwned the adapter frees the stream when its last reference goes.
    TStreamAdapter(TStream* stream, TStreamOwnership ownership);
    ~TStreamAdapter() override;

    TStream* Stream() const { return FStream; }

    // ISequentialStream
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* written) override;
    // IStream
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER newSize) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    TStream* FStream;
    TStreamOwnership FOwnership;
};

}  // namespace quorlin
