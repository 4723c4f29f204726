#include "support/ne_builder.h"

#include <algorithm>
#include <stdexcept>

#include "support/byte_writer.h"

namespace {

struct TResource {
    std::uint16_t Id;
    std::vector<std::uint8_t> Data;
};

constexpr std::uint16_t NumberedType = 0x8000;
constexpr std::uint32_t NEHeaderSize = 64;
constexpr std::uint32_t TypeHeaderSize = 8;
constexpr std::uint32_t EntrySize = 12;

void WriteTypeBlock(TByteWriter& w, std::uint16_t type, const std::vector<TResource>& resources,
                    const std::vector<std::uint32_t>& offsets, std::uint16_t shift) {
    w.U16(type);
    w.U16(static_cast<std::uint16_t>(resources.size()));
    w.U32(0);
    const std::uint32_t unit = 1u << shift;
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const auto length = static_cast<std::uint32_t>(resources[i].Data.size());
        w.U16(static_cast<std::uint16_t>(offsets[i] >> shift));
        w.U16(static_cast<std::uint16_t>((length + unit - 1) >> shift));
        w.U16(0x0C50); // moveable, shareable, discardable: what resource compilers write
        w.U16(resources[i].Id);
        w.U16(0);
        w.U16(0);
    }
}

std::vector<std::uint8_t> Pattern(std::size_t size, int seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 7 + static_cast<std::size_t>(seed) * 13) & 0xFF);
    return bytes;
}

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

} // namespace

std::vector<std::uint8_t> GroupDirectoryBytes(const TFixtureGroup& Group, std::uint16_t FirstIcon) {
    std::vector<std::uint8_t> bytes;
    TByteWriter w(bytes);
    w.U16(0);
    w.U16(1);
    w.U16(static_cast<std::uint16_t>(Group.Images.size()));
    for (std::size_t i = 0; i < Group.Images.size(); ++i) {
        w.Entry(Group.Images[i].Entry);
        w.U16(static_cast<std::uint16_t>(FirstIcon + i));
    }
    return bytes;
}

TFixtureImage MakeBitmapImage(int Size, int BitCount) {
    const auto size = static_cast<std::uint32_t>(Size);
    const auto bits = static_cast<std::uint32_t>(BitCount);
    const std::uint32_t colours = bits <= 8 ? 1u << bits : 0;
    const std::uint32_t xorStride = (size * bits + 31) / 32 * 4;
    const std::uint32_t andStride = (size + 31) / 32 * 4;
    std::vector<std::uint8_t> data;
    TByteWriter w(data);
    w.U32(40);
    w.U32(size);
    w.U32(size * 2);
    w.U16(1);
    w.U16(static_cast<std::uint16_t>(bits));
    w.U32(0);
    w.U32((xorStride + andStride) * size);
    w.U32(0);
    w.U32(0);
    w.U32(0);
    w.U32(0);
    for (std::uint32_t i = 0; i < colours; ++i)
        w.U32((i * 0x00102030u) & 0x00FFFFFFu);
    w.Bytes(Pattern(std::size_t{xorStride} * size, BitCount + Size));
    w.Bytes(std::vector<std::uint8_t>(std::size_t{andStride} * size, 0));
    TFixtureImage image;
    image.Entry.Width = static_cast<std::uint8_t>(size);
    image.Entry.Height = static_cast<std::uint8_t>(size);
    image.Entry.ColorCount = static_cast<std::uint8_t>(colours);
    image.Entry.Planes = 1;
    image.Entry.BitCount = static_cast<std::uint16_t>(bits);
    image.Entry.BytesInRes = static_cast<std::uint32_t>(data.size());
    image.Data = std::move(data);
    return image;
}

TFixtureImage MakePngImage(int Size, std::size_t DataLength) {
    std::vector<std::uint8_t> data = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    TByteWriter w(data);
    auto be32 = [&w](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            w.U8(static_cast<std::uint8_t>(v >> shift));
    };
    auto crc = [&data, &be32](std::size_t chunkType) {
        be32(Crc32(&data[chunkType], data.size() - chunkType));
    };
    be32(13);
    const std::size_t header = data.size();
    w.Bytes({'I', 'H', 'D', 'R'});
    be32(static_cast<std::uint32_t>(Size));
    be32(static_cast<std::uint32_t>(Size));
    w.Bytes({8, 6, 0, 0, 0}); // 8-bit RGBA, no interlace
    crc(header);
    // An image data chunk holding an empty compressed stream: readers of the file's layout
    // take it; the pixels are not filled in.
    be32(static_cast<std::uint32_t>(std::max<std::size_t>(DataLength, 8)));
    const std::size_t pixels = data.size();
    w.Bytes({'I', 'D', 'A', 'T', 0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
    w.Bytes(std::vector<std::uint8_t>(std::max<std::size_t>(DataLength, 8) - 8, 0));
    crc(pixels);
    be32(0);
    const std::size_t end = data.size();
    w.Bytes({'I', 'E', 'N', 'D'});
    crc(end);
    TFixtureImage image;
    image.Entry.Width = static_cast<std::uint8_t>(Size);
    image.Entry.Height = static_cast<std::uint8_t>(Size);
    image.Entry.Planes = 1;
    image.Entry.BitCount = 32;
    image.Entry.BytesInRes = static_cast<std::uint32_t>(data.size());
    image.Data = std::move(data);
    return image;
}

TNEModuleBytes BuildNEModule(const TNEFixture& Fixture) {
    if (Fixture.NEOffset < 64 || Fixture.AlignShift > 15)
        throw std::invalid_argument("BuildNEModule: the header offset or shift is out of range");
    std::vector<TResource> icons;
    std::vector<TResource> groups;
    std::vector<std::string> names = Fixture.LeadingNames;
    for (std::size_t g = 0; g < Fixture.Groups.size(); ++g) {
        const TFixtureGroup& group = Fixture.Groups[g];
        const auto firstIcon = static_cast<std::uint16_t>(icons.size() + 1);
        for (const TFixtureImage& image : group.Images)
            icons.push_back(
                {static_cast<std::uint16_t>(NumberedType | (icons.size() + 1)), image.Data});
        const std::uint16_t number =
            group.Number != 0 ? group.Number : static_cast<std::uint16_t>(g + 1);
        groups.push_back({static_cast<std::uint16_t>(NumberedType | number),
                          GroupDirectoryBytes(group, firstIcon)});
        if (!group.Name.empty())
            names.push_back(group.Name);
    }

    TNEModuleBytes out;
    out.ResTableOffset = Fixture.NEOffset + NEHeaderSize;
    out.IconBlockOffset = out.ResTableOffset + 2;
    out.GroupBlockOffset =
        out.IconBlockOffset + TypeHeaderSize + EntrySize * static_cast<std::uint32_t>(icons.size());
    out.NamesOffset = out.GroupBlockOffset + TypeHeaderSize +
                      EntrySize * static_cast<std::uint32_t>(groups.size()) + 2;

    // A named group's identifier is its name string's offset within the resource table.
    std::uint32_t nameAt = out.NamesOffset - out.ResTableOffset;
    std::size_t named = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i >= Fixture.LeadingNames.size()) {
            while (Fixture.Groups[named].Name.empty())
                ++named;
            groups[named++].Id = static_cast<std::uint16_t>(nameAt);
        }
        nameAt += 1 + static_cast<std::uint32_t>(names[i].size());
    }
    const std::uint32_t residentNames = out.ResTableOffset + nameAt + 1;
    const std::string moduleName = "FIXTURE";
    const std::uint32_t moduleTables =
        residentNames + 1 + static_cast<std::uint32_t>(moduleName.size()) + 2 + 1;
    const std::uint32_t nonResidentNames = moduleTables + 2;
    const std::uint32_t tablesEnd =
        nonResidentNames + 1 + static_cast<std::uint32_t>(moduleName.size()) + 2 + 1;

    const std::uint32_t unit = 1u << Fixture.AlignShift;
    auto align = [unit](std::uint32_t v) { return (v + unit - 1) / unit * unit; };
    std::vector<std::uint32_t> iconOffsets;
    std::vector<std::uint32_t> groupOffsets;
    std::uint32_t at = align(tablesEnd);
    out.DataOffset = at;
    for (const TResource& r : icons) {
        iconOffsets.push_back(at);
        at = align(at + static_cast<std::uint32_t>(r.Data.size()));
    }
    for (const TResource& r : groups) {
        groupOffsets.push_back(at);
        at = align(at + static_cast<std::uint32_t>(r.Data.size()));
    }
    if ((at >> Fixture.AlignShift) > 0xFFFF)
        throw std::invalid_argument("BuildNEModule: the resources do not fit the alignment shift");

    TByteWriter w(out.Bytes);
    w.U16('M' | 'Z' << 8);
    w.PadTo(60);
    w.U32(Fixture.NEOffset);
    w.PadTo(Fixture.NEOffset);

    const std::uint16_t base = Fixture.NEOffset;
    auto rel = [base](std::uint32_t offset) { return static_cast<std::uint16_t>(offset - base); };
    w.U16('N' | 'E' << 8);
    w.U8(5);                      // linker version
    w.U8(10);                     // linker revision
    w.U16(rel(moduleTables + 1)); // entry table
    w.U16(1);                     // entry table length
    w.U32(0);                     // checksum
    w.U16(0x8000);                // a library with no automatic data segment
    w.U16(0);                     // automatic data segment
    w.U16(0);                     // heap
    w.U16(0);                     // stack
    w.U32(0);                     // CS:IP
    w.U32(0);                     // SS:SP
    w.U16(0);                     // segments
    w.U16(0);                     // module references
    w.U16(static_cast<std::uint16_t>(1 + moduleName.size() + 2 + 1)); // non-resident names length
    w.U16(NEHeaderSize);                                              // segment table (empty)
    w.U16(rel(out.ResTableOffset));
    w.U16(rel(residentNames));
    w.U16(rel(moduleTables));  // module reference table
    w.U16(rel(moduleTables));  // imported names table
    w.U32(nonResidentNames);   // non-resident names, from the file's start
    w.U16(0);                  // moveable entries
    w.U16(Fixture.AlignShift); // segment alignment
    w.U16(static_cast<std::uint16_t>(icons.size() + groups.size()));
    w.U8(2); // Windows
    w.U8(0);
    w.U16(0);
    w.U16(0);
    w.U16(0);
    w.U16(0x030A); // Windows 3.10

    w.U16(Fixture.AlignShift);
    WriteTypeBlock(w, NumberedType | 3, icons, iconOffsets, Fixture.AlignShift);
    WriteTypeBlock(w, NumberedType | 14, groups, groupOffsets, Fixture.AlignShift);
    w.U16(0);
    for (const std::string& name : names)
        w.Text(name);
    w.U8(0);

    w.Text(moduleName);
    w.U16(0);
    w.U8(0);
    w.U16(0); // imported names (one empty byte) and the entry table's end
    w.Text(moduleName);
    w.U16(0);
    w.U8(0);

    for (std::size_t i = 0; i < icons.size(); ++i) {
        w.PadTo(iconOffsets[i]);
        w.Bytes(icons[i].Data);
    }
    for (std::size_t i = 0; i < groups.size(); ++i) {
        w.PadTo(groupOffsets[i]);
        w.Bytes(groups[i].Data);
    }
    w.PadTo(at);
    return out;
}

TNEFixture SampleNEFixture() {
    TNEFixture fixture;
    TFixtureGroup first;
    for (int size : {16, 32, 48}) {
        for (int bits : {4, 8, 32})
            first.Images.push_back(MakeBitmapImage(size, bits));
    }
    fixture.Groups.push_back(std::move(first));
    TFixtureGroup second;
    for (int size : {16, 32}) {
        for (int bits : {1, 24})
            second.Images.push_back(MakeBitmapImage(size, bits));
    }
    fixture.Groups.push_back(std::move(second));
    TFixtureGroup large;
    large.Images.push_back(MakeBitmapImage(32, 32));
    large.Images.push_back(MakePngImage(256));
    fixture.Groups.push_back(std::move(large));
    return fixture;
}
