// The message-pumping wait on the real clock and a real window.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/application.h"
#include "ui/light_delay.h"
#include "util/app_folder.h"
#include "util/exception.h"

namespace {

// A hidden window that counts the WM_APP messages it receives and notes when its timer
// first fires.
class Listener {
public:
    Listener() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuillmontDelayListener";
        ::RegisterClassW(&wc);
        hwnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Listener() { ::DestroyWindow(hwnd_); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    HWND hwnd() const { return hwnd_; }
    int appMessages = 0;
    DWORD firstTimerTick = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<Listener*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == WM_APP) {
            ++self->appMessages;
            return 0;
        }
        if (self && msg == WM_TIMER) {
            ::KillTimer(hwnd, wp);
            if (self->firstTimerTick == 0)
                self->firstTimerTick = ::GetTickCount();
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }

    HWND hwnd_ = nullptr;
};

int pumpRounds = 0;

void CountingPump() {
    ++pumpRounds;
    Application::ProcessMessages();
}

std::string ReadBytes(const std::wstring& path) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes(::GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

[[noreturn]] void FailingPump() {
    throw Exception(L"pump broke " + std::to_wstring(::GetCurrentProcessId()));
}

} // namespace

TEST(LightDelay, ZeroMillisecondsStillPumpsPendingMessages) {
    Listener listener;
    ::PostMessageW(listener.hwnd(), WM_APP, 0, 0);
    ::PostMessageW(listener.hwnd(), WM_APP, 0, 0);
    LightDelay(0);
    EXPECT_EQ(listener.appMessages, 2);
}

TEST(LightDelay, WaitsTheFullTimeAndHandlesMessagesAsTheyArrive) {
    Listener listener;
    const DWORD start = ::GetTickCount();
    ::SetTimer(listener.hwnd(), 1, 50, nullptr);
    LightDelay(400);
    const DWORD elapsed = ::GetTickCount() - start;
    EXPECT_GE(elapsed, 400u);
    EXPECT_LT(elapsed, 1400u);
    ASSERT_NE(listener.firstTimerTick, 0u) << "the timer never reached its window";
    // The timer is handled when it fires, not when the wait is over.
    EXPECT_LT(listener.firstTimerTick - start, 300u);
}

TEST(LightDelay, SleepsRatherThanSpinsWhileNothingHappens) {
    // Spinning would pump thousands of times; a wait that sleeps until a message arrives or
    // the time is up needs only a few rounds.
    pumpRounds = 0;
    const DWORD start = ::GetTickCount();
    LightDelayPumping(300, CountingPump);
    EXPECT_GE(::GetTickCount() - start, 300u);
    EXPECT_GE(pumpRounds, 1);
    EXPECT_LT(pumpRounds, 50);
}

TEST(LightDelay, APumpFailureIsLoggedAndEndsTheWait) {
    const DWORD start = ::GetTickCount();
    LightDelayPumping(5000, FailingPump);
    EXPECT_LT(::GetTickCount() - start, 2000u);

    // The line goes to error.log beside the program, after a date-time and the tag.
    const std::string expected = ", \xCE\xF8\xE8\xE1\xEA\xE0 337--912 (LightDelay) pump broke " +
                                 std::to_string(::GetCurrentProcessId()) + "\r\n";
    const std::string log = ReadBytes(ErrorLogPath());
    const std::size_t at = log.rfind(expected);
    ASSERT_NE(at, std::string::npos) << "no LightDelay line in the log";
    const std::size_t lineStart = log.rfind('\n', at);
    const std::size_t headLength = at - (lineStart == std::string::npos ? 0 : lineStart + 1);
    EXPECT_GT(headLength, 8u) << "the line does not start with a date and time";
}
