#include "util/dib_header.h"

#include <algorithm>
#include <array>

#include "util/byte_order.h"

namespace {

using HeaderBytes = std::array<std::uint8_t, kDibHeaderSize>;

// A field that does not fit whole counts as missing, never as half a number.
std::size_t WholeFieldsLength(std::size_t length) {
    if (length >= kDibHeaderSize)
        return kDibHeaderSize;
    // Bytes 12 to 15 hold the two 16-bit fields; every other field is 32 bits wide.
    return length >= 12 && length < 16 ? length / 2 * 2 : length / 4 * 4;
}

} // namespace

TDibHeader LoadDibHeader(std::span<const std::uint8_t> bytes) {
    HeaderBytes b{};
    std::copy_n(bytes.begin(), WholeFieldsLength(bytes.size()), b.begin());
    const std::uint8_t* p = b.data();
    return TDibHeader{Le32(p),
                      static_cast<std::int32_t>(Le32(p + 4)),
                      static_cast<std::int32_t>(Le32(p + 8)),
                      Le16(p + 12),
                      Le16(p + 14),
                      Le32(p + 16),
                      Le32(p + 20),
                      static_cast<std::int32_t>(Le32(p + 24)),
                      static_cast<std::int32_t>(Le32(p + 28)),
                      Le32(p + 32),
                      Le32(p + 36)};
}

void StoreDibHeader(const TDibHeader& header, std::span<std::uint8_t> out) {
    HeaderBytes b{};
    std::uint8_t* p = b.data();
    PutLe32(p, header.biSize);
    PutLe32(p + 4, static_cast<std::uint32_t>(header.biWidth));
    PutLe32(p + 8, static_cast<std::uint32_t>(header.biHeight));
    PutLe16(p + 12, header.biPlanes);
    PutLe16(p + 14, header.biBitCount);
    PutLe32(p + 16, header.biCompression);
    PutLe32(p + 20, header.biSizeImage);
    PutLe32(p + 24, static_cast<std::uint32_t>(header.biXPelsPerMeter));
    PutLe32(p + 28, static_cast<std::uint32_t>(header.biYPelsPerMeter));
    PutLe32(p + 32, header.biClrUsed);
    PutLe32(p + 36, header.biClrImportant);
    std::copy_n(b.begin(), WholeFieldsLength(out.size()), out.begin());
}
