#pragma once
// One image of a multi-image icon: its 12 directory-entry bytes, its raw image bytes as
// the .ico file or the icon resource held them, and an icon handle made from them on
// first request.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "harvest/icons/icon_format.h"
#include "harvest/icons/memory_stream.h"
#include "harvest/icons/read_budget.h"
#include "util/exception.h"
#include "util/handle.h"

// A resource a module lacks: "Ресурс %s не найден" with the resource's name (a numbered
// resource by its number in decimal).
class EResNotFound : public Exception {
public:
    explicit EResNotFound(LPCWSTR resName);
};

// The bytes of resource name of type type in a loaded module, limited to what the module's
// mapping really holds. Raises EResNotFound when the module has no such resource.
std::span<const std::uint8_t> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type);

class TIconImage {
public:
    // A fresh image: every entry field zero, no data, no handle.
    TIconImage() = default;
    virtual ~TIconImage() = default;
    TIconImage(const TIconImage&) = delete;
    TIconImage& operator=(const TIconImage&) = delete;

    // A deep copy with its own data and its own copy of source's handle (which asks source
    // to make its handle). The copy is always a plain TIconImage.
    static std::unique_ptr<TIconImage> CreateCopy(TIconImage& source);

    // The image's icon handle, made from Data on first use; null when the system refuses
    // the data (the next call tries again) or when there is no data.
    HICON GetHandle();

    // Sets Width and Height from the size the image's bytes declare.
    void UpdateSize();

    // Writes the BytesInRes image bytes at the stream's position (nothing without data).
    void SaveToStream(TMemoryStream& stream) const;

    // Draws the image at its entry size with its top-left corner at (x, y); a null handle
    // draws nothing.
    void Draw(HDC canvas, int x, int y);

    const TIconEntry& Entry() const { return entry_; }
    std::uint8_t Width() const { return entry_.Width; }
    std::uint8_t Height() const { return entry_.Height; }
    std::uint8_t ColorCount() const { return entry_.ColorCount; }
    std::uint8_t Reserved() const { return entry_.Reserved; }
    std::uint16_t Planes() const { return entry_.Planes; }
    std::uint16_t BitCount() const { return entry_.BitCount; }
    std::uint32_t BytesInRes() const { return entry_.BytesInRes; }
    // The BytesInRes image bytes; empty when the image has no data.
    std::span<const std::uint8_t> Data() const { return std::span(data_).first(entry_.BytesInRes); }

protected:
    // Takes the entry bytes as they are and the image bytes. An entry that states more
    // bytes than data holds is cut to data's length, so nothing reads past the bytes held.
    void SetContents(const TIconEntry& entry, std::vector<std::uint8_t> data);

private:
    UniqueIcon handle_;
    TIconEntry entry_;
    std::vector<std::uint8_t> data_;
};

// An image of a loaded module as a group-icon directory entry names it: the entry and the
// bytes it states in the icon resource, without the padding after a bitmap's rows. The bytes
// stay in the module.
struct TModuleImage {
    TIconEntry Entry;
    std::span<const std::uint8_t> Bytes;
};

// Reads the directory entry at stream's position and checks the image it names in module,
// charging the image and its bytes to budget. Raises EReadError for a stream that ends
// early, EResNotFound for an icon resource the module lacks and EIconDataError for a damaged
// image or a spent budget.
TModuleImage ReadModuleImage(TMemoryStream& stream, HMODULE module, TReadBudget& budget);

// An image read out of a loaded module.
class TResourceIconImage : public TIconImage {
public:
    // CreateFromResource: stream is on a group-icon directory entry; reads the image it
    // names as ReadModuleImage does and copies its bytes.
    TResourceIconImage(TMemoryStream& stream, HMODULE module, TReadBudget& budget);
};
