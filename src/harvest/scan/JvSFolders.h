#pragma once
// The folder scanner: walks a folder tree depth first, collects one record per file whose
// name fits one of a comma-separated list of masks, and reports each folder as it is
// entered and left. It runs on the calling thread and pumps window messages as it goes, so
// the window stays alive and a message handler can stop it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "harvest/scan/mask_list.h"

// One matching file: Path + Name is its full path.
struct TFilePack {
    std::wstring Name; // as the listing gives it, without folder
    std::wstring Path; // the folder that holds it, always ending with "\"
    std::int64_t Size = 0;
    std::int32_t Attr = 0;
    std::int32_t Time = 0; // local last-write time, DOS date (high word) and time (low word)
};

class TJvSearchFolders;

// A folder being entered or left, with the matching files and their bytes so far.
using TOnProcessEvent = std::function<void(TJvSearchFolders& Sender, const std::wstring& Dir,
                                           std::int32_t CountFiles, std::int64_t SizeOfFiles)>;
// A walk has finished (also after Stop), with its final figures.
using TOnChangedEvent = std::function<void(TJvSearchFolders& Sender, std::int64_t CountFiles,
                                           std::int64_t SizeOfFiles)>;

class TJvSearchFolders {
public:
    TJvSearchFolders() = default;
    TJvSearchFolders(const TJvSearchFolders&) = delete;
    TJvSearchFolders& operator=(const TJvSearchFolders&) = delete;

    std::wstring FileMask = L"*";
    std::wstring ScanDir = L"C:\\";
    bool DoRecursive = true;
    // Pump window messages on entering each folder and after each entry.
    bool Messages = true;
    TOnProcessEvent OnProcess;
    TOnChangedEvent OnChanged;
    // Folders whose path contains one of these texts (in any case) are skipped.
    std::vector<std::wstring> ExcludeFolderList;

    // Runs one whole walk of ScanDir; returns after OnChanged. A bad mask raises EMaskError
    // before any folder is visited. An exception from an event handler ends the walk (each
    // open folder still gets its closing OnProcess) and leaves Start without OnChanged.
    void Start();
    // Ends the walk at the next entry; meant for event and message handlers during Start.
    void Stop() { stop_ = true; }
    void ClearFileList() { fileList_.clear(); }

    std::int32_t CountFiles() const { return countFiles_; }
    std::int64_t SizeOfFiles() const { return sizeOfFiles_; }
    // The matching files of the last walk, in the order they were found.
    const std::vector<TFilePack>& FileList() const { return fileList_; }

private:
    // What one Start compiles up front. It lives on Start's stack, so a walk started again
    // from a message handler cannot pull it from under the running one.
    struct TWalk {
        TMultiMaskList Masks;
        std::vector<std::wstring> Excluded; // upper-cased, empty lines left out
    };

    void ScanFolder(const TWalk& walk, const std::wstring& folder);
    void LeaveFolder(bool excluded, const std::wstring& folder);
    void PumpMessages();
    void PumpBetweenEntries();

    std::int32_t countFiles_ = 0;
    std::int64_t sizeOfFiles_ = 0;
    bool stop_ = false;
    std::uint32_t lastPump_ = 0; // clock tick of the last message pump
    std::vector<TFilePack> fileList_;
};
