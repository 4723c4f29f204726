// Checks arbitrary bytes as an icon image: the check reads nothing past the bytes, and an
// image it takes keeps a length within them that is sound in its turn.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "harvest/icons/image_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::span<const std::uint8_t> bytes(Data, Size);
    try {
        const std::size_t kept = SoundImageLength(bytes);
        if (kept == 0 || kept > Size || SoundImageLength(bytes.first(kept)) != kept)
            std::abort();
    } catch (const EIconDataError&) {
        // A damaged image is an expected outcome.
    }
    return 0;
}
