#include <windows.h>

#include "util/os_error.h"

#include <memory>
#include <string>

namespace {

struct LocalBufferFree {
    void operator()(wchar_t* buffer) const { ::LocalFree(buffer); }
};

std::wstring OSErrorText(DWORD code) {
    if (code == 0)
        return L"A call to an OS function failed";
    return L"System Error.  Code: " + std::to_wstring(code) + L".\r\n" + SysErrorMessage(code);
}

} // namespace

EOSError::EOSError(DWORD code) : Exception(OSErrorText(code)), code_(code) {}

std::wstring SysErrorMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD length =
        ::FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    // The system's buffer goes back even when building the text throws.
    const std::unique_ptr<wchar_t, LocalBufferFree> owned(buffer);
    std::wstring text(buffer ? buffer : L"", length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

void RaiseOSError(DWORD code) {
    throw EOSError(code);
}

void RaiseLastOSError() {
    RaiseOSError(::GetLastError());
}
