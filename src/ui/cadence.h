#pragma once
// Lets a recurring piece of work through at most once per interval. A long loop that would
// otherwise pump messages or redraw after every item spends its time on the items instead;
// nobody sees the difference between a redraw per item and one every few dozen items.

#include <windows.h>

class TCadence {
public:
    explicit TCadence(DWORD intervalMs) : interval_(intervalMs), last_(::GetTickCount()) {}

    // True when the interval has passed since the last time it was (or since the start);
    // the next interval starts then.
    bool Due() {
        const DWORD now = ::GetTickCount();
        if (now - last_ < interval_)
            return false;
        last_ = now;
        return true;
    }
    // Starts a new interval of this length now.
    void Restart(DWORD intervalMs) {
        interval_ = intervalMs;
        last_ = ::GetTickCount();
    }

private:
    DWORD interval_;
    DWORD last_;
};
