#include <windows.h>

#include "support/system_modules.h"

#include "util/handle.h"

std::wstring SystemFolder() {
    wchar_t path[MAX_PATH];
    BOOL wow64 = FALSE;
    ::IsWow64Process(::GetCurrentProcess(), &wow64);
    const UINT length =
        wow64 ? ::GetSystemWow64DirectoryW(path, MAX_PATH) : ::GetSystemDirectoryW(path, MAX_PATH);
    return std::wstring(path, length);
}

std::vector<std::wstring> FilesIn(const std::wstring& Folder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW data;
    UniqueFind find(::FindFirstFileW((Folder + L"\\*").c_str(), &data));
    if (!find)
        return files;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(data.cFileName);
    } while (::FindNextFileW(find.get(), &data));
    return files;
}
