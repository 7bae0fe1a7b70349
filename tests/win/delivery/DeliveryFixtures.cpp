#include "tests/win/delivery/DeliveryFixtures.h"

#include <gtest/gtest.h>

#include <cstring>

#include "saver/delivery/bscb.h"
#include "saver/forms/ComInit.h"

namespace quorlin::testing {

namespace {

// The module's main thread is a single-threaded apartment; so is the tests'.
class TComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { FApartment = new TComApartment; }
    void TearDown() override { delete FApartment; }

private:
    TComApartment* FApartment = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kCom = ::testing::AddGlobalTestEnvironment(new TComEnvironment);

}  // namespace

HRESULT STDMETHODCALLTYPE TRecordingCallback::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
        *object = static_cast<IBindStatusCallback*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TRecordingCallback::OnStartBinding(DWORD reserved, IBinding* binding) {
    Calls.push_back("OnStartBinding " + std::to_string(reserved));
    Binding = binding;
    return StartResult;
}

HRESULT STDMETHODCALLTYPE TRecordingCallback::GetPriority(LONG*) {
    Calls.push_back("GetPriority");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TRecordingCallback::OnLowResource(DWORD) {
    Calls.push_back("OnLowResource");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TRecordingCallback::OnProgress(ULONG, ULONG, ULONG, LPCWSTR) {
    Calls.push_back("OnProgress");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TRecordingCallback::OnStopBinding(HRESULT result, LPCWSTR error) {
    Calls.push_back("OnStopBinding " + std::to_string(result) + (error ? " text" : " null"));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TRecordingCallback::GetBindInfo(DWORD*, BINDINFO*) {
    Calls.push_back("GetBindInfo");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TRecordingCallback::OnDataAvailable(DWORD flags, DWORD size, FORMATETC* format,
                                                              STGMEDIUM* medium) {
    std::string line = "OnDataAvailable " + std::to_string(flags) + " " + std::to_string(size);
    if (format) Format = *format;
    if (medium) {
        Medium = *medium;
        if (medium->tymed == TYMED_ISTREAM && medium->pstm) line += " stat=" + std::to_string(StreamSize(medium->pstm));
    }
    Calls.push_back(line);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TRecordingCallback::OnObjectAvailable(REFIID, IUnknown*) {
    Calls.push_back("OnObjectAvailable");
    return S_OK;
}

TWatchedStream::TWatchedStream(const std::string& bytes, bool& freed) : FFreed(freed) {
    FFreed = false;
    WriteBuffer(bytes.data(), bytes.size());
    SetPosition(0);
}

size_t TWatchedStream::Read(void* buffer, size_t count) {
    if (ReadRaises) throw EStreamError("The disk went away");
    return TMemoryStream::Read(buffer, count);
}

TComPtr<IBindCtx> BindContextWith(IBindStatusCallback* callback) {
    TComPtr<IBindCtx> context;
    EXPECT_EQ(CreateBindCtx(0, context.Put()), S_OK);
    if (callback) {
        TComPtr<IBindStatusCallback> previous;
        EXPECT_EQ(RegisterBindStatusCallback(context.Get(), callback, previous.Put(), 0), S_OK);
        EXPECT_FALSE(previous);
    }
    return context;
}

TComPtr<IBindStatusCallback> RegisteredCallback(IBindCtx* context) {
    TComPtr<IBindStatusCallback> probe(new TBSCB);
    TComPtr<IBindStatusCallback> registered;
    EXPECT_EQ(RegisterBindStatusCallback(context, probe.Get(), registered.Put(), 0), S_OK);
    if (registered) {
        TComPtr<IBindStatusCallback> replaced;
        EXPECT_EQ(RegisterBindStatusCallback(context, registered.Get(), replaced.Put(), 0), S_OK);
    } else {
        EXPECT_EQ(RevokeBindStatusCallback(context, probe.Get()), S_OK);
    }
    return registered;
}

std::string ReadAll(IStream* stream) {
    std::string bytes;
    char buffer[4096];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0) bytes.append(buffer, read);
    return bytes;
}

ULONGLONG StreamPosition(IStream* stream) {
    LARGE_INTEGER zero = {};
    ULARGE_INTEGER position = {};
    stream->Seek(zero, STREAM_SEEK_CUR, &position);
    return position.QuadPart;
}

ULONGLONG StreamSize(IStream* stream) {
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    return stat.cbSize.QuadPart;
}

std::string Bytes(size_t count) {
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return bytes;
}

}  // namespace quorlin::testing
