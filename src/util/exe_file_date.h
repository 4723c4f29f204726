#pragma once
// The program's build date as the file system records it.

#include <windows.h>

#include <string>

// The last-write time of the file at Path in local time, in the two-second steps of a
// file-system date stamp. Hidden and system files and folders are not looked at. Raises
// EOSError when the file cannot be found or its date has no date-stamp form.
SYSTEMTIME FileDate(const std::wstring& Path);

// FileDate of the running executable.
SYSTEMTIME ExeFileDate();
