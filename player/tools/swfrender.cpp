// swfrender FILE [--vars TEXT] [--frames N] [--time HH:MM:SS.mmm] [--print]
//           [--out FILE.png [--size WxH] [--scale MODE] [--background RRGGBB]]
// Plays a SWF file in the runtime: the variables are set on the root before the first
// frame, N frames are played (at the movie's rate against the system clock, or back to
// back at a fixed time of day), --print lists the display list that results and --out
// writes the frame as a PNG picture (at the stage's size unless --size gives one).

#include "player/render/MoviePlayback.h"
#include "player/runtime/Clock.h"

#include <png.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace quorlin;
using namespace quorlin::runtime;

namespace {

struct TOptions {
    std::string File;
    std::string Vars;
    int Frames = 1;
    std::optional<int> TimeOfDayMs;
    bool Print = false;
    std::string Out;
    int Width = 0, Height = 0;  // 0: the stage's size
    std::string Scale = "showall";
    std::optional<uint32_t> Background;
};

const char* const Usage =
    "usage: swfrender FILE [--vars TEXT] [--frames N] [--time HH:MM:SS.mmm] [--print]\n"
    "                 [--out FILE.png [--size WxH] [--scale MODE] [--background RRGGBB]]\n";

// WxH within the sizes the renderer draws.
void ParseSize(const std::string& text, int& width, int& height) {
    int w = 0, h = 0, used = 0;
    if (std::sscanf(text.c_str(), "%5dx%5d%n", &w, &h, &used) != 2 || size_t(used) != text.size() || w < 1 ||
        h < 1 || w > render::TPixmap::kMaxWidth || h > render::TPixmap::kMaxHeight)
        throw std::invalid_argument("--size wants WxH from 1x1 to 7680x4320, not \"" + text + "\"");
    width = w;
    height = h;
}

uint32_t ParseRgb(const std::string& text) {
    const bool hex = text.size() == 6 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    if (!hex) throw std::invalid_argument("--background wants six hex digits RRGGBB, not \"" + text + "\"");
    return uint32_t(std::stoul(text, nullptr, 16));
}

int ParseFrames(const std::string& text) {
    size_t used = 0;
    int n = 0;
    try {
        n = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || n < 1 || n > 1000000) throw std::invalid_argument("--frames wants a count from 1 to 1000000, not \"" + text + "\"");
    return n;
}

// HH:MM:SS with optional .mmm; milliseconds into the day.
int ParseTimeOfDay(const std::string& text) {
    int h = -1, m = -1, s = -1, ms = 0, used = 0;
    const bool ok = (std::sscanf(text.c_str(), "%2d:%2d:%2d.%3d%n", &h, &m, &s, &ms, &used) == 4 ||
                     (ms = 0, std::sscanf(text.c_str(), "%2d:%2d:%2d%n", &h, &m, &s, &used) == 3)) &&
                    size_t(used) == text.size();
    if (!ok || h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59 || ms < 0)
        throw std::invalid_argument("--time wants HH:MM:SS or HH:MM:SS.mmm, not \"" + text + "\"");
    return ((h * 60 + m) * 60 + s) * 1000 + ms;
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw std::invalid_argument(arg + " wants a value");
            return argv[++i];
        };
        if (arg == "--vars")
            o.Vars = value();
        else if (arg == "--frames")
            o.Frames = ParseFrames(value());
        else if (arg == "--time")
            o.TimeOfDayMs = ParseTimeOfDay(value());
        else if (arg == "--print")
            o.Print = true;
        else if (arg == "--out")
            o.Out = value();
        else if (arg == "--size")
            ParseSize(value(), o.Width, o.Height);
        else if (arg == "--scale")
            o.Scale = value();
        else if (arg == "--background")
            o.Background = ParseRgb(value());
        else if (arg.rfind("--", 0) == 0 || !o.File.empty())
            throw std::invalid_argument("unknown argument \"" + arg + "\"");
        else
            o.File = arg;
    }
    if (o.File.empty()) throw std::invalid_argument("no SWF file given");
    if (o.Out.empty() && (o.Width || o.Background || o.Scale != "showall"))
        throw std::invalid_argument("--size, --scale and --background want --out");
    return o;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Today's date on the system clock, at the given local time of day.
double FixedMoment(int timeOfDayMs) {
    TSystemClock system;
    const double now = system.NowUtcMs();
    const double offset = system.LocalOffsetMs(now);
    const double localMidnight = std::floor((now + offset) / 86400000.0) * 86400000.0;
    return localMidnight + timeOfDayMs - offset;
}

std::string Num(double v) {
    if (std::abs(v) < 5e-7) v = 0;  // no "-0" and no rounding dust
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

const char* KindName(TCharacterKind kind) {
    switch (kind) {
    case TCharacterKind::Shape: return "shape";
    case TCharacterKind::Bitmap: return "bitmap";
    case TCharacterKind::Sprite: return "sprite";
    default: return "other";
    }
}

void PrintTree(const TSpriteInstance& sprite) {
    for (const auto& [depth, child] : sprite.Children()) {
        const TDisplayObject& o = *child;
        std::printf("%s depth %d character %u %s x %s y %s rotation %s scale %s x %s %s alpha %s\n",
                    o.DotPath().c_str(), depth, unsigned(o.CharacterId()), KindName(o.Kind()), Num(o.X()).c_str(),
                    Num(o.Y()).c_str(), Num(o.Rotation()).c_str(), Num(o.XScale()).c_str(), Num(o.YScale()).c_str(),
                    o.Visible() ? "visible" : "hidden", Num(o.Alpha()).c_str());
        if (const auto* inner = dynamic_cast<const TSpriteInstance*>(child.get())) PrintTree(*inner);
    }
}

// The pixmap's premultiplied BGRA as straight RGBA rows.
void WritePng(const std::string& path, const render::TPixmap& picture) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<uint8_t> row(size_t(picture.Width()) * 4);
    // libpng reports its errors by longjmp; nothing here needs unwinding past this point.
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        throw std::runtime_error("cannot encode " + path);
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(picture.Width()), png_uint_32(picture.Height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < picture.Height(); ++y) {
        for (int32_t x = 0; x < picture.Width(); ++x) {
            const render::TColor c = render::UnpackPremultiplied(picture.Pixel(x, y));
            uint8_t* p = &row[size_t(x) * 4];
            p[0] = c.R;
            p[1] = c.G;
            p[2] = c.B;
            p[3] = c.A;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) throw std::runtime_error("cannot write " + path);
}

void Play(const TOptions& o) {
    const auto movie = TMovie::Load(ReadFile(o.File));
    TSystemClock systemClock;
    std::optional<TFixedClock> fixedClock;
    if (o.TimeOfDayMs) fixedClock.emplace(FixedMoment(*o.TimeOfDayMs), systemClock.LocalOffsetMs(FixedMoment(*o.TimeOfDayMs)));
    TClock& clock = fixedClock ? static_cast<TClock&>(*fixedClock) : systemClock;

    render::TMoviePlayback playback(movie, o.Vars, clock);
    playback.SetLog([](const std::string& line) { std::fprintf(stderr, "swfrender: %s\n", line.c_str()); });
    playback.SetTraceOutput([](const std::string& line) { std::fprintf(stderr, "trace: %s\n", line.c_str()); });
    TPlayer& player = playback.Player();

    if (fixedClock) {
        for (int i = 0; i < o.Frames; ++i) player.Tick();
    } else {
        // Real time: the frames come at the movie's rate.
        int played = 0;
        while (played < o.Frames) {
            const int64_t wait = player.MillisecondsToNextFrame();
            if (wait > 0) std::this_thread::sleep_for(std::chrono::milliseconds(wait));
            played += player.Advance();
        }
    }
    if (o.Print) PrintTree(player.Root());
    if (!o.Out.empty()) {
        render::TPixmap picture(o.Width ? o.Width : std::max(1, playback.StageWidth()),
                                o.Height ? o.Height : std::max(1, playback.StageHeight()));
        playback.Render(picture, o.Scale, o.Background);
        WritePng(o.Out, picture);
    }
}

}  // namespace

int main(int argc, char** argv) {
    TOptions options;
    try {
        options = ParseOptions(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "swfrender: %s\n%s", e.what(), Usage);
        return 2;
    }
    try {
        Play(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "swfrender: %s: %s\n", options.File.c_str(), e.what());
        return 1;
    }
    return 0;
}
