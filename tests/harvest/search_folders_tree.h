#pragma once
// Building real folder trees for the scanner tests, and recording what a walk reports.

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "harvest/scan/JvSFolders.h"

namespace search_folders_test {

inline void MakeFolder(const std::wstring& path) {
    if (!::CreateDirectoryW(path.c_str(), nullptr))
        throw std::runtime_error("cannot create a test folder");
}

// A file of Size bytes; the bytes are not written, so a large file costs no disk space
// where the file system keeps files sparse.
inline void MakeFile(const std::wstring& path, std::int64_t Size = 0) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create a test file");
    DWORD returned = 0;
    ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = Size;
    const bool sized = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
    ::CloseHandle(file);
    if (!sized)
        throw std::runtime_error("cannot size a test file");
}

// Full paths of the records, sorted, for comparing without regard to listing order.
inline std::vector<std::wstring> FoundPaths(const TJvSearchFolders& scanner) {
    std::vector<std::wstring> paths;
    for (const TFilePack& pack : scanner.FileList())
        paths.push_back(pack.Path + pack.Name);
    std::sort(paths.begin(), paths.end());
    return paths;
}

// One OnProcess or OnChanged call.
struct Event {
    std::wstring Dir; // L"(changed)" for OnChanged
    std::int64_t CountFiles;
    std::int64_t SizeOfFiles;
    bool operator==(const Event&) const = default;
};

// Records every event of a scanner.
class EventLog {
public:
    explicit EventLog(TJvSearchFolders& scanner) {
        scanner.OnProcess = [this](TJvSearchFolders& sender, const std::wstring& dir,
                                   std::int32_t count, std::int64_t size) {
            Events.push_back({dir, count, size});
            if (Action)
                Action(sender, dir);
        };
        scanner.OnChanged = [this](TJvSearchFolders&, std::int64_t count, std::int64_t size) {
            Events.push_back({L"(changed)", count, size});
        };
    }

    std::vector<Event> Events;
    // Runs after each OnProcess call has been recorded (to stop or fail the walk).
    std::function<void(TJvSearchFolders& Sender, const std::wstring& Dir)> Action;
};

} // namespace search_folders_test
