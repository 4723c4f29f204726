#include <windows.h>

#include "harvest/scan/JvSFolders.h"

#include <string_view>

#include "harvest/scan/reparse_rule.h"
#include "ui/application.h"
#include "util/handle.h"

namespace {

// Joins a folder and a name with one "\" between them; an empty folder gives nothing.
std::wstring JoinPath(const std::wstring& folder, std::wstring_view name) {
    if (folder.empty())
        return {};
    std::wstring path = folder;
    if (path.back() != L'\\')
        path += L'\\';
    path += name;
    return path;
}

std::wstring UpperCase(const std::wstring& text) {
    if (text.empty())
        return text;
    const int length = static_cast<int>(text.size());
    std::wstring upper(text.size(), L'\0');
    if (::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, text.data(), length, upper.data(),
                       length) != length)
        return text;
    return upper;
}

bool IsExcluded(const std::vector<std::wstring>& excluded, const std::wstring& folder) {
    if (excluded.empty())
        return false;
    const std::wstring upper = UpperCase(folder);
    for (const std::wstring& line : excluded)
        if (upper.find(line) != std::wstring::npos)
            return true;
    return false;
}

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// The last-write time in local time, packed as DOS date (high word) and time (low word);
// 0 for a time a DOS date cannot hold (before 1980).
std::int32_t DosFileTime(const FILETIME& written) {
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!::FileTimeToLocalFileTime(&written, &local) ||
        !::FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return static_cast<std::int32_t>((static_cast<DWORD>(date) << 16) | time);
}

TFilePack MakeFilePack(const std::wstring& folderPath, const WIN32_FIND_DATAW& entry) {
    TFilePack pack;
    pack.Name = entry.cFileName;
    pack.Path = folderPath;
    pack.Size = static_cast<std::int64_t>((static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) |
                                          entry.nFileSizeLow);
    pack.Attr = static_cast<std::int32_t>(entry.dwFileAttributes);
    pack.Time = DosFileTime(entry.ftLastWriteTime);
    return pack;
}

} // namespace

void TJvSearchFolders::Start() {
    Application::ProcessMessages();
    fileList_.clear();
    countFiles_ = 0;
    sizeOfFiles_ = 0;
    TWalk walk{CompileMaskList(FileMask), {}};
    for (const std::wstring& line : ExcludeFolderList)
        if (!line.empty())
            walk.Excluded.push_back(UpperCase(line));
    stop_ = false;
    // A copy: a handler may assign ScanDir while the walk runs.
    const std::wstring root = ScanDir;
    ScanFolder(walk, root);
    if (OnChanged)
        OnChanged(*this, countFiles_, sizeOfFiles_);
}

void TJvSearchFolders::ScanFolder(const TWalk& walk, const std::wstring& folder) {
    const bool excluded = IsExcluded(walk.Excluded, folder);
    if (!excluded && OnProcess)
        OnProcess(*this, folder, countFiles_, sizeOfFiles_);
    if (Messages)
        PumpMessages();

    WIN32_FIND_DATAW entry;
    UniqueFind listing;
    if (!excluded)
        listing.reset(::FindFirstFileExW(JoinPath(folder, L"*.*").c_str(), FindExInfoBasic, &entry,
                                         FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
    try {
        const std::wstring folderPath = JoinPath(folder, L"");
        bool more = static_cast<bool>(listing);
        while (more && !stop_) {
            if (!IsDotEntry(entry.cFileName)) {
                if (!MatchesAny(walk.Masks, entry.cFileName)) {
                    PumpBetweenEntries();
                } else if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    fileList_.push_back(MakeFilePack(folderPath, entry));
                    ++countFiles_;
                    sizeOfFiles_ += fileList_.back().Size;
                }
                if (DoRecursive && EntersFolder(entry.dwFileAttributes, entry.dwReserved0))
                    ScanFolder(walk, JoinPath(folder, entry.cFileName));
            }
            more = ::FindNextFileW(listing.get(), &entry);
            if (Messages)
                PumpBetweenEntries();
        }
    } catch (...) {
        LeaveFolder(excluded, folder);
        throw;
    }
    LeaveFolder(excluded, folder);
}

void TJvSearchFolders::PumpMessages() {
    lastPump_ = ::GetTickCount();
    Application::ProcessMessages();
}

// A pump costs a round trip to the window system even when nothing is waiting, far more
// than looking at one directory entry; between entries it runs at most once per clock tick,
// which still handles every message (a Stop, a repaint) within a tick.
void TJvSearchFolders::PumpBetweenEntries() {
    if (::GetTickCount() != lastPump_)
        PumpMessages();
}

void TJvSearchFolders::LeaveFolder(bool excluded, const std::wstring& folder) {
    if (!excluded && OnProcess)
        OnProcess(*this, folder, countFiles_, sizeOfFiles_);
}
