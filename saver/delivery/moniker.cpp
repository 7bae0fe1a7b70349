#include "saver/delivery/moniker.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "saver/delivery/bscb.h"
#include "saver/forms/ComObjectFactory.h"
#include "saver/forms/ComPtr.h"
#include "saver/forms/ComServer.h"

namespace quorlin {

const CLSID CLSID_CustomMoniker = {0xA3D6C94F, 0x811E, 0x4C5B, {0x94, 0x1F, 0xE0, 0x03, 0x5F, 0xF3, 0xD8, 0xC4}};

namespace {

// The module never makes a moniker through its factory; it is there for the registration.
TComObjectFactory CustomMonikerFactory(
    ComServer(), [] { return new TCustomMoniker(nullptr); }, CLSID_CustomMoniker, "CustomMoniker", "",
    TClassInstancing::ciMultiInstance, TThreadingModel::tmApartment);

// A stub's interface out parameter: emptied where the caller gave a place for it.
template <class T>
void ClearOut(T** out) {
    if (out) *out = nullptr;
}

}  // namespace

TCustomMoniker::TCustomMoniker(std::unique_ptr<TStream> stream) : FStream(std::move(stream)) {}

TCustomMoniker::~TCustomMoniker() = default;

void* TCustomMoniker::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IBinding)) return static_cast<IBinding*>(this);
    if (IsEqualIID(iid, IID_IMoniker)) return static_cast<IMoniker*>(this);
    return TComObject::FindInterface(iid);
}

// IBinding

HRESULT STDMETHODCALLTYPE TCustomMoniker::Abort() { return S_OK; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::Suspend() { return S_OK; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::Resume() { return S_OK; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::SetPriority(LONG) { return S_OK; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::GetPriority(LONG*) { return S_OK; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::GetBindResult(CLSID*, DWORD*, LPOLESTR*, DWORD*) { return S_OK; }

// IPersist, IPersistStream

HRESULT STDMETHODCALLTYPE TCustomMoniker::GetClassID(CLSID*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::IsDirty() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::Load(IStream*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::Save(IStream*, BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::GetSizeMax(ULARGE_INTEGER*) { return E_NOTIMPL; }

// IMoniker

HRESULT STDMETHODCALLTYPE TCustomMoniker::BindToObject(IBindCtx*, IMoniker*, REFIID, void**) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TCustomMoniker::BindToStorage(IBindCtx* context, IMoniker*, REFIID, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    try {
        TComPtr<IStream> content;
        if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, content.Put()))) return E_FAIL;
        if (!FStream) return E_FAIL;
        const int64_t size = FStream->Size();
        // The notification carries the size in 32 bits.
        if (size < 0 || size > static_cast<int64_t>(std::numeric_limits<DWORD>::max())) return E_FAIL;
        if (!CopySourceTo(content.Get(), size)) return E_FAIL;
        const HRESULT result = Deliver(context, content.Get(), static_cast<DWORD>(size));
        if (FAILED(result)) return result;
        *object = content.Detach();
        return S_OK;
    } catch (...) {
        // A stream of ours that raises (or memory running out) is a failed bind, never an
        // exception through COM.
        return E_FAIL;
    }
}

// size bytes of the source from its current position into target, which is left at offset 0.
bool TCustomMoniker::CopySourceTo(IStream* target, int64_t size) {
    std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(size, 64 * 1024)));
    for (int64_t left = size; left > 0;) {
        const size_t chunk = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(buffer.size())));
        const size_t read = FStream->Read(buffer.data(), chunk);
        if (read == 0) return false;
        ULONG written = 0;
        if (FAILED(target->Write(buffer.data(), static_cast<ULONG>(read), &written)) || written != read) return false;
        left -= static_cast<int64_t>(read);
    }
    LARGE_INTEGER start = {};
    return SUCCEEDED(target->Seek(start, STREAM_SEEK_SET, nullptr));
}

// Finds the caller's callback by trading places with it for an instant, then hands it the
// content in one notification that is both the first and the last.
HRESULT TCustomMoniker::Deliver(IBindCtx* context, IStream* content, DWORD size) {
    TComPtr<IBindStatusCallback> probe(new TBSCB);
    TComPtr<IBindStatusCallback> previous;
    if (FAILED(RegisterBindStatusCallback(context, probe.Get(), previous.Put(), 0))) return E_FAIL;
    if (!previous) {
        // Nobody was registered: take the probe out again, so the bind context ends as it began.
        RevokeBindStatusCallback(context, probe.Get());
        return E_FAIL;
    }
    probe.Reset();
    TComPtr<IBindStatusCallback> replaced;
    if (FAILED(RegisterBindStatusCallback(context, previous.Get(), replaced.Put(), 0))) return E_FAIL;
    replaced.Reset();

    if (FAILED(previous->OnStartBinding(0, static_cast<IBinding*>(this)))) return E_FAIL;

    FORMATETC format = {};
    format.cfFormat = 0;
    format.ptd = nullptr;
    format.dwAspect = DVASPECT_CONTENT;
    format.lindex = -1;
    format.tymed = TYMED_ISTREAM;
    STGMEDIUM medium = {};
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = content;  // lent for the call, without a reference of its own
    medium.pUnkForRelease = nullptr;
    previous->OnDataAvailable(BSCF_FIRSTDATANOTIFICATION | BSCF_LASTDATANOTIFICATION, size, &format, &medium);
    previous->OnStopBinding(S_FALSE, nullptr);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TCustomMoniker::Reduce(IBindCtx*, DWORD, IMoniker**, IMoniker** reduced) {
    ClearOut(reduced);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TCustomMoniker::ComposeWith(IMoniker*, BOOL, IMoniker** composite) {
    ClearOut(composite);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TCustomMoniker::Enum(BOOL, IEnumMoniker** enumMoniker) {
    ClearOut(enumMoniker);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TCustomMoniker::IsEqual(IMoniker*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::Hash(DWORD*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::IsRunning(IBindCtx*, IMoniker*, IMoniker*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TCustomMoniker::GetTimeOfLastChange(IBindCtx*, IMoniker*, FILETIME*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TCustomMoniker::Inverse(IMoniker** inverse) {
    ClearOut(inverse);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TCustomMoniker::CommonPrefixWith(IMoniker*, IMoniker** prefix) {
    ClearOut(prefix);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TCustomMoniker::RelativePathTo(IMoniker*, IMoniker** relativePath) {
    ClearOut(relativePath);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TCustomMoniker::GetDisplayName(IBindCtx*, IMoniker*, LPOLESTR*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TCustomMoniker::ParseDisplayName(IBindCtx*, IMoniker*, LPOLESTR, ULONG*, IMoniker** out) {
    ClearOut(out);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TCustomMoniker::IsSystemMoniker(DWORD*) { return E_NOTIMPL; }

}  // namespace quorlin
