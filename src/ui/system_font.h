#pragma once
// The fonts the system uses for its own windows.

#include <windows.h>

#include "util/handle.h"

// A new font like the one the system's message boxes use.
UniqueFont CreateMessageBoxFont();
