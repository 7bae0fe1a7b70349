#pragma once
// The desktop snapshot: the primary screen as it is at that moment, as JPEG bytes in a
// memory stream that the screen form serves for "http://desktop". Each operation returns a
// new object that the caller owns.

#include <memory>

#include "saver/forms/Bitmap.h"
#include "saver/forms/JpegImage.h"
#include "saver/forms/MemoryStream.h"

namespace quorlin {

// The primary monitor's rectangle from (0, 0), in the screen's own colour format.
std::unique_ptr<TBitmap> CaptureDesktopBitmap();
// A 24-bit JPEG image of that bitmap; the bitmap is gone when it returns.
std::unique_ptr<TJpegImage> CaptureDesktopJpeg();
// The encoded bytes, one whole JFIF file, positioned at 0; the image stays the caller's.
std::unique_ptr<TMemoryStream> JpegToMemoryStream(const TJpegImage& jpeg);
std::unique_ptr<TMemoryStream> CaptureDesktopStream();

}  // namespace quorlin
