#pragma once
// A window timer: calls OnTimer every Interval milliseconds while enabled.

#include <windows.h>

#include <functional>

class Window;

class Timer {
public:
    explicit Timer(Window& owner) : owner_(owner) {}
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetInterval(UINT ms);
    UINT Interval() const { return interval_; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

    std::function<void()> OnTimer;
    // The window whose timer this is.
    Window& Owner() const { return owner_; }

    // Called by the owner window on WM_TIMER.
    void Tick();

private:
    void Restart();
    Window& owner_;
    UINT interval_ = 1000;
    bool enabled_ = false;
};
