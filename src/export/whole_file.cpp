#include <windows.h>

#include "export/whole_file.h"

#include "ui/handle.h"
#include "util/os_error.h"

namespace {

// A new file beside the target whose name no other file has. Raises the OS error of the
// first attempt that fails for a reason other than the name being taken.
UniqueFile CreateTemporaryBeside(const std::wstring& target, std::wstring& name) {
    static unsigned serial = 0;
    const std::wstring stem = target + L".~" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + std::to_wstring(serial++) + L".tmp";
        UniqueFile file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return file;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            RaiseOSError(error);
    }
    RaiseOSError(ERROR_FILE_EXISTS);
}

void WriteAndFlush(HANDLE file, std::span<const uint8_t> bytes) {
    if (bytes.size() > MAXDWORD)
        RaiseOSError(ERROR_FILE_TOO_LARGE);
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        RaiseLastOSError();
    if (written != bytes.size())
        RaiseOSError(ERROR_WRITE_FAULT);
    // The content must be on disk before it takes the target's name.
    if (!::FlushFileBuffers(file))
        RaiseLastOSError();
}

} // namespace

void WriteWholeFile(const std::wstring& FileName, std::span<const uint8_t> Bytes) {
    // Replacing a file by renaming would pass over its read-only mark; writing it would not.
    const DWORD attributes = ::GetFileAttributesW(FileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseOSError(ERROR_ACCESS_DENIED);
    std::wstring temporary;
    UniqueFile file = CreateTemporaryBeside(FileName, temporary);
    try {
        WriteAndFlush(file.get(), Bytes);
        file.reset();
        if (!::MoveFileExW(temporary.c_str(), FileName.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            RaiseLastOSError();
    } catch (...) {
        file.reset();
        ::DeleteFileW(temporary.c_str());
        throw;
    }
}
