#include "tests/win/support/DialogWatcher.h"

#include <set>

namespace quorlin::testing {

TDialogWatcher::TDialogWatcher(TAction action) : FAction(std::move(action)), FThread([this] { Run(); }) {}

TDialogWatcher::~TDialogWatcher() {
    FStop = true;
    FThread.join();
}

std::vector<TDialogSeen> TDialogWatcher::Seen() {
    std::lock_guard<std::mutex> guard(FLock);
    return FSeen;
}

void TDialogWatcher::Run() {
    std::set<HWND> handled;
    while (!FStop) {
        for (HWND dialog : FindDialogs(GetCurrentProcessId())) {
            if (handled.count(dialog)) continue;
            // Give the dialog a moment to fill its controls before reading it.
            Sleep(150);
            {
                std::lock_guard<std::mutex> guard(FLock);
                FSeen.push_back({WindowText(dialog), DialogText(dialog)});
            }
            handled.insert(dialog);
            if (FAction) FAction(dialog);
            else DismissDialog(dialog);
        }
        Sleep(20);
    }
}

}  // namespace quorlin::testing
