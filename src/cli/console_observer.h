#pragma once
// What the console harvester shows while it runs: progress on standard error (redrawn in
// place on a console, a line a few times a second into a file or a pipe), one line per
// failed file, and the counts and report lines the end needs. A Ctrl+C stops the run
// between files.

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <string>

#include "cli/console_stream.h"
#include "harvest/harvest_engine.h"

class TConsoleObserver : public THarvestObserver {
public:
    TConsoleObserver(const TConsoleStream& Errors, bool Quiet, const std::atomic<bool>& Stop);

    // The walk has reached Folder with Found files so far.
    void Walking(std::size_t Found, const std::wstring& Folder);
    // The walk is over: Total files are to be processed.
    void Processing(std::size_t Total) { total_ = Total; }
    // Clears a progress line left on the console.
    void Finish();

    bool StopRequested() override { return stop_; }
    void FileStarted(std::size_t Position, const TFilePack& File) override;
    void FileFinished(std::size_t Position, const TFilePack& File,
                      const THarvestFileResult& Result) override;

    std::size_t Failed() const { return failed_; }
    std::size_t IconsSaved() const { return saved_; }
    // The report's lines so far, one per file finished; kept only when Reporting.
    bool Reporting = false;
    const std::wstring& ReportLines() const { return report_; }

private:
    void Show(const std::wstring& Text);
    void Print(const std::wstring& Line);

    const TConsoleStream& errors_;
    bool quiet_;
    const std::atomic<bool>& stop_;
    std::size_t total_ = 0;
    std::size_t failed_ = 0;
    std::size_t saved_ = 0;
    ULONGLONG shown_ = 0;
    bool lineOpen_ = false; // a progress line stands on the console
    std::wstring report_;
};
