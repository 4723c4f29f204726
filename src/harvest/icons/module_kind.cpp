#include "harvest/icons/module_kind.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

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

namespace {

std::optional<std::vector<std::uint8_t>> Read(TByteSource& source, std::uint64_t offset,
                                              std::uint64_t length) {
    if (!source.Holds(offset, length))
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    source.ReadAt(offset, bytes);
    return bytes;
}

struct TPlace {
    std::uint64_t Offset; // in the file
    std::uint32_t Room;   // bytes from there that the file and the mapping hold alike
};

// Where the resource table's root lies in the file, when the one section holding it maps
// plainly: raw data on a sector boundary, read alike from the file and from the mapping.
std::optional<TPlace> RootPlace(TByteSource& source, std::uint64_t sections, std::uint16_t count,
                                std::uint32_t rva) {
    constexpr std::uint32_t SectionHeaderSize = 40;
    // The system maps a section from its raw data rounded down to this; a section that
    // starts elsewhere is not read by the rule below.
    constexpr std::uint32_t SectorSize = 512;
    const auto table = Read(source, sections, std::uint64_t{count} * SectionHeaderSize);
    if (!table)
        return std::nullopt;
    std::optional<TPlace> found;
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint8_t* header = table->data() + std::size_t{i} * SectionHeaderSize;
        const std::uint32_t mapped = Le32(header + 8);
        const std::uint32_t address = Le32(header + 12);
        const std::uint32_t raw = Le32(header + 16);
        const std::uint32_t at = Le32(header + 20);
        if (rva < address || rva - address >= std::max(mapped, raw))
            continue;
        const std::uint32_t plain = std::min(raw, mapped);
        if (found || at % SectorSize != 0 || rva - address >= plain)
            return std::nullopt; // in two sections, or not plainly mapped
        found = TPlace{std::uint64_t{at} + (rva - address), plain - (rva - address)};
    }
    return found;
}

bool LacksGroupIcons(TByteSource& source) {
    constexpr std::uint32_t GroupIconType = 14;
    constexpr std::uint32_t ResourceTableIndex = 2;
    constexpr std::uint32_t RootHeaderSize = 16; // then 8 bytes an entry
    constexpr std::uint32_t RootEntrySize = 8;
    const auto start = Read(source, NewHeaderOffsetAt, 4);
    if (!start || Le32(start->data()) > 0xFFFF) // the system reads 32 bits here
        return false;
    const std::uint64_t signature = Le32(start->data());
    const auto file = Read(source, signature, 24);
    if (!file || Le32(file->data()) != 0x00004550) // "PE\0\0"
        return false;
    const std::uint16_t sectionCount = Le16(file->data() + 6);
    const std::uint16_t optionalSize = Le16(file->data() + 20);
    const std::uint64_t optional = signature + 24;
    const auto magic = Read(source, optional, 2);
    if (!magic)
        return false;
    const std::uint16_t kind = Le16(magic->data());
    if (kind != 0x10B && kind != 0x20B)
        return false;
    const std::uint64_t counted = optional + (kind == 0x10B ? 92 : 108);
    const std::uint64_t table = counted + 4 + ResourceTableIndex * 8;
    if (table + 8 > optional + optionalSize)
        return false;
    const auto directory = Read(source, counted, table + 8 - counted);
    if (!directory)
        return false;
    if (Le32(directory->data()) <= ResourceTableIndex)
        return true; // no resource table
    const std::uint32_t rva = Le32(directory->data() + (table - counted));
    if (rva == 0)
        return true;
    const std::optional<TPlace> root =
        RootPlace(source, optional + optionalSize, sectionCount, rva);
    if (!root || root->Room < RootHeaderSize)
        return false;
    const auto header = Read(source, root->Offset, RootHeaderSize);
    if (!header)
        return false;
    const std::uint64_t entries =
        std::uint64_t{Le16(header->data() + 12)} + Le16(header->data() + 14);
    if (RootHeaderSize + entries * RootEntrySize > root->Room)
        return false;
    const auto list = Read(source, root->Offset + RootHeaderSize, entries * RootEntrySize);
    if (!list)
        return false;
    // Readers match a type's number on the entry's low 16 bits: any such entry counts.
    for (std::uint64_t i = 0; i < entries; ++i)
        if ((Le32(list->data() + i * RootEntrySize) & 0xFFFF) == GroupIconType)
            return false;
    return true;
}

} // namespace

bool PELacksGroupIcons(TByteSource& source) {
    try {
        return LacksGroupIcons(source);
    } catch (const Exception&) {
        return false; // a read that fails leaves the question to the system
    }
}
