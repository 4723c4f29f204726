#pragma once
// Random access to the bytes of a file being read, so the module readers can be run over
// a file on disk or over bytes in memory alike. Portable: no Win32 here.

#include <algorithm>
#include <cstdint>
#include <span>

#include "util/exception.h"

class TByteSource {
public:
    virtual ~TByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Fills buffer with the bytes from offset on; raises EReadError ("Stream read error")
    // when the source ends first.
    virtual void ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) = 0;

    // Whether length bytes from offset on lie within the source.
    bool Holds(std::uint64_t offset, std::uint64_t length) const {
        return offset <= Size() && length <= Size() - offset;
    }
};

// Bytes in memory, not owned.
class TMemorySource : public TByteSource {
public:
    explicit TMemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
        if (!Holds(offset, buffer.size()))
            throw EReadError(L"Stream read error");
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), buffer.size(),
                    buffer.begin());
    }

private:
    std::span<const std::uint8_t> bytes_;
};
