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
    explicit TMemoryStream(std::vector<std::uint8_t> Bytes) : bytes_(std::move(Bytes)) {}

    std::size_t Size() const { return bytes_.size(); }
    std::size_t Position() const { return position_; }
    // Positions beyond the end are allowed; a write there fills the gap with zeros.
    void Seek(std::size_t Position) { position_ = Position; }

    // Copies up to Buffer.size() bytes from the position on and returns how many there were.
    std::size_t Read(std::span<std::uint8_t> Buffer);
    // Copies exactly Buffer.size() bytes or raises EReadError ("Stream read error").
    void ReadBuffer(std::span<std::uint8_t> Buffer);
    void WriteBuffer(std::span<const std::uint8_t> Bytes);

    std::span<const std::uint8_t> Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};
