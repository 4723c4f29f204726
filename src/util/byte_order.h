#pragma once
// Reading and writing fixed-size numbers in file bytes: little-endian as modules and icons
// store them, big-endian as PNG images do. The caller has checked that the bytes are there.

#include <cstdint>

inline std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(Le16(p)) | static_cast<std::uint32_t>(Le16(p + 2)) << 16;
}

inline std::uint32_t Be32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

inline void PutLe16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PutLe32(std::uint8_t* p, std::uint32_t v) {
    PutLe16(p, static_cast<std::uint16_t>(v));
    PutLe16(p + 2, static_cast<std::uint16_t>(v >> 16));
}
