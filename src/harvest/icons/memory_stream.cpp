#include "harvest/icons/memory_stream.h"

#include <algorithm>

#include "util/exception.h"

std::size_t TMemoryStream::Read(std::span<std::uint8_t> buffer) {
    if (position_ >= bytes_.size())
        return 0;
    const std::size_t count = std::min(buffer.size(), bytes_.size() - position_);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count, buffer.begin());
    position_ += count;
    return count;
}

void TMemoryStream::ReadBuffer(std::span<std::uint8_t> buffer) {
    if (Read(buffer) != buffer.size())
        throw EReadError(L"Stream read error");
}

void TMemoryStream::WriteBuffer(std::span<const std::uint8_t> bytes) {
    if (bytes.empty())
        return;
    const std::size_t end = position_ + bytes.size();
    if (end > bytes_.size())
        bytes_.resize(end);
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(position_));
    position_ = end;
}
