#pragma once
// Telling a module file from other files by its headers: an "MZ" header whose new-header
// offset (the 16-bit value at 60) leads to a "PE" or an "NE" signature.
// Portable: no Win32 here.

#include "harvest/icons/byte_source.h"

enum class TModuleKind { None, PE, NE };

// A source too short for any of the bytes looked at is not a module.
TModuleKind ModuleKindOf(TByteSource& source);

// Whether a 32-bit module's headers show for certain that it holds no group icons: it has
// no resource table, or the table's root lists no group-icon type. Such a module need not be
// loaded to be counted, which is most of the cost of walking a system folder. False whenever
// the headers leave any doubt (damaged, unusual or ambiguous): the system is then asked.
bool PELacksGroupIcons(TByteSource& source);
