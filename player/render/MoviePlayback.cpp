#include "player/render/MoviePlayback.h"

#include <cmath>
#include <cstring>

#include "player/runtime/RenderTree.h"

namespace quorlin::render {

namespace {

std::shared_ptr<const runtime::TMovie> LoadMovie(std::span<const uint8_t> bytes) {
    try {
        return runtime::TMovie::Load(bytes);
    } catch (const std::exception& e) {
        throw RenderError(std::string("the data is not a playable movie: ") + e.what());
    }
}

int32_t TwipsToPixels(double twips) { return int32_t(std::lround(twips / 20.0)); }

}  // namespace

TMoviePlayback::TMoviePlayback(std::span<const uint8_t> bytes, const std::string& flashVars, runtime::TClock& clock)
    : TMoviePlayback(LoadMovie(bytes), flashVars, clock) {}

TMoviePlayback::TMoviePlayback(std::shared_ptr<const runtime::TMovie> movie, const std::string& flashVars,
                               runtime::TClock& clock)
    : FMovie(std::move(movie)), FPlayback(FMovie, clock), FStage(FMovie) {
    FPlayback.Player().SetFlashVars(flashVars);
}

int32_t TMoviePlayback::StageWidth() const { return TwipsToPixels(double(FMovie->Stage().XMax) - FMovie->Stage().XMin); }

int32_t TMoviePlayback::StageHeight() const { return TwipsToPixels(double(FMovie->Stage().YMax) - FMovie->Stage().YMin); }

double TMoviePlayback::FramesPerSecond() const { return FMovie->FramesPerSecond(); }

int TMoviePlayback::TotalFrames() const { return FMovie->MainTimeline().FrameCount(); }

int TMoviePlayback::CurrentFrame() const { return Player().Root().CurrentFrame(); }

uint32_t TMoviePlayback::MovieBackground() const {
    const swf::TRgba c = FMovie->Background();
    return (uint32_t(c.R) << 16) | (uint32_t(c.G) << 8) | c.B;
}

std::vector<TDrawItem> TMoviePlayback::FrameItems(int32_t width, int32_t height, TScaleMode mode) {
    const TMatrix stage = TStageTransform::Compute(StageOf(*FMovie), width, height, mode);
    return FStage.DrawItems(runtime::CollectRenderItems(Player().Root()), stage);
}

std::vector<TRect> TMoviePlayback::Render(TPixmap& target, std::string_view scaleMode,
                                          std::optional<uint32_t> background) {
    const TScaleMode mode = ParseScaleMode(scaleMode);
    const uint32_t back = background.value_or(MovieBackground()) & 0xFFFFFF;
    const uint64_t changes = Player().ChangeCount();
    const bool same = FLast.Target == &target && FLast.Width == target.Width() && FLast.Height == target.Height() &&
                      FLast.Mode == mode && FLast.Background == back;
    // Nothing in the tree changed: the picture stands as it is, at the cost of a compare.
    if (same && FLast.ChangeCount == changes) return {};

    std::vector<TDrawItem> items = FrameItems(target.Width(), target.Height(), mode);
    const TDirtyRegion region = same ? ChangedRegion(FLast.Items, items, target.Bounds())
                                     : TDirtyRegion(target.Bounds());
    FRenderer.RenderFrame(target, ColorFromRgb(back), items, region);
    FLast = TLastPicture{&target, target.Width(), target.Height(), mode, back, changes, std::move(items)};
    const TDirtyRegion drawn = region.Intersect(target.Bounds());
    return drawn.Rects();
}

std::vector<TRect> TMoviePlayback::Render(uint32_t* pixels, int32_t width, int32_t height, std::string_view scaleMode,
                                          std::optional<uint32_t> background) {
    if (!pixels) throw RenderError("no pixel buffer to render into");
    if (width < 1 || height < 1 || width > TPixmap::kMaxWidth || height > TPixmap::kMaxHeight)
        throw RenderError("an output of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is outside 1 x 1 to 7680 x 4320");
    // The pixmap stands for the caller's buffer: a new buffer or size starts it afresh.
    const bool sameBuffer = FBufferPixmap && FBufferPixmap->Width() == width && FBufferPixmap->Height() == height &&
                            FLast.Target == FBufferPixmap.get() && FBufferOwner == pixels;
    if (!sameBuffer) {
        FLast.Target = nullptr;  // a new pixmap may take the old one's address
        FBufferPixmap = std::make_unique<TPixmap>(width, height);
        FBufferOwner = pixels;
    }
    std::vector<TRect> rects = Render(*FBufferPixmap, scaleMode, background);
    for (const TRect& r : rects)
        for (int32_t y = r.Y0; y < r.Y1; ++y)
            std::memcpy(pixels + size_t(y) * size_t(width) + size_t(r.X0), FBufferPixmap->Row(y) + r.X0,
                        size_t(r.Width()) * sizeof(uint32_t));
    return rects;
}

}  // namespace quorlin::render
