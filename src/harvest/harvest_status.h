#pragma once
// The status texts of a harvest's processing: the current file's name and folder (panels 1
// and 2) and the files left (panel 3). Drawing a text costs more than most files take, so
// a new text waits until the last one has been on screen for a while; a file that may take
// long is named at once, so that whatever takes long is the file the bar names.

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "ui/status_bar.h"

class THarvestStatus {
public:
    explicit THarvestStatus(TStatusBar& bar) : bar_(bar) {}

    // Forgets what was pending and when the bar was last drawn.
    void Restart();
    // The file now in work; drawn at once when likelySlow.
    void FileStarted(const std::wstring& name, const std::wstring& path, bool likelySlow);
    void Remaining(const std::wstring& text);
    // Draws the pending texts when the last ones have been on screen long enough.
    void ShowIfDue();
    // Draws the pending texts now.
    void Show();

private:
    static constexpr DWORD kIntervalMs = 200;

    TStatusBar& bar_;
    std::array<std::optional<std::wstring>, 3> pending_; // panels 1 to 3
    DWORD lastShown_ = 0;
    bool shown_ = false;
};
