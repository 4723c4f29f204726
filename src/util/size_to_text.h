#pragma once
// Byte counts as text with the user's regional decimal separator.

#include <windows.h>

#include <cstdint>
#include <string>

// FormatSizeText with the decimal separator of the user's regional settings.
std::wstring SizeToText(std::int64_t Bytes);
