#pragma once
// What reading the icons of one file may cost: the bytes copied out of it and the images
// made from them. A module reads each resource once or a few times over, so a file that
// makes the readers take many times its own size is built to exhaust time and memory, not
// to hold icons. Both module readers charge the same budget.
// Portable: no Win32 here.

#include <cstdint>

#include "harvest/icons/icon_data_error.h"

class TReadBudget {
public:
    // Bytes and images taken may cost at most this many times the file's size.
    static constexpr std::uint64_t PerFileByte = 16;
    // What one image costs beside its bytes: an image without bytes still costs its object
    // and its entry in an icon directory.
    static constexpr std::uint64_t ImageCost = 64;

    explicit TReadBudget(std::uint64_t fileSize);

    // Both raise EIconDataError once the file's budget is spent, before anything is taken.
    void TakeBytes(std::uint64_t count);
    void TakeImage();

private:
    std::uint64_t limit_;
    std::uint64_t taken_ = 0;
};
