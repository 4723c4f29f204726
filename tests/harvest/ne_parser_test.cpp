// The 16-bit module parser over fixture modules: good files of every alignment, the name
// rule, each header and table fault with its message, and damaged offsets and lengths.

#include <gtest/gtest.h>

#include <algorithm>

#include "harvest/icons/module_kind.h"
#include "harvest/icons/ne_parser.h"
#include "support/byte_writer.h"
#include "support/ne_builder.h"
#include "support/ne_reading.h"

namespace {

// Entry i of the type block whose header is at block.
std::size_t EntryAt(std::uint32_t block, std::size_t i) {
    return block + 8 + 12 * i;
}

// The message of the error reading the file raises, or "" when it reads.
std::wstring ReadError(const std::vector<std::uint8_t>& bytes) {
    try {
        ReadNEGroups(bytes, L"sample");
        return L"";
    } catch (const EICLReadError& e) {
        return L"ICL: " + e.Message();
    } catch (const Exception& e) {
        return e.Message();
    }
}

void ExpectGroupsMatch(const TNEFixture& fixture, const std::vector<TNEGroupRead>& groups) {
    ASSERT_EQ(groups.size(), fixture.Groups.size());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        ASSERT_TRUE(groups[g].HasDirectory);
        const auto& expected = fixture.Groups[g].Images;
        ASSERT_EQ(groups[g].Images.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(groups[g].Images[i].Entry, expected[i].Entry);
            const auto& data = groups[g].Images[i].Data;
            // Resources fill whole alignment units; the image is at the start.
            ASSERT_GE(data.size(), expected[i].Data.size());
            EXPECT_TRUE(std::equal(expected[i].Data.begin(), expected[i].Data.end(), data.begin()));
            EXPECT_LT(data.size() - expected[i].Data.size(), std::size_t{1} << fixture.AlignShift);
        }
    }
}

} // namespace

TEST(NEModule, ReadsEveryGroupAtEveryAlignment) {
    for (std::uint16_t shift : {0, 3, 4, 9}) {
        SCOPED_TRACE(shift);
        TNEFixture fixture = SampleNEFixture();
        fixture.AlignShift = shift;
        const TNEModuleBytes module = BuildNEModule(fixture);
        const auto groups = ReadNEGroups(module.Bytes, L"sample");
        ExpectGroupsMatch(fixture, groups);
        EXPECT_EQ(groups[0].Name, L"sample 001");
        EXPECT_EQ(groups[2].Name, L"sample 003");

        TMemorySource source(module.Bytes);
        TNEModule parser(source, L"sample");
        parser.ReadHeaders();
        parser.ReadResourceTable();
        EXPECT_EQ(parser.AlignShift(), shift);
        EXPECT_EQ(parser.NEOffset(), 64);
        EXPECT_EQ(parser.ResTableOffset(), static_cast<std::int32_t>(module.ResTableOffset));
        EXPECT_EQ(parser.IconCount(), 15);
        EXPECT_EQ(parser.GroupCount(), 3);
        EXPECT_EQ(ModuleKindOf(source), TModuleKind::NE);
    }
}

TEST(NEModule, NameStringsNameTheGroupsOnlyWhenThereIsOnePerGroup) {
    TNEFixture fixture = SampleNEFixture();
    fixture.LeadingNames = {"ICL", "ICL"};
    fixture.Groups[0].Name = "FIRST";
    fixture.Groups[1].Name = "ICL";
    fixture.Groups[2].Name = "THIRD";
    auto groups = ReadNEGroups(BuildNEModule(fixture).Bytes, L"lib");
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].Name, L"FIRST");
    EXPECT_EQ(groups[1].Name, L"ICL"); // only leading "ICL" strings are left out
    EXPECT_EQ(groups[2].Name, L"THIRD");

    fixture.Groups[1].Name.clear(); // one name missing: every group gets its fallback name
    groups = ReadNEGroups(BuildNEModule(fixture).Bytes, L"lib");
    EXPECT_EQ(groups[0].Name, L"lib 001");
    EXPECT_EQ(groups[1].Name, L"lib 002");
    EXPECT_EQ(groups[2].Name, L"lib 003");
    ExpectGroupsMatch(fixture, groups);

    fixture.LeadingNames = {"icl"}; // the rule is case-sensitive
    fixture.Groups[1].Name = "SECOND";
    EXPECT_EQ(ReadNEGroups(BuildNEModule(fixture).Bytes, L"lib")[0].Name, L"lib 001");
}

TEST(NEModule, HeaderFaultsEachHaveTheirMessage) {
    const TNEModuleBytes good = BuildNEModule(SampleNEFixture());
    auto damaged = [&good](std::size_t at, std::uint16_t value) {
        std::vector<std::uint8_t> bytes = good.Bytes;
        Patch16(bytes, at, value);
        return ReadError(bytes);
    };
    EXPECT_EQ(ReadError(good.Bytes), L"");
    EXPECT_EQ(damaged(0, 'Z' | 'M' << 8), L"ICL: ICL-файл некорректен или поврежден");
    EXPECT_EQ(damaged(60, 59), L"ICL: Invalid Windows 16 Offset");
    EXPECT_EQ(damaged(60, 0), L"ICL: Invalid Windows 16 Offset");
    EXPECT_EQ(damaged(64, 'L' | 'E' << 8), L"ICL: Invalid Windows 16 Header");
    EXPECT_EQ(damaged(64, 'P' | 'E' << 8), L"ICL: Invalid Windows 16 Header");
    EXPECT_EQ(damaged(64 + 36, 0), L"ICL: Ресурсы в файле отсутствуют");
    EXPECT_EQ(damaged(64 + 38, 0), L"ICL: Имена таблицы ресурсов не найдены");
    EXPECT_EQ(damaged(60, 0xFFF0), L"Stream read error"); // header offset beyond the file
}

TEST(NEModule, TableFaultsRejectTheFile) {
    const TNEModuleBytes good = BuildNEModule(SampleNEFixture());
    auto damaged = [&good](std::size_t at, std::uint16_t value) {
        std::vector<std::uint8_t> bytes = good.Bytes;
        Patch16(bytes, at, value);
        return ReadError(bytes);
    };
    const std::wstring tableError = L"ICL: Таблица ресурсов содежит ошибки";
    EXPECT_EQ(damaged(good.IconBlockOffset, 0x8005), tableError);  // no icon block
    EXPECT_EQ(damaged(good.GroupBlockOffset, 0x800F), tableError); // no group block
    EXPECT_EQ(damaged(good.GroupBlockOffset, 0x000E), tableError); // a named type is skipped
    EXPECT_EQ(damaged(good.GroupBlockOffset, 0x7F0E), tableError);
    EXPECT_EQ(damaged(good.GroupBlockOffset, 0x810E), L"");  // low 8 bits decide
    EXPECT_EQ(damaged(good.ResTableOffset, 32), tableError); // shifts above 31
    EXPECT_EQ(damaged(good.ResTableOffset, 0xFFFF), tableError);
    EXPECT_EQ(damaged(good.ResTableOffset, 31), L"Stream read error"); // offsets beyond the file
    EXPECT_EQ(damaged(EntryAt(good.IconBlockOffset, 3) + 2, 0xFFFF), L"Stream read error");
    EXPECT_EQ(damaged(EntryAt(good.GroupBlockOffset, 1), 0xFFFF), L"Stream read error");
    EXPECT_EQ(damaged(good.IconBlockOffset + 2, 0xFFFF), L"Stream read error"); // absurd count
    EXPECT_EQ(damaged(EntryAt(good.IconBlockOffset, 0) + 6, 0x8000 | 99),
              L"ICL: Ресурсы значков не найдены");
}

TEST(NEModule, GroupDirectoriesAsTheyAreStored) {
    const TNEModuleBytes good = BuildNEModule(SampleNEFixture());
    const std::size_t group0 = std::size_t{Get16(good.Bytes, EntryAt(good.GroupBlockOffset, 0))}
                               << 4;

    std::vector<std::uint8_t> bytes = good.Bytes;
    Patch16(bytes, group0 + 4, 10); // states ten entries, holds nine and padding
    EXPECT_EQ(ReadError(bytes), L"Stream read error");

    bytes = good.Bytes;
    Patch16(bytes, group0 + 2, 2); // a cursor directory: the group has no images
    auto groups = ReadNEGroups(bytes, L"s");
    EXPECT_FALSE(groups[0].HasDirectory);
    EXPECT_TRUE(groups[0].Images.empty());
    EXPECT_EQ(groups[1].Images.size(), 4u);

    bytes = good.Bytes;
    Patch16(bytes, EntryAt(good.GroupBlockOffset, 0) + 2, 0); // a length of 0
    groups = ReadNEGroups(bytes, L"s");
    EXPECT_FALSE(groups[0].HasDirectory);
    EXPECT_TRUE(groups[0].Images.empty());
}

TEST(NEModule, TruncatedFilesAreRejected) {
    const TNEModuleBytes good = BuildNEModule(SampleNEFixture());
    for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{61}, std::size_t{64},
                               std::size_t{good.ResTableOffset + 1}, std::size_t{good.NamesOffset},
                               std::size_t{good.DataOffset + 100}, good.Bytes.size() - 1}) {
        SCOPED_TRACE(length);
        const std::vector<std::uint8_t> cut(
            good.Bytes.begin(), good.Bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_NE(ReadError(cut), L"");
    }
}

TEST(NEModule, ResourcesSharedOverAndOverAreRefused) {
    TNEFixture fixture;
    TFixtureGroup big;
    big.Images.push_back(MakeBitmapImage(64, 32));
    fixture.Groups.push_back(big);
    for (int i = 0; i < 99; ++i) {
        TFixtureGroup small;
        small.Images.push_back(MakeBitmapImage(16, 1));
        fixture.Groups.push_back(small);
    }
    TNEModuleBytes module = BuildNEModule(fixture);
    EXPECT_EQ(ReadError(module.Bytes), L"");
    // Every group now names the big group's directory, so each reads the big image.
    const std::size_t first = EntryAt(module.GroupBlockOffset, 0);
    for (std::size_t g = 1; g < 100; ++g) {
        Patch16(module.Bytes, EntryAt(module.GroupBlockOffset, g), Get16(module.Bytes, first));
        Patch16(module.Bytes, EntryAt(module.GroupBlockOffset, g) + 2,
                Get16(module.Bytes, first + 2));
    }
    EXPECT_EQ(ReadError(module.Bytes), L"Ресурсы значков содержат слишком много данных");
}

TEST(NEModule, BaseNameAndFallbackNames) {
    EXPECT_EQ(NEBaseName(L"C:\\Win\\moricons.dll"), L"moricons");
    EXPECT_EQ(NEBaseName(L"a.b.icl"), L"a.b");
    EXPECT_EQ(NEBaseName(L"D:noext"), L"noext");
    EXPECT_EQ(NEBaseName(L"C:\\dir.x\\file"), L"file");
    EXPECT_EQ(NEBaseName(L"x." + std::wstring(35, L'e')), L"x" + std::wstring(6, L'e'));
    EXPECT_EQ(NEResourceName(L"moricons", 0), L"moricons 001");
    EXPECT_EQ(NEResourceName(L"moricons", 98), L"moricons 099");
    EXPECT_EQ(NEResourceName(L"moricons", 999), L"moricons 1000");
    EXPECT_EQ(NEResourceName(L"", 65534), L" 65535");
}

TEST(ModuleKind, LooksAtTheHeadersOnly) {
    auto kind = [](std::vector<std::uint8_t> bytes) {
        TMemorySource source(bytes);
        return ModuleKindOf(source);
    };
    std::vector<std::uint8_t> pe(70, 0);
    pe[0] = 'M';
    pe[1] = 'Z';
    pe[60] = 64;
    pe[64] = 'P';
    pe[65] = 'E';
    EXPECT_EQ(kind(pe), TModuleKind::PE);
    pe[64] = 'N';
    EXPECT_EQ(kind(pe), TModuleKind::NE);
    pe[65] = 'X';
    EXPECT_EQ(kind(pe), TModuleKind::None);
    pe[65] = 'E';
    pe[60] = 69; // the signature would need a byte beyond the end
    EXPECT_EQ(kind(pe), TModuleKind::None);
    pe[60] = 64;
    pe[1] = 'X';
    EXPECT_EQ(kind(pe), TModuleKind::None);
    EXPECT_EQ(kind({'M', 'Z'}), TModuleKind::None);
    EXPECT_EQ(kind({}), TModuleKind::None);
    const std::vector<std::uint8_t> icon = {0, 0, 1, 0, 1, 0};
    EXPECT_EQ(kind(icon), TModuleKind::None);
}
