#include "support/broken_modules.h"

#include <functional>
#include <random>

#include "support/byte_writer.h"
#include "support/ne_builder.h"
#include "support/pe_builder.h"

namespace {

using TPatch = std::function<void(std::vector<std::uint8_t>&)>;

class TCorpus {
public:
    explicit TCorpus(std::vector<std::uint8_t> Good) : good_(std::move(Good)) {}

    void Add(std::string Name, const TPatch& Patch) {
        std::vector<std::uint8_t> bytes = good_;
        Patch(bytes);
        modules_.push_back({std::move(Name), std::move(bytes)});
    }

    void AddCuts(const std::string& Prefix, const std::vector<std::size_t>& Lengths) {
        for (std::size_t length : Lengths) {
            if (length < good_.size())
                Add(Prefix + "-cut-" + std::to_string(length),
                    [length](auto& b) { b.resize(length); });
        }
    }

    // Count variants each changing 1 to 8 bytes within [From, To).
    void AddMutations(const std::string& Prefix, std::size_t From, std::size_t To, int Count,
                      std::uint32_t Seed) {
        std::minstd_rand random(Seed);
        for (int i = 0; i < Count; ++i) {
            const int changes = 1 + static_cast<int>(random() % 8);
            std::vector<std::pair<std::size_t, std::uint8_t>> edits;
            for (int k = 0; k < changes; ++k) {
                const std::size_t at = From + random() % (To - From);
                // Favour the values that break parsers: all bits set, none, and high bits.
                static constexpr std::uint8_t favourites[] = {0xFF, 0x00, 0x80, 0x7F, 0x01};
                const std::uint32_t pick = random() % 8;
                edits.emplace_back(at, pick < 5 ? favourites[pick]
                                                : static_cast<std::uint8_t>(random()));
            }
            Add(Prefix + "-mutation-" + std::to_string(i), [edits](auto& b) {
                for (const auto& [at, value] : edits)
                    b[at] = value;
            });
        }
    }

    std::vector<TBrokenModule> Take() { return std::move(modules_); }

private:
    std::vector<std::uint8_t> good_;
    std::vector<TBrokenModule> modules_;
};

std::size_t EntryAt(std::uint32_t Block, std::size_t I) {
    return Block + 8 + 12 * I;
}

void AddBrokenNE(std::vector<TBrokenModule>& Out) {
    TNEFixture fixture = SampleNEFixture();
    fixture.LeadingNames = {"ICL"};
    fixture.Groups[1].Name = "SECOND";
    const TNEModuleBytes m = BuildNEModule(fixture);
    const std::uint32_t shift = fixture.AlignShift;
    const std::size_t group0 = std::size_t{Get16(m.Bytes, EntryAt(m.GroupBlockOffset, 0))} << shift;
    TCorpus c(m.Bytes);
    c.Add("ne-good", [](auto&) {});
    c.Add("ne-bad-mz", [](auto& b) { b[1] = 'X'; });
    c.Add("ne-offset-59", [](auto& b) { Patch16(b, 60, 59); });
    c.Add("ne-offset-0", [](auto& b) { Patch16(b, 60, 0); });
    c.Add("ne-offset-beyond", [](auto& b) { Patch16(b, 60, 0xFFFF); });
    c.Add("ne-bad-signature", [](auto& b) { b[65] = 'X'; });
    c.Add("ne-no-resource-table", [](auto& b) { Patch16(b, 64 + 36, 0); });
    c.Add("ne-no-resident-names", [](auto& b) { Patch16(b, 64 + 38, 0); });
    c.Add("ne-resource-table-beyond", [](auto& b) { Patch16(b, 64 + 36, 0xFFF0); });
    for (std::uint16_t s : {31, 32, 255, 0x8000, 0xFFFF})
        c.Add("ne-shift-" + std::to_string(s),
              [&m, s](auto& b) { Patch16(b, m.ResTableOffset, s); });
    c.Add("ne-no-icon-type", [&m](auto& b) { Patch16(b, m.IconBlockOffset, 0x8005); });
    c.Add("ne-no-group-type", [&m](auto& b) { Patch16(b, m.GroupBlockOffset, 0x000E); });
    c.Add("ne-icon-count-0", [&m](auto& b) { Patch16(b, m.IconBlockOffset + 2, 0); });
    c.Add("ne-icon-count-huge", [&m](auto& b) { Patch16(b, m.IconBlockOffset + 2, 0xFFFF); });
    c.Add("ne-group-count-huge", [&m](auto& b) { Patch16(b, m.GroupBlockOffset + 2, 0xFFFF); });
    c.Add("ne-icon-lengths-huge", [&m](auto& b) {
        for (std::size_t i = 0; i < 15; ++i)
            Patch16(b, EntryAt(m.IconBlockOffset, i) + 2, 0xFFFF);
    });
    c.Add("ne-icon-offset-huge",
          [&m](auto& b) { Patch16(b, EntryAt(m.IconBlockOffset, 4), 0xFFFF); });
    c.Add("ne-group-offset-huge",
          [&m](auto& b) { Patch16(b, EntryAt(m.GroupBlockOffset, 1), 0xFFFF); });
    c.Add("ne-group-length-0",
          [&m](auto& b) { Patch16(b, EntryAt(m.GroupBlockOffset, 0) + 2, 0); });
    c.Add("ne-directory-count-huge", [group0](auto& b) { Patch16(b, group0 + 4, 0xFFFF); });
    c.Add("ne-directory-type-2", [group0](auto& b) { Patch16(b, group0 + 2, 2); });
    c.Add("ne-directory-reserved", [group0](auto& b) { Patch16(b, group0, 1); });
    c.Add("ne-missing-icon", [group0](auto& b) { Patch16(b, group0 + 6 + 12, 999); });
    c.Add("ne-bytes-in-res-huge", [group0](auto& b) { Patch32(b, group0 + 6 + 8, 0xFFFFFFFF); });
    c.Add("ne-names-unterminated", [&m](auto& b) { b.resize(m.NamesOffset + 3); });
    c.Add("ne-name-length-huge", [&m](auto& b) { b[m.NamesOffset] = 0xFF; });
    c.Add("ne-shared-groups", [&m](auto& b) {
        for (std::size_t g = 1; g < 3; ++g)
            Patch32(b, EntryAt(m.GroupBlockOffset, g), Get32(b, EntryAt(m.GroupBlockOffset, 0)));
    });
    c.AddCuts("ne", {0, 1, 2, 60, 62, 64, 66, 64 + 37, m.ResTableOffset + 1, m.IconBlockOffset + 5,
                     m.GroupBlockOffset + 20, m.NamesOffset, m.DataOffset, m.DataOffset + 300,
                     group0 + 3, group0 + 30, m.Bytes.size() - 1});
    c.AddMutations("ne-table", 0, m.DataOffset, 96, 0x4E45);
    c.AddMutations("ne-group", group0, m.Bytes.size(), 32, 0x4752);
    for (TBrokenModule& module : c.Take())
        Out.push_back(std::move(module));
}

void AddBrokenPE(std::vector<TBrokenModule>& Out) {
    TNEFixture fixture = SampleNEFixture();
    fixture.Groups[1].Name = "SECOND";
    const std::vector<TPEResource> resources = IconGroupResources(fixture.Groups);
    const TPEModuleBytes m = BuildPEModule(resources);
    std::vector<std::size_t> groups;
    std::vector<std::size_t> icons;
    for (std::size_t i = 0; i < resources.size(); ++i)
        (resources[i].Type == 14 ? groups : icons).push_back(i);
    const std::uint32_t root = m.SectionOffset;
    const std::uint32_t groupDir = m.TypeDirOffsets.at(1);
    const std::uint32_t firstGroupEntry = m.DataEntryOffsets[groups[0]];
    const std::uint32_t firstGroupData = m.DataOffsets[groups[0]];
    const std::uint32_t firstIconEntry = m.DataEntryOffsets[icons[0]];
    TCorpus c(m.Bytes);
    c.Add("pe-good", [](auto&) {});
    c.Add("pe-root-counts-huge", [root](auto& b) {
        Patch16(b, root + 12, 0xFFFF);
        Patch16(b, root + 14, 0xFFFF);
    });
    c.Add("pe-group-dir-counts-huge", [groupDir](auto& b) {
        Patch16(b, groupDir + 12, 0x7FFF);
        Patch16(b, groupDir + 14, 0xFFFF);
    });
    c.Add("pe-group-dir-loop", [groupDir](auto& b) { Patch32(b, groupDir + 16 + 4, 0x80000000u); });
    c.Add("pe-group-dir-beyond", [root](auto& b) { Patch32(b, root + 16 + 8 + 4, 0x8FFFFFF0u); });
    c.Add("pe-group-name-beyond", [groupDir](auto& b) { Patch32(b, groupDir + 16, 0xFFFFFFF0u); });
    c.Add("pe-group-size-huge",
          [firstGroupEntry](auto& b) { Patch32(b, firstGroupEntry + 4, 0xFFFFFFF0u); });
    c.Add("pe-group-rva-beyond",
          [firstGroupEntry](auto& b) { Patch32(b, firstGroupEntry, 0x7FFFFFF0u); });
    c.Add("pe-group-size-0", [firstGroupEntry](auto& b) { Patch32(b, firstGroupEntry + 4, 0); });
    c.Add("pe-icon-size-huge",
          [firstIconEntry](auto& b) { Patch32(b, firstIconEntry + 4, 0x7FFFFFFFu); });
    c.Add("pe-icon-rva-beyond",
          [firstIconEntry](auto& b) { Patch32(b, firstIconEntry, 0xFFFF0000u); });
    c.Add("pe-directory-count-huge",
          [firstGroupData](auto& b) { Patch16(b, firstGroupData + 4, 0xFFFF); });
    c.Add("pe-directory-type-2", [firstGroupData](auto& b) { Patch16(b, firstGroupData + 2, 2); });
    c.Add("pe-missing-icon",
          [firstGroupData](auto& b) { Patch16(b, firstGroupData + 6 + 12, 999); });
    c.Add("pe-bytes-in-res-huge",
          [firstGroupData](auto& b) { Patch32(b, firstGroupData + 6 + 8, 0xFFFFFFFFu); });
    c.Add("pe-no-resource-dir", [&m](auto& b) { Patch32(b, m.ResourceDirEntryOffset, 0); });
    c.Add("pe-resource-dir-beyond",
          [&m](auto& b) { Patch32(b, m.ResourceDirEntryOffset, 0x00F00000u); });
    c.Add("pe-section-raw-beyond",
          [&m](auto& b) { Patch32(b, m.SectionHeaderOffset + 20, 0x00F00000u); });
    c.Add("pe-section-raw-size-huge", [&m](auto& b) {
        Patch32(b, m.SectionHeaderOffset + 8, 0x7FFFFFFFu);
        Patch32(b, m.SectionHeaderOffset + 16, 0x7FFFFFFFu);
    });
    c.AddCuts("pe", {0x100, 0x1FF, root + 8, root + 40, groupDir + 20, firstGroupEntry + 8,
                     firstGroupData + 4, m.DataOffsets[icons[0]] + 20, m.Bytes.size() / 2,
                     m.Bytes.size() - 300});
    c.AddMutations("pe-directory", root, m.DataOffsets[icons[0]], 96, 0x5045);
    c.AddMutations("pe-group", firstGroupData, firstGroupData + 6 + 14 * 9, 32, 0x4752);
    for (TBrokenModule& module : c.Take())
        Out.push_back(std::move(module));
}

const wchar_t* const MsgEmpty = L"Изображение значка пусто";
const wchar_t* const MsgHeader = L"Заголовок изображения значка поврежден";
const wchar_t* const MsgSize = L"Размеры изображения значка некорректны";
const wchar_t* const MsgBits = L"Глубина цвета изображения значка некорректна";
const wchar_t* const MsgShort = L"Данные изображения значка короче, чем указано в его заголовке";
const wchar_t* const MsgPng = L"Заголовок PNG-изображения значка поврежден";
const wchar_t* const MsgBudget = L"Ресурсы значков содержат слишком много данных";

// A PNG image followed by filler, so that taking the image takes every byte.
std::vector<std::uint8_t> LargePng() {
    std::vector<std::uint8_t> bytes = MakePngImage(256).Data;
    bytes.resize(200000, 0x5A);
    return bytes;
}

std::vector<std::uint8_t> GroupOfOne(std::uint16_t Entries, std::uint32_t BytesInRes,
                                     std::uint16_t Icon) {
    std::vector<std::uint8_t> bytes;
    TByteWriter w(bytes);
    w.U16(0);
    w.U16(1);
    w.U16(Entries);
    for (std::uint16_t i = 0; i < Entries; ++i) {
        w.Entry(TIconEntry{32, 32, 0, 0, 1, 32, BytesInRes});
        w.U16(Icon);
    }
    return bytes;
}

// A 16-bit library of Icons icon-table entries (numbered 1 on) whose last one holds Image,
// the others nothing, and of Groups groups sharing one directory of Entries entries that
// all name the last icon.
std::vector<std::uint8_t> SharedImageNE(std::uint16_t Icons, std::uint16_t Groups,
                                        std::uint16_t Entries,
                                        const std::vector<std::uint8_t>& Image,
                                        std::uint32_t BytesInRes) {
    constexpr std::uint16_t shift = 5;
    auto aligned = [](std::size_t at) { return static_cast<std::uint32_t>((at + 31) & ~31u); };
    const std::vector<std::uint8_t> directory = GroupOfOne(Entries, BytesInRes, Icons);
    const std::uint32_t table = 128;
    const std::uint32_t group = aligned(table + 2 + 8 + 12 * Icons + 8 + 12 * Groups + 3);
    const std::uint32_t image = aligned(group + directory.size());
    std::vector<std::uint8_t> bytes;
    TByteWriter w(bytes);
    w.U16('M' | 'Z' << 8);
    w.PadTo(60);
    w.U16(64);
    w.PadTo(64);
    w.U16('N' | 'E' << 8);
    w.PadTo(64 + 36);
    w.U16(table - 64); // resource table
    w.U16(table - 64); // resident names: never read
    w.PadTo(table);
    w.U16(shift);
    auto block = [&w](std::uint16_t Type, std::uint16_t Count) {
        w.U16(Type);
        w.U16(Count);
        w.U32(0);
    };
    block(0x8003, Icons);
    for (std::uint32_t i = 1; i <= Icons; ++i) {
        const bool last = i == Icons;
        w.U16(static_cast<std::uint16_t>((last ? image : group) >> shift));
        w.U16(static_cast<std::uint16_t>(last ? aligned(Image.size()) >> shift : 0));
        w.U16(0);
        w.U16(static_cast<std::uint16_t>(i ^ 0x8000));
        w.U32(0);
    }
    block(0x800E, Groups);
    for (std::uint32_t g = 1; g <= Groups; ++g) {
        w.U16(static_cast<std::uint16_t>(group >> shift));
        w.U16(static_cast<std::uint16_t>(aligned(directory.size()) >> shift));
        w.U16(0);
        w.U16(static_cast<std::uint16_t>(g | 0x8000));
        w.U32(0);
    }
    w.U16(0);
    w.U8(0);
    w.PadTo(group);
    w.Bytes(directory);
    w.PadTo(image);
    w.Bytes(Image);
    w.PadTo(aligned(bytes.size()));
    return bytes;
}

// The 32-bit counterpart: icon 1 holds Image (its size read as IconSize when not 0), and
// Groups groups share one directory of Entries entries naming it.
std::vector<std::uint8_t> SharedImagePE(std::uint16_t Groups, std::uint16_t Entries,
                                        const std::vector<std::uint8_t>& Image,
                                        std::uint32_t BytesInRes, std::uint32_t IconSize) {
    std::vector<TPEResource> resources = {{3, L"", 1, Image}};
    for (std::uint16_t g = 1; g <= Groups; ++g)
        resources.push_back(
            {14, L"", g,
             g == 1 ? GroupOfOne(Entries, BytesInRes, 1) : std::vector<std::uint8_t>(6)});
    TPEModuleBytes m = BuildPEModule(resources);
    for (std::size_t g = 2; g < resources.size(); ++g) {
        for (std::size_t field : {0, 4}) // the data's address and size
            Patch32(m.Bytes, m.DataEntryOffsets[g] + field,
                    Get32(m.Bytes, m.DataEntryOffsets[1] + field));
    }
    if (IconSize != 0)
        Patch32(m.Bytes, m.DataEntryOffsets[0] + 4, IconSize);
    return m.Bytes;
}

// One damaged image as the only image of a group: the image's bytes and the length its
// group entry states.
struct TBadImage {
    std::string Name;
    std::vector<std::uint8_t> Data;
    std::uint32_t BytesInRes;
    std::wstring Error;
};

std::vector<TBadImage> BadImages() {
    const std::vector<std::uint8_t> good = MakeBitmapImage(32, 4).Data;
    const auto length = static_cast<std::uint32_t>(good.size());
    auto patched = [&good](std::size_t At, std::uint32_t Value, int Bytes) {
        std::vector<std::uint8_t> data = good;
        Bytes == 2 ? Patch16(data, At, static_cast<std::uint16_t>(Value))
                   : Patch32(data, At, Value);
        return data;
    };
    std::vector<std::uint8_t> png = MakePngImage(48).Data;
    png[20] ^= 1; // the header chunk's height, under its checksum
    std::vector<std::uint8_t> padded = good;
    padded.resize(good.size() + 300, 0xCC);
    return {
        {"empty-entry", good, 0, MsgEmpty},
        {"width-0", patched(4, 0, 4), length, MsgSize},
        {"bit-count-0", patched(14, 0, 2), length, MsgBits},
        {"header-size-beyond", patched(0, 0x10000, 4), length, MsgHeader},
        {"rows-cut", good, length - 100, MsgShort},
        {"png-header-broken", png, static_cast<std::uint32_t>(png.size()), MsgPng},
        {"over-long", padded, 0xFFFFFFFF, L""},
    };
}

} // namespace

std::vector<THostileModule> HostileNEModules() {
    std::vector<THostileModule> modules = {
        {"ne-quadratic-table", SharedImageNE(65535, 60, 20000, MakeBitmapImage(1, 1).Data, 56),
         MsgBudget},
        {"ne-quadratic-empty-images", SharedImageNE(65535, 60, 20000, {}, 0), MsgEmpty},
        {"ne-amplifying-group", SharedImageNE(1, 1, 4000, LargePng(), 0xFFFFFFFF), MsgBudget},
    };
    for (const TBadImage& bad : BadImages())
        modules.push_back(
            {"ne-" + bad.Name, SharedImageNE(1, 1, 1, bad.Data, bad.BytesInRes), bad.Error});
    // Icon 1 starts at the file's first byte: its bytes are the headers.
    std::vector<std::uint8_t> inHeader = SharedImageNE(1, 1, 1, MakeBitmapImage(32, 4).Data, 744);
    Patch16(inHeader, 128 + 2 + 8, 0);
    modules.push_back({"ne-image-in-header", inHeader, MsgHeader});
    return modules;
}

std::vector<THostileModule> HostilePEModules() {
    std::vector<THostileModule> modules = {
        {"pe-shared-groups", SharedImagePE(60, 20000, MakeBitmapImage(1, 1).Data, 56, 0),
         MsgBudget},
        {"pe-amplifying-group", SharedImagePE(1, 4000, LargePng(), 0xFFFFFFFF, 0xFFFFFFFF),
         MsgBudget},
        {"pe-empty-icon", SharedImagePE(1, 1, {}, 744, 0), MsgEmpty},
    };
    for (const TBadImage& bad : BadImages())
        modules.push_back(
            {"pe-" + bad.Name, SharedImagePE(1, 1, bad.Data, bad.BytesInRes, 0), bad.Error});
    // Icon 1's address is the module's first byte, in its headers, where the system finds
    // no resource bytes: the image is empty.
    TPEModuleBytes inHeader =
        BuildPEModule(IconGroupResources({TFixtureGroup{"", 1, {MakeBitmapImage(32, 4)}}}));
    Patch32(inHeader.Bytes, inHeader.DataEntryOffsets[0], 0);
    modules.push_back({"pe-image-in-header", inHeader.Bytes, MsgEmpty});
    return modules;
}

std::vector<TBrokenModule> BrokenNEModules() {
    std::vector<TBrokenModule> modules;
    AddBrokenNE(modules);
    return modules;
}

std::vector<TBrokenModule> BrokenPEModules() {
    std::vector<TBrokenModule> modules;
    AddBrokenPE(modules);
    return modules;
}
