#pragma once
// A corpus of damaged modules for the readers: 16-bit and 32-bit fixture modules cut
// short, with corrupted headers and resource directories, absurd counts, offsets and
// sizes, and bytes changed at random (with a fixed seed, so every run sees the same files).
// Portable: no Win32 here.

#include <cstdint>
#include <string>
#include <vector>

struct TBrokenModule {
    std::string Name;
    std::vector<std::uint8_t> Bytes;
};

std::vector<TBrokenModule> BrokenNEModules();
std::vector<TBrokenModule> BrokenPEModules();

// Files built to make a reader hang, exhaust memory or write icons nobody can read: icon
// tables searched once per image, groups naming one large image thousands of times, empty
// images, absurd image headers, images in the file's own header. Each is refused with
// Error; Error is empty for a file whose icon is taken, cut to its image.
struct THostileModule {
    std::string Name;
    std::vector<std::uint8_t> Bytes;
    std::wstring Error;
};

std::vector<THostileModule> HostileNEModules();
std::vector<THostileModule> HostilePEModules();
