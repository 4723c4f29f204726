#include "support/pe_builder.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "support/byte_writer.h"

namespace {

constexpr std::uint32_t NewHeaderAt = 0x40;
constexpr std::uint32_t OptionalHeaderSize = 224;
constexpr std::uint32_t SectionHeaderAt = NewHeaderAt + 4 + 20 + OptionalHeaderSize;
constexpr std::uint32_t FileAlignment = 0x200;
constexpr std::uint32_t SectionAlignment = 0x1000;
constexpr std::uint32_t SectionRva = 0x1000;
constexpr std::uint32_t Subdirectory = 0x80000000u;
constexpr std::uint32_t DirSize = 16;
constexpr std::uint32_t DirEntrySize = 8;
constexpr std::uint32_t DataEntrySize = 16;

std::uint32_t Align(std::uint32_t v, std::uint32_t unit) {
    return (v + unit - 1) / unit * unit;
}

bool NameOrder(const TPEResource* a, const TPEResource* b) {
    if (a->Name.empty() != b->Name.empty())
        return !a->Name.empty(); // named entries come before numbered ones
    if (!a->Name.empty())
        return a->Name < b->Name;
    return a->Id < b->Id;
}

void WriteDirectory(TByteWriter& w, std::uint16_t named, std::uint16_t numbered) {
    w.U32(0); // characteristics
    w.U32(0); // time stamp
    w.U32(0); // version
    w.U16(named);
    w.U16(numbered);
}

} // namespace

TPEModuleBytes BuildPEModule(const std::vector<TPEResource>& Resources) {
    // Types ascending, and within each type the order the lookup's binary search needs.
    std::map<std::uint16_t, std::vector<const TPEResource*>> types;
    for (const TPEResource& r : Resources)
        types[r.Type].push_back(&r);
    for (auto& [type, list] : types)
        std::sort(list.begin(), list.end(), NameOrder);

    // Directories, then data entries, then name strings, then the resources' bytes.
    std::uint32_t at = DirSize + DirEntrySize * static_cast<std::uint32_t>(types.size());
    std::map<std::uint16_t, std::uint32_t> typeDirAt;
    for (const auto& [type, list] : types) {
        typeDirAt[type] = at;
        at += DirSize + DirEntrySize * static_cast<std::uint32_t>(list.size());
    }
    std::map<const TPEResource*, std::uint32_t> langDirAt, dataEntryAt, nameAt, dataAt;
    for (const auto& [type, list] : types) {
        for (const TPEResource* r : list) {
            langDirAt[r] = at;
            at += DirSize + DirEntrySize;
        }
    }
    for (const TPEResource& r : Resources) {
        dataEntryAt[&r] = at;
        at += DataEntrySize;
    }
    for (const TPEResource& r : Resources) {
        if (!r.Name.empty()) {
            nameAt[&r] = at;
            at += 2 + 2 * static_cast<std::uint32_t>(r.Name.size());
        }
    }
    for (const TPEResource& r : Resources) {
        at = Align(at, 8);
        dataAt[&r] = at;
        at += static_cast<std::uint32_t>(r.Data.size());
    }
    const std::uint32_t sectionSize = at;
    const std::uint32_t rawSize = Align(sectionSize, FileAlignment);

    TPEModuleBytes out;
    out.SectionOffset = FileAlignment;
    out.SectionHeaderOffset = SectionHeaderAt;
    TByteWriter w(out.Bytes);
    w.U16('M' | 'Z' << 8);
    w.PadTo(0x3C);
    w.U32(NewHeaderAt);
    w.PadTo(NewHeaderAt);
    w.U32('P' | 'E' << 8);
    w.U16(0x014C); // i386
    w.U16(1);      // sections
    w.U32(0);
    w.U32(0);
    w.U32(0);
    w.U16(OptionalHeaderSize);
    w.U16(0x2102); // executable image, 32-bit machine, library
    w.U16(0x010B); // PE32
    w.U8(2);
    w.U8(0);
    w.U32(0);       // code
    w.U32(rawSize); // initialised data
    w.U32(0);
    w.U32(0); // entry point: none
    w.U32(0); // base of code
    w.U32(SectionRva);
    w.U32(0x10000000); // image base
    w.U32(SectionAlignment);
    w.U32(FileAlignment);
    w.U16(4);
    w.U16(0);
    w.U16(0);
    w.U16(0);
    w.U16(4);
    w.U16(0);
    w.U32(0);
    w.U32(SectionRva + Align(sectionSize, SectionAlignment)); // size of image
    w.U32(FileAlignment);                                     // size of headers
    w.U32(0);
    w.U16(2); // GUI
    w.U16(0);
    w.U32(0x100000);
    w.U32(0x1000);
    w.U32(0x100000);
    w.U32(0x1000);
    w.U32(0);
    w.U32(16);
    out.ResourceDirEntryOffset = w.Position() + 2 * 8;
    for (int d = 0; d < 16; ++d) {
        w.U32(d == 2 ? SectionRva : 0); // the resource directory
        w.U32(d == 2 ? sectionSize : 0);
    }
    if (w.Position() != SectionHeaderAt)
        throw std::logic_error("BuildPEModule: the optional header has the wrong size");
    w.Bytes({'.', 'r', 's', 'r', 'c', 0, 0, 0});
    w.U32(sectionSize);
    w.U32(SectionRva);
    w.U32(rawSize);
    w.U32(FileAlignment);
    w.U32(0);
    w.U32(0);
    w.U16(0);
    w.U16(0);
    w.U32(0x40000040); // initialised data, readable
    w.PadTo(FileAlignment);

    const std::uint32_t base = out.SectionOffset;
    auto entryName = [&nameAt](const TPEResource* r) {
        return r->Name.empty() ? std::uint32_t{r->Id} : Subdirectory | nameAt.at(r);
    };
    WriteDirectory(w, 0, static_cast<std::uint16_t>(types.size()));
    for (const auto& [type, list] : types) {
        w.U32(type);
        w.U32(Subdirectory | typeDirAt[type]);
    }
    for (const auto& [type, list] : types) {
        out.TypeDirOffsets.push_back(base + typeDirAt[type]);
        const auto named = static_cast<std::uint16_t>(std::count_if(
            list.begin(), list.end(), [](const TPEResource* r) { return !r->Name.empty(); }));
        WriteDirectory(w, named, static_cast<std::uint16_t>(list.size() - named));
        for (const TPEResource* r : list) {
            w.U32(entryName(r));
            w.U32(Subdirectory | langDirAt[r]);
        }
    }
    for (const auto& [type, list] : types) {
        for (const TPEResource* r : list) {
            WriteDirectory(w, 0, 1);
            w.U32(0x0409); // English (United States)
            w.U32(dataEntryAt[r]);
        }
    }
    for (const TPEResource& r : Resources) {
        out.DataEntryOffsets.push_back(base + dataEntryAt[&r]);
        w.U32(SectionRva + dataAt[&r]);
        w.U32(static_cast<std::uint32_t>(r.Data.size()));
        w.U32(0);
        w.U32(0);
    }
    for (const TPEResource& r : Resources) {
        if (r.Name.empty())
            continue;
        w.U16(static_cast<std::uint16_t>(r.Name.size()));
        for (wchar_t c : r.Name)
            w.U16(static_cast<std::uint16_t>(c));
    }
    for (const TPEResource& r : Resources) {
        w.PadTo(base + dataAt[&r]);
        out.DataOffsets.push_back(base + dataAt[&r]);
        w.Bytes(r.Data);
    }
    w.PadTo(base + rawSize);
    return out;
}

std::vector<TPEResource> IconGroupResources(const std::vector<TFixtureGroup>& Groups) {
    std::vector<TPEResource> resources;
    std::uint16_t nextIcon = 1;
    for (std::size_t g = 0; g < Groups.size(); ++g) {
        const TFixtureGroup& group = Groups[g];
        TPEResource directory;
        directory.Type = 14;
        directory.Name = std::wstring(group.Name.begin(), group.Name.end());
        directory.Id = group.Number != 0 ? group.Number : static_cast<std::uint16_t>(g + 1);
        directory.Data = GroupDirectoryBytes(group, nextIcon);
        for (const TFixtureImage& image : group.Images)
            resources.push_back({3, L"", nextIcon++, image.Data});
        resources.push_back(std::move(directory));
    }
    return resources;
}
