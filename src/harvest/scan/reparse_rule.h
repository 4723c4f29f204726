#pragma once
// Which folders the folder walk descends into. A folder carrying a reparse point is entered
// unless the point's tag is a name surrogate: symbolic links and junctions name another
// place, which may hold the folder itself, so following them could loop or list the same
// files twice. Other marks (synced cloud folders, deduplicated or projected folders) keep
// their contents in place and are walked like plain folders.
// Portable: no Win32 here.

#include <cstdint>

// The attributes and reparse tag as a directory listing gives them; the tag is read only when
// the attributes carry a reparse point.
bool EntersFolder(std::uint32_t attributes, std::uint32_t reparseTag);
