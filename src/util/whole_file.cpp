#include <windows.h>

#include "util/whole_file.h"

#include <vector>

#include "util/handle.h"
#include "util/os_error.h"

namespace {

std::wstring ProcessMark() {
    return L".~" + std::to_wstring(::GetCurrentProcessId()) + L"-";
}

// A new file whose name no other file has, beside the target or in Folder when one is given.
// Raises the OS error of the first attempt that fails for a reason other than the name being
// taken.
UniqueFile CreateTemporary(const std::wstring& target, const TTemporaryFolder* folder,
                           std::wstring& name) {
    static unsigned serial = 0;
    const std::wstring base = folder && !folder->Path().empty()
                                  ? folder->Path() + target.substr(target.find_last_of(L'\\') + 1)
                                  : target;
    const std::wstring stem = base + ProcessMark();
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

void WriteBytes(HANDLE file, std::span<const uint8_t> bytes) {
    if (bytes.size() > MAXDWORD)
        RaiseOSError(ERROR_FILE_TOO_LARGE);
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        RaiseLastOSError();
    if (written != bytes.size())
        RaiseOSError(ERROR_WRITE_FAULT);
}

// Copies the source's bytes to the file, then gives it the source's last-write time, as a
// copy made by the system would have.
void CopyContent(HANDLE source, HANDLE file) {
    std::vector<uint8_t> buffer(1 << 16);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
            RaiseLastOSError();
        if (read == 0)
            break;
        WriteBytes(file, std::span(buffer).first(read));
    }
    FILETIME written{};
    if (::GetFileTime(source, nullptr, nullptr, &written))
        ::SetFileTime(file, nullptr, nullptr, &written);
}

// The attributes a copy of the open file takes over (a copy is never marked compressed,
// encrypted or sparse by its source).
DWORD CopiedAttributes(HANDLE source) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(source, &info))
        return 0;
    return info.dwFileAttributes &
           (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
            FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
}

void RefuseReadOnly(const std::wstring& FileName) {
    // Replacing a file by renaming would pass over its read-only mark; writing it would not.
    const DWORD attributes = ::GetFileAttributesW(FileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseOSError(ERROR_ACCESS_DENIED);
}

// Gives the complete temporary file the target's name. A new target is taken in one move; an
// existing one is checked first. (Each look-up of a name that does not exist yet costs a
// read of the whole folder on some file systems, so a new target is looked up only once.)
void MoveOverTarget(const std::wstring& Temporary, const std::wstring& FileName, bool Durable) {
    const DWORD through = Durable ? MOVEFILE_WRITE_THROUGH : 0;
    if (::MoveFileExW(Temporary.c_str(), FileName.c_str(), through))
        return;
    const DWORD error = ::GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
        RaiseOSError(error);
    RefuseReadOnly(FileName);
    if (!::MoveFileExW(Temporary.c_str(), FileName.c_str(), MOVEFILE_REPLACE_EXISTING | through))
        RaiseLastOSError();
}

// Fills a temporary file beside FileName through Fill, gives it Attributes (none: 0), then
// moves it over FileName.
template <typename F>
void ReplaceWholeFile(const std::wstring& FileName, TWriteSafety Safety,
                      const TTemporaryFolder* Temporaries, DWORD Attributes, F&& Fill) {
    std::wstring temporary;
    UniqueFile file = CreateTemporary(FileName, Temporaries, temporary);
    try {
        Fill(file.get());
        const bool durable = Safety == TWriteSafety::Durable;
        // The content must be on disk before it takes the target's name.
        if (durable && !::FlushFileBuffers(file.get()))
            RaiseLastOSError();
        file.reset();
        if (Attributes != 0 && !::SetFileAttributesW(temporary.c_str(), Attributes))
            RaiseLastOSError();
        MoveOverTarget(temporary, FileName, durable);
    } catch (...) {
        file.reset();
        ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(temporary.c_str());
        throw;
    }
}

} // namespace

TTemporaryFolder::TTemporaryFolder(const std::wstring& folder) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    path += ProcessMark() + std::to_wstring(::GetTickCount()) + L".tmp";
    if (::CreateDirectoryW(path.c_str(), nullptr)) {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
        path_ = path + L'\\';
    }
}

TTemporaryFolder::~TTemporaryFolder() {
    // Every write moves or deletes its temporary file, so the folder is empty by now.
    if (!path_.empty())
        ::RemoveDirectoryW(path_.c_str());
}

void WriteWholeFile(const std::wstring& FileName, std::span<const uint8_t> Bytes,
                    TWriteSafety Safety, const TTemporaryFolder* Temporaries) {
    ReplaceWholeFile(FileName, Safety, Temporaries, 0,
                     [Bytes](HANDLE file) { WriteBytes(file, Bytes); });
}

void CopyWholeFile(const std::wstring& Source, const std::wstring& FileName, TWriteSafety Safety,
                   const TTemporaryFolder* Temporaries) {
    UniqueFile source(::CreateFileW(Source.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source)
        RaiseLastOSError();
    ReplaceWholeFile(FileName, Safety, Temporaries, CopiedAttributes(source.get()),
                     [&source](HANDLE file) {
                         CopyContent(source.get(), file);
                         // Closed before the move: the target may be the source itself.
                         source.reset();
                     });
}
