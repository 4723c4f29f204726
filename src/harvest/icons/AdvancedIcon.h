#pragma once
// A multi-image icon in memory: the images of one icon directory in their stored order,
// loaded from a module's group icon, copied from another icon, and saved in .ico form.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "harvest/icons/IconImage.h"
#include "harvest/icons/file_errors.h"
#include "harvest/icons/memory_stream.h"
#include "util/exception.h"
#include "util/whole_file.h"

// A list used beyond its bounds: "List index out of bounds (%d)" and "List capacity out of
// bounds (%d)".
class EListError : public Exception {
public:
    using Exception::Exception;
};

// The images of an icon, owned. Count and Capacity are 16-bit: an icon directory states at
// most 65535 images.
class TIconImageList {
public:
    static constexpr std::uint16_t MaxCount = 0xFFFF;

    TIconImageList() = default;
    ~TIconImageList() { Clear(); }
    TIconImageList(const TIconImageList&) = delete;
    TIconImageList& operator=(const TIconImageList&) = delete;

    // The image at index, or null for an index outside 0 .. Count - 1.
    TIconImage* Items(int index) const;
    std::uint16_t Count() const { return count_; }
    std::uint16_t Capacity() const { return static_cast<std::uint16_t>(items_.size()); }

    // Appends; grows the slots by exactly one when they are all taken. A 65536th image
    // raises EListError.
    void Add(std::unique_ptr<TIconImage> image);
    // Sets the number of slots, never below Count.
    void SetCapacity(std::uint16_t n);
    // Destroys every image in order and releases the slots.
    void Clear();

private:
    std::vector<std::unique_ptr<TIconImage>> items_; // one slot per element
    std::uint16_t count_ = 0;
};

// Whether a group's images are kept, or only read and checked as keeping them would check
// them (the same errors, the same budget) without copying their bytes: a reader that needs
// one group of a module fails on a damaged file exactly as a full read does, at a fraction of
// its cost when the module holds hundreds of large images.
enum class TImageUse { Keep, CheckOnly };

class TAdvancedIcon {
public:
    TAdvancedIcon() = default;
    virtual ~TAdvancedIcon() = default;
    TAdvancedIcon(const TAdvancedIcon&) = delete;
    TAdvancedIcon& operator=(const TAdvancedIcon&) = delete;

    // Replaces every image by a copy of source's images; afterwards nothing is shared.
    void Assign(TAdvancedIcon& source);

    // Reads a 6-byte icon directory header. For an icon directory, gives its count,
    // reserves that many image slots and returns true; otherwise (a cursor directory, a
    // non-zero reserved word, a stream too short) returns false and changes nothing.
    bool ReadHeader(TMemoryStream& stream, std::uint16_t& count);

    // Appends the images of group icon resName (a number in MAKEINTRESOURCE form or a text)
    // of a loaded module, charging the directory and the images to budget. False for a
    // directory that is not an icon directory. Raises EResNotFound for a group or icon
    // resource the module lacks, EReadError for a directory that ends before its entries
    // do and EIconDataError for a damaged image or a spent budget; the images appended
    // before stay. With CheckOnly nothing is appended.
    bool LoadFromResource(HMODULE module, LPCWSTR resName, TReadBudget& budget,
                          TImageUse use = TImageUse::Keep);

    // The .ico form at the stream's position; nothing for an icon without images.
    void SaveToStream(TMemoryStream& stream) const;
    // Creates (or replaces) the file with the .ico form. An icon without images creates
    // and changes nothing. Raises EFCreateError; the file is then as it was before.
    void SaveToFile(const std::wstring& fileName,
                    TWriteSafety safety = TWriteSafety::Durable) const;

    TIconImageList Images;
};
