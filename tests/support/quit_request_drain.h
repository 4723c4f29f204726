#pragma once

#include <windows.h>

// Closing a main window ends the program's message loop with WM_QUIT; a test thread that
// goes on after its window must not see that request in its next modal loop.
class QuitRequestDrain {
public:
    QuitRequestDrain() = default;
    ~QuitRequestDrain() {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    QuitRequestDrain(const QuitRequestDrain&) = delete;
    QuitRequestDrain& operator=(const QuitRequestDrain&) = delete;
};
