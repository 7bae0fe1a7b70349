#include "saver/forms/WideText.h"

#include <cwchar>

namespace quorlin {

std::wstring AnsiToWide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string WideToAnsi(const wchar_t* text) {
    if (!text) return {};
    const int size = static_cast<int>(wcslen(text));
    const int length = WideCharToMultiByte(CP_ACP, 0, text, size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) WideCharToMultiByte(CP_ACP, 0, text, size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

}  // namespace quorlin
