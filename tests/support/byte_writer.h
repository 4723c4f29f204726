#pragma once
// Little-endian writing, patching and reading back of byte blocks, for the fixture builders
// and the checks of written files.
// Portable: no Win32 here.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "harvest/icons/icon_format.h"
#include "util/byte_order.h"

class TByteWriter {
public:
    explicit TByteWriter(std::vector<std::uint8_t>& Bytes) : bytes_(Bytes) {}
    std::uint32_t Position() const { return static_cast<std::uint32_t>(bytes_.size()); }
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void Bytes(const std::vector<std::uint8_t>& v) {
        bytes_.insert(bytes_.end(), v.begin(), v.end());
    }
    // A length byte and the characters, as 16-bit modules store names.
    void Text(const std::string& s) {
        U8(static_cast<std::uint8_t>(s.size()));
        bytes_.insert(bytes_.end(), s.begin(), s.end());
    }
    void PadTo(std::uint32_t Position) {
        bytes_.resize(std::max<std::size_t>(bytes_.size(), Position));
    }
    void Entry(const TIconEntry& e) {
        std::array<std::uint8_t, IconEntrySize> raw{};
        EncodeIconEntry(e, raw);
        bytes_.insert(bytes_.end(), raw.begin(), raw.end());
    }

private:
    std::vector<std::uint8_t>& bytes_;
};

// Reading back: bytes that are not there raise std::out_of_range, which fails the test.
inline const std::uint8_t* BytesAt(std::span<const std::uint8_t> Bytes, std::size_t At,
                                   std::size_t Count) {
    if (At > Bytes.size() || Bytes.size() - At < Count)
        throw std::out_of_range("read past the end of the bytes");
    return &Bytes[At];
}

inline std::uint16_t Get16(std::span<const std::uint8_t> Bytes, std::size_t At) {
    return Le16(BytesAt(Bytes, At, 2));
}

inline std::uint32_t Get32(std::span<const std::uint8_t> Bytes, std::size_t At) {
    return Le32(BytesAt(Bytes, At, 4));
}

inline void Patch16(std::vector<std::uint8_t>& Bytes, std::size_t At, std::uint16_t Value) {
    Bytes.at(At) = static_cast<std::uint8_t>(Value);
    Bytes.at(At + 1) = static_cast<std::uint8_t>(Value >> 8);
}

inline void Patch32(std::vector<std::uint8_t>& Bytes, std::size_t At, std::uint32_t Value) {
    Patch16(Bytes, At, static_cast<std::uint16_t>(Value));
    Patch16(Bytes, At + 2, static_cast<std::uint16_t>(Value >> 16));
}
