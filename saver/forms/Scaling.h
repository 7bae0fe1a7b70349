#pragma once
// Lengths are designed at 96 dots per inch and scaled to the screen's.

namespace quorlin {

constexpr int kDesignDpi = 96;

// The screen's dots per inch (LOGPIXELSY), read once per process.
int ScreenDpi();
// MulDiv(length, screen dots per inch, 96): the nearest integer, halves away from zero.
int ScaleLength(int length);
int ScaleLength(int length, int fromDpi);

}  // namespace quorlin
