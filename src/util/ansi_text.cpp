#include <windows.h>

#include "util/ansi_text.h"

std::wstring AnsiToWide(const std::string& Text) {
    if (Text.empty())
        return {};
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, Text.data(), static_cast<int>(Text.size()), wide.data(),
                          length);
    return wide;
}
