#pragma once
// The harvest command: asks for a file kind, a folder tree and an output folder, lets the
// scanner collect the matching files, then hands them to the harvest engine and shows its
// progress: status texts, caption, preview, a dialog per failed file; Esc asks whether to
// stop.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "harvest/harvest_preview.h"
#include "harvest/harvest_status.h"
#include "harvest/icons/IconLibrary.h"
#include "harvest/picker/JvFolderDialog.h"
#include "harvest/scan/JvSFolders.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/status_bar.h"

// What the main window keeps of its harvests.
struct THarvestState {
    bool Busy = false;        // a harvest walks or processes
    bool StopRequest = false; // the user confirmed stopping
    int FilesLeft = 0;        // files of the processing not yet finished
    int SavedCount = 0;       // outputs written by the current run
    std::wstring SearchDir;   // the tree searched
    std::wstring SaveDir;     // the output folder
};

// The main window's parts the command draws on and works with.
struct THarvestParts {
    TForm& Owner;
    TStatusBar& sb;
    TImage& Image_icon;
    TJvFolderDialog& fd;
    TJvSearchFolders& SearchFolders;
    THarvestPreview& Preview;
    std::unique_ptr<TIconLibrary>& IconLoader;
    std::unique_ptr<TAdvancedIcon>& HarvestIcon;
};

class THarvestRun {
public:
    THarvestRun(THarvestParts parts, THarvestState& state);

    // The command. Ignored while a harvest runs already. An error outside the per-file
    // handling puts the window back to idle and raises "Ошибка № 80-1 (...)".
    void Run();
    bool Running() const { return running_; }

    // The scanner's events: a folder entered or left, and the walk's end (the processing).
    void WalkProgress(const std::wstring& Dir, std::int32_t CountFiles, std::int64_t SizeOfFiles);
    void ProcessFoundFiles(std::int64_t CountFiles, std::int64_t SizeOfFiles);

    // Esc: while a harvest walks or processes, asks whether to stop it.
    void AskStop();

    // Shows the output folder at the end of a run that saved something (in the shell).
    std::function<void(HWND owner, const std::wstring& folder)> OpenFolder;

private:
    class TWindowObserver;

    void Harvest(const std::wstring& mask);
    bool ChooseFolders();
    void BackToIdle();
    void ShowProcessingCaption(std::int64_t CountFiles, std::int64_t SizeOfFiles);
    void ShowFinalTexts(std::size_t found);
    bool WindowGone() const;

    THarvestParts p_;
    THarvestState& s_;
    THarvestStatus status_;
    bool running_ = false;
};
