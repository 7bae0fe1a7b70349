#include "saver/forms/StreamAdapter.h"

#include <algorithm>
#include <vector>

namespace quorlin {

TStreamAdapter::TStreamAdapter(TStream* stream, TStreamOwnership ownership) : FStream(stream), FOwnership(ownership) {}

TStreamAdapter::~TStreamAdapter() {
    if (FOwnership == TStreamOwnership::soOwned) delete FStream;
}

void* TStreamAdapter::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IStream) || IsEqualIID(iid, IID_ISequentialStream)) return static_cast<IStream*>(this);
    return TComObject::FindInterface(iid);
}

// COM methods never let an error of the stream escape.
HRESULT STDMETHODCALLTYPE TStreamAdapter::Read(void* buffer, ULONG count, ULONG* read) {
    if (read) *read = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    try {
        const size_t moved = FStream->Read(buffer, count);
        if (read) *read = static_cast<ULONG>(moved);
        // A short read at the end is a success, as with the system's own memory streams.
        return S_OK;
    } catch (...) {
        return STG_E_READFAULT;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Write(const void* buffer, ULONG count, ULONG* written) {
    if (written) *written = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    try {
        const size_t moved = FStream->Write(buffer, count);
        if (written) *written = static_cast<ULONG>(moved);
        return moved < count ? STG_E_MEDIUMFULL : S_OK;
    } catch (...) {
        return STG_E_CANTSAVE;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) {
    TSeekOrigin from;
    switch (origin) {
        case STREAM_SEEK_SET: from = TSeekOrigin::soBeginning; break;
        case STREAM_SEEK_CUR: from = TSeekOrigin::soCurrent; break;
        case STREAM_SEEK_END: from = TSeekOrigin::soEnd; break;
        default: return STG_E_INVALIDFUNCTION;
    }
    try {
        const int64_t position = FStream->Seek(move.QuadPart, from);
        if (newPosition) newPosition->QuadPart = static_cast<ULONGLONG>(position);
        return S_OK;
    } catch (...) {
        return STG_E_INVALIDFUNCTION;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::SetSize(ULARGE_INTEGER newSize) {
    if (newSize.QuadPart > static_cast<ULONGLONG>(INT64_MAX)) return STG_E_INVALIDFUNCTION;
    try {
        FStream->SetSize(static_cast<int64_t>(newSize.QuadPart));
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                                 ULARGE_INTEGER* written) {
    if (read) read->QuadPart = 0;
    if (written) written->QuadPart = 0;
    if (!target) return STG_E_INVALIDPOINTER;
    std::vector<char> buffer(64 * 1024);
    ULONGLONG totalRead = 0;
    ULONGLONG totalWritten = 0;
    HRESULT result = S_OK;
    try {
        while (totalRead < count.QuadPart) {
            const size_t chunk = static_cast<size_t>(std::min<ULONGLONG>(buffer.size(), count.QuadPart - totalRead));
            const size_t moved = FStream->Read(buffer.data(), chunk);
            if (moved == 0) break;
            totalRead += moved;
            ULONG done = 0;
            result = target->Write(buffer.data(), static_cast<ULONG>(moved), &done);
            totalWritten += done;
            if (FAILED(result)) break;
            if (done < moved) {
                result = STG_E_MEDIUMFULL;
                break;
            }
        }
    } catch (...) {
        result = STG_E_READFAULT;
    }
    if (read) read->QuadPart = totalRead;
    if (written) written->QuadPart = totalWritten;
    return result;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Commit(DWORD) { return S_OK; }

HRESULT STDMETHODCALLTYPE TStreamAdapter::Revert() { return STG_E_REVERTED; }

HRESULT STDMETHODCALLTYPE TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    try {
        stat->cbSize.QuadPart = static_cast<ULONGLONG>(FStream->Size());
        return S_OK;
    } catch (...) {
        return STG_E_ACCESSDENIED;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Clone(IStream** clone) {
    if (clone) *clone = nullptr;
    return E_NOTIMPL;
}

}  // namespace quorlin
