#pragma once
// Finding the last occurrence of one character of the program's 8-bit character set.

#include <string_view>

// The zero-based index of the last character of Text equal to Ch, or -1 when there is none.
// Ch is a Windows-1251 character (ASCII for every caller), so '\xB9' finds L'№'.
int LastCharPos(std::wstring_view Text, char Ch);
