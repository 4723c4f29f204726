#pragma once
// The shell's icon for a file type at exactly the size the catalogue names it by, 16 x 16
// or 32 x 32, whatever the display scale. The shell hands out its "small" and "large" icons
// at the system metrics' sizes, which grow with the display for a program aware of its DPI
// (24 x 24 and 48 x 48 at 150 %); at such a scale the icon is taken again from where the
// type's icon lives, at the size asked.

#include <windows.h>

#include <string>

#include "util/handle.h"

// The shell's icon for the file name or extension `path` with the given file attributes,
// asked without touching the disk, at 16 x 16 (small) or 32 x 32. Where the shell's own
// icons have that size it is the shell's icon itself; else the icon from the type's icon
// location at that size, or, when the location cannot give it, the shell's icon scaled.
// Null when the shell gives none. The caller owns it.
UniqueIcon ShellIconAtSize(const std::wstring& path, DWORD attributes, bool small);
