#include "saver/forms/JpegImage.h"

#include <windows.h>

#include <csetjmp>
#include <cstdio>
#include <exception>
#include <memory>

extern "C" {
#include <jpeglib.h>
}

#include "saver/forms/Bitmap.h"
#include "saver/forms/FileStream.h"
#include "saver/forms/MemoryStream.h"

namespace quorlin {

namespace {

// libjpeg is C: its errors leave through longjmp, never through an exception, and nothing
// with a destructor may live in the frames that the jump leaves.
struct TCompression {
    jpeg_compress_struct Info{};
    jpeg_error_mgr Errors{};
    jpeg_destination_mgr Destination{};
    std::jmp_buf Jump{};
    std::string Message;
    std::exception_ptr StreamFailure;
    TStream* Stream = nullptr;
    JOCTET Buffer[64 * 1024]{};

    ~TCompression() { jpeg_destroy_compress(&Info); }
};

TCompression& StateOf(j_common_ptr info) { return *static_cast<TCompression*>(info->client_data); }
TCompression& StateOf(j_compress_ptr info) { return *static_cast<TCompression*>(info->client_data); }

void ErrorExit(j_common_ptr info) {
    TCompression& state = StateOf(info);
    char text[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, text);
    state.Message = text;
    std::longjmp(state.Jump, 1);
}

// Warnings and traces would go to stderr, which a GUI module does not have.
void OutputMessage(j_common_ptr) {}

void InitDestination(j_compress_ptr info) {
    TCompression& state = StateOf(info);
    state.Destination.next_output_byte = state.Buffer;
    state.Destination.free_in_buffer = sizeof state.Buffer;
}

// Returns false when the stream refused the bytes; the caller then fails the compression.
bool Flush(TCompression& state, size_t count) {
    try {
        state.Stream->WriteBuffer(state.Buffer, count);
        return true;
    } catch (...) {
        state.StreamFailure = std::current_exception();
        return false;
    }
}

boolean EmptyOutputBuffer(j_compress_ptr info) {
    TCompression& state = StateOf(info);
    if (!Flush(state, sizeof state.Buffer)) (*info->err->error_exit)(reinterpret_cast<j_common_ptr>(info));
    InitDestination(info);
    return TRUE;
}

void TermDestination(j_compress_ptr info) {
    TCompression& state = StateOf(info);
    const size_t count = sizeof state.Buffer - state.Destination.free_in_buffer;
    if (count && !Flush(state, count)) (*info->err->error_exit)(reinterpret_cast<j_common_ptr>(info));
}

struct TSource {
    int Width;
    int Height;
    const uint8_t* Rows;
    bool Greyscale;
    int Quality;
};

// The only frame with setjmp; false when libjpeg gave up (state.Message says why).
bool Compress(TCompression& state, const TSource& source) {
    if (setjmp(state.Jump)) return false;
    jpeg_create_compress(&state.Info);
    state.Info.client_data = &state;
    state.Info.dest = &state.Destination;
    state.Destination.init_destination = InitDestination;
    state.Destination.empty_output_buffer = EmptyOutputBuffer;
    state.Destination.term_destination = TermDestination;

    state.Info.image_width = static_cast<JDIMENSION>(source.Width);
    state.Info.image_height = static_cast<JDIMENSION>(source.Height);
    state.Info.input_components = 3;
    state.Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&state.Info);
    if (source.Greyscale) jpeg_set_colorspace(&state.Info, JCS_GRAYSCALE);
    jpeg_set_quality(&state.Info, source.Quality, TRUE);

    jpeg_start_compress(&state.Info, TRUE);
    const size_t stride = static_cast<size_t>(source.Width) * 3;
    while (state.Info.next_scanline < state.Info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(source.Rows + state.Info.next_scanline * stride);
        jpeg_write_scanlines(&state.Info, &row, 1);
    }
    jpeg_finish_compress(&state.Info);
    return true;
}

TJpegPixelFormat ScreenPixelFormat() {
    HDC screen = GetDC(nullptr);
    const int bits = screen ? GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) : 24;
    if (screen) ReleaseDC(nullptr, screen);
    return bits <= 8 ? TJpegPixelFormat::jf8Bit : TJpegPixelFormat::jf24Bit;
}

}  // namespace

TJpegImage::TJpegImage() : PixelFormat(ScreenPixelFormat()) {}

void TJpegImage::Assign(TBitmap& bitmap) {
    FRgbRows = bitmap.ReadRgbRows();
    FWidth = bitmap.Width();
    FHeight = bitmap.Height();
}

void TJpegImage::SaveToStream(TStream& stream) const {
    if (CompressionQuality < 1 || CompressionQuality > 100) {
        throw EJpegError("JPEG error: quality " + std::to_string(CompressionQuality) + " is not between 1 and 100");
    }
    // Large enough for its buffer not to belong on the stack.
    auto state = std::make_unique<TCompression>();
    state->Info.err = jpeg_std_error(&state->Errors);
    state->Errors.error_exit = ErrorExit;
    state->Errors.output_message = OutputMessage;
    state->Info.client_data = state.get();
    state->Stream = &stream;
    const TSource source{FWidth, FHeight, FRgbRows.data(), PixelFormat == TJpegPixelFormat::jf8Bit,
                         CompressionQuality};
    if (Compress(*state, source)) return;
    if (state->StreamFailure) std::rethrow_exception(state->StreamFailure);
    throw EJpegError("JPEG error: " + state->Message);
}

void TJpegImage::SaveToFile(const std::string& fileName) const {
    TMemoryStream encoded;
    SaveToStream(encoded);
    std::exception_ptr failure;
    {
        TFileStream file(fileName, TFileMode::fmCreate);
        try {
            file.WriteBuffer(encoded.Memory(), static_cast<size_t>(encoded.Size()));
            return;
        } catch (...) {
            failure = std::current_exception();
        }
    }
    // A partial picture is worse than none: the file is closed above and removed here.
    DeleteFileA(fileName.c_str());
    std::rethrow_exception(failure);
}

}  // namespace quorlin
