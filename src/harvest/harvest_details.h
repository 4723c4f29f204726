#pragma once
// What a harvest can tell about each file besides writing its outputs: the kind of the
// source, the identifiers of its icon groups, the size and depth of each image as the
// image's own bytes state them, and a digest for finding outputs already written.
// Portable: no Win32 here.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "harvest/icons/byte_source.h"

enum class TSourceKind { Other, PE32, PE32Plus, NE, ICO, MUN };

// "PE32", "PE32+", "NE", "ICO", "MUN"; "-" for a file of no known kind.
const wchar_t* SourceKindText(TSourceKind kind);

// PE32, PE32Plus or NE from the module's headers (the optional header's magic tells the
// two PE forms apart); Other for anything else, a source cut short included.
TSourceKind ModuleSourceKind(TByteSource& source);

// The group-icon resources of a 16-bit module or icon library in table order, each as its
// stored name or, when numbered, its number in decimal. Raises for a file the 16-bit reader
// would refuse.
std::vector<std::string> NEGroupIdentifiers(TByteSource& source);

struct TImageFacts {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::uint32_t Bits = 0;
    bool Png = false;

    friend bool operator==(const TImageFacts&, const TImageFacts&) = default;
};

// One icon group of a harvested file (or an .ico file's copy): its output and its images.
struct THarvestGroup {
    std::wstring Name;        // the resource name or number; empty for an .ico file
    std::wstring Output;      // the file written for it (or attempted)
    std::wstring DuplicateOf; // the earlier output it equals, when it was not written again
    std::vector<TImageFacts> Images;
};

// Size and bits per pixel from an image's own header: a PNG's header chunk (bits from its
// depth and colour type), or a bitmap's header (height halved: colour and mask rows).
// Nothing for bytes too short or of neither kind.
std::optional<TImageFacts> ImageFactsOf(std::span<const std::uint8_t> image);

// "<w>x<h>x<bits>", with "png" appended for a PNG image.
std::wstring ImageFactsText(const TImageFacts& facts);

// The images an .ico file's directory names, each cut to the bytes the file holds; an
// entry pointing outside the file is left out, and a file that is no icon gives none.
std::vector<std::span<const std::uint8_t>> IcoFileImages(std::span<const std::uint8_t> file);

// The text with each character a Windows file name cannot hold (controls, < > : " / \ | ?
// *) replaced by "_", cut to 60 characters.
std::wstring SafeFileNamePart(std::wstring_view text);

// The output for one group of the found file name at position: the name the window's
// harvest gives that file with "_" + the group made safe before ".ico".
std::wstring GroupFileName(const std::wstring& saveDir, std::wstring_view name,
                           std::size_t position, std::wstring_view group);

// A 64-bit digest of the bytes (FNV-1a), to find candidates for byte-identical outputs.
std::uint64_t ContentDigest(std::span<const std::uint8_t> bytes);
