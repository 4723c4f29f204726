#include "harvest/scan/reparse_rule.h"

namespace {

constexpr std::uint32_t kDirectory = 0x10;     // FILE_ATTRIBUTE_DIRECTORY
constexpr std::uint32_t kReparsePoint = 0x400; // FILE_ATTRIBUTE_REPARSE_POINT
// The tag bit Windows sets on every reparse point that names another file or folder.
constexpr std::uint32_t kNameSurrogate = 0x20000000;

} // namespace

bool EntersFolder(std::uint32_t attributes, std::uint32_t reparseTag) {
    if (!(attributes & kDirectory))
        return false;
    if (!(attributes & kReparsePoint))
        return true;
    // A mark without a tag cannot be told from a link; it is left alone like one.
    return reparseTag != 0 && !(reparseTag & kNameSurrogate);
}
