#include <windows.h>

#include "harvest/icons/file_errors.h"

#include "util/os_error.h"

namespace {

std::wstring FullPath(const std::wstring& FileName) {
    const DWORD length = ::GetFullPathNameW(FileName.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return FileName;
    std::wstring path(length, L'\0');
    path.resize(::GetFullPathNameW(FileName.c_str(), length, path.data(), nullptr));
    return path;
}

std::wstring FileErrorText(const wchar_t* Verb, const std::wstring& FileName, DWORD Code) {
    return std::wstring(L"Невозможно ") + Verb + L" файл \"" + FullPath(FileName) + L"\". " +
           SysErrorMessage(Code);
}

} // namespace

void RaiseFileOpenError(const std::wstring& FileName) {
    const DWORD code = ::GetLastError();
    throw EFOpenError(FileErrorText(L"открыть", FileName, code));
}

void RaiseFileCreateError(const std::wstring& FileName) {
    RaiseFileCreateError(FileName, ::GetLastError());
}

void RaiseFileCreateError(const std::wstring& FileName, DWORD Code) {
    throw EFCreateError(FileErrorText(L"создать", FileName, Code));
}
