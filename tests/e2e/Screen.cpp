#include "tests/e2e/Screen.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <thread>

namespace quorlin::e2e {

std::string ToString(const TRgb& colour) {
    return "(" + std::to_string(colour.R) + "," + std::to_string(colour.G) + "," + std::to_string(colour.B) + ")";
}

std::string Shell(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return output;
    std::array<char, 65536> buffer;
    size_t read;
    while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), read);
    pclose(pipe);
    return output;
}

std::vector<uint8_t> GrabScreenBytes(int x, int y, int width, int height) {
    const std::string geometry =
        std::to_string(width) + "x" + std::to_string(height) + "+" + std::to_string(x) + "+" + std::to_string(y);
    const std::string bytes = Shell("import -window root -crop " + geometry + " +repage -depth 8 rgb:-");
    if (bytes.size() != static_cast<size_t>(width) * height * 3) return {};
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<TRgb> GrabScreen(int x, int y, int width, int height) {
    const std::vector<uint8_t> bytes = GrabScreenBytes(x, y, width, height);
    std::vector<TRgb> pixels;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        pixels.push_back({bytes[i], bytes[i + 1], bytes[i + 2]});
    }
    return pixels;
}

TRgb ScreenPixel(int x, int y) {
    const std::vector<TRgb> pixels = GrabScreen(x, y, 1, 1);
    return pixels.empty() ? TRgb{} : pixels.front();
}

bool SaveScreen(const std::string& path) {
    Shell("import -window root '" + path + "'");
    return !Shell("test -s '" + path + "' && echo yes").empty();
}

void XDo(const std::string& arguments) { Shell("xdotool " + arguments); }

TXWindow WaitForXWindow(const std::string& title, int timeoutMs) {
    TXWindow window;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        const std::string id = Shell("xdotool search --onlyvisible --name '^" + title + "$' | head -1");
        if (!id.empty()) {
            window.Id = id.substr(0, id.find('\n'));
            const std::string geometry = Shell("xdotool getwindowgeometry --shell " + window.Id);
            sscanf(geometry.c_str(), "WINDOW=%*s X=%d Y=%d WIDTH=%d HEIGHT=%d", &window.X, &window.Y, &window.Width,
                   &window.Height);
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return window;
}

bool WaitForPixel(int x, int y, const TRgb& colour, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        if (ScreenPixel(x, y) == colour) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

}  // namespace quorlin::e2e
