#pragma once
// Writes small 32-bit (PE) modules holding only resources, for the tests: the headers, one
// ".rsrc" section with a three-level resource directory (type, name, language) sorted the
// way the system's lookup expects, and the resources' bytes.
// Portable: no Win32 here.

#include <cstdint>
#include <string>
#include <vector>

#include "support/ne_builder.h"

struct TPEResource {
    std::uint16_t Type = 0;
    std::wstring Name; // in capitals, as resource compilers store names; empty: numbered
    std::uint16_t Id = 0;
    std::vector<std::uint8_t> Data;
};

// File offsets of the parts a test may want to damage.
struct TPEModuleBytes {
    std::vector<std::uint8_t> Bytes;
    std::uint32_t ResourceDirEntryOffset = 0;    // the optional header's resource RVA and size
    std::uint32_t SectionHeaderOffset = 0;       // the resource section's header
    std::uint32_t SectionOffset = 0;             // the resource section's first byte
    std::vector<std::uint32_t> TypeDirOffsets;   // each type's name directory, types ascending
    std::vector<std::uint32_t> DataEntryOffsets; // per resource, in the order given
    std::vector<std::uint32_t> DataOffsets;      // per resource, in the order given
};

TPEModuleBytes BuildPEModule(const std::vector<TPEResource>& Resources);

// The icon resources (numbered 1, 2, ... over all groups) and one group-icon resource per
// group, named by the group's Name or numbered by its Number (or 1-based position).
std::vector<TPEResource> IconGroupResources(const std::vector<TFixtureGroup>& Groups);
