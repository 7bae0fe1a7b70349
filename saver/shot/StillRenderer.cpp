#include "saver/shot/StillRenderer.h"

#include <windows.h>

#include <memory>

#include "saver/flash/flashbox.h"
#include "saver/forms/Bitmap.h"
#include "saver/forms/JpegImage.h"
#include "saver/shot/FormImage.h"
#include "saver/shot/ShotForm.h"
#include "saver/shot/Wait.h"

namespace quorlin {

namespace {

// Far outside every screen, so that nothing of the run is ever seen.
constexpr int kOffScreen = -32000;

// The largest side a JPEG file can describe (libjpeg's JPEG_MAX_DIMENSION).
constexpr int32_t kMaxPictureSide = 65500;
// The picture exists three times over while it is taken (the control's frame, the bitmap,
// the JPEG image's copy), up to 4 bytes a pixel each: beyond 64 Mi pixels that no longer
// fits a 32-bit process, and an allocation that fails inside the control's painting could
// not be reported. 7680 x 4320 is well inside.
constexpr int64_t kMaxPicturePixels = int64_t{8192} * 8192;

// Sizes are refused before anything is built, with a message that says why. A picture of
// zero or fewer pixels on either axis is our choice to refuse too: a JPEG file needs at
// least one pixel each way, and a form of no size would paint nothing to take.
void CheckPictureSize(int32_t width, int32_t height) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width < 1 || height < 1) {
        throw Exception("Picture size " + size + " is not possible: width and height must be at least 1 pixel");
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide) {
        throw Exception("Picture size " + size + " is too large: a JPEG file has at most " +
                        std::to_string(kMaxPictureSide) + " pixels each way");
    }
    if (int64_t{width} * height > kMaxPicturePixels) {
        throw Exception("Picture size " + size + " is too large: at most " + std::to_string(kMaxPicturePixels) +
                        " pixels in all");
    }
}

// The box is owned by the form and goes with it.
TFlashBox& PlaceFlashBox(TShotForm& form, int32_t width, int32_t height) {
    auto* box = new TFlashBox(&form);
    box->SetParent(&form);
    box->SetBounds(0, 0, width, height);
    box->Align = TAlign::alClient;
    return *box;
}

void SaveAsJpeg(TBitmap& bitmap, const std::string& fileName) {
    TJpegImage jpeg;
    // Three components whatever the screen's colour depth.
    jpeg.PixelFormat = TJpegPixelFormat::jf24Bit;
    jpeg.CompressionQuality = 90;
    jpeg.Assign(bitmap);
    jpeg.SaveToFile(fileName);
}

}  // namespace

std::string BuildShotVars(const std::string& time) {
    return "freeze_time=" + time + "&glass_visible=true&seconds_visible=true";
}

void RenderStill(const std::string& fileName, int32_t width, int32_t height, const std::string& time,
                 const std::string& scale) {
    CheckPictureSize(width, height);

    auto form = std::make_unique<TShotForm>();
    form->BorderStyle = TFormBorderStyle::bsNone;
    form->Position = TPosition::poDesigned;
    form->SetBounds(kOffScreen, kOffScreen, width, height);

    TFlashBox& box = PlaceFlashBox(*form, width, height);
    box.SetBackgroundColor(0);
    box.SetScale(scale);
    box.SetFlashVars(BuildShotVars(time));
    TShotForm* shotForm = form.get();
    box.OnGetStream = [shotForm](TFlashBox* sender, const std::string& url, std::unique_ptr<TStream>& stream) {
        shotForm->GetStream(sender, url, stream);
    };

    // Visible but not activated: the foreground window stays as it is. The form's own
    // visibility flag is left alone.
    ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
    box.LoadMainMovie();
    WaitForMovie(box);

    // Declared after the form, so that they go first, on every path.
    std::unique_ptr<TBitmap> bitmap = GetFormImage(*form);
    SaveAsJpeg(*bitmap, fileName);
}

}  // namespace quorlin
