// The bitmap and the JPEG image class: what libjpeg reads back from what they write.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "saver/forms/Bitmap.h"
#include "saver/forms/FileStream.h"
#include "saver/forms/JpegImage.h"
#include "saver/forms/MemoryStream.h"
#include "tests/win/snapshot/JpegDecode.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

std::string Bytes(TMemoryStream& stream) { return std::string(stream.Memory(), static_cast<size_t>(stream.Size())); }

// Each channel within the tolerance that quality 90 leaves inside a flat area.
::testing::AssertionResult Near(uint32_t actual, uint32_t expected, int tolerance = 12) {
    for (int shift : {16, 8, 0}) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

// 64 x 48 in four flat quadrants: red, green / blue, white (COLORREF values).
void PaintQuadrants(TBitmap& bitmap) {
    bitmap.SetSize(64, 48);
    bitmap.Canvas().FillRect({0, 0, 32, 24}, 0x0000FF);
    bitmap.Canvas().FillRect({32, 0, 64, 24}, 0x00FF00);
    bitmap.Canvas().FillRect({0, 24, 32, 48}, 0xFF0000);
    bitmap.Canvas().FillRect({32, 24, 64, 48}, 0xFFFFFF);
}

class TRefusingStream : public TStream {
public:
    size_t Read(void*, size_t) override { return 0; }
    size_t Write(const void*, size_t) override { return 0; }
    int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
};

TEST(JpegImage, SavesABaselineColourPictureTopRowFirst) {
    TBitmap bitmap;
    PaintQuadrants(bitmap);
    TJpegImage jpeg;
    jpeg.PixelFormat = TJpegPixelFormat::jf24Bit;
    jpeg.Assign(bitmap);
    TMemoryStream stream;
    jpeg.SaveToStream(stream);

    const std::string bytes = Bytes(stream);
    EXPECT_EQ(FrameMarker(bytes), 0xC0) << "baseline";
    const TDecodedJpeg decoded = DecodeJpeg(bytes);
    ASSERT_TRUE(decoded.Ok) << decoded.Error;
    EXPECT_EQ(decoded.Width, 64);
    EXPECT_EQ(decoded.Height, 48);
    EXPECT_EQ(decoded.Components, 3);
    EXPECT_FALSE(decoded.Progressive);
    EXPECT_TRUE(Near(decoded.Rgb(12, 10), 0xFF0000)) << "red top left";
    EXPECT_TRUE(Near(decoded.Rgb(52, 10), 0x00FF00)) << "green top right";
    EXPECT_TRUE(Near(decoded.Rgb(12, 38), 0x0000FF)) << "blue bottom left";
    EXPECT_TRUE(Near(decoded.Rgb(52, 38), 0xFFFFFF)) << "white bottom right";
}

TEST(JpegImage, EightBitFormatSavesOneGreyComponent) {
    TBitmap bitmap;
    PaintQuadrants(bitmap);
    TJpegImage jpeg;
    jpeg.PixelFormat = TJpegPixelFormat::jf8Bit;
    jpeg.Assign(bitmap);
    TMemoryStream stream;
    jpeg.SaveToStream(stream);
    const TDecodedJpeg decoded = DecodeJpeg(Bytes(stream));
    ASSERT_TRUE(decoded.Ok) << decoded.Error;
    EXPECT_EQ(decoded.Components, 1);
    EXPECT_TRUE(Near(decoded.Rgb(52, 38), 0xFFFFFF));
}

TEST(JpegImage, FailuresAreErrorsWithTheirReason) {
    TJpegImage empty;
    TMemoryStream stream;
    try {
        empty.SaveToStream(stream);
        ADD_FAILURE() << "an empty image has nothing to save";
    } catch (const EJpegError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("JPEG error: ", 0), 0u) << error.what();
    }

    TBitmap bitmap;
    PaintQuadrants(bitmap);
    TJpegImage jpeg;
    jpeg.Assign(bitmap);
    TRefusingStream refusing;
    // The stream's own error comes through libjpeg unchanged.
    EXPECT_THROW(jpeg.SaveToStream(refusing), EStreamError);
    jpeg.CompressionQuality = 0;
    EXPECT_THROW(jpeg.SaveToStream(stream), EJpegError);

    EXPECT_THROW(bitmap.SetSize(-1, 10), EInvalidGraphic);
}

TEST(JpegImage, SaveToFileWritesTheStreamBytesOrNothing) {
    TBitmap bitmap;
    PaintQuadrants(bitmap);
    TJpegImage jpeg;
    jpeg.Assign(bitmap);
    TMemoryStream stream;
    jpeg.SaveToStream(stream);

    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string file = std::string(folder) + "quorlin-jpeg-test.jpg";
    jpeg.SaveToFile(file);
    std::ifstream in(file, std::ios::binary);
    std::stringstream written;
    written << in.rdbuf();
    in.close();
    EXPECT_EQ(written.str(), Bytes(stream));
    DeleteFileA(file.c_str());

    const std::string missing = std::string(folder) + "no-such-folder-q\\c.jpg";
    try {
        jpeg.SaveToFile(missing);
        ADD_FAILURE() << "a folder that does not exist";
    } catch (const EStreamError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot create file " + missing, 0), 0u) << error.what();
    }
    EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
