#pragma once
// The application object: the message loop and the one message pump that long loops call,
// the hint settings, the title, and the top-level error display.

#include <windows.h>

#include <functional>
#include <string>

namespace Application {

// Processes every pending message of the program's windows, then returns. Long loops call
// it between items so the window stays responsive (and Esc reaches the harvest).
void ProcessMessages();

// Runs the message loop until the main window closes (WM_QUIT).
void Run();

const std::wstring& Title();
void SetTitle(std::wstring title);

HINSTANCE Instance();

// The application's own hidden top-level window, made on first use: the owner of windows
// that belong to the program as a whole rather than to its main window.
HWND Handle();

// Hint (tooltip) settings every window's hints follow.
struct THintSettings {
    UINT pauseMs = 500;
    UINT hidePauseMs = 2500;
    COLORREF color = ::GetSysColor(COLOR_INFOBK);
};
THintSettings& Hints();

// Keyboard shortcuts of one top-level window, translated by the pump while that window is
// the active one.
void SetAccelerators(HWND window, HACCEL table);

// Shows an error that escaped a command: a message box captioned with the title, with the
// error icon and the message (see ErrorDisplayText). Called with the exception in flight.
void HandleException();

// Replaces the error display (tests observe errors instead of answering message boxes);
// an empty function restores the message box.
void SetExceptionHandler(std::function<void(const std::wstring& message)> handler);

// Runs fn; any error it raises is shown by the error display and goes no further. Every
// Win32 callback of the toolkit runs its work through this.
template <typename F> void Guarded(F&& fn) noexcept {
    try {
        fn();
    } catch (...) {
        HandleException();
    }
}

} // namespace Application
