#include "player/swf/Movie.h"

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"
#include "player/swf/SwfError.h"
#include "player/swf/Zlib.h"

namespace quorlin::swf {

namespace {

constexpr size_t HeaderSize = 8;

TMovie ReadBody(std::span<const uint8_t> body, TMovie movie) {
    TByteReader r(body, "movie header");
    movie.Frame = ReadRect(r);
    movie.FrameRate = r.U16();
    movie.FrameCount = r.U16();
    movie.Tags = ReadTags(r.Rest(), "main timeline");
    return movie;
}

}  // namespace

TMovie ReadMovie(std::span<const uint8_t> file) {
    TByteReader r(file, "SWF header");
    if (file.size() < HeaderSize) {
        throw TSwfError("SWF header: file of " + std::to_string(file.size()) + " bytes is shorter than its header");
    }
    auto signature = r.Bytes(3);
    TMovie movie;
    if (signature[1] != 'W' || signature[2] != 'S' || (signature[0] != 'F' && signature[0] != 'C')) {
        throw TSwfError("SWF header: signature is neither FWS nor CWS");
    }
    movie.Compressed = signature[0] == 'C';
    movie.Version = r.U8();
    uint32_t length = r.U32();
    if (length < HeaderSize) throw TSwfError("SWF header: length field " + std::to_string(length) + " is below 8");
    size_t bodyLength = length - HeaderSize;
    if (movie.Compressed) {
        std::vector<uint8_t> body = Inflate(r.Rest(), bodyLength, "compressed SWF body");
        return ReadBody(body, std::move(movie));
    }
    if (bodyLength > r.Remaining()) {
        throw TSwfError("SWF header: length field " + std::to_string(length) + " exceeds the file's " +
                        std::to_string(file.size()) + " bytes");
    }
    return ReadBody(r.Bytes(bodyLength), std::move(movie));
}

std::vector<uint8_t> WriteMovie(const TMovie& movie) {
    TByteWriter body;
    WriteRect(body, movie.Frame);
    body.U16(movie.FrameRate);
    body.U16(movie.FrameCount);
    body.Bytes(WriteTags(movie.Tags));

    TByteWriter file;
    file.U8(movie.Compressed ? 'C' : 'F');
    file.U8('W');
    file.U8('S');
    file.U8(movie.Version);
    file.U32(uint32_t(HeaderSize + body.Size()));
    file.Bytes(movie.Compressed ? Deflate(body.Data(), 9) : body.Data());
    return file.Take();
}

}  // namespace quorlin::swf
