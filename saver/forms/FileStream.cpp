#include "saver/forms/FileStream.h"

#include <limits>

namespace quorlin {

namespace {

std::string SystemReason(DWORD error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string reason = length ? std::string(text, length) : "error " + std::to_string(error);
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
    return reason;
}

// ReadFile and WriteFile move at most a DWORD at a time.
DWORD Chunk(size_t count) {
    return static_cast<DWORD>(count > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max() : count);
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : FFileName(fileName) {
    DWORD access = GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = OPEN_EXISTING;
    switch (mode) {
        case TFileMode::fmCreate: disposition = CREATE_ALWAYS; break;
        case TFileMode::fmOpenRead: access = GENERIC_READ; break;
        case TFileMode::fmOpenWrite: access = GENERIC_WRITE; break;
        case TFileMode::fmOpenReadWrite: break;
    }
    const DWORD share = mode == TFileMode::fmOpenRead ? FILE_SHARE_READ : 0;
    FHandle = CreateFileA(fileName.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE) {
        const std::string verb = mode == TFileMode::fmCreate ? "Cannot create file " : "Cannot open file ";
        throw EStreamError(verb + fileName + ". " + SystemReason(GetLastError()));
    }
}

TFileStream::~TFileStream() { CloseHandle(FHandle); }

size_t TFileStream::Read(void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        DWORD moved = 0;
        if (!ReadFile(FHandle, static_cast<char*>(buffer) + done, Chunk(count - done), &moved, nullptr) || moved == 0) break;
        done += moved;
    }
    return done;
}

size_t TFileStream::Write(const void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        DWORD moved = 0;
        if (!WriteFile(FHandle, static_cast<const char*>(buffer) + done, Chunk(count - done), &moved, nullptr) ||
            moved == 0) {
            break;
        }
        done += moved;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const DWORD method = origin == TSeekOrigin::soBeginning ? FILE_BEGIN
                         : origin == TSeekOrigin::soCurrent ? FILE_CURRENT
                                                            : FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(FHandle, distance, &position, method)) {
        throw EStreamError("Seek outside the file " + FFileName + ". " + SystemReason(GetLastError()));
    }
    return position.QuadPart;
}

void TFileStream::SetSize(int64_t size) {
    const int64_t position = Seek(0, TSeekOrigin::soCurrent);
    Seek(size, TSeekOrigin::soBeginning);
    const bool ok = SetEndOfFile(FHandle);
    const DWORD error = GetLastError();
    Seek(position < size ? position : size, TSeekOrigin::soBeginning);
    if (!ok) throw EStreamError("Cannot change the size of file " + FFileName + ". " + SystemReason(error));
}

}  // namespace quorlin
