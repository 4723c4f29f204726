#pragma once
// A window timer: calls OnTimer every Interval milliseconds while enabled.

#include <windows.h>

#include <functional>

class TWindow;

class TTimer {
public:
    explicit TTimer(TWindow& owner) : owner_(owner) {}
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    void SetInterval(UINT ms);
    UINT Interval() const { return interval_; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

    std::function<void()> OnTimer;
    // The window whose timer this is.
    TWindow& Owner() const { return owner_; }

    // Called by the owner window on WM_TIMER.
    void Tick();

private:
    void Restart();
    TWindow& owner_;
    UINT interval_ = 1000;
    bool enabled_ = false;
};
