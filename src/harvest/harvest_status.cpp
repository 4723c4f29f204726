#include <windows.h>

#include "harvest/harvest_status.h"

void THarvestStatus::Restart() {
    pending_ = {};
    shown_ = false;
}

void THarvestStatus::FileStarted(const std::wstring& name, const std::wstring& path,
                                 bool likelySlow) {
    pending_[0] = name;
    pending_[1] = path;
    if (likelySlow)
        Show();
    else
        ShowIfDue();
}

void THarvestStatus::Remaining(const std::wstring& text) {
    pending_[2] = text;
    ShowIfDue();
}

void THarvestStatus::ShowIfDue() {
    if (!shown_ || ::GetTickCount() - lastShown_ >= kIntervalMs)
        Show();
}

void THarvestStatus::Show() {
    bool drawn = false;
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        if (!pending_[i])
            continue;
        bar_.SetPanelText(static_cast<int>(i) + 1, *pending_[i]);
        pending_[i].reset();
        drawn = true;
    }
    // Painted now: the file about to be worked on keeps the thread from painting later.
    if (drawn)
        ::UpdateWindow(bar_.Handle());
    lastShown_ = ::GetTickCount();
    shown_ = true;
}
