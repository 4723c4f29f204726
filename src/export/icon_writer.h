#pragma once
// Saving a live icon handle as a one-image .ico file.

#include <windows.h>

#include <string>

// Rebuilds the icon's image from its colour bitmap and its mask and writes it as the .ico
// file FileName, replacing any file of that name. The caller keeps Icon: it is neither
// destroyed nor changed. Raises the OS error (null handle, unreadable icon, a file that
// cannot be written) or EInvalidBitmap (no colour bitmap, pixels that cannot be fetched);
// after a failure an existing file of that name is unchanged.
void SaveIconToFile(const std::wstring& FileName, HICON Icon);
