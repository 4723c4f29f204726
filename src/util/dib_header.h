#pragma once
// The 40-byte device-independent bitmap header that starts every bitmap icon image and that
// the system fills for a bitmap's pixels, field for field, little-endian.
// Portable: no Win32 here.

#include <cstddef>
#include <cstdint>
#include <span>

// Fields in their stored order, paired as the format groups them.
struct TDibHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0, biHeight = 0;
    std::uint16_t biPlanes = 0, biBitCount = 0;
    std::uint32_t biCompression = 0, biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0, biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0, biClrImportant = 0;
};

inline constexpr std::size_t kDibHeaderSize = 40;

// The header at the start of bytes. Fields that lie wholly or partly past the end read as 0,
// so a caller that needs only the leading fields checks the length of those alone.
TDibHeader LoadDibHeader(std::span<const std::uint8_t> bytes);

// Writes the header at the start of out; fields that would not fit whole are left out.
void StoreDibHeader(const TDibHeader& header, std::span<std::uint8_t> out);
