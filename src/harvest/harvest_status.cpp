#include <windows.h>

#include "harvest/harvest_status.h"

void THarvestStatus::Restart() {
    pending_ = {};
    shown_ = false;
}

void THarvestStatus::FileStarted(const std::wstring& Name, const std::wstring& Path,
                                 bool LikelySlow) {
    pending_[0] = Name;
    pending_[1] = Path;
    if (LikelySlow)
        Show();
    else
        ShowIfDue();
}

void THarvestStatus::Remaining(const std::wstring& Text) {
    pending_[2] = Text;
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
