// Reads arbitrary text as a property description; whatever it accepts must come back the
// same after writing it out and reading it again. Input bytes are taken as character codes
// 0-255.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/prop_description.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 16384)
        return 0;
    std::wstring text;
    for (size_t i = 0; i < size; ++i)
        text += static_cast<wchar_t>(data[i]);
    const auto read = ReadPropDescription(text);
    if (!read)
        return 0;
    const std::wstring written = WritePropDescription(*read);
    const auto again = ReadPropDescription(written);
    if (!again || !(*again == *read) || WritePropDescription(*again) != written)
        std::abort();
    return 0;
}
