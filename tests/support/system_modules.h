#pragma once
// Where the system's own modules are, for tests and benchmarks that use them as real samples.

#include <windows.h>

#include <string>
#include <vector>

// The system folder of this process's kind (the 32-bit one for a 32-bit process on 64-bit
// Windows).
std::wstring SystemFolder();

// The names of the files (not folders) directly inside Folder, in listing order.
std::vector<std::wstring> FilesIn(const std::wstring& Folder);
