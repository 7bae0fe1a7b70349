#pragma once
// The e2e suite's eyes and hands on the virtual screen: pixels from a picture of the
// root window (ImageMagick), real pointer and keyboard input and window lookup (xdotool).

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin::e2e {

struct TRgb {
    uint8_t R = 0, G = 0, B = 0;
    bool operator==(const TRgb&) const = default;
};

std::string ToString(const TRgb& colour);

// A shell command's standard output (its errors are dropped).
std::string Shell(const std::string& command);

// The pixels of a rectangle of the screen as it is now, row by row; empty when the
// picture could not be taken.
std::vector<TRgb> GrabScreen(int x, int y, int width, int height);
TRgb ScreenPixel(int x, int y);
// The same as bytes, three (R, G, B) a pixel.
std::vector<uint8_t> GrabScreenBytes(int x, int y, int width, int height);
// Saves a picture of the whole screen; false when it could not.
bool SaveScreen(const std::string& path);

// Runs xdotool with these arguments (mousemove X Y, key a, click 1, keydown shift...).
void XDo(const std::string& arguments);

struct TXWindow {
    std::string Id;
    int X = 0, Y = 0, Width = 0, Height = 0;
};

// The first visible X window with exactly this title, waiting for it up to timeoutMs;
// an empty Id when none appeared.
TXWindow WaitForXWindow(const std::string& title, int timeoutMs);

// Waits until the pixel has the colour; false after timeoutMs.
bool WaitForPixel(int x, int y, const TRgb& colour, int timeoutMs);

}  // namespace quorlin::e2e
