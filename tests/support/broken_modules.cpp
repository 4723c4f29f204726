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

} // namespace

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
