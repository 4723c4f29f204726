// Loading files into the icon library: which files are taken, how entries are named and
// ordered, and what a rejected or failing file leaves behind.

#include <windows.h>

#include <gtest/gtest.h>

#include "harvest/icons/IconLibrary.h"
#include "harvest/icons/module_kind.h"
#include "support/byte_writer.h"
#include "support/pe_builder.h"
#include "support/scratch_folder.h"
#include "support/system_modules.h"

namespace {

class IconLibrary : public testing::Test {
protected:
    std::wstring Write(const std::wstring& Name, const std::vector<std::uint8_t>& Bytes) {
        const std::wstring path = folder_ / Name;
        WriteFileBytes(path, Bytes);
        return path;
    }
    std::wstring WriteNE(const std::wstring& Name, const TNEFixture& Fixture) {
        return Write(Name, BuildNEModule(Fixture).Bytes);
    }
    std::wstring WritePE(const std::wstring& Name, const std::vector<TFixtureGroup>& Groups) {
        return Write(Name, BuildPEModule(IconGroupResources(Groups)).Bytes);
    }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < library_.Icons.Count(); ++i)
            names.push_back(library_.Icons.Strings(i));
        return names;
    }
    // Loads a sample library so that a rejected file has entries to leave alone.
    void LoadSample() {
        library_.LoadFromFile(WriteNE(L"sample.icl", SampleNEFixture()));
        ASSERT_EQ(library_.Icons.Count(), 3);
    }

    ScratchFolder folder_;
    TIconLibrary library_;
};

BOOL CALLBACK CountGroup(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

std::string Text(const std::wstring& s) {
    return {s.begin(), s.end()};
}

} // namespace

TEST_F(IconLibrary, SixteenBitLibraryGivesOneEntryPerGroup) {
    const TNEFixture fixture = SampleNEFixture();
    const std::wstring path = WriteNE(L"moricons.dll", fixture);
    library_.LoadFromFile(path);
    EXPECT_EQ(library_.FileName, path);
    EXPECT_EQ(Names(),
              (std::vector<std::wstring>{L"moricons 001", L"moricons 002", L"moricons 003"}));
    for (int g = 0; g < 3; ++g) {
        const TAdvancedIcon* icon = library_.Icons.Objects(g);
        const auto& images = fixture.Groups[static_cast<std::size_t>(g)].Images;
        ASSERT_EQ(icon->Images.Count(), images.size());
        for (std::size_t i = 0; i < images.size(); ++i) {
            const TIconImage* image = icon->Images.Items(static_cast<int>(i));
            EXPECT_EQ(image->Entry(), images[i].Entry);
            EXPECT_TRUE(
                std::equal(images[i].Data.begin(), images[i].Data.end(), image->Data().begin()));
        }
    }
    EXPECT_NE(dynamic_cast<const TICL16Icon*>(library_.Icons.Objects(0)), nullptr);
}

TEST_F(IconLibrary, SixteenBitImagesKeepTheirEntriesAsStored) {
    TNEFixture fixture;
    fixture.Groups.resize(1);
    TFixtureImage image = MakeBitmapImage(32, 8);
    image.Entry.Width = 99;
    fixture.Groups[0].Images = {image};
    library_.LoadFromFile(WriteNE(L"odd.icl", fixture));
    ASSERT_EQ(library_.Icons.Count(), 1);
    EXPECT_EQ(library_.Icons.Objects(0)->Images.Items(0)->Width(), 99);
}

TEST_F(IconLibrary, NameStringsNameTheEntries) {
    TNEFixture fixture = SampleNEFixture();
    fixture.LeadingNames = {"ICL"};
    fixture.Groups[0].Name = "DISK";
    fixture.Groups[1].Name = "FOLDER";
    fixture.Groups[2].Name = "PRINTER";
    library_.LoadFromFile(WriteNE(L"named.icl", fixture));
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"DISK", L"FOLDER", L"PRINTER"}));
    EXPECT_EQ(static_cast<const TICL16Icon*>(library_.Icons.Objects(1))->Name, L"named 002");

    fixture.Groups[1].Name.clear();
    library_.LoadFromFile(WriteNE(L"a.b.icl", fixture));
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"a.b 001", L"a.b 002", L"a.b 003"}));
}

TEST_F(IconLibrary, ThirtyTwoBitModuleNamesEntriesInEnumerationOrder) {
    std::vector<TFixtureGroup> groups(4);
    groups[0].Number = 1;
    groups[0].Images = {MakeBitmapImage(16, 4), MakeBitmapImage(32, 32)};
    groups[1].Number = 32512;
    groups[1].Images = {MakeBitmapImage(32, 8)};
    groups[2].Name = "ZETA";
    groups[2].Images = {MakeBitmapImage(16, 8)};
    groups[3].Name = "ALPHA";
    groups[3].Images = {MakePngImage(256)};
    const std::wstring path = WritePE(L"module.dll", groups);
    library_.LoadFromFile(path);
    EXPECT_EQ(library_.FileName, path);
    // The resource directory holds names first, sorted, then numbers ascending.
    ASSERT_EQ(Names(), (std::vector<std::wstring>{L"ALPHA", L"ZETA", L"1", L"32512"}));
    EXPECT_EQ(library_.Icons.Objects(2)->Images.Count(), 2);
    EXPECT_EQ(library_.Icons.Objects(2)->Images.Items(1)->BitCount(), 32);
    EXPECT_EQ(library_.Icons.Objects(0)->Images.Items(0)->Width(), 0);
}

TEST_F(IconLibrary, GroupWithABadDirectoryStillGivesAnEntry) {
    std::vector<TPEResource> resources = IconGroupResources(std::vector<TFixtureGroup>(2));
    resources[0].Data = {0, 0, 2, 0, 1, 0}; // a cursor directory
    library_.LoadFromFile(Write(L"cursor.dll", BuildPEModule(resources).Bytes));
    ASSERT_EQ(Names(), (std::vector<std::wstring>{L"1", L"2"}));
    EXPECT_EQ(library_.Icons.Objects(0)->Images.Count(), 0);
}

TEST_F(IconLibrary, FilesThatAreNotTakenLeaveTheEntries) {
    LoadSample();
    const std::wstring sample = library_.FileName;
    TAdvancedIcon icon;
    icon.Images.Add(std::make_unique<TICL16IconImage>(MakeBitmapImage(32, 4).Entry,
                                                      MakeBitmapImage(32, 4).Data));
    icon.SaveToFile(folder_ / L"plain.ico");
    const std::vector<std::wstring> files = {
        folder_ / L"plain.ico",
        Write(L"text.txt", std::vector<std::uint8_t>(300, 'a')),
        Write(L"empty.dll", BuildPEModule({}).Bytes),
        folder_ / L"does-not-exist.dll",
    };
    for (const std::wstring& file : files) {
        SCOPED_TRACE(Text(file));
        library_.LoadFromFile(file);
        EXPECT_EQ(library_.Icons.Count(), 3);
        EXPECT_EQ(library_.FileName, sample);
    }
    EXPECT_EQ(library_.Icons.Strings(0), L"sample 001");
}

TEST_F(IconLibrary, RejectedSixteenBitFilesRaiseNothing) {
    LoadSample();
    const TNEModuleBytes good = BuildNEModule(SampleNEFixture());
    const std::size_t group0 = std::size_t{Get16(good.Bytes, good.GroupBlockOffset + 8)} << 4;
    std::vector<std::uint8_t> missingIcon = good.Bytes;
    Patch16(missingIcon, group0 + 6 + 12, 999);
    std::vector<std::uint8_t> lowOffset = good.Bytes;
    Patch16(lowOffset, 60, 59);
    std::vector<std::uint8_t> hugeShift = good.Bytes;
    Patch16(hugeShift, good.ResTableOffset, 40);
    for (const auto& bytes : {missingIcon, lowOffset, hugeShift}) {
        const std::wstring path = Write(L"bad.icl", bytes);
        EXPECT_NO_THROW(library_.LoadFromFile(path));
        EXPECT_EQ(library_.Icons.Count(), 3);
        EXPECT_EQ(library_.Icons.Strings(0), L"sample 001");
        T16BitReader reader(path);
        EXPECT_FALSE(reader.Load());
        EXPECT_EQ(reader.Icons.Count(), 0);
    }
}

TEST_F(IconLibrary, MissingIconResourceOfAThirtyTwoBitModuleRaises) {
    LoadSample();
    std::vector<TFixtureGroup> groups(1);
    groups[0].Images = {MakeBitmapImage(16, 4)};
    std::vector<TPEResource> resources = IconGroupResources(groups);
    resources.erase(resources.begin()); // the icon resource the group names
    const std::wstring path = Write(L"missing.dll", BuildPEModule(resources).Bytes);
    try {
        library_.LoadFromFile(path);
        FAIL() << "a module without its icon resource was taken";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), L"Ресурс 1 не найден");
    }
    EXPECT_EQ(library_.FileName, path); // set once the file is known to be a module
    EXPECT_EQ(library_.Icons.Count(), 3);
    // The module was freed on the way out: the file can be replaced.
    EXPECT_TRUE(::DeleteFileW(path.c_str()));
}

TEST_F(IconLibrary, FilesLockedForWritingCannotBeOpened) {
    LoadSample();
    const std::wstring sample = library_.FileName;
    const std::vector<std::wstring> files = {WriteNE(L"locked.icl", SampleNEFixture()),
                                             WritePE(L"locked.dll", SampleNEFixture().Groups)};
    for (const std::wstring& path : files) {
        SCOPED_TRACE(Text(path));
        UniqueFile writer(::CreateFileW(path.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
        ASSERT_TRUE(writer);
        const std::wstring start = L"Невозможно открыть файл \"" + path + L"\". ";
        bool isPE = false;
        try {
            IsWindowsModule(path, isPE);
            FAIL() << "opened a file another program writes";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message().substr(0, start.size()), start);
            EXPECT_GT(e.Message().size(), start.size()); // the system's text follows
        }
        EXPECT_THROW(T16BitReader{path}, EFOpenError);
        // A 16-bit file is counted while shared, then refused by the module test. Whether the
        // system loads a 32-bit module some program writes is its own choice.
        try {
            library_.LoadFromFile(path);
            EXPECT_TRUE(path.ends_with(L".dll")) << "a 16-bit file was not refused";
        } catch (const EFOpenError&) {
        }
        EXPECT_EQ(library_.FileName, sample);
        EXPECT_EQ(library_.Icons.Count(), 3);
        writer.reset();
        EXPECT_TRUE(IsWindowsModule(path, isPE));
        EXPECT_EQ(isPE, path.ends_with(L".dll"));
    }
    bool isPE = false;
    EXPECT_THROW(IsWindowsModule(folder_ / L"none.dll", isPE), EFOpenError);
    EXPECT_EQ(ModuleIconCount(folder_ / L"none.dll"), 0);
}

TEST_F(IconLibrary, IconCountsOfModules) {
    EXPECT_EQ(ModuleIconCount(WriteNE(L"sample.icl", SampleNEFixture())), 3);
    EXPECT_EQ(ModuleIconCount(WritePE(L"sample.dll", SampleNEFixture().Groups)), 3);
    EXPECT_EQ(ModuleIconCount(Write(L"empty.dll", BuildPEModule({}).Bytes)), 0);
    EXPECT_EQ(ModuleIconCount(Write(L"text.exe", std::vector<std::uint8_t>(100, 'M'))), 0);
    std::vector<std::uint8_t> noGroups = BuildNEModule(SampleNEFixture()).Bytes;
    Patch16(noGroups, BuildNEModule(SampleNEFixture()).GroupBlockOffset, 0x8005);
    EXPECT_EQ(ModuleIconCount(Write(L"nogroups.icl", noGroups)), 0);
}

TEST(IconList, OwnsItsIconsAndChecksIndexes) {
    TIconList list;
    list.Add(L"a", std::make_unique<TAdvancedIcon>());
    list.Add(L"b", nullptr);
    list.Add(L"c", std::make_unique<TAdvancedIcon>());
    for (int index : {3, -1, 100}) {
        try {
            list.Delete(index);
            FAIL() << "deleted entry " << index;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), L"List index out of bounds (" + std::to_wstring(index) + L")");
        }
    }
    EXPECT_THROW(list.Strings(3), EListError);
    EXPECT_THROW(list.Objects(-1), EListError);
    list.Delete(0);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), L"b");
    EXPECT_EQ(list.Objects(0), nullptr);

    TIconList other;
    other.Add(L"x", std::make_unique<TAdvancedIcon>());
    TAdvancedIcon* x = other.Objects(0);
    list.Assign(std::move(other));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Objects(0), x);
    EXPECT_EQ(other.Count(), 0);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

// A read for the first entry lists every entry but keeps only the first one's images; the
// others are still read, so a damaged later group fails the file as a full read does.
TEST_F(IconLibrary, FirstGroupReadKeepsOneEntrysImagesAndFailsAsAFullRead) {
    const TNEFixture sample = SampleNEFixture();
    for (const std::wstring& path :
         {WriteNE(L"first.icl", sample), WritePE(L"first.dll", sample.Groups)}) {
        SCOPED_TRACE(Text(path));
        library_.LoadFromFile(path);
        const std::vector<std::wstring> names = Names();
        TAdvancedIcon full;
        full.Assign(*library_.Icons.Objects(0));
        library_.LoadFromFile(path, TLoadScope::FirstGroup);
        EXPECT_EQ(Names(), names);
        ASSERT_EQ(library_.Icons.Objects(0)->Images.Count(), full.Images.Count());
        for (int i = 0; i < full.Images.Count(); ++i) {
            const std::span<const std::uint8_t> kept =
                library_.Icons.Objects(0)->Images.Items(i)->Data();
            const std::span<const std::uint8_t> read = full.Images.Items(i)->Data();
            EXPECT_TRUE(std::equal(kept.begin(), kept.end(), read.begin(), read.end()));
        }
        for (int g = 1; g < library_.Icons.Count(); ++g)
            EXPECT_EQ(library_.Icons.Objects(g)->Images.Count(), 0);
    }
    std::vector<TFixtureGroup> groups = sample.Groups;
    groups[2].Images = {MakePngImage(48)};
    groups[2].Images[0].Data[17] ^= 1;
    const std::wstring damaged = WritePE(L"damaged.dll", groups);
    std::vector<TPEResource> resources = IconGroupResources(sample.Groups);
    resources.erase(resources.end() - 2); // an icon of the last group
    const std::wstring missing = Write(L"missing.dll", BuildPEModule(resources).Bytes);
    const TNEModuleBytes ne = BuildNEModule(sample);
    std::vector<std::uint8_t> neMissing = ne.Bytes;
    const std::size_t lastGroup = std::size_t{Get16(ne.Bytes, ne.GroupBlockOffset + 8 + 2 * 12)}
                                  << 4;
    Patch16(neMissing, lastGroup + 6 + 12, 999);
    const std::wstring neBad = Write(L"missing.icl", neMissing);
    for (TLoadScope scope : {TLoadScope::AllGroups, TLoadScope::FirstGroup}) {
        EXPECT_THROW(library_.LoadFromFile(damaged, scope), EIconDataError);
        EXPECT_THROW(library_.LoadFromFile(missing, scope), EResNotFound);
        LoadSample();
        library_.LoadFromFile(neBad, scope);
        EXPECT_EQ(library_.FileName, neBad);
        EXPECT_EQ(library_.Icons.Strings(0), L"sample 001"); // rejected: the entries stay
    }
}

// The headers alone tell a module without group icons, and never say so of a module in
// which the system finds any.
TEST_F(IconLibrary, HeadersTellModulesWithoutGroupIcons) {
    const auto lacks = [](const std::vector<std::uint8_t>& bytes) {
        TMemorySource source(bytes);
        return PELacksGroupIcons(source);
    };
    const TPEModuleBytes version = BuildPEModule({{16, L"", 1, {1, 0, 0, 0}}});
    EXPECT_TRUE(lacks(BuildPEModule({}).Bytes));
    EXPECT_TRUE(lacks(version.Bytes));
    EXPECT_FALSE(lacks(BuildPEModule(IconGroupResources(SampleNEFixture().Groups)).Bytes));
    std::vector<std::uint8_t> noTable = version.Bytes;
    Patch32(noTable, version.ResourceDirEntryOffset, 0);
    EXPECT_TRUE(lacks(noTable));
    std::vector<std::uint8_t> offSector = version.Bytes; // the system would map it elsewhere
    Patch32(offSector, version.SectionHeaderOffset + 20, 0x201);
    EXPECT_FALSE(lacks(offSector));
    EXPECT_FALSE(
        lacks(std::vector<std::uint8_t>(version.Bytes.begin(), version.Bytes.begin() + 300)));

    int told = 0;
    for (const std::wstring& name : FilesIn(SystemFolder())) {
        const std::wstring path = SystemFolder() + L"\\" + name;
        TFileStream stream(path, TFileStream::TShare::DenyNone);
        if (ModuleKindOf(stream) != TModuleKind::PE || !PELacksGroupIcons(stream))
            continue;
        ++told;
        const UniqueModule module(
            ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        int groups = 0;
        if (module)
            ::EnumResourceNamesW(module.get(), RT_GROUP_ICON, CountGroup,
                                 reinterpret_cast<LONG_PTR>(&groups));
        EXPECT_EQ(groups, 0) << Text(path);
    }
    EXPECT_GT(told, 20);
}
