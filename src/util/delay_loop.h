#pragma once
// The loop of the message-pumping wait, with its clock, pump and sleep passed in so the
// timing rules can be tested without a real clock.

#include <cstdint>

// Pumps, then reads the clock, until Milliseconds have passed since the first reading. The
// pump runs at least once, also for 0 ms. A clock that wraps around (now below start) ends
// the wait at once. Between rounds Sleep(remaining) may block until a message arrives or the
// remaining time is up, so the wait neither spins nor oversleeps.
template <typename Clock, typename Pump, typename Sleep>
void PumpFor(std::uint32_t Milliseconds, Clock clock, Pump pump, Sleep sleep) {
    const std::uint32_t start = clock();
    for (;;) {
        pump();
        const std::uint32_t now = clock();
        if (now < start || now - start >= Milliseconds)
            return;
        sleep(Milliseconds - (now - start));
    }
}
