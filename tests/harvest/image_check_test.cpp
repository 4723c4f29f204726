// The soundness of icon images: what length a sound image keeps, and which damage refuses
// an image with which message.

#include <gtest/gtest.h>

#include "harvest/icons/image_check.h"
#include "support/byte_writer.h"
#include "support/ne_builder.h"

namespace {

std::wstring Refusal(const std::vector<std::uint8_t>& Data) {
    try {
        SoundImageLength(Data);
    } catch (const EIconDataError& e) {
        return e.Message();
    }
    return L"";
}

std::vector<std::uint8_t> Patched(std::vector<std::uint8_t> Data, std::size_t At,
                                  std::uint32_t Value) {
    Patch32(Data, At, Value);
    return Data;
}

} // namespace

TEST(ImageCheck, SoundImagesKeepTheirImageBytes) {
    for (int bits : {1, 4, 8, 24, 32}) {
        const std::vector<std::uint8_t> image = MakeBitmapImage(48, bits).Data;
        EXPECT_EQ(SoundImageLength(image), image.size()) << bits;
        std::vector<std::uint8_t> padded = image;
        padded.resize(image.size() + 77, 0xCC);
        EXPECT_EQ(SoundImageLength(padded), image.size()) << bits;
        EXPECT_EQ(StatedImage(0xFFFFFFFF, padded).size(), image.size());
    }
    // Every length of image data is checked to its last byte.
    for (std::size_t length = 8; length < 40; ++length) {
        std::vector<std::uint8_t> image = MakePngImage(48, length).Data;
        EXPECT_EQ(SoundImageLength(image), image.size()) << length;
        image[image.size() - 17] ^= 1; // the data chunk's last byte
        EXPECT_EQ(Refusal(image), L"Заголовок PNG-изображения значка поврежден") << length;
    }
    std::vector<std::uint8_t> png = MakePngImage(256).Data;
    png.resize(png.size() + 10); // PNG images keep every byte
    EXPECT_EQ(SoundImageLength(png), png.size());
    // A larger header and a palette of its own length take their bytes.
    std::vector<std::uint8_t> palette = Patched(MakeBitmapImage(16, 8).Data, 32, 16);
    palette.erase(palette.begin() + 40 + 16 * 4, palette.begin() + 40 + 256 * 4);
    EXPECT_EQ(SoundImageLength(palette), palette.size());
}

TEST(ImageCheck, DamagedImagesAreRefusedNamingTheDamage) {
    const std::vector<std::uint8_t> good = MakeBitmapImage(32, 4).Data;
    const std::wstring header = L"Заголовок изображения значка поврежден";
    const std::wstring size = L"Размеры изображения значка некорректны";
    const std::wstring png = L"Заголовок PNG-изображения значка поврежден";
    std::vector<std::uint8_t> shortRows = good;
    shortRows.pop_back();
    std::vector<std::uint8_t> crc = MakePngImage(48).Data;
    crc[17] ^= 0x40;
    std::vector<std::uint8_t> noData = MakePngImage(48).Data;
    noData.resize(33); // signature and header chunk only
    const std::vector<std::pair<std::vector<std::uint8_t>, std::wstring>> cases = {
        {{}, L"Изображение значка пусто"},
        {std::vector<std::uint8_t>(good.begin(), good.begin() + 39), header},
        {Patched(good, 0, 12), header},
        {Patched(good, 0, 0x00905A4D), header},
        {Patched(good, 4, 0), size},
        {Patched(good, 4, 0x80000000u), size},
        {Patched(good, 8, 1), size},
        {Patched(good, 14, 16), L"Глубина цвета изображения значка некорректна"},
        {Patched(good, 16, 3), L"Сжатые изображения значков не поддерживаются"},
        {Patched(good, 32, 17), L"Палитра изображения значка некорректна"},
        {Patched(good, 4, 0x7FFFFFFF),
         L"Данные изображения значка короче, чем указано в его заголовке"},
        {shortRows, L"Данные изображения значка короче, чем указано в его заголовке"},
        {crc, png},
        {noData, png},
        {Patched(MakePngImage(48).Data, 8, 14), png},
    };
    for (const auto& [data, message] : cases)
        EXPECT_EQ(Refusal(data), message) << data.size();
}
