#pragma once
// The control's child window: it paints the current frame and drives the frame timer.

#include <windows.h>

namespace quorlin::control {

class TFlashControl;

constexpr UINT_PTR kFrameTimerId = 1;

HWND CreateControlWindow(TFlashControl* control, HWND parent, const RECT& position);
void UnregisterControlWindowClass();

}  // namespace quorlin::control
