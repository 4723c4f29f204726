#include <windows.h>

#include "harvest/icons/file_errors.h"

#include "util/os_error.h"

namespace {

std::wstring FullPath(const std::wstring& fileName) {
    const DWORD length = ::GetFullPathNameW(fileName.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return fileName;
    std::wstring path(length, L'\0');
    path.resize(::GetFullPathNameW(fileName.c_str(), length, path.data(), nullptr));
    return path;
}

std::wstring FileErrorText(const wchar_t* verb, const std::wstring& fileName, DWORD code) {
    return std::wstring(L"Невозможно ") + verb + L" файл \"" + FullPath(fileName) + L"\". " +
           SysErrorMessage(code);
}

} // namespace

void RaiseFileOpenError(const std::wstring& fileName) {
    const DWORD code = ::GetLastError();
    throw EFOpenError(FileErrorText(L"открыть", fileName, code));
}

void RaiseFileCreateError(const std::wstring& fileName) {
    RaiseFileCreateError(fileName, ::GetLastError());
}

void RaiseFileCreateError(const std::wstring& fileName, DWORD code) {
    throw EFCreateError(FileErrorText(L"создать", fileName, code));
}
