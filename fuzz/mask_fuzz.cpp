// Compiles arbitrary mask texts and matches them against arbitrary names, both as one mask
// and as a comma-separated list, and checks every answer against the plain reading of the
// rules. Input: the mask, a line feed, the name (bytes taken as character codes 0-255).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../tests/harvest/mask_reference.h"
#include "harvest/scan/mask_list.h"

namespace {

bool Compiles(const std::wstring& mask) {
    try {
        TMask compiled(mask);
        return true;
    } catch (const EMaskError&) {
        return false;
    }
}

void CheckOne(const std::wstring& mask, const std::wstring& name) {
    if (Compiles(mask) && TMask(mask).Matches(name) != mask_reference::Matches(mask, name))
        std::abort();
}

void CheckList(const std::wstring& list, const std::wstring& name) {
    TMultiMaskList masks;
    try {
        masks = CompileMaskList(list);
    } catch (const EMaskError&) {
        return;
    }
    bool expected = false;
    for (const std::wstring& element : SplitMaskList(list))
        expected = expected || mask_reference::Matches(element, name);
    if (MatchesAny(masks, name) != expected)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096)
        return 0;
    std::wstring mask;
    std::wstring name;
    std::wstring* into = &mask;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' && into == &mask)
            into = &name;
        else
            *into += static_cast<wchar_t>(data[i]);
    }
    CheckOne(mask, name);
    CheckList(mask, name);
    return 0;
}
