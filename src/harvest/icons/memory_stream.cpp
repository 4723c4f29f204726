#include "harvest/icons/memory_stream.h"

#include <algorithm>

#include "util/exception.h"

std::size_t TMemoryStream::Read(std::span<std::uint8_t> Buffer) {
    if (position_ >= bytes_.size())
        return 0;
    const std::size_t count = std::min(Buffer.size(), bytes_.size() - position_);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count, Buffer.begin());
    position_ += count;
    return count;
}

void TMemoryStream::ReadBuffer(std::span<std::uint8_t> Buffer) {
    if (Read(Buffer) != Buffer.size())
        throw EReadError(L"Stream read error");
}

void TMemoryStream::WriteBuffer(std::span<const std::uint8_t> Bytes) {
    if (Bytes.empty())
        return;
    const std::size_t end = position_ + Bytes.size();
    if (end > bytes_.size())
        bytes_.resize(end);
    std::copy(Bytes.begin(), Bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(position_));
    position_ = end;
}
