#include "harvest/icons/module_kind.h"

#include <array>

#include "util/byte_order.h"

namespace {

constexpr std::uint64_t NewHeaderOffsetAt = 60;

bool ReadPair(TByteSource& source, std::uint64_t offset, std::array<std::uint8_t, 2>& pair) {
    if (!source.Holds(offset, pair.size()))
        return false;
    source.ReadAt(offset, pair);
    return true;
}

} // namespace

TModuleKind ModuleKindOf(TByteSource& source) {
    std::array<std::uint8_t, 2> pair{};
    if (!ReadPair(source, 0, pair) || pair[0] != 'M' || pair[1] != 'Z')
        return TModuleKind::None;
    if (!ReadPair(source, NewHeaderOffsetAt, pair))
        return TModuleKind::None;
    const std::uint64_t newHeader = Le16(pair.data());
    if (!ReadPair(source, newHeader, pair))
        return TModuleKind::None;
    if (pair[0] == 'P' && pair[1] == 'E')
        return TModuleKind::PE;
    if (pair[0] == 'N' && pair[1] == 'E')
        return TModuleKind::NE;
    return TModuleKind::None;
}
