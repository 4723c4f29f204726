#pragma once
// Text in the system's ANSI code page, as 16-bit files store their names.

#include <windows.h>

#include <string>

std::wstring AnsiToWide(const std::string& Text);
