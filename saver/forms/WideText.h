#pragma once
// Text crosses into COM as wide strings: 8-bit text in the system code page is converted
// at the call, and back.

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace quorlin {

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const wchar_t* text);

// An owned BSTR, freed by the destructor.
class TBstr {
public:
    explicit TBstr(const std::string& text) : FValue(SysAllocString(AnsiToWide(text).c_str())) {}
    ~TBstr() { SysFreeString(FValue); }
    TBstr(const TBstr&) = delete;
    TBstr& operator=(const TBstr&) = delete;
    BSTR Get() const { return FValue; }

private:
    BSTR FValue;
};

}  // namespace quorlin
