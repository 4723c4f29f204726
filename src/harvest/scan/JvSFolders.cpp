#include <windows.h>

#include "harvest/scan/JvSFolders.h"

#include <string_view>

#include "harvest/scan/reparse_rule.h"
#include "ui/application.h"
#include "util/handle.h"

namespace {

// Joins a folder and a name with one "\" between them; an empty folder gives nothing.
std::wstring JoinPath(const std::wstring& Folder, std::wstring_view Name) {
    if (Folder.empty())
        return {};
    std::wstring path = Folder;
    if (path.back() != L'\\')
        path += L'\\';
    path += Name;
    return path;
}

std::wstring UpperCase(const std::wstring& Text) {
    if (Text.empty())
        return Text;
    const int length = static_cast<int>(Text.size());
    std::wstring upper(Text.size(), L'\0');
    if (::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, Text.data(), length, upper.data(),
                       length) != length)
        return Text;
    return upper;
}

bool IsExcluded(const std::vector<std::wstring>& Excluded, const std::wstring& Folder) {
    if (Excluded.empty())
        return false;
    const std::wstring upper = UpperCase(Folder);
    for (const std::wstring& line : Excluded)
        if (upper.find(line) != std::wstring::npos)
            return true;
    return false;
}

bool IsDotEntry(const wchar_t* Name) {
    return Name[0] == L'.' && (Name[1] == L'\0' || (Name[1] == L'.' && Name[2] == L'\0'));
}

// The last-write time in local time, packed as DOS date (high word) and time (low word);
// 0 for a time a DOS date cannot hold (before 1980).
std::int32_t DosFileTime(const FILETIME& Written) {
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!::FileTimeToLocalFileTime(&Written, &local) ||
        !::FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return static_cast<std::int32_t>((static_cast<DWORD>(date) << 16) | time);
}

TFilePack MakeFilePack(const std::wstring& FolderPath, const WIN32_FIND_DATAW& Entry) {
    TFilePack pack;
    pack.Name = Entry.cFileName;
    pack.Path = FolderPath;
    pack.Size = static_cast<std::int64_t>((static_cast<std::uint64_t>(Entry.nFileSizeHigh) << 32) |
                                          Entry.nFileSizeLow);
    pack.Attr = static_cast<std::int32_t>(Entry.dwFileAttributes);
    pack.Time = DosFileTime(Entry.ftLastWriteTime);
    return pack;
}

} // namespace

void TJvSearchFolders::Start() {
    Application::ProcessMessages();
    FFileList.clear();
    FCountFiles = 0;
    FSizeOfFiles = 0;
    TWalk walk{CompileMaskList(FileMask), {}};
    for (const std::wstring& line : ExcludeFolderList)
        if (!line.empty())
            walk.Excluded.push_back(UpperCase(line));
    FStop = false;
    // A copy: a handler may assign ScanDir while the walk runs.
    const std::wstring root = ScanDir;
    ScanFolder(walk, root);
    if (OnChanged)
        OnChanged(*this, FCountFiles, FSizeOfFiles);
}

void TJvSearchFolders::ScanFolder(const TWalk& Walk, const std::wstring& Folder) {
    const bool excluded = IsExcluded(Walk.Excluded, Folder);
    if (!excluded && OnProcess)
        OnProcess(*this, Folder, FCountFiles, FSizeOfFiles);
    if (Messages)
        PumpMessages();

    WIN32_FIND_DATAW entry;
    UniqueFind listing;
    if (!excluded)
        listing.reset(::FindFirstFileExW(JoinPath(Folder, L"*.*").c_str(), FindExInfoBasic, &entry,
                                         FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
    try {
        const std::wstring folderPath = JoinPath(Folder, L"");
        bool more = static_cast<bool>(listing);
        while (more && !FStop) {
            if (!IsDotEntry(entry.cFileName)) {
                if (!MatchesAny(Walk.Masks, entry.cFileName)) {
                    PumpBetweenEntries();
                } else if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    FFileList.push_back(MakeFilePack(folderPath, entry));
                    ++FCountFiles;
                    FSizeOfFiles += FFileList.back().Size;
                }
                if (DoRecursive && EntersFolder(entry.dwFileAttributes, entry.dwReserved0))
                    ScanFolder(Walk, JoinPath(Folder, entry.cFileName));
            }
            more = ::FindNextFileW(listing.get(), &entry);
            if (Messages)
                PumpBetweenEntries();
        }
    } catch (...) {
        LeaveFolder(excluded, Folder);
        throw;
    }
    LeaveFolder(excluded, Folder);
}

void TJvSearchFolders::PumpMessages() {
    FLastPump = ::GetTickCount();
    Application::ProcessMessages();
}

// A pump costs a round trip to the window system even when nothing is waiting, far more
// than looking at one directory entry; between entries it runs at most once per clock tick,
// which still handles every message (a Stop, a repaint) within a tick.
void TJvSearchFolders::PumpBetweenEntries() {
    if (::GetTickCount() != FLastPump)
        PumpMessages();
}

void TJvSearchFolders::LeaveFolder(bool Excluded, const std::wstring& Folder) {
    if (!Excluded && OnProcess)
        OnProcess(*this, Folder, FCountFiles, FSizeOfFiles);
}
