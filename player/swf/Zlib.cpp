#include "player/swf/Zlib.h"

#include "player/swf/SwfError.h"

#include <zlib.h>

#include <algorithm>
#include <memory>

namespace quorlin::swf {

namespace {

// Output grows as the stream delivers it, so a lying size field costs no memory.
constexpr size_t Chunk = 64 * 1024;

struct TInflateStream {
    z_stream Z{};
    TInflateStream() {
        if (inflateInit(&Z) != Z_OK) throw TSwfError("zlib: cannot start inflating");
    }
    ~TInflateStream() { inflateEnd(&Z); }
};

}  // namespace

std::vector<uint8_t> Inflate(std::span<const uint8_t> input, size_t expected, const std::string& what,
                             size_t* consumed) {
    TInflateStream s;
    std::vector<uint8_t> out;
    s.Z.next_in = const_cast<Bytef*>(input.data());
    s.Z.avail_in = uInt(std::min<size_t>(input.size(), UINT32_MAX));
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        size_t have = out.size();
        // One byte beyond expected lets an over-long stream show itself.
        size_t room = std::min(Chunk, expected + 1 - have);
        out.resize(have + room);
        s.Z.next_out = out.data() + have;
        s.Z.avail_out = uInt(room);
        rc = inflate(&s.Z, Z_NO_FLUSH);
        out.resize(have + room - s.Z.avail_out);
        if (rc == Z_STREAM_END) break;
        if (rc == Z_BUF_ERROR && s.Z.avail_in == 0) throw TSwfError(what + ": zlib data ends before its stream does");
        if (rc != Z_OK) throw TSwfError(what + ": bad zlib data (" + (s.Z.msg ? s.Z.msg : "error " + std::to_string(rc)) + ")");
        if (out.size() > expected) break;
    }
    if (out.size() != expected) {
        throw TSwfError(what + ": zlib data inflates to " + (out.size() > expected ? "more than " : "") +
                        std::to_string(out.size()) + " bytes, " + std::to_string(expected) + " expected");
    }
    if (consumed) *consumed = input.size() - s.Z.avail_in;
    return out;
}

std::vector<uint8_t> Deflate(std::span<const uint8_t> input, int level) {
    uLongf size = compressBound(uLong(input.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, input.data(), uLong(input.size()), level) != Z_OK) {
        throw TSwfError("zlib: compression failed");
    }
    out.resize(size);
    return out;
}

}  // namespace quorlin::swf
