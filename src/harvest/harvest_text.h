#pragma once
// The texts of a harvest that need no system: counts as the status bar shows them, the
// output file names and the scanner mask of each file kind.

#include <cstdint>
#include <string>
#include <string_view>

// count with its digits grouped in threes from the right by single spaces, whatever the
// user's locale: 1234567 gives "1 234 567", 0 gives "0".
std::wstring FormatCount(std::int64_t count);

// The first n characters of text, text itself when shorter, "-" when empty. A cut never
// parts the two halves of a character outside the basic plane.
std::wstring ShortenName(std::wstring_view text, std::size_t n);

// The output file of the found file name at position of the list: saveDir + "\" + the
// name before its last "." shortened to 30 characters + "_" + position + ".ico". The
// separator is added even after a drive root's own.
std::wstring HarvestFileName(const std::wstring& saveDir, std::wstring_view name,
                             std::size_t position);

// The scanner mask of the chooser's item: all kinds (0), "*.exe", "*.dll" or "*.ico".
std::wstring FileTypeMask(int item);
