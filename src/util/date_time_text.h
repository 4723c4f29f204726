#pragma once
// Date and time as the user reads them: the regional short date and long time.

#include <windows.h>

#include <string>

// Time as "<short date> <long time>" in the user's regional formats.
std::wstring DateTimeText(const SYSTEMTIME& Time);

// The current local time as DateTimeText gives it: the head of a dated log line.
std::wstring CurrentDateTimeText();
