#pragma once
// Byte counts as short human-readable text, e.g. "1,50 MB".

#include <cstdint>
#include <string>
#include <string_view>

// Bytes in the largest unit of GB, MB and KB that it fills at least once, with two decimals
// and DecimalSeparator; below 1 KB (and for negative counts) the plain count and " Byte(s)".
std::wstring FormatSizeText(std::int64_t Bytes, std::wstring_view DecimalSeparator);
