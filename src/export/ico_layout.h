#pragma once
// The byte layout of a one-image .ico file rebuilt from an icon's two bitmaps: the
// device-independent header each bitmap is fetched with, the sizes of the blocks the fetch
// fills, and the file composed from them. Only computes; the fetch itself is Win32 code.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "util/dib_header.h"
#include "util/exception.h"

// Raised for a bitmap that cannot be turned into icon-file form (no colour bitmap, a header
// that describes no valid image, or pixels the system could not supply).
class EInvalidBitmap : public Exception {
public:
    EInvalidBitmap();
};

// Directory header (6), its one entry (16) and sixteen zero bytes before the image.
inline constexpr std::size_t kIconFileHeadSize = 38;
// Room a fetch may use behind the header: a full 256-entry colour table is the most.
inline constexpr std::size_t kDibHeaderAreaSize = kDibHeaderSize + 256 * 4;

// A zeroed header describing a bitmap of the given size (for bitmaps that carry none).
TDibHeader DibHeaderOfSize(int32_t width, int32_t height);

// Makes the header ask for the bitmap's pixels at its own depth (bits per pixel times
// planes), bottom-up, with a consistent colour count and image size. Raises EInvalidBitmap
// when the header cannot describe a fetchable image.
void NormaliseDibHeader(TDibHeader& header, uint32_t bitsPerPixel);

// Bytes of one pixel row, padded to a multiple of 4.
uint32_t DibRowLength(int32_t width, uint16_t bitCount);

// The header with its colour table or bit-field masks, and the pixel rows, of a
// normalised header.
std::size_t HeaderBlockSize(const TDibHeader& header);
std::size_t PixelBlockSize(const TDibHeader& header);

// The whole .ico file: directory, sixteen zero bytes, the colour header block with its
// height doubled (the image holds the colour rows and the mask rows), the colour rows and
// the mask rows. Raises EInvalidBitmap when the blocks cannot form a file.
std::vector<uint8_t> ComposeIconFile(std::span<const uint8_t> colourHeaderBlock,
                                     std::span<const uint8_t> colourRows,
                                     std::span<const uint8_t> maskRows);
