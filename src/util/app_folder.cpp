#include <windows.h>

#include "util/app_folder.h"

#include "util/file_path.h"

std::wstring ExePath() {
    // Grow the buffer until the path fits: GetModuleFileName truncates silently, and the
    // program may live in a folder deeper than MAX_PATH.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring AppFolder() {
    return FolderOfFile(ExePath());
}

std::wstring ErrorLogPath() {
    return AppFolder() + L"error.log";
}
