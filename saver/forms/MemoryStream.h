#pragma once
// Streams over a block of memory: TCustomMemoryStream reads a block it is given,
// TMemoryStream owns a block that grows as it is written.

#include <vector>

#include "saver/forms/Stream.h"

namespace quorlin {

class TCustomMemoryStream : public TStream {
public:
    size_t Read(void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FSize); }
    const void* Memory() const { return FMemory; }

protected:
    // The block that Read serves; the derived class keeps it alive.
    void SetPointer(const void* memory, size_t size);
    size_t FPosition = 0;

private:
    const void* FMemory = nullptr;
    size_t FSize = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    size_t Write(const void* buffer, size_t count) override;
    // Growing fills with zeros; shrinking keeps the position, which may then lie past the end.
    void SetSize(int64_t size) override;
    void Clear();
    char* Memory() { return FData.data(); }

private:
    std::vector<char> FData;
};

}  // namespace quorlin
