#include <windows.h>

#include "ui/timer.h"

#include "ui/window.h"

namespace {
UINT_PTR IdOf(const TTimer* t) {
    return reinterpret_cast<UINT_PTR>(t);
}
} // namespace

TTimer::~TTimer() {
    SetEnabled(false);
}

void TTimer::SetInterval(UINT ms) {
    interval_ = ms;
    if (enabled_)
        Restart();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled) {
        Restart();
    } else {
        if (owner_.Handle())
            ::KillTimer(owner_.Handle(), IdOf(this));
        owner_.UnregisterTimer(IdOf(this));
    }
}

void TTimer::Restart() {
    owner_.RegisterTimer(IdOf(this), this);
    ::SetTimer(owner_.Handle(), IdOf(this), interval_, nullptr);
}

void TTimer::Tick() {
    if (enabled_ && OnTimer)
        OnTimer();
}
