#pragma once
// Text to a standard handle as a script expects it: UTF-16 to a console (through
// WriteConsoleW, so every character shows), UTF-8 with CR LF line ends to a file or a pipe.

#include <windows.h>

#include <string>

class TConsoleStream {
public:
    // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
    explicit TConsoleStream(DWORD Which);

    bool IsConsole() const { return console_; }
    // The console's width in characters; 0 for a file or a pipe.
    int Width() const;
    // Writes Text, "\n" ending a line. A handle that is gone loses the text silently.
    void Write(const std::wstring& Text) const;

private:
    HANDLE handle_;
    bool console_;
};
