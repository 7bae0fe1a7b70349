// The application object with real windows and a real message queue.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

#include "saver/forms/Application.h"
#include "saver/forms/SysUtils.h"
#include "tests/win/support/ChildProcess.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

// Each test gets an application object of its own, as a process would.
class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        FApplication = std::make_unique<TApplication>();
        Application = FApplication.get();
    }
    void TearDown() override {
        FApplication.reset();
        Application = nullptr;
    }
    std::unique_ptr<TApplication> FApplication;
};

// Reads and dismisses the message boxes of this process from a second thread, so that a
// test never waits for a person.
class TDialogWatcher {
public:
    explicit TDialogWatcher(std::function<void()> afterDismiss = {})
        : FAfterDismiss(std::move(afterDismiss)), FThread([this] {
              while (!FStop) {
                  for (HWND dialog : FindDialogs(GetCurrentProcessId())) {
                      // The box may still be filling its controls when it first shows.
                      std::string text;
                      for (int tries = 0; tries < 50 && text.empty(); ++tries, Sleep(20)) text = DialogText(dialog);
                      std::lock_guard<std::mutex> lock(FMutex);
                      FTexts.push_back(text);
                      DismissDialog(dialog);
                      if (FAfterDismiss) FAfterDismiss();
                      Sleep(100);
                  }
                  Sleep(20);
              }
          }) {}
    ~TDialogWatcher() {
        FStop = true;
        FThread.join();
    }
    std::vector<std::string> Texts() {
        std::lock_guard<std::mutex> lock(FMutex);
        return FTexts;
    }

private:
    std::function<void()> FAfterDismiss;
    std::atomic<bool> FStop{false};
    std::mutex FMutex;
    std::vector<std::string> FTexts;
    std::thread FThread;
};

struct TProbeForm : TCustomForm {
    explicit TProbeForm(TComponent* owner) : TCustomForm(owner) {}
};

}  // namespace

TEST_F(ApplicationTest, RunWithoutAMainFormReturnsAtOnce) {
    Application->Run();
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(ApplicationTest, FirstFormIsTheMainFormAndRunsItsCreateHandler) {
    int created = 0;
    struct TCountingForm : TCustomForm {
        TCountingForm(TComponent* owner, int& counter) : TCustomForm(owner) {
            OnCreate = [&counter] { ++counter; };
        }
    };
    auto* first = Application->CreateForm<TCountingForm>(created);
    auto* second = Application->CreateForm<TCountingForm>(created);
    EXPECT_EQ(created, 2);
    EXPECT_EQ(Application->MainForm, first);
    EXPECT_NE(Application->MainForm, second);
    EXPECT_EQ(first->Owner(), Application);
}

TEST_F(ApplicationTest, RunShowsTheMainFormAndEndsWhenItCloses) {
    auto* form = Application->CreateForm<TProbeForm>();
    bool visibleInShow = false;
    form->OnShow = [&] {
        visibleInShow = IsWindowVisible(form->Handle()) != FALSE;
        PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    };
    Application->Run();
    EXPECT_TRUE(visibleInShow);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(ApplicationTest, HiddenMainFormStillRunsTheLoopUntilTerminate) {
    auto* form = Application->CreateForm<TProbeForm>();
    Application->ShowMainForm = false;
    bool sawTick = false;
    Application->OnMessage = [&](MSG& msg, bool&) {
        if (msg.message == WM_APP + 1) {
            sawTick = true;
            Application->Terminate();
        }
    };
    PostMessageA(nullptr, WM_APP + 1, 0, 0);
    Application->Run();
    EXPECT_TRUE(sawTick);
    EXPECT_FALSE(form->HandleAllocated() && IsWindowVisible(form->Handle()));
}

TEST_F(ApplicationTest, OnMessageSeesMessagesFirstAndCanStopThem) {
    auto* form = Application->CreateForm<TProbeForm>();
    int seen = 0;
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message == WM_CLOSE) {
            ++seen;
            handled = true;  // the form never hears of it
        }
    };
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(Application->Terminated());
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "no quit was posted";
}

TEST_F(ApplicationTest, TitleDefaultsToTheModuleNameAndReachesTheWindow) {
    EXPECT_EQ(Application->Title(), "wintest_forms");
    Application->SetTitle("Tessaly Screensaver");
    EXPECT_EQ(WindowText(Application->Handle()), "Tessaly Screensaver");
}

TEST_F(ApplicationTest, ErrorInAHandlerIsReportedAndTheFormCarriesOn) {
    auto* form = Application->CreateForm<TProbeForm>();
    // Once the report is dismissed, the form is asked to close: the loop must still be running.
    TDialogWatcher watcher([&] { PostMessageA(form->Handle(), WM_CLOSE, 0, 0); });
    bool afterError = false;
    form->OnShow = [&] {
        throw Exception("The show handler failed");
        afterError = true;  // skipped: the rest of the handler does not run
    };
    Application->Run();
    EXPECT_FALSE(afterError);
    EXPECT_TRUE(Application->Terminated()) << "the loop carried on to the close";
    const auto texts = watcher.Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "The show handler failed");
}
