#include "saver/shot/Wait.h"

#include <windows.h>

#include "saver/flash/flashbox.h"
#include "saver/forms/Application.h"
#include "saver/shot/Ticks.h"

namespace quorlin {

namespace {

void ServeMessages() {
    Application->ProcessMessages();
    Sleep(kMessagePollMs);
}

}  // namespace

void Delay(uint32_t milliseconds) {
    const uint32_t start = GetTickCount();
    while (!TimeUsedUp(start, GetTickCount(), milliseconds)) ServeMessages();
}

void WaitForMovie(TFlashBox& box) {
    const uint32_t start = GetTickCount();
    while (box.PercentLoaded() < 100 && !TimeUsedUp(start, GetTickCount(), kMovieLoadTimeoutMs)) ServeMessages();
    Delay(kMovieSettleMs);
}

}  // namespace quorlin
