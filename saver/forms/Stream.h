#pragma once
// The stream classes' common base: a readable, seekable sequence of bytes with a size.
// Read and Write report how much they moved; ReadBuffer and WriteBuffer insist on all of it.

#include <cstddef>
#include <cstdint>

#include "saver/forms/SysUtils.h"

namespace quorlin {

// Raised by streams that cannot do what was asked (short reads and writes, bad seeks,
// writing to a read-only stream, files that cannot be opened).
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    TStream() = default;
    virtual ~TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // At most count bytes from the current position; fewer at the end. Returns the count moved.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    // Returns the new position. A position before the start raises EStreamError.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    virtual int64_t Size();
    virtual void SetSize(int64_t size);
    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    // Copies count bytes from source's current position; count 0 copies the whole source
    // from its start. Returns the count copied; a short source raises EStreamError.
    int64_t CopyFrom(TStream& source, int64_t count);
};

}  // namespace quorlin
