#pragma once
// Whether an icon image's bytes hold the image their own header describes, so that an icon
// is only ever written with images other programs can read.
// Portable: no Win32 here.

#include <cstddef>
#include <cstdint>
#include <span>

#include "harvest/icons/icon_data_error.h"

// The number of data's bytes that make up the image. A bitmap takes its header, colour
// table, colour rows and mask rows; bytes after them are padding and are not part of it.
// A PNG image takes all of data. Raises EIconDataError naming the damage for empty data,
// a header that is cut short, absurd or of a kind icon readers do not take, and data
// shorter than its header says.
std::size_t SoundImageLength(std::span<const std::uint8_t> data);

// The image a resource holds for a directory entry: of the bytesInRes bytes the entry
// states (at most all of resource), the ones SoundImageLength takes.
std::span<const std::uint8_t> StatedImage(std::uint32_t bytesInRes,
                                          std::span<const std::uint8_t> resource);

// The PNG part of the check: the signature, a well-formed header chunk and the chunks up
// to the first image data chunk, each whole and, for those a reader needs, with the right
// checksum.
void CheckPngImage(std::span<const std::uint8_t> data);
