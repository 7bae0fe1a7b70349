#pragma once
// The JPEG image class: holds its own 24-bit copy of a bitmap and compresses it with
// libjpeg when it is saved.

#include <cstdint>
#include <string>
#include <vector>

#include "saver/forms/SysUtils.h"

namespace quorlin {

class TBitmap;
class TStream;

// Raised for what libjpeg refuses (an empty or oversized image, a failing destination).
class EJpegError : public Exception {
public:
    using Exception::Exception;
};

enum class TJpegPixelFormat {
    jf24Bit,  // three colour components
    jf8Bit,   // one greyscale component
};

class TJpegImage {
public:
    // The pixel format starts as 8 bits on a screen of 8 bits a pixel or fewer, else 24.
    TJpegImage();

    TJpegPixelFormat PixelFormat = TJpegPixelFormat::jf24Bit;
    // 1 to 100; the library's default. Baseline tables are forced whatever the quality.
    int CompressionQuality = 90;

    // Takes a copy of the bitmap's pixels; the bitmap stays with the caller.
    void Assign(TBitmap& bitmap);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // One complete JFIF file, from the start-of-image to the end-of-image marker, written at
    // the stream's position. Raises EJpegError for what libjpeg refuses and the stream's
    // own errors for a failing write.
    void SaveToStream(TStream& stream) const;
    // Compresses first, then creates (or overwrites) the file, so that a failed compression
    // leaves no file; a file that cannot be written completely is removed again. Raises
    // EStreamError "Cannot create file <name>" when the file cannot be created.
    void SaveToFile(const std::string& fileName) const;

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint8_t> FRgbRows;  // top row first, red, green, blue, no padding
};

}  // namespace quorlin
