#pragma once
// Telling a module file from other files by its headers: an "MZ" header whose new-header
// offset (the 16-bit value at 60) leads to a "PE" or an "NE" signature.
// Portable: no Win32 here.

#include "harvest/icons/byte_source.h"

enum class TModuleKind { None, PE, NE };

// A source too short for any of the bytes looked at is not a module.
TModuleKind ModuleKindOf(TByteSource& source);
