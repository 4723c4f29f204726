// The bitmap header as bytes: written and read back field for field, and read from bytes cut
// short, where a field is either whole or zero, never half a number.

#include <gtest/gtest.h>

#include <span>
#include <utility>
#include <vector>

#include "util/dib_header.h"

TEST(TDibHeader, RoundTripAndCutShortBytes) {
    const TDibHeader full{40, -48, 96, 1, 32, 3, 9216, -1, 2835, 256, 0x01020304};
    std::vector<std::uint8_t> bytes(kDibHeaderSize + 4, 0xEE);
    StoreDibHeader(full, bytes);
    EXPECT_EQ(bytes[kDibHeaderSize], 0xEE) << "nothing is written past the header";
    const TDibHeader back = LoadDibHeader(bytes);
    EXPECT_EQ(back.biWidth, -48);
    EXPECT_EQ(back.biYPelsPerMeter, 2835);
    EXPECT_EQ(back.biClrImportant, 0x01020304u);

    // Offsets where each field ends, with the value the full header holds there.
    const std::vector<std::pair<std::size_t, std::int64_t>> ends = {{4, 40}, {8, -48}, {12, 96},
                                                                    {14, 1}, {16, 32}, {20, 3}};
    for (std::size_t length = 0; length <= 20; ++length) {
        const TDibHeader cut = LoadDibHeader(std::span(bytes).first(length));
        const std::int64_t got[] = {cut.biSize,   cut.biWidth,    cut.biHeight,
                                    cut.biPlanes, cut.biBitCount, cut.biCompression};
        for (std::size_t f = 0; f < ends.size(); ++f)
            EXPECT_EQ(got[f], length >= ends[f].first ? ends[f].second : 0)
                << "field " << f << " from " << length << " bytes";
    }
    // A buffer too small for the header takes only the fields that fit whole.
    std::vector<std::uint8_t> small(13, 0xEE);
    StoreDibHeader(full, small);
    EXPECT_EQ(LoadDibHeader(small).biHeight, 96);
    EXPECT_EQ(small[12], 0xEE) << "half of a 16-bit field is not written";
}
