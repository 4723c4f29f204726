// Icon directory bytes, the size an image's bytes declare, and the .ico file form.

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "harvest/icons/icon_format.h"
#include "support/byte_writer.h"
#include "support/ne_builder.h"
#include "util/exception.h"

namespace {

std::vector<std::uint8_t> BitmapHeader(std::int32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> data(40, 0);
    data[0] = 40;
    std::memcpy(&data[4], &width, 4);
    std::memcpy(&data[8], &height, 4);
    return data;
}

std::uint8_t SizeOf(std::int32_t width, std::uint32_t height) {
    return ImageSizeOfData(BitmapHeader(width, height)).value().Width;
}

} // namespace

TEST(IconEntry, TwelveLittleEndianBytesBothWays) {
    const std::array<std::uint8_t, 12> raw = {48, 32, 16, 7, 1, 0, 4, 0, 0x28, 0x06, 0x01, 0x00};
    const TIconEntry entry = DecodeIconEntry(raw);
    EXPECT_EQ(entry, (TIconEntry{48, 32, 16, 7, 1, 4, 0x10628}));
    std::array<std::uint8_t, 12> back{};
    EncodeIconEntry(entry, back);
    EXPECT_EQ(back, raw);
}

TEST(IconDirHeader, AcceptsOnlyIconDirectories) {
    auto read = [](std::vector<std::uint8_t> bytes) {
        TMemoryStream stream(std::move(bytes));
        return ReadIconDirHeader(stream);
    };
    EXPECT_EQ(read({0, 0, 1, 0, 3, 0}), 3);
    EXPECT_EQ(read({0, 0, 1, 0, 0xFF, 0xFF}), 65535);
    EXPECT_EQ(read({0, 0, 1, 0, 0, 0}), 0);
    EXPECT_FALSE(read({0, 0, 2, 0, 1, 0})); // a cursor directory
    EXPECT_FALSE(read({1, 0, 1, 0, 1, 0})); // reserved word set
    EXPECT_FALSE(read({0, 0, 1, 0, 1}));    // cut short
    EXPECT_FALSE(read({}));
}

TEST(GroupIconEntry, ReadsEntryAndIconNumberAndFailsWhenShort) {
    TMemoryStream stream({32, 32, 0, 0, 1, 0, 32, 0, 0xA8, 0x10, 0, 0, 0x05, 0x01, 16, 16});
    const TGroupIconEntry entry = ReadGroupIconEntry(stream);
    EXPECT_EQ(entry.Entry, (TIconEntry{32, 32, 0, 0, 1, 32, 0x10A8}));
    EXPECT_EQ(entry.IconId, 0x0105);
    try {
        ReadGroupIconEntry(stream);
        FAIL() << "a two-byte remainder was read as an entry";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), L"Stream read error");
    }
}

TEST(ImageSizeOfData, BitmapTakesTheSmallerOfWidthAndHalfHeight) {
    EXPECT_EQ(SizeOf(32, 64), 32);
    EXPECT_EQ(SizeOf(16, 32), 16);
    EXPECT_EQ(SizeOf(256, 512), 0);
    EXPECT_EQ(SizeOf(48, 64), 32);
    EXPECT_EQ(SizeOf(32, 128), 32);
    EXPECT_EQ(SizeOf(-5, 64), 251);         // signed width compared with the halved height
    EXPECT_EQ(SizeOf(300, 0xFFFFFFFF), 44); // height halved as unsigned: 0x7FFFFFFF > 300
    const auto size = ImageSizeOfData(BitmapHeader(32, 64));
    EXPECT_EQ(size->Height, size->Width);
}

TEST(ImageSizeOfData, PngTakesItsOwnHeader) {
    const auto large = ImageSizeOfData(MakePngImage(256).Data);
    ASSERT_TRUE(large);
    EXPECT_EQ(large->Width, 0);
    EXPECT_EQ(large->Height, 0);
    const auto mid = ImageSizeOfData(MakePngImage(48).Data);
    EXPECT_EQ(mid->Width, 48);
    EXPECT_EQ(mid->Height, 48);
    EXPECT_TRUE(IsPngImage(MakePngImage(48).Data));
    EXPECT_FALSE(IsPngImage(MakeBitmapImage(48, 8).Data));
}

TEST(ImageSizeOfData, DataTooShortForItsHeaderGivesNothing) {
    std::vector<std::uint8_t> bitmap = BitmapHeader(32, 64);
    bitmap.resize(11);
    EXPECT_FALSE(ImageSizeOfData(bitmap));
    bitmap.resize(12);
    EXPECT_TRUE(ImageSizeOfData(bitmap));
    std::vector<std::uint8_t> png = MakePngImage(48).Data;
    png.resize(23);
    EXPECT_FALSE(ImageSizeOfData(png));
    EXPECT_FALSE(ImageSizeOfData({}));
}

TEST(WriteIconFile, OneImageFollowsItsSingleEntry) {
    const std::vector<std::uint8_t> data(1128, 0xAB);
    const TIconFileImage image{TIconEntry{32, 32, 16, 0, 1, 4, 1128}, data};
    TMemoryStream stream;
    WriteIconFile(stream, std::span(&image, 1));
    const auto bytes = stream.Bytes();
    ASSERT_EQ(bytes.size(), 1150u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 6),
              (std::vector<std::uint8_t>{0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(DecodeIconEntry(bytes.subspan<6, 12>()), image.Entry);
    EXPECT_EQ(Get32(bytes, 18), 22u);
    EXPECT_EQ(bytes[22], 0xAB);
}

TEST(WriteIconFile, ImagesBackToBackWithTheirOffsets) {
    const std::vector<std::uint8_t> a(744, 1);
    const std::vector<std::uint8_t> b(2216, 2);
    const std::array<TIconFileImage, 2> images = {
        TIconFileImage{TIconEntry{32, 32, 16, 0, 1, 4, 744}, a},
        TIconFileImage{TIconEntry{48, 48, 0, 0, 1, 8, 2216}, b}};
    TMemoryStream stream;
    WriteIconFile(stream, images);
    const auto bytes = stream.Bytes();
    ASSERT_EQ(bytes.size(), 2998u);
    EXPECT_EQ(Get32(bytes, 18), 38u);
    EXPECT_EQ(Get32(bytes, 34), 782u);
    EXPECT_EQ(Get32(bytes, 30), 2216u);
    EXPECT_EQ(bytes[37], 0);
    EXPECT_EQ(bytes[38], 1);
    EXPECT_EQ(bytes[781], 1);
    EXPECT_EQ(bytes[782], 2);
}

TEST(WriteIconFile, StatesTheLengthOfTheDataGiven) {
    const std::vector<std::uint8_t> data(10, 7);
    const TIconFileImage image{TIconEntry{16, 16, 0, 0, 1, 32, 999}, data};
    TMemoryStream stream;
    WriteIconFile(stream, std::span(&image, 1));
    EXPECT_EQ(stream.Size(), 32u);
    EXPECT_EQ(Get32(stream.Bytes(), 14), 10u);
}

TEST(WriteIconFile, NoImagesWritesNothing) {
    TMemoryStream stream;
    WriteIconFile(stream, {});
    EXPECT_EQ(stream.Size(), 0u);
}

TEST(MemoryStream, ShortReadsAndWritesPastTheEnd) {
    TMemoryStream stream({1, 2, 3});
    std::array<std::uint8_t, 2> two{};
    stream.Seek(2);
    EXPECT_EQ(stream.Read(two), 1u);
    stream.Seek(7);
    EXPECT_EQ(stream.Read(two), 0u);
    EXPECT_THROW(stream.ReadBuffer(two), EReadError);
    const std::array<std::uint8_t, 1> nine = {9};
    stream.WriteBuffer(nine);
    EXPECT_EQ(std::vector<std::uint8_t>(stream.Bytes().begin(), stream.Bytes().end()),
              (std::vector<std::uint8_t>{1, 2, 3, 0, 0, 0, 0, 9}));
}
