#pragma once
// Where the running program lives: its own path, its folder and the error log beside it.

#include <windows.h>

#include <string>

// The full path of the running executable.
std::wstring ExePath();

// The folder of the running executable, always ending in a backslash.
std::wstring AppFolder();

// AppFolder() + "error.log": the one file every failure is logged to.
std::wstring ErrorLogPath();
