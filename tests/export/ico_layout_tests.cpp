// The byte layout of the one-image icon file, checked field by field against sizes worked
// out by hand for the common icon shapes.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "export/ico_layout.h"
#include "support/byte_writer.h"

namespace {

std::vector<uint8_t> Pattern(std::size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

struct IconShape {
    int32_t width, height;
    uint32_t depth;
    std::size_t h, c, m, inResource, fileLength;
};

class TypicalIcon : public testing::TestWithParam<IconShape> {};

TEST_P(TypicalIcon, BlockSizesAndEveryHeadField) {
    const IconShape s = GetParam();
    TDibHeader colour = DibHeaderOfSize(s.width, s.height);
    NormaliseDibHeader(colour, s.depth);
    TDibHeader mask = DibHeaderOfSize(s.width, s.height);
    NormaliseDibHeader(mask, 1);
    EXPECT_EQ(HeaderBlockSize(colour), s.h);
    EXPECT_EQ(PixelBlockSize(colour), s.c);
    EXPECT_EQ(HeaderBlockSize(mask), 48u);
    EXPECT_EQ(PixelBlockSize(mask), s.m);

    std::vector<uint8_t> headerBlock = Pattern(HeaderBlockSize(colour), 1);
    StoreDibHeader(colour, headerBlock);
    const std::vector<uint8_t> rows = Pattern(s.c, 2);
    const std::vector<uint8_t> maskRows = Pattern(s.m, 3);
    const std::vector<uint8_t> file = ComposeIconFile(headerBlock, rows, maskRows);

    ASSERT_EQ(file.size(), s.fileLength);
    EXPECT_EQ(Get16(file, 0), 0);
    EXPECT_EQ(Get16(file, 2), 1);
    EXPECT_EQ(Get16(file, 4), 1);
    EXPECT_EQ(file[6], static_cast<uint8_t>(s.width));
    EXPECT_EQ(file[7], static_cast<uint8_t>(s.height));
    EXPECT_EQ(file[8], s.depth);
    EXPECT_EQ(file[9], 0);
    EXPECT_EQ(Get16(file, 10), 1);
    EXPECT_EQ(Get16(file, 12), s.depth);
    EXPECT_EQ(Get32(file, 14), s.inResource);
    EXPECT_EQ(Get32(file, 18), 38u);
    for (std::size_t i = 22; i < 38; ++i)
        EXPECT_EQ(file[i], 0) << "filler byte " << i;

    // The image header: its own height doubled, everything else as fetched.
    EXPECT_EQ(Get32(file, 38), 40u);
    EXPECT_EQ(static_cast<int32_t>(Get32(file, 42)), s.width);
    EXPECT_EQ(static_cast<int32_t>(Get32(file, 46)), 2 * s.height);
    EXPECT_EQ(Get32(file, 58), s.c) << "image size keeps the colour rows' size";
    std::vector<uint8_t> expected = headerBlock;
    expected.insert(expected.end(), rows.begin(), rows.end());
    expected.insert(expected.end(), maskRows.begin(), maskRows.end());
    EXPECT_TRUE(std::equal(expected.begin() + 12, expected.end(), file.begin() + 38 + 12));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, TypicalIcon,
    testing::Values(IconShape{16, 16, 32, 40, 1024, 64, 1128, 1166},
                    IconShape{32, 32, 32, 40, 4096, 128, 4264, 4302},
                    IconShape{32, 32, 8, 1064, 1024, 128, 2216, 2254},
                    IconShape{16, 16, 4, 104, 128, 64, 296, 334},
                    IconShape{24, 24, 24, 40, 1728, 96, 1864, 1902},
                    IconShape{48, 48, 1, 48, 384, 384, 816, 854},
                    // Far beyond any fixed working area: every block is sized from its header.
                    IconShape{256, 256, 32, 40, 262144, 8192, 270376, 270414}));

TEST(IcoLayout, SizesOf256AreWrittenAsZero) {
    TDibHeader colour = DibHeaderOfSize(256, 128);
    NormaliseDibHeader(colour, 32);
    std::vector<uint8_t> headerBlock(HeaderBlockSize(colour));
    StoreDibHeader(colour, headerBlock);
    const auto file = ComposeIconFile(headerBlock, std::vector<uint8_t>(PixelBlockSize(colour)),
                                      std::vector<uint8_t>(DibRowLength(256, 1) * 128));
    EXPECT_EQ(file[6], 0);
    EXPECT_EQ(file[7], 128);
    EXPECT_EQ(static_cast<int32_t>(Get32(file, 46)), 256);
}

TEST(IcoLayout, HeaderOfADibSectionIsMadeConsistent) {
    TDibHeader h = DibHeaderOfSize(21, -10); // top-down section
    h.biSize = 124;
    h.biClrUsed = 16;
    h.biClrImportant = 200;
    NormaliseDibHeader(h, 8);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biHeight, 10) << "fetched bottom-up, as icon files store rows";
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(h.biClrImportant, 16u);
    EXPECT_EQ(HeaderBlockSize(h), 40u + 16 * 4);
    EXPECT_EQ(PixelBlockSize(h), 24u * 10) << "rows padded to 4 bytes";

    TDibHeader roomy = DibHeaderOfSize(16, 16);
    roomy.biSizeImage = 5000;
    NormaliseDibHeader(roomy, 32);
    EXPECT_EQ(PixelBlockSize(roomy), 5000u);

    TDibHeader scant = DibHeaderOfSize(16, 16);
    scant.biSizeImage = 100;
    NormaliseDibHeader(scant, 32);
    EXPECT_EQ(PixelBlockSize(scant), 1024u) << "never smaller than the rows the fetch writes";
}

TEST(IcoLayout, BitFieldMasksFollowTheHeader) {
    for (uint32_t compression : {1u, 2u, 3u}) {
        TDibHeader h = DibHeaderOfSize(16, 16);
        h.biCompression = compression;
        NormaliseDibHeader(h, 16);
        EXPECT_EQ(HeaderBlockSize(h), 52u) << compression;
    }
    TDibHeader h = DibHeaderOfSize(16, 16);
    h.biCompression = 4;
    NormaliseDibHeader(h, 32);
    EXPECT_EQ(HeaderBlockSize(h), 40u);
}

TEST(IcoLayout, HeadersThatDescribeNoImageAreRejected) {
    auto rejects = [](TDibHeader h, uint32_t depth) {
        try {
            NormaliseDibHeader(h, depth);
        } catch (const EInvalidBitmap& e) {
            EXPECT_EQ(e.Message(), L"Неверное растровое(Bitmap) изображение ");
            return true;
        }
        return false;
    };
    for (uint32_t depth : {0u, 2u, 7u, 48u, 64u})
        EXPECT_TRUE(rejects(DibHeaderOfSize(16, 16), depth)) << depth;
    EXPECT_TRUE(rejects(DibHeaderOfSize(0, 16), 32));
    EXPECT_TRUE(rejects(DibHeaderOfSize(-16, 16), 32));
    EXPECT_TRUE(rejects(DibHeaderOfSize(16, 0), 32));
    EXPECT_TRUE(rejects(DibHeaderOfSize(16, INT32_MIN), 32));
    EXPECT_TRUE(rejects(DibHeaderOfSize(INT32_MAX, INT32_MAX), 32)) << "size overflows";
    EXPECT_TRUE(rejects(DibHeaderOfSize(65536, 65536), 32)) << "larger than a file can state";
    TDibHeader tooManyColours = DibHeaderOfSize(16, 16);
    tooManyColours.biClrUsed = 17;
    EXPECT_TRUE(rejects(tooManyColours, 4));

    EXPECT_THROW(ComposeIconFile(std::vector<uint8_t>(39), {}, {}), EInvalidBitmap);
}

} // namespace
