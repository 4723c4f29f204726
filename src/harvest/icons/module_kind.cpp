#include "harvest/icons/module_kind.h"

#include <array>

#include "util/byte_order.h"

namespace {

constexpr std::uint64_t NewHeaderOffsetAt = 60;

bool ReadPair(TByteSource& Source, std::uint64_t Offset, std::array<std::uint8_t, 2>& Pair) {
    if (!Source.Holds(Offset, Pair.size()))
        return false;
    Source.ReadAt(Offset, Pair);
    return true;
}

} // namespace

TModuleKind ModuleKindOf(TByteSource& Source) {
    std::array<std::uint8_t, 2> pair{};
    if (!ReadPair(Source, 0, pair) || pair[0] != 'M' || pair[1] != 'Z')
        return TModuleKind::None;
    if (!ReadPair(Source, NewHeaderOffsetAt, pair))
        return TModuleKind::None;
    const std::uint64_t newHeader = Le16(pair.data());
    if (!ReadPair(Source, newHeader, pair))
        return TModuleKind::None;
    if (pair[0] == 'P' && pair[1] == 'E')
        return TModuleKind::PE;
    if (pair[0] == 'N' && pair[1] == 'E')
        return TModuleKind::NE;
    return TModuleKind::None;
}
