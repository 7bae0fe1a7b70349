#include "tests/win/snapshot/JpegDecode.h"

#include <csetjmp>
#include <cstdio>

extern "C" {
#include <jpeglib.h>
}

namespace quorlin::testing {

namespace {

struct TDecodeErrors {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Text[JMSG_LENGTH_MAX];
};

void DecodeErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<TDecodeErrors*>(info->err);
    (*info->err->format_message)(info, errors->Text);
    std::longjmp(errors->Jump, 1);
}

void Quiet(j_common_ptr) {}

bool Decode(jpeg_decompress_struct& info, const std::string& bytes, TDecodedJpeg& result) {
    auto* errors = reinterpret_cast<TDecodeErrors*>(info.err);
    if (setjmp(errors->Jump)) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    result.Progressive = info.progressive_mode != FALSE;
    jpeg_start_decompress(&info);
    result.Width = static_cast<int>(info.output_width);
    result.Height = static_cast<int>(info.output_height);
    result.Components = info.output_components;
    const size_t stride = static_cast<size_t>(result.Width) * static_cast<size_t>(result.Components);
    result.Pixels.resize(stride * static_cast<size_t>(result.Height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = result.Pixels.data() + info.output_scanline * stride;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

uint32_t TDecodedJpeg::Rgb(long x, long y) const {
    const uint8_t* pixel = Pixels.data() + (static_cast<size_t>(y) * Width + x) * Components;
    if (Components == 1) return pixel[0] * 0x010101u;
    return (uint32_t{pixel[0]} << 16) | (uint32_t{pixel[1]} << 8) | pixel[2];
}

TDecodedJpeg DecodeJpeg(const std::string& bytes) {
    TDecodedJpeg result;
    jpeg_decompress_struct info{};
    TDecodeErrors errors{};
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = DecodeErrorExit;
    errors.Base.output_message = Quiet;
    result.Ok = Decode(info, bytes, result);
    if (!result.Ok) result.Error = errors.Text;
    jpeg_destroy_decompress(&info);
    return result;
}

int FrameMarker(const std::string& bytes) {
    auto at = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    if (bytes.size() < 4 || at(0) != 0xFF || at(1) != 0xD8) return 0;
    size_t i = 2;
    while (i + 4 <= bytes.size() && at(i) == 0xFF) {
        const int marker = at(i + 1);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) return marker;
        i += 2 + ((static_cast<size_t>(at(i + 2)) << 8) | at(i + 3));
    }
    return 0;
}

}  // namespace quorlin::testing
