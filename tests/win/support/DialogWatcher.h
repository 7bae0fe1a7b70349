#pragma once
// Watches the test's own process for dialogs (class #32770: message boxes, common dialogs)
// from a thread of its own, so that a test can go on into code that shows one modally.
// Each dialog is recorded with its text and handed to the action, which dismisses it
// unless the test gives another one. Nothing a test starts this way waits for a person.

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/win/support/ChildProcess.h"

namespace quorlin::testing {

class TDialogWatcher {
public:
    using TAction = std::function<void(HWND dialog)>;
    // With no action each dialog is read and dismissed.
    explicit TDialogWatcher(TAction action = {});
    ~TDialogWatcher();
    TDialogWatcher(const TDialogWatcher&) = delete;
    TDialogWatcher& operator=(const TDialogWatcher&) = delete;

    std::vector<TDialogSeen> Seen();

private:
    void Run();

    TAction FAction;
    std::atomic<bool> FStop{false};
    std::mutex FLock;
    std::vector<TDialogSeen> FSeen;
    std::thread FThread;
};

}  // namespace quorlin::testing
