#pragma once
// The byte layouts of icons as .ico files and module resources store them: the 12 entry
// bytes every directory entry starts with, the 6-byte directory header, the 14-byte
// group-icon entry, the size an image's own bytes declare, and the .ico file form.
// Portable: no Win32 here.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "harvest/icons/memory_stream.h"

// Width to BytesInRes of ICONDIRENTRY and GRPICONDIRENTRY, always moved as one block.
struct TIconEntry {
    std::uint8_t Width = 0; // 0 stands for 256
    std::uint8_t Height = 0;
    std::uint8_t ColorCount = 0;
    std::uint8_t Reserved = 0;
    std::uint16_t Planes = 0;
    std::uint16_t BitCount = 0;
    std::uint32_t BytesInRes = 0;

    friend bool operator==(const TIconEntry&, const TIconEntry&) = default;
};

inline constexpr std::size_t IconEntrySize = 12;
inline constexpr std::size_t IconDirHeaderSize = 6;
inline constexpr std::size_t GroupIconEntrySize = 14;
inline constexpr std::size_t IconFileEntrySize = 16;

TIconEntry DecodeIconEntry(std::span<const std::uint8_t, IconEntrySize> bytes);
void EncodeIconEntry(const TIconEntry& entry, std::span<std::uint8_t, IconEntrySize> bytes);

// Reads a 6-byte directory header and gives its image count when it is an icon directory
// (reserved 0, type 1). Cursor directories, other headers and a stream too short for a
// header give nothing.
std::optional<std::uint16_t> ReadIconDirHeader(TMemoryStream& stream);

// One group-icon directory entry: the entry bytes and the number of the icon resource that
// holds the image. A stream that ends first raises EReadError.
struct TGroupIconEntry {
    TIconEntry Entry;
    std::uint16_t IconId = 0;
};
TGroupIconEntry ReadGroupIconEntry(TMemoryStream& stream);

bool IsPngImage(std::span<const std::uint8_t> data);

struct TImageSize {
    std::uint8_t Width = 0;
    std::uint8_t Height = 0;
};

// The directory size an image's bytes declare, each dimension in its low 8 bits (256
// gives 0). A PNG image gives the width and height of its header chunk. A bitmap gives
// the smaller of its header's width and half its height as both dimensions, which is how
// icon bitmaps store the colour and mask rows. Data too short for its header gives nothing.
std::optional<TImageSize> ImageSizeOfData(std::span<const std::uint8_t> data);

// One image as the .ico form needs it; Data holds exactly the image's bytes.
struct TIconFileImage {
    TIconEntry Entry;
    std::span<const std::uint8_t> Data;
};

// Writes the .ico form at the stream's position: header, one 16-byte entry per image
// (its entry bytes with BytesInRes equal to the data's length, then the data's offset from
// the start of the icon), then the images' bytes back to back. No images writes nothing.
void WriteIconFile(TMemoryStream& stream, std::span<const TIconFileImage> images);
