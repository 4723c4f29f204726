#pragma once
// The harvest's work over the files a walk found, apart from any window: in list order each
// .ico file is copied and every other file's first icon is saved as an .ico file, named
// after the file and its position. An observer hears of each step and may stop the run; what
// is written never depends on what the observer does.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "harvest/harvest_details.h"
#include "harvest/icons/AdvancedIcon.h"
#include "harvest/icons/IconLibrary.h"
#include "harvest/scan/JvSFolders.h"
#include "util/whole_file.h"

enum class THarvestOutcome {
    Saved,      // the module's first icon was written
    Copied,     // the .ico file was copied
    NoIcon,     // a module without icons: nothing written
    CopyFailed, // an .ico file that could not be copied (logged, no dialog)
    Failed,     // a file that could not be read or saved (logged, the user is told)
    Duplicate,  // every output it gives was written before in this run (skipping duplicates)
};

struct THarvestFileResult {
    THarvestOutcome Outcome = THarvestOutcome::NoIcon;
    std::wstring Output;  // the file written (or attempted)
    std::wstring Message; // why it failed
    // The source's kind, with THarvestOptions::Details.
    TSourceKind Kind = TSourceKind::Other;
    // Each group written or found a duplicate (the first only, unless all groups are
    // written); an .ico file's copy as one group without a name. Images with Details.
    std::vector<THarvestGroup> Groups;
};

// What a harvest does beyond the window's: all off gives exactly the window's outputs.
struct THarvestOptions {
    // Every group of a module, in the loader's order, as <name>_<position>_<group>.ico, each
    // image's entry stating the image's own width and height (the first icon's output, as
    // the window writes it, states the smaller of the two for both: a 76 x 24 picture is
    // listed as 24 x 24). Nothing is handed to the observer to draw.
    bool AllGroups = false;
    // An output byte-identical to one written before in the run is not written again.
    bool SkipDuplicates = false;
    // A module directly in the system folder (System32, SysWOW64, Sysnative) holding no
    // icon group is read from %SystemRoot%\SystemResources\<its name>.mun when that exists.
    bool FollowMun = false;
    // Each result tells the source's kind, its groups' identifiers and their images.
    bool Details = false;
};

class THarvestObserver {
public:
    virtual ~THarvestObserver() = default;
    // Asked before each file; true ends the run before it.
    virtual bool StopRequested() { return false; }
    virtual void FileStarted(std::size_t /*Position*/, const TFilePack& /*File*/) {}
    // The icon about to be saved for the current file: to be drawn, never changed.
    virtual void IconReady(TAdvancedIcon& /*Icon*/) {}
    // After the file's result is final (and a failure logged).
    virtual void FileFinished(std::size_t /*Position*/, const TFilePack& /*File*/,
                              const THarvestFileResult& /*Result*/) {}
};

struct THarvestSummary {
    std::size_t Found = 0;
    int Saved = 0; // icons saved and .ico files copied
    bool Stopped = false;
    // One result per file processed, in list order; fewer than Found after a stop.
    std::vector<THarvestFileResult> Results;
};

// True for a name whose extension, lower-cased by the user's locale rules, is ".ico".
bool IsIcoFileName(const std::wstring& name);

class THarvestEngine {
public:
    // loader reads each module and icon receives the icon saved; both stay the caller's.
    // Failures are appended to the error log at logPath.
    THarvestEngine(TIconLibrary& loader, TAdvancedIcon& icon, std::wstring logPath);

    THarvestOptions Options;

    // Processes files in order into saveDir. The list may shrink meanwhile (the observer runs
    // other code); the run ends at its end.
    THarvestSummary Run(const std::vector<TFilePack>& files, const std::wstring& saveDir,
                        THarvestObserver& observer);

    // One file at position: copied or saved as saveDir's output for that position.
    THarvestFileResult ProcessFile(const TFilePack& file, std::size_t position,
                                   const std::wstring& saveDir, THarvestObserver& observer);

private:
    THarvestFileResult CopyIconFile(const TFilePack& file, const std::wstring& output);
    THarvestFileResult SaveIcons(const TFilePack& file, const std::wstring& saveDir,
                                 std::size_t position, THarvestObserver& observer);
    TLoadScope LoadScope() const;
    const TTemporaryFolder* Temporaries() const { return temporaries_ ? &*temporaries_ : nullptr; }
    bool LoadMun(const TFilePack& file);
    std::vector<std::wstring> GroupNames(const std::wstring& fileName) const;
    bool SaveGroup(THarvestGroup& group, TAdvancedIcon& entry, THarvestObserver& observer);
    std::wstring WrittenBefore(std::span<const std::uint8_t> bytes) const;
    void Remember(std::span<const std::uint8_t> bytes, const std::wstring& output);
    void AddDetails(const TFilePack& file, THarvestFileResult& result) const;

    TIconLibrary& loader_;
    TAdvancedIcon& icon_;
    std::wstring logPath_;
    // The outputs of this run by the digest of their bytes, to skip duplicates.
    std::unordered_multimap<std::uint64_t, std::wstring> written_;
    // Where a run's outputs are written before they take their names.
    std::optional<TTemporaryFolder> temporaries_;
};
