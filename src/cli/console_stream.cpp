#include <windows.h>

#include "cli/console_stream.h"

#include <string_view>

TConsoleStream::TConsoleStream(DWORD Which) : handle_(::GetStdHandle(Which)) {
    DWORD mode = 0;
    console_ = handle_ && handle_ != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle_, &mode);
}

int TConsoleStream::Width() const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!console_ || !::GetConsoleScreenBufferInfo(handle_, &info))
        return 0;
    return info.srWindow.Right - info.srWindow.Left + 1;
}

void TConsoleStream::Write(const std::wstring& Text) const {
    if (!handle_ || handle_ == INVALID_HANDLE_VALUE || Text.empty())
        return;
    DWORD written = 0;
    if (console_) {
        ::WriteConsoleW(handle_, Text.data(), static_cast<DWORD>(Text.size()), &written, nullptr);
        return;
    }
    std::wstring lines;
    for (wchar_t c : Text) {
        if (c == L'\n' && (lines.empty() || lines.back() != L'\r'))
            lines += L'\r';
        lines += c;
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, lines.data(), static_cast<int>(lines.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, lines.data(), static_cast<int>(lines.size()), utf8.data(),
                          size, nullptr, nullptr);
    ::WriteFile(handle_, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}
