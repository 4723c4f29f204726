#pragma once
// The pixel size of an icon handle.

#include <windows.h>

// Width and height of the icon's image (a monochrome icon's mask holds two images, one
// above the other); {0, 0} when the handle cannot be read.
SIZE IconSize(HICON icon);
