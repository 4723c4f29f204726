#pragma once
// The error log: the program's only diagnostic output, one caller-composed line per failure.

#include <windows.h>

#include <string>

// Appends Line and CR LF to the text file Path (created when missing), in Windows-1251.
// The file is opened for this one line and closed again, shared for reading only. Any
// failure loses the line silently: logging must never become a failure of its own.
void AppendLogLine(const std::wstring& Path, const std::wstring& Line) noexcept;
