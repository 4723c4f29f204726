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
    // Fills Buffer with the bytes from Offset on; raises EReadError ("Stream read error")
    // when the source ends first.
    virtual void ReadAt(std::uint64_t Offset, std::span<std::uint8_t> Buffer) = 0;

    // Whether Length bytes from Offset on lie within the source.
    bool Holds(std::uint64_t Offset, std::uint64_t Length) const {
        return Offset <= Size() && Length <= Size() - Offset;
    }
};

// Bytes in memory, not owned.
class TMemorySource : public TByteSource {
public:
    explicit TMemorySource(std::span<const std::uint8_t> Bytes) : bytes_(Bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    void ReadAt(std::uint64_t Offset, std::span<std::uint8_t> Buffer) override {
        if (!Holds(Offset, Buffer.size()))
            throw EReadError(L"Stream read error");
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(Offset), Buffer.size(),
                    Buffer.begin());
    }

private:
    std::span<const std::uint8_t> bytes_;
};
