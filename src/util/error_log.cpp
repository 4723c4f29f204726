#include <windows.h>

#include "util/error_log.h"

#include <string>

#include "util/handle.h"

namespace {

// The line and its CR LF as Windows-1251 bytes; characters outside the code page become '?'.
std::string Cp1251Line(const std::wstring& line) {
    const std::wstring text = line + L"\r\n";
    const int size = ::WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                          nullptr, nullptr);
    return bytes;
}

} // namespace

void AppendLogLine(const std::wstring& Path, const std::wstring& Line) noexcept {
    try {
        const std::string bytes = Cp1251Line(Line);
        UniqueFile file(::CreateFileW(Path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return;
        LARGE_INTEGER end{};
        if (!::SetFilePointerEx(file.get(), end, nullptr, FILE_END))
            return;
        DWORD written = 0;
        ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    } catch (...) {
        // Out of memory while composing the bytes: the line is lost like any other failure.
    }
}
