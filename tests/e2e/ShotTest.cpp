// The screenshot mode as a script or a user runs it: quorlin.scr /shot=FILE with its
// options, under Wine, judged by the exit code, the debugger output and the JPEG file that
// it leaves, decoded here with libjpeg.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "tests/e2e/ScrRunner.h"
#include "tests/support/ClockPixels.h"

using namespace quorlin::e2e;
using namespace quorlin::testsupport;
namespace fs = std::filesystem;

namespace {

struct TJpegFile {
    bool Decoded = false;
    std::string Error;
    int StartOfFrame = -1;  // the SOFn marker's second byte: 0xC0 is baseline
    int Width = 0, Height = 0, Components = 0;
    std::vector<unsigned char> Rgb;  // top row first, three bytes a pixel

    // Red, green and blue of one pixel.
    std::array<int, 3> At(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * Width + x) * 3;
        return {Rgb[i], Rgb[i + 1], Rgb[i + 2]};
    }
};

std::vector<unsigned char> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The frame marker of the file, found by walking its segments from the start.
int FindStartOfFrame(const std::vector<unsigned char>& bytes) {
    size_t at = 2;
    while (at + 4 <= bytes.size() && bytes[at] == 0xFF) {
        const int marker = bytes[at + 1];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) return marker;
        if (marker == 0xDA) return -1;  // scan data before any frame
        at += 2 + ((bytes[at + 2] << 8) | bytes[at + 3]);
    }
    return -1;
}

struct TJpegErrors {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void JumpOnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
    info->err->format_message(info, errors->Message);
    std::longjmp(errors->Jump, 1);
}

// Only plain data lives across the jump.
bool DecodeInto(const std::vector<unsigned char>& bytes, TJpegFile& file, TJpegErrors& errors,
                jpeg_decompress_struct& info) {
    if (setjmp(errors.Jump)) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), bytes.size());
    jpeg_read_header(&info, TRUE);
    file.Components = info.num_components;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    file.Width = static_cast<int>(info.output_width);
    file.Height = static_cast<int>(info.output_height);
    file.Rgb.resize(static_cast<size_t>(file.Width) * file.Height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = file.Rgb.data() + static_cast<size_t>(info.output_scanline) * file.Width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

TJpegFile DecodeJpeg(const fs::path& path) {
    TJpegFile file;
    const std::vector<unsigned char> bytes = ReadBytes(path);
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) {
        file.Error = "no JPEG start-of-image in " + path.string();
        return file;
    }
    file.StartOfFrame = FindStartOfFrame(bytes);
    jpeg_decompress_struct info{};
    TJpegErrors errors{};
    info.err = jpeg_std_error(&errors.Manager);
    errors.Manager.error_exit = JumpOnError;
    file.Decoded = DecodeInto(bytes, file, errors, info);
    if (!file.Decoded) file.Error = errors.Message;
    jpeg_destroy_decompress(&info);
    return file;
}

// The corners lie outside the clock face at every scale mode: there the movie's background
// shows, black in a still whatever the user chose. Where nothing painted, the form's grey
// would show instead.
void ExpectBlackCorners(const TJpegFile& picture) {
    const int right = picture.Width - 1, bottom = picture.Height - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
        const auto rgb = picture.At(x, y);
        EXPECT_LE(std::max({rgb[0], rgb[1], rgb[2]}), 8) << "at " << x << ", " << y;
    }
}

// The hands' pivot on the movie's 550 x 400 stage.
constexpr double kStageWidth = 550, kStageHeight = 400;
constexpr double kPivotX = 272.35, kPivotY = 200.45;
// The picture is a JPEG: its edges are softened, so the hands are read to a degree.
constexpr double kAngleTolerance = 1.5;

TPicture PictureOf(const TJpegFile& file) { return TPicture::FromRgb(file.Rgb.data(), file.Width, file.Height); }

// Where noborder puts the stage: scaled to cover the whole picture, centred.
TClockPlace NoBorderPlace(int width, int height) {
    const double scale = std::max(width / kStageWidth, height / kStageHeight);
    return {(width - kStageWidth * scale) / 2 + kPivotX * scale, (height - kStageHeight * scale) / 2 + kPivotY * scale,
            scale};
}

// exactfit stretches each axis on its own; sampled back to the stage's size, the clock is
// where the stage has it, round again. A picture in another mode would put it elsewhere.
std::vector<unsigned char> BackToStageSize(const TJpegFile& file) {
    std::vector<unsigned char> stage(static_cast<size_t>(kStageWidth * kStageHeight * 3));
    for (int y = 0; y < kStageHeight; ++y) {
        for (int x = 0; x < kStageWidth; ++x) {
            const auto rgb = file.At(static_cast<int>(x * file.Width / kStageWidth),
                                     static_cast<int>(y * file.Height / kStageHeight));
            std::copy(rgb.begin(), rgb.end(), stage.begin() + (static_cast<size_t>(y * kStageWidth) + x) * 3);
        }
    }
    return stage;
}

// A folder of its own for each run, empty at the start, in the build tree.
fs::path FreshFolder(const std::string& name) {
    const fs::path folder = fs::path(QUORLIN_SOURCE_DIR) / "build" / "e2e-shot" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

bool FolderIsEmpty(const fs::path& folder) { return fs::is_empty(folder); }

TScrRun RunIn(const fs::path& folder, const std::vector<std::string>& arguments, int timeoutMs = 60000) {
    TScrOptions options;
    options.WorkingDir = folder.string();
    options.TimeoutMs = timeoutMs;
    return RunScr(arguments, options);
}

std::string Joined(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) text += (text.empty() ? "" : " ") + argument;
    return text;
}

// The saver's settings in the prefix's registry, through Wine's own reg.exe.
int Reg(const std::string& arguments) {
    const std::string command =
        "'" + std::string(QUORLIN_SOURCE_DIR) + "/scripts/wine-run' reg " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str());
}

const char kSettingsKey[] = "'HKCU\\Software\\Tessaly\\Quorlin'";

// Puts the user's settings back as they were when it was made.
class TSavedSettings {
public:
    explicit TSavedSettings(const fs::path& folder) : FBackup(folder / "settings.reg") {
        FExisted = Reg(std::string("export ") + kSettingsKey + " '" + WinePath(FBackup.string()) + "' /y") == 0;
    }
    ~TSavedSettings() {
        Reg(std::string("delete ") + kSettingsKey + " /f");
        if (FExisted) Reg("import '" + WinePath(FBackup.string()) + "'");
    }

private:
    fs::path FBackup;
    bool FExisted = false;
};

// The default still, made once: several tests compare against it.
class ShotDefault : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Folder = new fs::path(FreshFolder("default"));
        Run = new TScrRun(RunIn(*Folder, {"/shot=out.jpg"}));
        Bytes = new std::vector<unsigned char>(ReadBytes(*Folder / "out.jpg"));
        Picture = new TJpegFile(DecodeJpeg(*Folder / "out.jpg"));
    }
    static void TearDownTestSuite() {
        delete Picture;
        delete Bytes;
        delete Run;
        delete Folder;
    }

    // The file that these options write, byte for byte the default still's when they
    // change nothing in the picture.
    static void ExpectDefaultPicture(const std::vector<std::string>& options, const std::string& name) {
        const fs::path folder = FreshFolder(name);
        std::vector<std::string> arguments = {"/shot=c.jpg"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const TScrRun run = RunIn(folder, arguments);
        ASSERT_TRUE(run.Finished) << run.RawOutput;
        EXPECT_EQ(run.ExitCode, 0) << Joined(arguments);
        EXPECT_TRUE(ReadBytes(folder / "c.jpg") == *Bytes) << Joined(arguments) << ": not the default picture";
    }

    static inline fs::path* Folder = nullptr;
    static inline TScrRun* Run = nullptr;
    static inline std::vector<unsigned char>* Bytes = nullptr;
    static inline TJpegFile* Picture = nullptr;
};

TEST_F(ShotDefault, ShotAloneWritesA1920By1440BaselineJpegInTheCurrentFolder) {
    ASSERT_TRUE(Run->Finished) << Run->RawOutput;
    EXPECT_EQ(Run->ExitCode, 0);
    EXPECT_TRUE(Run->Dialogs.empty());
    EXPECT_TRUE(Run->DebugOutput.empty()) << Run->DebugOutput.front();
    ASSERT_TRUE(Picture->Decoded) << Picture->Error;
    EXPECT_EQ(Picture->StartOfFrame, 0xC0) << "baseline, not progressive or extended";
    EXPECT_EQ(Picture->Components, 3);
    EXPECT_EQ(Picture->Width, 1920);
    EXPECT_EQ(Picture->Height, 1440);
    EXPECT_EQ(Bytes->size() >= 2 ? (*Bytes)[Bytes->size() - 2] * 256 + Bytes->back() : 0, 0xFFD9);
}

TEST_F(ShotDefault, TheClockStandsAt90525OnBlackWithGlassAndSecondHand) {
    ASSERT_TRUE(Picture->Decoded) << Picture->Error;
    ExpectBlackCorners(*Picture);
    const TClockPlace place = NoBorderPlace(1920, 1440);
    const THandAngles hands = MeasureHands(PictureOf(*Picture), place);
    ASSERT_TRUE(hands.Hour && hands.Minute) << "no clock in the picture";
    ASSERT_TRUE(hands.Second) << "the second hand always shows in a still";
    EXPECT_LE(AngleBetween(*hands.Hour, 272.7), kAngleTolerance) << *hands.Hour;
    EXPECT_LE(AngleBetween(*hands.Minute, 32.5), kAngleTolerance) << *hands.Minute;
    EXPECT_LE(AngleBetween(*hands.Second, 150.0), kAngleTolerance) << *hands.Second;
    EXPECT_TRUE(GlassPresent(PictureOf(*Picture), place, RgbFrom(0x000000))) << "the glass always shows in a still";
}

TEST_F(ShotDefault, OptionsThatCountAsMissingTakeTheDefaults) {
    ASSERT_FALSE(Bytes->empty());
    ExpectDefaultPicture({"/width=-1"}, "width-minus-one");
    ExpectDefaultPicture({"/time=", "/scale=", "/height=-1"}, "empty-options");
    ExpectDefaultPicture({"/time=09:05:25", "/scale=noborder", "/width=1920", "/height=1440"}, "explicit-defaults");
}

TEST_F(ShotDefault, TheUsersStoredSettingsChangeNothingInThePicture) {
    ASSERT_FALSE(Bytes->empty());
    const fs::path folder = FreshFolder("settings");
    TSavedSettings saved(folder);
    ASSERT_EQ(Reg(std::string("add ") + kSettingsKey + " /v backgroundcolor /t REG_SZ /d '#ff0000' /f"), 0);
    ASSERT_EQ(Reg(std::string("add ") + kSettingsKey + " /v seconds /t REG_DWORD /d 0 /f"), 0);
    ASSERT_EQ(Reg(std::string("add ") + kSettingsKey + " /v glass /t REG_DWORD /d 0 /f"), 0);
    ExpectDefaultPicture({}, "settings-run");
}

TEST(Shot, SizeTimeAndScaleOptionsShapeThePicture) {
    const fs::path folder = FreshFolder("sized");
    const TScrRun run = RunIn(folder, {"/shot=c.jpg", "/width=800", "/height=600", "/time=15:00:00", "/scale=exactfit"});
    ASSERT_TRUE(run.Finished) << run.RawOutput;
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.DebugOutput.empty());
    const TJpegFile picture = DecodeJpeg(folder / "c.jpg");
    ASSERT_TRUE(picture.Decoded) << picture.Error;
    EXPECT_EQ(picture.StartOfFrame, 0xC0);
    EXPECT_EQ(picture.Components, 3);
    EXPECT_EQ(picture.Width, 800);
    EXPECT_EQ(picture.Height, 600);
    ExpectBlackCorners(picture);
    const std::vector<unsigned char> stage = BackToStageSize(picture);
    const THandAngles hands = MeasureHands(TPicture::FromRgb(stage.data(), 550, 400), {kPivotX, kPivotY, 1.0});
    ASSERT_TRUE(hands.Hour && hands.Minute) << "no clock where exactfit puts it";
    EXPECT_LE(AngleBetween(*hands.Hour, 90.0), kAngleTolerance) << *hands.Hour;
    EXPECT_LE(AngleBetween(*hands.Minute, 0.0), kAngleTolerance) << *hands.Minute;
}

struct TFailureCase {
    std::vector<std::string> Arguments;
    int ExitCode;
    std::string LogLine;  // empty: nothing is logged
    // The line only starts so: the file error goes on with the system's reason.
    bool LogLineGoesOn = false;
};

TEST(Shot, FailuresEndWithTheirExitCodeAndLogLineAndLeaveNoFile) {
    const std::string sizeFailed = "Screenshot failed: Picture size ";
    const TFailureCase cases[] = {
        {{"/shot="}, 2, ""},
        {{"/shot=c.jpg", "/width=wide"}, 3, "Screenshot failed: 'wide' is not a valid integer value"},
        {{"/shot=c.jpg", "/height=600px"}, 3, "Screenshot failed: '600px' is not a valid integer value"},
        {{"/shot=missing\\c.jpg"}, 3, "Screenshot failed: Cannot create file missing\\c.jpg", true},
        // Sizes of zero or less: refused before anything is built.
        {{"/shot=c.jpg", "/width=0"}, 3,
         sizeFailed + "0 x 1440 is not possible: width and height must be at least 1 pixel"},
        {{"/shot=c.jpg", "/width=800", "/height=-2"}, 3,
         sizeFailed + "800 x -2 is not possible: width and height must be at least 1 pixel"},
        {{"/shot=c.jpg", "/width=-2147483648", "/height=0"}, 3,
         sizeFailed + "-2147483648 x 0 is not possible: width and height must be at least 1 pixel"},
        // Sizes beyond what a JPEG file or the process can hold.
        {{"/shot=c.jpg", "/width=65501", "/height=1"}, 3,
         sizeFailed + "65501 x 1 is too large: a JPEG file has at most 65500 pixels each way"},
        {{"/shot=c.jpg", "/width=2147483647", "/height=2147483647"}, 3,
         sizeFailed + "2147483647 x 2147483647 is too large: a JPEG file has at most 65500 pixels each way"},
        {{"/shot=c.jpg", "/width=8193", "/height=8192"}, 3,
         sizeFailed + "8193 x 8192 is too large: at most 67108864 pixels in all"},
    };
    for (const TFailureCase& c : cases) {
        const fs::path folder = FreshFolder("failure");
        const TScrRun run = RunIn(folder, c.Arguments);
        ASSERT_TRUE(run.Finished) << Joined(c.Arguments) << "\n" << run.RawOutput;
        EXPECT_EQ(run.ExitCode, c.ExitCode) << Joined(c.Arguments);
        EXPECT_TRUE(run.Dialogs.empty()) << Joined(c.Arguments) << ": " << run.Dialogs.front().Text;
        if (c.LogLine.empty()) {
            EXPECT_TRUE(run.DebugOutput.empty()) << Joined(c.Arguments);
        } else if (c.LogLineGoesOn) {
            ASSERT_EQ(run.DebugOutput.size(), 1u) << Joined(c.Arguments);
            EXPECT_EQ(run.DebugOutput[0].rfind(c.LogLine, 0), 0u) << run.DebugOutput[0];
        } else {
            EXPECT_EQ(run.DebugOutput, std::vector<std::string>{c.LogLine}) << Joined(c.Arguments);
        }
        EXPECT_TRUE(FolderIsEmpty(folder)) << Joined(c.Arguments) << ": a file was left";
    }
}

TEST(Shot, SizesFromOnePixelToTheLimitsRender) {
    // 8K, and the largest pictures that the size checks let through.
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 4320}, {7680, 1}, {7680, 4320}, {65500, 1}, {8192, 8192}};
    for (const auto& [width, height] : sizes) {
        const fs::path folder = FreshFolder("sizes");
        const std::vector<std::string> arguments = {"/shot=c.jpg", "/width=" + std::to_string(width),
                                                    "/height=" + std::to_string(height)};
        const TScrRun run = RunIn(folder, arguments, 180000);
        ASSERT_TRUE(run.Finished) << Joined(arguments) << "\n" << run.RawOutput;
        EXPECT_EQ(run.ExitCode, 0) << Joined(arguments);
        EXPECT_TRUE(run.DebugOutput.empty()) << Joined(arguments) << ": " << run.DebugOutput.front();
        const TJpegFile picture = DecodeJpeg(folder / "c.jpg");
        ASSERT_TRUE(picture.Decoded) << Joined(arguments) << ": " << picture.Error;
        EXPECT_EQ(picture.Width, width);
        EXPECT_EQ(picture.Height, height);
        EXPECT_EQ(picture.StartOfFrame, 0xC0);
    }
}

}  // namespace
