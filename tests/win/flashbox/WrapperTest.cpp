// The Flash operations, each at its slot of the control's table, and the URL route from
// the control's CreateMoniker to OnGetStream.

#include <functional>

#include "saver/forms/ComErrors.h"
#include "saver/forms/ComPtr.h"
#include "saver/forms/MemoryStream.h"
#include "tests/win/flashbox/FlashBoxFixture.h"

using namespace quorlin;
using namespace quorlin::testing;

TEST_F(FlashBoxTest, TheOperationsReachTheirSlots) {
    TFlashBox* box = MakeBox();
    struct TCase {
        std::function<void()> Call;
        const char* Expected;
    };
    // The form swaps COLORREF red (0x000000FF) into the control's order before the call.
    const TCase cases[] = {
        {[&] { box->SetBackgroundColor(0x00FF0000); }, "Flash 18 0x00FF0000"},
        {[&] { box->SetMovie("http://desktop"); }, "Flash 22 http://desktop"},
        {[&] { box->LoadMainMovie(); }, "Flash 22 http://main"},
        {[&] { box->SetScale("exactfit"); }, "Flash 49 exactfit"},
        {[&] { box->SetFlashVars("glass_visible=true&seconds_visible=false"); },
         "Flash 77 glass_visible=true&seconds_visible=false"},
    };
    for (const TCase& test : cases) {
        ClearCalls();
        test.Call();
        EXPECT_EQ(Calls(), std::vector<std::string>{test.Expected});
    }
    Config.PercentLoaded = 42;
    DeleteBox();
    box = MakeBox();
    ClearCalls();
    EXPECT_EQ(box->PercentLoaded(), 42);
    EXPECT_EQ(Calls(), std::vector<std::string>{"Flash 37"});
}

TEST_F(FlashBoxTest, AFailedOperationRaisesTheControlsDescription) {
    Config.FlashResult = E_INVALIDARG;
    TFlashBox* box = MakeBox();
    try {
        box->SetScale("exactfit");
        FAIL() << "no error";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.ErrorCode(), E_INVALIDARG);
        EXPECT_STREQ(error.what(), "The recorder refuses this");
    }
    EXPECT_THROW(box->PercentLoaded(), EOleException);
}

TEST_F(FlashBoxTest, CreateMonikerAnswersWithTheHandlersStream) {
    TFlashBox* box = MakeBox();
    TComPtr<IBindHost> host;
    ASSERT_EQ(box->QueryInterface(IID_IBindHost, host.PutVoid()), S_OK);
    std::vector<std::string> urls;
    struct TCase {
        const char* Name;
        TGetStreamEvent Handler;
        HRESULT Expected;
    };
    const TCase cases[] = {
        {"no handler", nullptr, E_FAIL},
        {"unknown URL", [&](TFlashBox*, const std::string& url, std::unique_ptr<TStream>&) { urls.push_back(url); },
         E_FAIL},
        {"handler raises",
         [&](TFlashBox*, const std::string& url, std::unique_ptr<TStream>&) {
             urls.push_back(url);
             throw Exception("no stream today");
         },
         E_FAIL},
        {"answered",
         [&](TFlashBox* sender, const std::string& url, std::unique_ptr<TStream>& stream) {
             EXPECT_EQ(sender, box);
             urls.push_back(url);
             auto memory = std::make_unique<TMemoryStream>();
             memory->Write("FWS", 3);
             memory->SetPosition(0);
             stream = std::move(memory);
         },
         S_OK},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        box->OnGetStream = test.Handler;
        urls.clear();
        IMoniker* moniker = reinterpret_cast<IMoniker*>(1);
        wchar_t url[] = L"http://main";
        EXPECT_EQ(host->CreateMoniker(url, nullptr, &moniker, 0), test.Expected);
        EXPECT_EQ(moniker != nullptr, test.Expected == S_OK);
        if (moniker) moniker->Release();
        if (test.Handler) {
            EXPECT_EQ(urls, std::vector<std::string>{"http://main"});
        }
    }
    IMoniker* moniker = nullptr;
    EXPECT_EQ(host->MonikerBindToStorage(nullptr, nullptr, nullptr, IID_IStream, reinterpret_cast<void**>(&moniker)),
              E_NOTIMPL);
    EXPECT_EQ(host->MonikerBindToObject(nullptr, nullptr, nullptr, IID_IUnknown, reinterpret_cast<void**>(&moniker)),
              E_NOTIMPL);
}
