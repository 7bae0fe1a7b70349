#pragma once
// Notices that a window we do not own has gone: the preview window of the display
// settings, which destroys it (and our form inside it) without telling the process.

#include <windows.h>

#include <functional>

namespace quorlin {

class TPreviewWatch {
public:
    // Looks at the window every `intervalMs` from the message loop; `onGone` runs once,
    // the first time the window no longer exists.
    TPreviewWatch(HWND window, std::function<void()> onGone, UINT intervalMs = 200);
    ~TPreviewWatch();
    TPreviewWatch(const TPreviewWatch&) = delete;
    TPreviewWatch& operator=(const TPreviewWatch&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);
    void Check();
    void Stop();

    HWND FWindow;
    std::function<void()> FOnGone;
    UINT_PTR FTimer = 0;
};

}  // namespace quorlin
