// The stream moniker's interfaces: what QueryInterface answers, the one count behind them,
// and the result and out parameters of every IBinding and IMoniker slot.

#include <gtest/gtest.h>

#include <functional>

#include "saver/delivery/moniker.h"
#include "tests/win/delivery/DeliveryFixtures.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

TComPtr<IMoniker> NewMoniker(bool& freed) {
    return TComPtr<IMoniker>(new TCustomMoniker(std::make_unique<TWatchedStream>("x", freed)));
}

}  // namespace

TEST(TCustomMonikerInterfaces, QueryInterfaceAnswersItsFourInterfacesOnOneObject) {
    bool freed = false;
    TComPtr<IMoniker> moniker = NewMoniker(freed);
    TComPtr<IUnknown> identity;
    ASSERT_EQ(moniker->QueryInterface(IID_IUnknown, identity.PutVoid()), S_OK);

    for (const IID* iid : {&IID_IUnknown, &IID_ISupportErrorInfo, &IID_IBinding, &IID_IMoniker}) {
        TComPtr<IUnknown> answer;
        ASSERT_EQ(moniker->QueryInterface(*iid, answer.PutVoid()), S_OK);
        TComPtr<IUnknown> back;
        ASSERT_EQ(answer->QueryInterface(IID_IUnknown, back.PutVoid()), S_OK);
        EXPECT_EQ(back.Get(), identity.Get()) << "one object behind every interface";
    }
    for (const IID* iid : {&IID_IPersist, &IID_IPersistStream, &IID_IStream, &IID_IBindStatusCallback,
                           &IID_IClassFactory}) {
        void* answer = reinterpret_cast<void*>(0x1234);
        EXPECT_EQ(moniker->QueryInterface(*iid, &answer), E_NOINTERFACE);
        EXPECT_EQ(answer, nullptr);
    }
}

TEST(TCustomMonikerInterfaces, AllInterfacesShareOneCountFromZero) {
    bool freed = false;
    auto* object = new TCustomMoniker(std::make_unique<TWatchedStream>("x", freed));
    IMoniker* moniker = object;
    EXPECT_EQ(moniker->AddRef(), 1u) << "the creator's first reference takes the count to 1";
    IBinding* binding = nullptr;
    ASSERT_EQ(moniker->QueryInterface(IID_IBinding, reinterpret_cast<void**>(&binding)), S_OK);
    EXPECT_EQ(binding->AddRef(), 3u);
    EXPECT_EQ(moniker->Release(), 2u);
    EXPECT_EQ(binding->Release(), 1u);
    EXPECT_FALSE(freed);
    // The last reference may go through IBinding just as well.
    EXPECT_EQ(binding->Release(), 0u);
    EXPECT_TRUE(freed);
}

TEST(TCustomMonikerInterfaces, SupportErrorInfoNamesTheImplementedInterfaces) {
    bool freed = false;
    TComPtr<IMoniker> moniker = NewMoniker(freed);
    TComPtr<ISupportErrorInfo> errorInfo;
    ASSERT_EQ(moniker.As(errorInfo), S_OK);
    for (const IID* iid : {&IID_IUnknown, &IID_ISupportErrorInfo, &IID_IBinding, &IID_IMoniker}) {
        EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(*iid), S_OK);
    }
    for (const IID* iid : {&IID_IPersistStream, &IID_IPersist, &IID_IDispatch}) {
        EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(*iid), S_FALSE);
    }
}

TEST(TCustomMonikerInterfaces, EveryBindingCallSucceedsAndWritesNothing) {
    bool freed = false;
    TComPtr<IMoniker> moniker = NewMoniker(freed);
    TComPtr<IBinding> binding;
    ASSERT_EQ(moniker.As(binding), S_OK);
    EXPECT_EQ(binding->Abort(), S_OK);
    EXPECT_EQ(binding->Suspend(), S_OK);
    EXPECT_EQ(binding->Resume(), S_OK);
    EXPECT_EQ(binding->SetPriority(THREAD_PRIORITY_HIGHEST), S_OK);
    LONG priority = 77;
    EXPECT_EQ(binding->GetPriority(&priority), S_OK);
    EXPECT_EQ(priority, 77);
    CLSID protocol = CLSID_CustomMoniker;
    DWORD result = 77;
    LPOLESTR text = reinterpret_cast<LPOLESTR>(0x1234);
    DWORD reserved = 77;
    EXPECT_EQ(binding->GetBindResult(&protocol, &result, &text, &reserved), S_OK);
    EXPECT_TRUE(IsEqualCLSID(protocol, CLSID_CustomMoniker));
    EXPECT_EQ(result, 77u);
    EXPECT_EQ(text, reinterpret_cast<LPOLESTR>(0x1234));
    EXPECT_EQ(reserved, 77u);
}

// Each slot is called twice: with out places holding a marker, and with NULL out places.
TEST(TCustomMonikerInterfaces, EveryMonikerStubGivesItsResultAndOutParameterRule) {
    bool freed = false;
    TComPtr<IMoniker> moniker = NewMoniker(freed);
    IMoniker* m = moniker.Get();
    IBindCtx* context = BindContextWith(nullptr).Detach();
    IMoniker* const marker = reinterpret_cast<IMoniker*>(0x1234);

    enum TOut { kNone, kNotWritten, kCleared };
    struct Slot {
        const char* name;
        TOut out;
        // Calls the slot with the marker's place (or NULL) and returns its result.
        std::function<HRESULT(void** place)> call;
    };
    const std::vector<Slot> slots = {
        {"GetClassID", kNotWritten, [&](void** p) { return m->GetClassID(reinterpret_cast<CLSID*>(p)); }},
        {"IsDirty", kNone, [&](void**) { return m->IsDirty(); }},
        {"Load", kNone, [&](void**) { return m->Load(nullptr); }},
        {"Save", kNone, [&](void**) { return m->Save(nullptr, TRUE); }},
        {"GetSizeMax", kNotWritten, [&](void** p) { return m->GetSizeMax(reinterpret_cast<ULARGE_INTEGER*>(p)); }},
        {"BindToObject", kNotWritten, [&](void** p) { return m->BindToObject(context, nullptr, IID_IUnknown, p); }},
        {"Reduce", kCleared,
         [&](void** p) {
             IMoniker* toLeft = marker;
             const HRESULT hr = m->Reduce(context, MKRREDUCE_ALL, &toLeft, reinterpret_cast<IMoniker**>(p));
             EXPECT_EQ(toLeft, marker) << "ppmkToLeft is left alone";
             return hr;
         }},
        {"ComposeWith", kCleared, [&](void** p) { return m->ComposeWith(m, FALSE, reinterpret_cast<IMoniker**>(p)); }},
        {"Enum", kCleared, [&](void** p) { return m->Enum(TRUE, reinterpret_cast<IEnumMoniker**>(p)); }},
        {"IsEqual", kNone, [&](void**) { return m->IsEqual(m); }},
        {"Hash", kNotWritten, [&](void** p) { return m->Hash(reinterpret_cast<DWORD*>(p)); }},
        {"IsRunning", kNone, [&](void**) { return m->IsRunning(context, nullptr, nullptr); }},
        {"GetTimeOfLastChange", kNotWritten,
         [&](void** p) { return m->GetTimeOfLastChange(context, nullptr, reinterpret_cast<FILETIME*>(p)); }},
        {"Inverse", kCleared, [&](void** p) { return m->Inverse(reinterpret_cast<IMoniker**>(p)); }},
        {"CommonPrefixWith", kCleared,
         [&](void** p) { return m->CommonPrefixWith(m, reinterpret_cast<IMoniker**>(p)); }},
        {"RelativePathTo", kCleared, [&](void** p) { return m->RelativePathTo(m, reinterpret_cast<IMoniker**>(p)); }},
        {"GetDisplayName", kNotWritten,
         [&](void** p) { return m->GetDisplayName(context, nullptr, reinterpret_cast<LPOLESTR*>(p)); }},
        {"ParseDisplayName", kCleared,
         [&](void** p) {
             ULONG eaten = 77;
             wchar_t name[] = L"http://main";
             const HRESULT hr =
                 m->ParseDisplayName(context, nullptr, name, &eaten, reinterpret_cast<IMoniker**>(p));
             EXPECT_EQ(eaten, 77u);
             return hr;
         }},
        {"IsSystemMoniker", kNotWritten, [&](void** p) { return m->IsSystemMoniker(reinterpret_cast<DWORD*>(p)); }},
    };
    for (const Slot& slot : slots) {
        SCOPED_TRACE(slot.name);
        // Room for the largest out type (a CLSID), marked in its first pointer's worth.
        void* place[4] = {marker, marker, marker, marker};
        EXPECT_EQ(slot.call(place), E_NOTIMPL);
        if (slot.out == kCleared) EXPECT_EQ(place[0], nullptr);
        else EXPECT_EQ(place[0], marker) << "not written";
        EXPECT_EQ(place[1], marker);
        EXPECT_EQ(slot.call(nullptr), E_NOTIMPL);
    }
    context->Release();
    EXPECT_FALSE(freed);
}
