#include "harvest/icons/image_check.h"

#include <algorithm>

#include "harvest/icons/icon_format.h"
#include "util/dib_header.h"

namespace {

constexpr std::uint32_t MaxPaletteColours = 256;
constexpr std::uint32_t BiRgb = 0;

[[noreturn]] void Damaged(const wchar_t* what) {
    throw EIconDataError(what);
}

bool IsIconBitCount(std::uint16_t bits) {
    // 16-bit colour has no palette rule other readers agree on; icons never use it.
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// Bytes of one row of width pixels of bits each, padded to 32 bits as bitmaps store it.
std::uint64_t RowBytes(std::uint64_t width, std::uint64_t bits) {
    return (width * bits + 31) / 32 * 4;
}

std::size_t BitmapLength(std::span<const std::uint8_t> data) {
    // The 40-byte header is the smallest icon readers take; later versions only add fields.
    if (data.size() < kDibHeaderSize)
        Damaged(L"Заголовок изображения значка поврежден");
    const TDibHeader header = LoadDibHeader(data);
    if (header.biSize < kDibHeaderSize || header.biSize > data.size())
        Damaged(L"Заголовок изображения значка поврежден");
    const std::int32_t width = header.biWidth;
    // The height covers the colour rows and the mask rows.
    const std::int32_t height = header.biHeight / 2;
    if (width <= 0 || height <= 0)
        Damaged(L"Размеры изображения значка некорректны");
    const std::uint16_t bits = header.biBitCount;
    if (!IsIconBitCount(bits))
        Damaged(L"Глубина цвета изображения значка некорректна");
    if (header.biCompression != BiRgb)
        Damaged(L"Сжатые изображения значков не поддерживаются");
    const std::uint32_t used = header.biClrUsed;
    const std::uint64_t colours = used != 0 ? used : bits <= 8 ? 1u << bits : 0;
    if (colours > MaxPaletteColours || (bits <= 8 && colours > 1u << bits))
        Damaged(L"Палитра изображения значка некорректна");
    // At most 2^31 pixels by 2^30 rows of 32 bits: the sum stays far below 2^64.
    const std::uint64_t length =
        header.biSize + colours * 4 + RowBytes(width, bits) * height + RowBytes(width, 1) * height;
    if (length > data.size())
        Damaged(L"Данные изображения значка короче, чем указано в его заголовке");
    return static_cast<std::size_t>(length);
}

} // namespace

std::size_t SoundImageLength(std::span<const std::uint8_t> data) {
    if (data.empty())
        Damaged(L"Изображение значка пусто");
    if (IsPngImage(data)) {
        CheckPngImage(data);
        return data.size();
    }
    return BitmapLength(data);
}

std::span<const std::uint8_t> StatedImage(std::uint32_t bytesInRes,
                                          std::span<const std::uint8_t> resource) {
    const auto stated = resource.first(std::min<std::size_t>(bytesInRes, resource.size()));
    return stated.first(SoundImageLength(stated));
}
