#pragma once
// The harvest: asks for a file kind, a folder tree and an output folder, lets the scanner
// collect the matching files, then saves the first icon of every module as an .ico file and
// copies every .ico file, counting in the status bar; Esc asks whether to stop.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "harvest/IconLibrary.h"
#include "harvest/JvFolderDialog.h"
#include "harvest/JvSFolders.h"
#include "harvest/harvest_preview.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/status_bar.h"

// The main window's controls and fields the harvest works with.
struct HarvestControls {
    Form& Owner;
    StatusBar& sb;
    Image& Image_icon;
    TJvFolderDialog& fd;
    TJvSearchFolders& SearchFolders;
    THarvestPreview& Preview;
    std::unique_ptr<TIconLibrary>& IconLoader;
    std::unique_ptr<TAdvancedIcon>& HarvestIcon;
    std::wstring& SearchDir;
    std::wstring& SaveDir;
    int& FilesLeft;
    int& SavedCount;
    bool& StopRequest;
    bool& Busy;
};

class THarvestRun {
public:
    explicit THarvestRun(HarvestControls controls);

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
    std::function<void(HWND Owner, const std::wstring& Folder)> OpenFolder;

private:
    // Lets an update through at most once per interval. Status texts and the preview cost
    // more to draw than most files take to process, and nobody reads them faster anyway.
    class TCadence {
    public:
        explicit TCadence(DWORD IntervalMs) : interval_(IntervalMs) {}
        void Restart() { started_ = false; }
        bool Due();

    private:
        DWORD interval_;
        DWORD last_ = 0;
        bool started_ = false;
    };

    void Harvest(const std::wstring& Mask);
    bool ChooseFolders();
    void BackToIdle();
    void ProcessFile(std::size_t Position);
    void CopyIconFile(const TFilePack& File, const std::wstring& Output);
    void SaveModuleIcon(const TFilePack& File, const std::wstring& Output);
    void ShowRemaining(std::size_t Position);
    void ReportFileError(const TFilePack& File);
    bool WindowGone() const;

    HarvestControls c_;
    bool running_ = false;
    TCadence fileText_{200};
    TCadence remainingText_{200};
    TCadence preview_{500};
};
