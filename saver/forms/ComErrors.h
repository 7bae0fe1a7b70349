#pragma once
// The errors of COM calls: a failed HRESULT becomes an exception with the system's text.

#include <windows.h>

#include <string>

#include "saver/forms/SysUtils.h"

namespace quorlin {

class EOleError : public Exception {
public:
    using Exception::Exception;
};

class EOleSysError : public EOleError {
public:
    // An empty message takes the system's text for the code.
    EOleSysError(const std::string& message, HRESULT errorCode);
    HRESULT ErrorCode() const { return FErrorCode; }

private:
    HRESULT FErrorCode;
};

// A failure that the called object described itself (IErrorInfo / EXCEPINFO).
class EOleException : public EOleSysError {
public:
    EOleException(const std::string& message, HRESULT errorCode, const std::string& source)
        : EOleSysError(message, errorCode), FSource(source) {}
    const std::string& Source() const { return FSource; }

private:
    std::string FSource;
};

// The system's text for an error code, without its line end.
std::string SysErrorMessage(DWORD code);

// Raises EOleSysError for a failed HRESULT; returns the HRESULT otherwise.
HRESULT OleCheck(HRESULT result);

}  // namespace quorlin
