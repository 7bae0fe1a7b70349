// The module's own bind-status callback: its count, its interfaces and its answers.

#include <gtest/gtest.h>

#include "saver/delivery/bscb.h"
#include "saver/forms/ComPtr.h"

using namespace quorlin;

namespace {

class TWatchedBSCB : public TBSCB {
public:
    explicit TWatchedBSCB(bool& destroyed) : FDestroyed(destroyed) { FDestroyed = false; }
    ~TWatchedBSCB() override { FDestroyed = true; }

private:
    bool& FDestroyed;
};

}  // namespace

TEST(TBSCB, AddRefThenReleaseOnANewObjectGive1Then0AndDestroyIt) {
    bool destroyed = false;
    IBindStatusCallback* callback = new TWatchedBSCB(destroyed);
    EXPECT_EQ(callback->AddRef(), 1u);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(callback->Release(), 0u);
    EXPECT_TRUE(destroyed);
}

TEST(TBSCB, QueryInterfaceAnswersOnlyIUnknownAndIBindStatusCallback) {
    bool destroyed = false;
    IBindStatusCallback* callback = new TWatchedBSCB(destroyed);
    callback->AddRef();
    ULONG count = 1;
    for (const IID* iid : {&IID_IUnknown, &IID_IBindStatusCallback}) {
        void* answer = nullptr;
        ASSERT_EQ(callback->QueryInterface(*iid, &answer), S_OK);
        EXPECT_EQ(answer, static_cast<void*>(callback));
        EXPECT_EQ(callback->AddRef(), count + 2) << "the answer added one reference";
        count = callback->Release();
    }
    for (const IID* iid : {&IID_IBinding, &IID_IMoniker, &IID_IBindStatusCallbackEx}) {
        void* answer = reinterpret_cast<void*>(0x1234);
        EXPECT_EQ(callback->QueryInterface(*iid, &answer), E_NOINTERFACE);
        EXPECT_EQ(answer, nullptr);
    }
    while (count > 0) count = callback->Release();
    EXPECT_TRUE(destroyed);
}

TEST(TBSCB, GetBindInfoFailsAndEveryOtherMethodSucceeds) {
    TComPtr<IBindStatusCallback> callback(new TBSCB);
    LONG priority = 77;
    EXPECT_EQ(callback->OnStartBinding(0, nullptr), S_OK);
    EXPECT_EQ(callback->GetPriority(&priority), S_OK);
    EXPECT_EQ(priority, 77) << "not written";
    EXPECT_EQ(callback->OnLowResource(0), S_OK);
    EXPECT_EQ(callback->OnProgress(1, 2, BINDSTATUS_DOWNLOADINGDATA, L"text"), S_OK);
    EXPECT_EQ(callback->OnStopBinding(S_OK, nullptr), S_OK);
    DWORD flags = 77;
    BINDINFO info = {};
    info.cbSize = 12345;
    EXPECT_EQ(callback->GetBindInfo(&flags, &info), E_FAIL);
    EXPECT_EQ(flags, 77u);
    EXPECT_EQ(info.cbSize, 12345u);
    FORMATETC format = {};
    STGMEDIUM medium = {};
    EXPECT_EQ(callback->OnDataAvailable(BSCF_FIRSTDATANOTIFICATION, 0, &format, &medium), S_OK);
    EXPECT_EQ(callback->OnObjectAvailable(IID_IUnknown, nullptr), S_OK);
}
