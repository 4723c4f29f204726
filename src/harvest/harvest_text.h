#pragma once
// The texts of a harvest that need no system: counts as the status bar shows them, the
// output file names and the scanner mask of each file kind.

#include <cstdint>
#include <string>
#include <string_view>

// Count with its digits grouped in threes from the right by single spaces, whatever the
// user's locale: 1234567 gives "1 234 567", 0 gives "0".
std::wstring FormatCount(std::int64_t Count);

// The first N characters of Text, Text itself when shorter, "-" when empty. A cut never
// parts the two halves of a character outside the basic plane.
std::wstring ShortenName(std::wstring_view Text, std::size_t N);

// The output file of the found file Name at Position of the list: SaveDir + "\" + the
// name before its last "." shortened to 30 characters + "_" + Position + ".ico". The
// separator is added even after a drive root's own.
std::wstring HarvestFileName(const std::wstring& SaveDir, std::wstring_view Name,
                             std::size_t Position);

// The scanner mask of the chooser's item: all kinds (0), "*.exe", "*.dll" or "*.ico".
std::wstring FileTypeMask(int Item);
