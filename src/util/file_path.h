#pragma once
// Path rules of the program folder, kept apart from Win32 so they can be tested.

#include <string>
#include <string_view>

// The folder part of a file path, always ending in exactly one backslash: "C:\Tools\a.exe"
// gives "C:\Tools\", and a file in a drive's root folder gives "C:\" (never "C:\\").
std::wstring FolderOfFile(std::wstring_view FilePath);
