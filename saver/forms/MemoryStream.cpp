#include "saver/forms/MemoryStream.h"

#include <cstring>
#include <limits>

namespace quorlin {

void TCustomMemoryStream::SetPointer(const void* memory, size_t size) {
    FMemory = memory;
    FSize = size;
}

size_t TCustomMemoryStream::Read(void* buffer, size_t count) {
    // A position past the end (after a seek there) reads nothing.
    if (FPosition >= FSize || count == 0) return 0;
    const size_t available = FSize - FPosition;
    if (count > available) count = available;
    std::memcpy(buffer, static_cast<const char*>(FMemory) + FPosition, count);
    FPosition += count;
    return count;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    switch (origin) {
        case TSeekOrigin::soBeginning: base = 0; break;
        case TSeekOrigin::soCurrent: base = static_cast<int64_t>(FPosition); break;
        case TSeekOrigin::soEnd: base = static_cast<int64_t>(FSize); break;
    }
    if ((offset < 0 && base + offset < 0) || (offset > 0 && offset > std::numeric_limits<int64_t>::max() - base)) {
        throw EStreamError("Seek outside the stream");
    }
    const int64_t position = base + offset;
    if (static_cast<uint64_t>(position) > std::numeric_limits<size_t>::max()) throw EStreamError("Seek outside the stream");
    FPosition = static_cast<size_t>(position);
    return position;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0) return 0;
    if (count > std::numeric_limits<size_t>::max() - FPosition) throw EStreamError("Stream write error: too large");
    const size_t end = FPosition + count;
    if (end > FData.size()) SetSize(static_cast<int64_t>(end));
    std::memcpy(FData.data() + FPosition, buffer, count);
    FPosition = end;
    return count;
}

void TMemoryStream::SetSize(int64_t size) {
    if (size < 0 || static_cast<uint64_t>(size) > FData.max_size()) throw EStreamError("Invalid stream size");
    try {
        FData.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while growing a memory stream");
    }
    SetPointer(FData.data(), FData.size());
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    SetPointer(nullptr, 0);
    FPosition = 0;
}

}  // namespace quorlin
