#include "harvest/icons/image_check.h"

#include <algorithm>

#include "harvest/icons/icon_format.h"
#include "util/byte_order.h"

namespace {

// BITMAPINFOHEADER: the smallest header icon readers take; later versions only add fields.
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t MaxPaletteColours = 256;
constexpr std::uint32_t BiRgb = 0;

[[noreturn]] void Damaged(const wchar_t* What) {
    throw EIconDataError(What);
}

bool IsIconBitCount(std::uint16_t Bits) {
    // 16-bit colour has no palette rule other readers agree on; icons never use it.
    return Bits == 1 || Bits == 2 || Bits == 4 || Bits == 8 || Bits == 24 || Bits == 32;
}

// Bytes of one row of Width pixels of Bits each, padded to 32 bits as bitmaps store it.
std::uint64_t RowBytes(std::uint64_t Width, std::uint64_t Bits) {
    return (Width * Bits + 31) / 32 * 4;
}

std::size_t BitmapLength(std::span<const std::uint8_t> Data) {
    if (Data.size() < InfoHeaderSize)
        Damaged(L"Заголовок изображения значка поврежден");
    const std::uint8_t* p = Data.data();
    const std::uint32_t headerSize = Le32(p);
    if (headerSize < InfoHeaderSize || headerSize > Data.size())
        Damaged(L"Заголовок изображения значка поврежден");
    const auto width = static_cast<std::int32_t>(Le32(p + 4));
    // The height covers the colour rows and the mask rows.
    const auto height = static_cast<std::int32_t>(Le32(p + 8)) / 2;
    if (width <= 0 || height <= 0)
        Damaged(L"Размеры изображения значка некорректны");
    const std::uint16_t bits = Le16(p + 14);
    if (!IsIconBitCount(bits))
        Damaged(L"Глубина цвета изображения значка некорректна");
    if (Le32(p + 16) != BiRgb)
        Damaged(L"Сжатые изображения значков не поддерживаются");
    const std::uint32_t used = Le32(p + 32);
    const std::uint64_t colours = used != 0 ? used : bits <= 8 ? 1u << bits : 0;
    if (colours > MaxPaletteColours || (bits <= 8 && colours > 1u << bits))
        Damaged(L"Палитра изображения значка некорректна");
    // At most 2^31 pixels by 2^30 rows of 32 bits: the sum stays far below 2^64.
    const std::uint64_t length =
        headerSize + colours * 4 + RowBytes(width, bits) * height + RowBytes(width, 1) * height;
    if (length > Data.size())
        Damaged(L"Данные изображения значка короче, чем указано в его заголовке");
    return static_cast<std::size_t>(length);
}

} // namespace

std::size_t SoundImageLength(std::span<const std::uint8_t> Data) {
    if (Data.empty())
        Damaged(L"Изображение значка пусто");
    if (IsPngImage(Data)) {
        CheckPngImage(Data);
        return Data.size();
    }
    return BitmapLength(Data);
}

std::span<const std::uint8_t> StatedImage(std::uint32_t BytesInRes,
                                          std::span<const std::uint8_t> Resource) {
    const auto stated = Resource.first(std::min<std::size_t>(BytesInRes, Resource.size()));
    return stated.first(SoundImageLength(stated));
}
