// The clock movie's frame drawn by our renderer and, from the same flattened paths and
// paints, by Cairo, side by side: milliseconds per frame, the time ratio and the PSNR of
// our picture against Cairo's.

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "ClockFrames.h"
#include "player/render/PaintFactory.h"

using namespace quorlin::bench;

namespace {

TClockFrames& Scene() {
    static TClockFrames frames;
    return frames;
}

// --- Cairo, fed the same geometry and paints -------------------------------------------

void CairoPath(cairo_t* cr, const TPath& path) {
    const auto& pts = path.Points();
    for (const auto& c : path.Contours()) {
        if (c.Count == 0) continue;
        cairo_move_to(cr, pts[c.First].X, pts[c.First].Y);
        for (uint32_t i = 1; i < c.Count; ++i) cairo_line_to(cr, pts[c.First + i].X, pts[c.First + i].Y);
        if (c.Closed) cairo_close_path(cr);
    }
}

cairo_matrix_t CairoInverse(const TMatrix& m) {
    TMatrix inv = *m.Inverse();
    cairo_matrix_t cm;
    cairo_matrix_init(&cm, inv.ScaleX, inv.RotateSkew0, inv.RotateSkew1, inv.ScaleY, inv.TranslateX, inv.TranslateY);
    return cm;
}

void AddStops(cairo_pattern_t* p, const std::vector<TGradientStop>& stops, const TColorTransform& t) {
    for (const auto& s : stops) {
        TColor c = t.Apply(s.Color);
        cairo_pattern_add_color_stop_rgba(p, s.Ratio / 255.0, c.R / 255.0, c.G / 255.0, c.B / 255.0, c.A / 255.0);
    }
}

// Sets the source for a fill style; false when the style draws nothing.
bool CairoSource(cairo_t* cr, const TFillStyle& style, const TMatrix& m, const TColorTransform& t) {
    if (auto* solid = std::get_if<TSolidFill>(&style)) {
        TColor c = t.Apply(solid->Color);
        cairo_set_source_rgba(cr, c.R / 255.0, c.G / 255.0, c.B / 255.0, c.A / 255.0);
        return true;
    }
    cairo_pattern_t* p = nullptr;
    if (auto* g = std::get_if<TGradientFill>(&style)) {
        p = g->Kind == TGradientFill::TKind::Radial ? cairo_pattern_create_radial(0, 0, 0, 0, 0, 16384)
                                                    : cairo_pattern_create_linear(-16384, 0, 16384, 0);
        AddStops(p, g->Stops, t);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
        cairo_matrix_t cm = CairoInverse(Concat(m, g->Matrix));
        cairo_pattern_set_matrix(p, &cm);
    } else if (auto* b = std::get_if<TBitmapFill>(&style)) {
        const TPixmap& bmp = *b->Bitmap;
        cairo_surface_t* s = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(bmp.Data())), CAIRO_FORMAT_ARGB32, bmp.Width(),
            bmp.Height(), bmp.Width() * 4);
        p = cairo_pattern_create_for_surface(s);
        cairo_surface_destroy(s);
        cairo_pattern_set_extend(p, b->Repeat ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(p, b->Smooth ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
        cairo_matrix_t cm = CairoInverse(Concat(m, b->Matrix));
        cairo_pattern_set_matrix(p, &cm);
    }
    if (!p) return false;
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    return true;
}

void CairoFrame(cairo_t* cr, const std::vector<TDrawItem>& items, TColor background) {
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, background.R / 255.0, background.G / 255.0, background.B / 255.0, 1);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const TDrawItem& item : items) {
        const TShape& shape = *item.Shape;
        for (size_t i = 0; i < shape.Fills.size(); ++i) {
            TPath path = FillPath(shape, uint16_t(i + 1), item.Matrix);
            if (path.IsEmpty() || !CairoSource(cr, shape.Fills[i], item.Matrix, item.ColorTransform)) continue;
            CairoPath(cr, path);
            cairo_fill(cr);
        }
        for (size_t i = 0; i < shape.Lines.size(); ++i) {
            TPath path = LinePath(shape, uint16_t(i + 1), item.Matrix);
            if (path.IsEmpty()) continue;
            CairoSource(cr, TSolidFill{shape.Lines[i].Color}, item.Matrix, item.ColorTransform);
            cairo_set_line_width(cr, std::max(LineWidthInPixels(shape.Lines[i].Width, item.Matrix), kHairlineWidth));
            CairoPath(cr, path);
            cairo_stroke(cr);
        }
    }
}

struct TCairoTarget {
    cairo_surface_t* Surface;
    cairo_t* Context;
    TCairoTarget(int w, int h)
        : Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)), Context(cairo_create(Surface)) {}
    ~TCairoTarget() {
        cairo_destroy(Context);
        cairo_surface_destroy(Surface);
    }
};

// --- the cases --------------------------------------------------------------------------

void OursFull(benchmark::State& state) {
    int w = int(state.range(0)), h = int(state.range(1));
    auto items = Scene().Frame(w, h);
    TPixmap target(w, h);
    TRenderer renderer;
    for (auto _ : state) {
        renderer.RenderFrame(target, kClockBackground, items, TDirtyRegion(target.Bounds()));
        benchmark::DoNotOptimize(target.Data());
    }
}

// The second hand steps by a second and back: only its old and new places are redrawn.
void OursSecondHand(benchmark::State& state) {
    int w = int(state.range(0)), h = int(state.range(1));
    auto a = Scene().Frame(w, h, 0), b = Scene().Frame(w, h, 1);
    TPixmap target(w, h);
    TRenderer renderer;
    renderer.RenderFrame(target, kClockBackground, a, TDirtyRegion(target.Bounds()));
    bool forward = true;
    for (auto _ : state) {
        const auto& from = forward ? a : b;
        const auto& to = forward ? b : a;
        TDirtyRegion changed = ChangedRegion(from, to, target.Bounds());
        renderer.RenderFrame(target, kClockBackground, to, changed);
        forward = !forward;
        benchmark::DoNotOptimize(target.Data());
    }
}

// A frame like the last: the items compared, nothing drawn.
void OursUnchanged(benchmark::State& state) {
    int w = int(state.range(0)), h = int(state.range(1));
    auto before = Scene().Frame(w, h), after = Scene().Frame(w, h);
    TPixmap target(w, h);
    TRenderer renderer;
    renderer.RenderFrame(target, kClockBackground, before, TDirtyRegion(target.Bounds()));
    for (auto _ : state) {
        TDirtyRegion changed = ChangedRegion(before, after, target.Bounds());
        renderer.RenderFrame(target, kClockBackground, after, changed);
        benchmark::DoNotOptimize(target.Data());
    }
}

void CairoFull(benchmark::State& state) {
    int w = int(state.range(0)), h = int(state.range(1));
    auto items = Scene().Frame(w, h);
    TCairoTarget target(w, h);
    for (auto _ : state) {
        CairoFrame(target.Context, items, kClockBackground);
        cairo_surface_flush(target.Surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(target.Surface));
    }
}

void CairoSecondHand(benchmark::State& state) {
    int w = int(state.range(0)), h = int(state.range(1));
    auto a = Scene().Frame(w, h, 0), b = Scene().Frame(w, h, 1);
    TCairoTarget target(w, h);
    CairoFrame(target.Context, a, kClockBackground);
    bool forward = true;
    for (auto _ : state) {
        const auto& to = forward ? b : a;
        TDirtyRegion changed = ChangedRegion(forward ? a : b, to, TRect{0, 0, w, h});
        // The same rectangles, as Cairo's clip.
        cairo_save(target.Context);
        for (const TRect& r : changed.Rects()) cairo_rectangle(target.Context, r.X0, r.Y0, r.Width(), r.Height());
        cairo_clip(target.Context);
        CairoFrame(target.Context, to, kClockBackground);
        cairo_restore(target.Context);
        cairo_surface_flush(target.Surface);
        forward = !forward;
    }
}

#define SIZES ->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)
BENCHMARK(OursFull) SIZES;
BENCHMARK(CairoFull) SIZES;
BENCHMARK(OursSecondHand) SIZES;
BENCHMARK(CairoSecondHand) SIZES;
BENCHMARK(OursUnchanged) SIZES;

// --- the comparison ---------------------------------------------------------------------

double Psnr(int w, int h) {
    auto items = Scene().Frame(w, h);
    TPixmap ours(w, h);
    TRenderer renderer;
    renderer.RenderFrame(ours, kClockBackground, items, TDirtyRegion(ours.Bounds()));
    TCairoTarget cairo(w, h);
    CairoFrame(cairo.Context, items, kClockBackground);
    cairo_surface_flush(cairo.Surface);
    const unsigned char* data = cairo_image_surface_get_data(cairo.Surface);
    int stride = cairo_image_surface_get_stride(cairo.Surface);
    double sum = 0;
    for (int y = 0; y < h; ++y) {
        const uint32_t* theirs = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        const uint32_t* mine = ours.Row(y);
        for (int x = 0; x < w; ++x)
            for (int shift = 0; shift < 32; shift += 8) {
                double d = double((mine[x] >> shift) & 0xFF) - double((theirs[x] >> shift) & 0xFF);
                sum += d * d;
            }
    }
    double mse = sum / (double(w) * h * 4);
    return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

// Both pictures of a frame as PNG files, to look at them side by side.
void DumpPictures(const std::string& prefix, int w, int h) {
    auto items = Scene().Frame(w, h);
    TPixmap ours(w, h);
    TRenderer renderer;
    renderer.RenderFrame(ours, kClockBackground, items, TDirtyRegion(ours.Bounds()));
    cairo_surface_t* mine = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(ours.Data()),
                                                                CAIRO_FORMAT_ARGB32, w, h, w * 4);
    cairo_surface_write_to_png(mine, (prefix + "-ours.png").c_str());
    cairo_surface_destroy(mine);
    TCairoTarget cairo(w, h);
    CairoFrame(cairo.Context, items, kClockBackground);
    cairo_surface_write_to_png(cairo.Surface, (prefix + "-cairo.png").c_str());
}

class TCollectingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Millis;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs) Millis[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }
};

}  // namespace

int main(int argc, char** argv) {
    // --dump=PREFIX writes PREFIX-ours.png and PREFIX-cairo.png at 1920 x 1080 and ends.
    for (int i = 1; i < argc; ++i)
        if (std::string arg = argv[i]; arg.rfind("--dump=", 0) == 0) {
            DumpPictures(arg.substr(7), 1920, 1080);
            return 0;
        }
    benchmark::Initialize(&argc, argv);
    TCollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-12s %-12s %10s %10s %8s %8s\n", "size", "case", "ours ms", "cairo ms", "ratio", "PSNR dB");
    for (auto [w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        std::string size = std::to_string(w) + "/" + std::to_string(h);
        double psnr = -1;
        for (const char* kind : {"Full", "SecondHand"}) {
            auto ours = reporter.Millis.find(std::string("Ours") + kind + "/" + size);
            auto cairo = reporter.Millis.find(std::string("Cairo") + kind + "/" + size);
            if (ours == reporter.Millis.end() || cairo == reporter.Millis.end()) continue;
            if (psnr < 0) psnr = Psnr(w, h);
            std::printf("%-12s %-12s %10.3f %10.3f %8.2f %8.2f\n", size.c_str(), kind, ours->second, cairo->second,
                        cairo->second / ours->second, psnr);
        }
        auto still = reporter.Millis.find("OursUnchanged/" + size);
        if (still != reporter.Millis.end())
            std::printf("%-12s %-12s %10.4f\n", size.c_str(), "Unchanged", still->second);
    }
    std::printf("CPU time per frame; ratio = Cairo time / our time (above 1: we are faster)\n");
    benchmark::Shutdown();
    return 0;
}
