#include "saver/shell/PreviewWatch.h"

#include <map>

#include "saver/forms/SysUtils.h"

namespace quorlin {

namespace {

// A thread timer has no window to carry its owner, only its id.
std::map<UINT_PTR, TPreviewWatch*>& Watches() {
    static std::map<UINT_PTR, TPreviewWatch*> watches;
    return watches;
}

}  // namespace

TPreviewWatch::TPreviewWatch(HWND window, std::function<void()> onGone, UINT intervalMs)
    : FWindow(window), FOnGone(std::move(onGone)) {
    // A thread timer, not one of our form's: the form's window dies with the one we watch.
    FTimer = SetTimer(nullptr, 0, intervalMs, Tick);
    if (!FTimer) throw Exception(FormatText("Cannot start the preview timer (error %d)", {std::to_string(GetLastError())}));
    Watches()[FTimer] = this;
}

TPreviewWatch::~TPreviewWatch() { Stop(); }

void TPreviewWatch::Stop() {
    if (!FTimer) return;
    KillTimer(nullptr, FTimer);
    Watches().erase(FTimer);
    FTimer = 0;
}

void CALLBACK TPreviewWatch::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    const auto found = Watches().find(timer);
    if (found != Watches().end()) found->second->Check();
}

void TPreviewWatch::Check() {
    if (IsWindow(FWindow)) return;
    Stop();
    // The handler may end the loop and free this watch's owner; nothing here runs after it.
    std::function<void()> onGone = std::move(FOnGone);
    if (onGone) onGone();
}

}  // namespace quorlin
