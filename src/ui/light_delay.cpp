#include <windows.h>

#include "ui/light_delay.h"

#include "ui/application.h"
#include "util/app_folder.h"
#include "util/date_time_text.h"
#include "util/delay_loop.h"
#include "util/error_log.h"
#include "util/exception_text.h"

namespace {

std::uint32_t TickCount() {
    return ::GetTickCount();
}

// Sleeps until a message arrives for the thread or the remaining time is up, so the wait
// does not burn a processor core spinning on an empty queue.
void SleepUntilMessage(std::uint32_t remaining) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, remaining, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

} // namespace

void LightDelayPumping(std::uint32_t Milliseconds, void (*Pump)()) noexcept {
    try {
        PumpFor(Milliseconds, TickCount, Pump, SleepUntilMessage);
    } catch (...) {
        try {
            AppendLogLine(ErrorLogPath(), CurrentDateTimeText() +
                                              L", Ошибка 337--912 (LightDelay) " +
                                              CurrentExceptionMessage());
        } catch (...) {
            // No memory left even to compose the line: the wait ends all the same.
        }
    }
}

void LightDelay(std::uint32_t Milliseconds) noexcept {
    LightDelayPumping(Milliseconds, Application::ProcessMessages);
}
