#pragma once
// A stream over a file on disk, open for the life of the object.

#include <windows.h>

#include <string>

#include "saver/forms/Stream.h"

namespace quorlin {

enum class TFileMode {
    fmCreate,         // create anew, truncating an existing file; read and write
    fmOpenRead,       // an existing file, read only
    fmOpenWrite,      // an existing file, write only
    fmOpenReadWrite,  // an existing file, read and write
};

class TFileStream : public TStream {
public:
    // Raises EStreamError "Cannot create file <name>" or "Cannot open file <name>",
    // followed by the system's reason.
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    HANDLE FHandle = INVALID_HANDLE_VALUE;
};

}  // namespace quorlin
