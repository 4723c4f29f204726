// The timing rules of the message-pumping wait, on a clock the test moves by hand.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "util/delay_loop.h"

namespace {

// A clock that advances only when the wait sleeps (or when a pump round takes time), and a
// record of what the wait did, in order: 'P' for a pump round, 'S<ms>' for a sleep.
struct Scene {
    std::uint32_t now = 0;
    std::uint32_t pumpCost = 0;
    std::vector<std::string> steps;

    void Run(std::uint32_t ms) {
        PumpFor(
            ms, [this] { return now; },
            [this] {
                steps.push_back("P");
                now += pumpCost;
            },
            [this](std::uint32_t remaining) {
                steps.push_back("S" + std::to_string(remaining));
                now += remaining;
            });
    }
};

using Steps = std::vector<std::string>;

} // namespace

TEST(PumpFor, ZeroMillisecondsPumpsOnceAndNeverSleeps) {
    Scene s;
    s.now = 12345;
    s.Run(0);
    EXPECT_EQ(s.steps, (Steps{"P"}));
}

TEST(PumpFor, SleepsOnlyForTheRemainingTimeAndPumpsAfterEachSleep) {
    Scene s;
    s.pumpCost = 300;
    s.Run(1200);
    EXPECT_EQ(s.steps, (Steps{"P", "S900", "P"}));
    EXPECT_EQ(s.now, 1500u);
}

TEST(PumpFor, ReturnsOnceTheFullTimeHasPassed) {
    Scene s;
    s.Run(1200);
    EXPECT_EQ(s.steps, (Steps{"P", "S1200", "P"}));
    EXPECT_EQ(s.now, 1200u);
}

TEST(PumpFor, AClockThatWrapsEndsTheWaitAtOnce) {
    Scene s;
    s.now = 0xFFFFFFF0u;
    s.pumpCost = 0x20; // the first pump round carries the clock past 2^32
    s.Run(1200);
    EXPECT_EQ(s.steps, (Steps{"P"}));
}
