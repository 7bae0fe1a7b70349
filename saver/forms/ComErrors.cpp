#include "saver/forms/ComErrors.h"

#include <cstdio>

namespace quorlin {

std::string SysErrorMessage(DWORD code) {
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

namespace {

std::string DescribeHResult(HRESULT code) {
    std::string text = SysErrorMessage(static_cast<DWORD>(code));
    if (!text.empty()) return text;
    char fallback[32];
    snprintf(fallback, sizeof fallback, "OLE error %08lX", static_cast<unsigned long>(code));
    return fallback;
}

}  // namespace

EOleSysError::EOleSysError(const std::string& message, HRESULT errorCode)
    : EOleError(message.empty() ? DescribeHResult(errorCode) : message), FErrorCode(errorCode) {}

HRESULT OleCheck(HRESULT result) {
    if (FAILED(result)) throw EOleSysError("", result);
    return result;
}

}  // namespace quorlin
