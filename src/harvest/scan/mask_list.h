#pragma once
// The comma-separated mask list of the folder scanner ("*.exe, *.dll"), compiled once per
// walk into masks that are tried in their order. Portable: no Win32 here.

#include <string>
#include <string_view>
#include <vector>

#include "harvest/scan/mask.h"

// One element of a compiled mask list; owns its mask.
class TMultiMask {
public:
    explicit TMultiMask(std::wstring_view mask) : FMask(mask) {}

    TMask FMask;
};

using TMultiMaskList = std::vector<TMultiMask>;

// The elements of a mask list: leading and trailing spaces (only the space character) are
// dropped from each element, a comma ends an element, and a comma at the very end ends the
// list without starting another element. An empty list has no element at all.
std::vector<std::wstring> SplitMaskList(std::wstring_view list);

// Compiles every element of the list; raises EMaskError for the first bad one.
TMultiMaskList CompileMaskList(std::wstring_view list);

// True when one of the masks takes the name.
bool MatchesAny(const TMultiMaskList& masks, std::wstring_view name);
