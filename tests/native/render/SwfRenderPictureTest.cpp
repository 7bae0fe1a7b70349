// swfrender's pictures, read back from the PNG file it writes.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "tests/support/ClockPixels.h"

using namespace quorlin::testsupport;

namespace {

int RunTool(const std::string& arguments, std::string& output) {
    const std::string command = std::string(QUORLIN_NATIVE_DIR) + "/swfrender " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct TPng {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Rgba;
};

TPng ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    TPng png;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return png;
    image.format = PNG_FORMAT_RGBA;
    png.Rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, png.Rgba.data(), 0, nullptr)) return TPng{};
    png.Width = int(image.width);
    png.Height = int(image.height);
    return png;
}

const std::string Clock = std::string(QUORLIN_MOVIE_DIR) + "/clock.swf";

TEST(SwfRenderPicture, WritesTheFrameAtTheSizeModeAndBackgroundAsked) {
    const std::string out = std::string(QUORLIN_NATIVE_DIR) + "/swfrender-picture-test.png";
    std::string log;
    ASSERT_EQ(RunTool(Clock + " --vars freeze_time=14:05:30 --time 08:00:00 --frames 3 --size 800x400 --scale exactFit "
                          "--background 204060 --out " + out, log), 0) << log;
    const TPng png = ReadPng(out);
    std::remove(out.c_str());
    ASSERT_EQ(png.Width, 800);
    ASSERT_EQ(png.Height, 400);
    const TPicture picture{png.Rgba.data(), png.Width, png.Height, size_t(png.Width) * 4, TPicture::TLayout::Rgba};
    EXPECT_LT(ColorDistance(PixelAt(picture, 0, 0), RgbFrom(0x204060)), 0.5);
    EXPECT_EQ(png.Rgba[3], 255);
    // exactfit stretches 550 x 400 across 800 x 400: the pivot moves, the vertical second
    // hand stays vertical.
    const auto peaks = RingPeaks(picture, 272.35 * 800 / 550, 200.45, {165, 170});
    ASSERT_FALSE(peaks.empty());
    EXPECT_LT(AngleBetween(peaks.front(), 180), 1.0) << peaks.front();
}

TEST(SwfRenderPicture, RefusesBadPictureOptions) {
    struct TCase {
        std::string Arguments;
        const char* Message;
    } const cases[] = {
        {Clock + " --out /tmp/x.png --size 0x10", "--size"},
        {Clock + " --out /tmp/x.png --size 7681x10", "--size"},
        {Clock + " --out /tmp/x.png --size 100", "--size"},
        {Clock + " --out /tmp/x.png --background red", "--background"},
        {Clock + " --out /tmp/x.png --background 12345", "--background"},
        {Clock + " --size 100x100", "want --out"},
        {Clock + " --frames 1 --time 12:00:00 --out /nonexistent/dir/x.png", "cannot write"},
    };
    for (const TCase& c : cases) {
        std::string log;
        EXPECT_NE(RunTool(c.Arguments, log), 0) << c.Arguments;
        EXPECT_NE(log.find(c.Message), std::string::npos) << c.Arguments << ": " << log;
    }
}

}  // namespace
