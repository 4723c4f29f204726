#include "harvest/icons/icon_format.h"

#include <algorithm>
#include <array>

#include "util/byte_order.h"
#include "util/dib_header.h"

namespace {

constexpr std::array<std::uint8_t, 8> PngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Signature (8), then the IHDR chunk: length (4), type (4), width (4), height (4).
constexpr std::size_t PngHeaderEnd = 24;
constexpr std::size_t PngWidthAt = 16;
constexpr std::size_t PngHeightAt = 20;
// biSize (4), biWidth (4), biHeight (4).
constexpr std::size_t BitmapSizeFieldsEnd = 12;

} // namespace

TIconEntry DecodeIconEntry(std::span<const std::uint8_t, IconEntrySize> bytes) {
    const std::uint8_t* p = bytes.data();
    return TIconEntry{p[0], p[1], p[2], p[3], Le16(p + 4), Le16(p + 6), Le32(p + 8)};
}

void EncodeIconEntry(const TIconEntry& entry, std::span<std::uint8_t, IconEntrySize> bytes) {
    std::uint8_t* p = bytes.data();
    p[0] = entry.Width;
    p[1] = entry.Height;
    p[2] = entry.ColorCount;
    p[3] = entry.Reserved;
    PutLe16(p + 4, entry.Planes);
    PutLe16(p + 6, entry.BitCount);
    PutLe32(p + 8, entry.BytesInRes);
}

std::optional<std::uint16_t> ReadIconDirHeader(TMemoryStream& stream) {
    std::array<std::uint8_t, IconDirHeaderSize> header{};
    if (stream.Read(header) != header.size())
        return std::nullopt;
    if (Le16(&header[0]) != 0 || Le16(&header[2]) != 1)
        return std::nullopt;
    return Le16(&header[4]);
}

TGroupIconEntry ReadGroupIconEntry(TMemoryStream& stream) {
    std::array<std::uint8_t, GroupIconEntrySize> bytes{};
    stream.ReadBuffer(bytes);
    return TGroupIconEntry{DecodeIconEntry(std::span(bytes).first<IconEntrySize>()),
                           Le16(&bytes[IconEntrySize])};
}

bool IsPngImage(std::span<const std::uint8_t> data) {
    return data.size() >= PngSignature.size() &&
           std::equal(PngSignature.begin(), PngSignature.end(), data.begin());
}

std::optional<TImageSize> ImageSizeOfData(std::span<const std::uint8_t> data) {
    if (IsPngImage(data)) {
        if (data.size() < PngHeaderEnd)
            return std::nullopt;
        return TImageSize{static_cast<std::uint8_t>(Be32(&data[PngWidthAt])),
                          static_cast<std::uint8_t>(Be32(&data[PngHeightAt]))};
    }
    if (data.size() < BitmapSizeFieldsEnd)
        return std::nullopt;
    const TDibHeader header = LoadDibHeader(data);
    const std::int32_t width = header.biWidth;
    // The height covers the colour rows and the mask rows; halved as an unsigned number.
    const auto height = static_cast<std::int32_t>(static_cast<std::uint32_t>(header.biHeight) >> 1);
    const auto size = static_cast<std::uint8_t>(height <= width ? height : width);
    return TImageSize{size, size};
}

void WriteIconFile(TMemoryStream& stream, std::span<const TIconFileImage> images) {
    if (images.empty())
        return;
    const std::size_t directorySize = IconDirHeaderSize + IconFileEntrySize * images.size();
    std::vector<std::uint8_t> directory(directorySize);
    PutLe16(&directory[0], 0);
    PutLe16(&directory[2], 1);
    PutLe16(&directory[4], static_cast<std::uint16_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(directorySize);
    std::uint8_t* entry = &directory[IconDirHeaderSize];
    for (const TIconFileImage& image : images) {
        TIconEntry stored = image.Entry;
        stored.BytesInRes = static_cast<std::uint32_t>(image.Data.size());
        EncodeIconEntry(stored, std::span<std::uint8_t, IconEntrySize>(entry, IconEntrySize));
        PutLe32(entry + IconEntrySize, offset);
        offset += stored.BytesInRes;
        entry += IconFileEntrySize;
    }
    stream.WriteBuffer(directory);
    for (const TIconFileImage& image : images)
        stream.WriteBuffer(image.Data);
}
