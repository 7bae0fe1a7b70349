#include "saver/forms/Stream.h"

#include <algorithm>
#include <vector>

namespace quorlin {

int64_t TStream::Size() {
    const int64_t position = Seek(0, TSeekOrigin::soCurrent);
    const int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(int64_t) { throw EStreamError("This stream cannot change its size"); }

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (Read(buffer, count) != count) throw EStreamError("Stream read error: the stream ended early");
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (Write(buffer, count) != count) throw EStreamError("Stream write error: not every byte was written");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0) throw EStreamError("Stream copy error: negative count");
    constexpr int64_t kChunk = 64 * 1024;
    std::vector<char> buffer(static_cast<size_t>(std::min(count, kChunk)));
    for (int64_t left = count; left > 0;) {
        const size_t chunk = static_cast<size_t>(std::min(left, kChunk));
        source.ReadBuffer(buffer.data(), chunk);
        WriteBuffer(buffer.data(), chunk);
        left -= static_cast<int64_t>(chunk);
    }
    return count;
}

}  // namespace quorlin
