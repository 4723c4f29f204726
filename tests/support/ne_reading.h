#pragma once
// Reads every group of a 16-bit module with the portable parser the way the icon-library
// reader does (headers, resource table, each group's directory and its images), so the
// parser can be checked natively, under the sanitizers, without the Win32 icon model.
// Portable: no Win32 here.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "support/ne_builder.h"

struct TNEGroupRead {
    std::wstring Name; // a name string when there is one per group, else the fallback name
    bool HasDirectory = false;
    std::vector<TFixtureImage> Images;
};

// Raises what the parser raises for a file the reader rejects.
std::vector<TNEGroupRead> ReadNEGroups(std::span<const std::uint8_t> Bytes,
                                       const std::wstring& BaseName);
