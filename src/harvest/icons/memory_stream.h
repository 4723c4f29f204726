#pragma once
// A block of bytes with a read/write position, used like a file held in memory: icons are
// composed in one before they are written out, and group directories are read from one.
// Portable: no Win32 here.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class TMemoryStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Size() const { return bytes_.size(); }
    std::size_t Position() const { return position_; }
    // Positions beyond the end are allowed; a write there fills the gap with zeros.
    void Seek(std::size_t position) { position_ = position; }

    // Copies up to buffer.size() bytes from the position on and returns how many there were.
    std::size_t Read(std::span<std::uint8_t> buffer);
    // Copies exactly buffer.size() bytes or raises EReadError ("Stream read error").
    void ReadBuffer(std::span<std::uint8_t> buffer);
    void WriteBuffer(std::span<const std::uint8_t> bytes);

    std::span<const std::uint8_t> Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};
