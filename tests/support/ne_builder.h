#pragma once
// Writes 16-bit (NE) modules and icon libraries for the tests: an "MZ" header, an "NE"
// header, a resource table with an icon and a group-icon type block and the name strings,
// the resident-name table, and the resources' bytes aligned to the table's shift.
// Portable: no Win32 here.

#include <cstdint>
#include <string>
#include <vector>

#include "harvest/icons/icon_format.h"

// One image of a group: the entry the group directory states and the icon resource bytes.
struct TFixtureImage {
    TIconEntry Entry;
    std::vector<std::uint8_t> Data;
};

// A bitmap icon image of the given size and depth (1, 4, 8, 24 or 32 bits) with a pattern
// in its colour and mask rows; the entry states its size, colours and length.
TFixtureImage MakeBitmapImage(int Size, int BitCount);
// A PNG image (signature, header chunk, an image data chunk with no pixels in it, end
// chunk) of the given size; the data chunk holds an empty compressed stream followed by
// zeros up to DataLength bytes (at least 8). The entry states 32 bits and, for 256 pixels,
// width and height 0.
TFixtureImage MakePngImage(int Size, std::size_t DataLength = 8);

struct TFixtureGroup {
    std::string Name;         // empty: a numbered group
    std::uint16_t Number = 0; // the group's number when unnamed; 0 gives its 1-based position
    std::vector<TFixtureImage> Images;
};

// The group-icon resource of a group whose images are icon resources FirstIcon, FirstIcon + 1...
std::vector<std::uint8_t> GroupDirectoryBytes(const TFixtureGroup& Group, std::uint16_t FirstIcon);

struct TNEFixture {
    std::uint16_t AlignShift = 4;
    std::uint16_t NEOffset = 64;
    // Name strings written before the named groups' names, for instance "ICL".
    std::vector<std::string> LeadingNames;
    std::vector<TFixtureGroup> Groups;
};

// Where the builder put the parts a test may want to damage.
struct TNEModuleBytes {
    std::vector<std::uint8_t> Bytes;
    std::uint32_t ResTableOffset = 0;
    std::uint32_t IconBlockOffset = 0;  // the icon type block's 8-byte header
    std::uint32_t GroupBlockOffset = 0; // the group-icon type block's 8-byte header
    std::uint32_t NamesOffset = 0;      // the first name string's length byte
    std::uint32_t DataOffset = 0;       // the first resource's bytes
};

// Icon resources are numbered 1, 2, ... over all groups in order; group entries name them.
TNEModuleBytes BuildNEModule(const TNEFixture& Fixture);

// Three numbered groups: 16, 32 and 48 pixel bitmaps of 4, 8 and 32 bits; 16 and 32 pixel
// bitmaps of 1 and 24 bits; a 32-bit bitmap of 32 pixels and a 256-pixel PNG.
TNEFixture SampleNEFixture();
