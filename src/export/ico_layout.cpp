#include "export/ico_layout.h"

#include <algorithm>
#include <limits>

#include "util/byte_order.h"

namespace {

constexpr uint64_t kMaxFileSize = std::numeric_limits<uint32_t>::max();

bool IsDibDepth(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

EInvalidBitmap::EInvalidBitmap() : Exception(L"Неверное растровое(Bitmap) изображение ") {}

TDibHeader DibHeaderOfSize(int32_t width, int32_t height) {
    TDibHeader header;
    header.biSize = kDibHeaderSize;
    header.biWidth = width;
    header.biHeight = height;
    return header;
}

uint32_t DibRowLength(int32_t width, uint16_t bitCount) {
    const uint64_t bits = static_cast<uint64_t>(std::max(width, 0)) * bitCount;
    const uint64_t length = (bits + 31) / 32 * 4;
    if (length > kMaxFileSize)
        throw EInvalidBitmap();
    return static_cast<uint32_t>(length);
}

void NormaliseDibHeader(TDibHeader& header, uint32_t bitsPerPixel) {
    if (!IsDibDepth(bitsPerPixel) || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biHeight == std::numeric_limits<int32_t>::min())
        throw EInvalidBitmap();
    // Only the 40 bytes of the basic header are kept, whatever the bitmap carried.
    header.biSize = kDibHeaderSize;
    header.biBitCount = static_cast<uint16_t>(bitsPerPixel);
    header.biPlanes = 1;
    // An icon file stores its rows bottom-up, so a top-down bitmap is fetched turned over.
    header.biHeight = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (bitsPerPixel <= 8 && header.biClrUsed > (1u << bitsPerPixel))
        throw EInvalidBitmap();
    header.biClrImportant = std::min(header.biClrImportant, header.biClrUsed);
    // The pixel block must hold every row the fetch writes.
    const uint64_t rows =
        static_cast<uint64_t>(DibRowLength(header.biWidth, header.biBitCount)) * header.biHeight;
    if (rows > kMaxFileSize)
        throw EInvalidBitmap();
    header.biSizeImage = std::max(header.biSizeImage, static_cast<uint32_t>(rows));
}

std::size_t HeaderBlockSize(const TDibHeader& header) {
    if (header.biBitCount <= 8) {
        const uint64_t colours = header.biClrUsed ? header.biClrUsed : 1u << header.biBitCount;
        return kDibHeaderSize + 4 * colours;
    }
    // Bit-field compression: three 4-byte masks follow the header.
    return (header.biCompression & 3) ? kDibHeaderSize + 12 : kDibHeaderSize;
}

std::size_t PixelBlockSize(const TDibHeader& header) {
    return header.biSizeImage;
}

std::vector<uint8_t> ComposeIconFile(std::span<const uint8_t> colourHeaderBlock,
                                     std::span<const uint8_t> colourRows,
                                     std::span<const uint8_t> maskRows) {
    if (colourHeaderBlock.size() < kDibHeaderSize)
        throw EInvalidBitmap();
    const TDibHeader header = LoadDibHeader(colourHeaderBlock);
    const uint64_t imageSize =
        uint64_t{colourHeaderBlock.size()} + colourRows.size() + maskRows.size();
    if (imageSize > kMaxFileSize - kIconFileHeadSize ||
        header.biHeight > std::numeric_limits<int32_t>::max() / 2 ||
        header.biHeight < std::numeric_limits<int32_t>::min() / 2)
        throw EInvalidBitmap();

    std::vector<uint8_t> file(kIconFileHeadSize + imageSize);
    const std::span<uint8_t> out(file);
    PutLe16(&out[0], 0); // reserved
    PutLe16(&out[2], 1); // resource type: icon
    PutLe16(&out[4], 1); // one image
    // Width and height keep their low 8 bits: 256 is written as 0, as the format wants.
    out[6] = static_cast<uint8_t>(header.biWidth);
    out[7] = static_cast<uint8_t>(header.biHeight);
    // The colour depth in bits per pixel (planes is 1), not a number of colours.
    out[8] = static_cast<uint8_t>(header.biBitCount * header.biPlanes);
    out[9] = 0;
    PutLe16(&out[10], header.biPlanes);
    PutLe16(&out[12], header.biBitCount);
    PutLe32(&out[14], static_cast<uint32_t>(imageSize));
    PutLe32(&out[18], kIconFileHeadSize);
    // Bytes 22 to 37 stay zero.

    auto at = file.begin() + kIconFileHeadSize;
    at = std::copy(colourHeaderBlock.begin(), colourHeaderBlock.end(), at);
    at = std::copy(colourRows.begin(), colourRows.end(), at);
    std::copy(maskRows.begin(), maskRows.end(), at);
    // The image's height counts the colour rows and the mask rows.
    PutLe32(&out[kIconFileHeadSize + 8], static_cast<uint32_t>(header.biHeight * 2));
    return file;
}
