#include "player/control/MovieBinding.h"

#include <algorithm>

#include "player/control/FlashControl.h"

namespace quorlin::control {

namespace {

// A movie never needs more than this; a source that offers more is not a movie of ours.
constexpr size_t kMaxMovieBytes = 64u << 20;
constexpr size_t kSwfHeaderBytes = 8;

}  // namespace

TMovieBinding::TMovieBinding(TFlashControl* control) : FControl(control) {}

TMovieBinding::~TMovieBinding() {
    if (FBinding) FBinding->Release();
}

HRESULT STDMETHODCALLTYPE TMovieBinding::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
        *object = static_cast<IBindStatusCallback*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TMovieBinding::AddRef() { return InterlockedIncrement(&FRefCount); }

ULONG STDMETHODCALLTYPE TMovieBinding::Release() {
    const ULONG count = InterlockedDecrement(&FRefCount);
    if (count == 0) delete this;
    return count;
}

HRESULT STDMETHODCALLTYPE TMovieBinding::OnStartBinding(DWORD, IBinding* binding) {
    if (FBinding) FBinding->Release();
    FBinding = binding;
    if (FBinding) FBinding->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TMovieBinding::GetPriority(LONG* priority) {
    if (!priority) return E_POINTER;
    *priority = THREAD_PRIORITY_NORMAL;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TMovieBinding::OnLowResource(DWORD) { return S_OK; }

HRESULT STDMETHODCALLTYPE TMovieBinding::OnProgress(ULONG, ULONG, ULONG, LPCWSTR) { return S_OK; }

HRESULT STDMETHODCALLTYPE TMovieBinding::OnStopBinding(HRESULT result, LPCWSTR) {
    if (FBinding) {
        FBinding->Release();
        FBinding = nullptr;
    }
    // S_FALSE is a success too: some sources end a complete delivery with it.
    Finish(SUCCEEDED(result));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TMovieBinding::GetBindInfo(DWORD* flags, BINDINFO* info) {
    if (!flags || !info) return E_POINTER;
    *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE | BINDF_PULLDATA;
    const ULONG size = info->cbSize;
    ZeroMemory(info, size);
    info->cbSize = size;
    info->dwBindVerb = BINDVERB_GET;
    return S_OK;
}

size_t TMovieBinding::ExpectedLength() const {
    if (FBytes.size() < kSwfHeaderBytes) return 0;
    // The header's length field is the uncompressed length; a compressed file is shorter,
    // so this only bounds the progress, it never completes it.
    return size_t{FBytes[4]} | size_t{FBytes[5]} << 8 | size_t{FBytes[6]} << 16 | size_t{FBytes[7]} << 24;
}

HRESULT STDMETHODCALLTYPE TMovieBinding::OnDataAvailable(DWORD flags, DWORD, FORMATETC*, STGMEDIUM* medium) {
    if (FFinished) return S_OK;
    if (medium && medium->tymed == TYMED_ISTREAM && medium->pstm) {
        uint8_t chunk[16384];
        for (;;) {
            ULONG read = 0;
            const HRESULT hr = medium->pstm->Read(chunk, sizeof chunk, &read);
            if (read > 0) {
                if (FBytes.size() + read > kMaxMovieBytes) {
                    TFlashControl* control = FControl;
                    Cancel();
                    if (control) control->OnMovieFailed();
                    return E_ABORT;
                }
                FBytes.insert(FBytes.end(), chunk, chunk + read);
            }
            if (hr != S_OK || read == 0) break;  // S_FALSE: the end for now; E_PENDING: more later
        }
    }
    if (FControl) FControl->OnMovieProgress(FBytes.size(), ExpectedLength());
    if (flags & BSCF_LASTDATANOTIFICATION) Finish(true);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TMovieBinding::OnObjectAvailable(REFIID, IUnknown*) { return S_OK; }

void TMovieBinding::Finish(bool succeeded) {
    if (FFinished) return;
    // The control lets go of this binding while it takes the movie.
    AddRef();
    FFinished = true;
    TFlashControl* control = FControl;
    FControl = nullptr;
    if (control) {
        if (succeeded) control->OnMovieArrived(std::move(FBytes));
        else control->OnMovieFailed();
    }
    Release();
}

void TMovieBinding::Cancel() {
    FControl = nullptr;
    FFinished = true;
    if (FBinding) {
        IBinding* binding = FBinding;
        FBinding = nullptr;
        binding->Abort();
        binding->Release();
    }
}

}  // namespace quorlin::control
