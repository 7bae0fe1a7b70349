// Binding the stream moniker to storage against the real urlmon and ole32, with a callback
// registered in the bind context the way the Flash control registers its own.

#include <gtest/gtest.h>

#include "saver/delivery/moniker.h"
#include "tests/win/delivery/DeliveryFixtures.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

struct TBindSetup {
    TRecordingCallback Callback;
    bool Freed = false;
    TWatchedStream* Source = nullptr;
    TComPtr<IMoniker> Moniker;
    TComPtr<IBindCtx> Context;

    explicit TBindSetup(const std::string& bytes, bool registerCallback = true) {
        auto source = std::make_unique<TWatchedStream>(bytes, Freed);
        Source = source.get();
        Moniker = TComPtr<IMoniker>(new TCustomMoniker(std::move(source)));
        Context = BindContextWith(registerCallback ? &Callback : nullptr);
    }

    HRESULT Bind(TComPtr<IStream>& result) {
        // A value that a forgotten store would leave behind.
        void* out = reinterpret_cast<void*>(0x1234);
        const HRESULT hr = Moniker->BindToStorage(Context.Get(), nullptr, IID_IStream, &out);
        if (SUCCEEDED(hr)) result = TComPtr<IStream>::Attach(static_cast<IStream*>(out));
        else EXPECT_EQ(out, nullptr) << "a failed bind leaves *ppvObj NULL";
        return hr;
    }
};

std::string Delivered(size_t n) {
    return "OnDataAvailable 5 " + std::to_string(n) + " stat=" + std::to_string(n);
}

}  // namespace

TEST(TCustomMonikerBind, DeliversACopyInOneNotificationFramedByStartAndStop) {
    // 70000 bytes cross the copy's 64 KiB chunks.
    for (size_t n : {size_t{1}, size_t{10}, size_t{70000}}) {
        SCOPED_TRACE(n);
        const std::string bytes = Bytes(n);
        TBindSetup setup(bytes);
        const LONG callbackRefs = setup.Callback.RefCount;
        TComPtr<IStream> stream;
        ASSERT_EQ(setup.Bind(stream), S_OK);

        const std::vector<std::string> expected = {"OnStartBinding 0", Delivered(n), "OnStopBinding 1 null"};
        EXPECT_EQ(setup.Callback.Calls, expected);
        TComPtr<IBinding> binding;
        ASSERT_EQ(setup.Moniker.As(binding), S_OK);
        EXPECT_EQ(setup.Callback.Binding, binding.Get()) << "OnStartBinding gets the moniker's own IBinding";

        const FORMATETC& format = setup.Callback.Format;
        EXPECT_EQ(format.cfFormat, 0);
        EXPECT_EQ(format.ptd, nullptr);
        EXPECT_EQ(format.dwAspect, DWORD{DVASPECT_CONTENT});
        EXPECT_EQ(format.lindex, -1);
        EXPECT_EQ(format.tymed, DWORD{TYMED_ISTREAM});
        const STGMEDIUM& medium = setup.Callback.Medium;
        EXPECT_EQ(medium.tymed, DWORD{TYMED_ISTREAM});
        EXPECT_EQ(medium.pstm, stream.Get()) << "the medium lends the stream that is returned";
        EXPECT_EQ(medium.pUnkForRelease, nullptr);

        EXPECT_EQ(StreamPosition(stream.Get()), 0u);
        EXPECT_EQ(ReadAll(stream.Get()), bytes);
        EXPECT_EQ(setup.Callback.RefCount, callbackRefs) << "the moniker keeps no reference to the callback";
        EXPECT_EQ(RegisteredCallback(setup.Context.Get()).Get(), &setup.Callback)
            << "the bind context holds the caller's callback again";
    }
}

TEST(TCustomMonikerBind, EmptySourceGivesAnEmptyStreamEveryTime) {
    TBindSetup setup("");
    for (int bind = 0; bind < 2; ++bind) {
        TComPtr<IStream> stream;
        ASSERT_EQ(setup.Bind(stream), S_OK) << "bind " << bind;
        EXPECT_EQ(StreamSize(stream.Get()), 0u);
    }
    const std::vector<std::string> once = {"OnStartBinding 0", Delivered(0), "OnStopBinding 1 null"};
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(setup.Callback.Calls, twice);
}

TEST(TCustomMonikerBind, SecondBindFindsNothingLeftAndFails) {
    TBindSetup setup("abc");
    TComPtr<IStream> first;
    ASSERT_EQ(setup.Bind(first), S_OK);
    setup.Callback.Calls.clear();
    TComPtr<IStream> second;
    EXPECT_EQ(setup.Bind(second), E_FAIL);
    EXPECT_TRUE(setup.Callback.Calls.empty());
    EXPECT_EQ(ReadAll(first.Get()), "abc") << "the first copy is untouched";
}

TEST(TCustomMonikerBind, LastReleaseFreesTheSourceAndTheCopyLivesOn) {
    TBindSetup setup("movie bytes");
    TComPtr<IStream> stream;
    ASSERT_EQ(setup.Bind(stream), S_OK);
    EXPECT_FALSE(setup.Freed);
    setup.Moniker.Reset();
    EXPECT_TRUE(setup.Freed);
    EXPECT_EQ(ReadAll(stream.Get()), "movie bytes");
}

TEST(TCustomMonikerBind, FailuresGiveEFailWithoutFurtherNotifications) {
    struct Case {
        const char* name;
        bool registerCallback;
        int64_t startAt;      // where the source is positioned
        int64_t extraSize;    // how much more the source claims to hold
        bool readRaises;
        HRESULT startResult;  // of the caller's OnStartBinding
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"no callback registered", false, 0, 0, false, S_OK, {}},
        {"source not at its start", true, 1, 0, false, S_OK, {}},
        {"source lies about its size", true, 0, 5, false, S_OK, {}},
        {"source cannot be read", true, 0, 0, true, S_OK, {}},
        {"OnStartBinding fails", true, 0, 0, false, E_ABORT, {"OnStartBinding 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBindSetup setup("0123456789", c.registerCallback);
        setup.Source->SetPosition(c.startAt);
        setup.Source->ExtraSize = c.extraSize;
        setup.Source->ReadRaises = c.readRaises;
        setup.Callback.StartResult = c.startResult;
        const LONG callbackRefs = setup.Callback.RefCount;

        TComPtr<IStream> stream;
        EXPECT_EQ(setup.Bind(stream), E_FAIL);
        EXPECT_EQ(setup.Callback.Calls, c.calls);
        EXPECT_EQ(setup.Callback.RefCount, callbackRefs) << "every reference to the callback is released";
        EXPECT_EQ(RegisteredCallback(setup.Context.Get()).Get(), c.registerCallback ? &setup.Callback : nullptr)
            << "the bind context ends as it began";
    }
}

TEST(TCustomMonikerBind, BadArgumentsAreRefusedWithoutACrash) {
    TBindSetup setup("abc");
    EXPECT_EQ(setup.Moniker->BindToStorage(setup.Context.Get(), nullptr, IID_IStream, nullptr), E_POINTER);
    void* out = nullptr;
    EXPECT_EQ(setup.Moniker->BindToStorage(nullptr, nullptr, IID_IStream, &out), E_FAIL);
    EXPECT_EQ(out, nullptr);

    // As the class factory makes it: no source at all.
    TComPtr<IMoniker> bare(new TCustomMoniker(nullptr));
    EXPECT_EQ(bare->BindToStorage(setup.Context.Get(), nullptr, IID_IStream, &out), E_FAIL);
    EXPECT_EQ(out, nullptr);
    EXPECT_TRUE(setup.Callback.Calls.empty());
}
