// The icon library checked against icoutils on the Linux host: the .ico saved for a group
// must equal, byte for byte, what wrestool extracts for it, up to the length the directory
// states (wrestool appends bytes after the images). Covers the Wine prefix's own modules
// and the 16-bit fixtures, whose layout wrestool also lists.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "harvest/icons/IconLibrary.h"
#include "harvest/icons/module_kind.h"
#include "support/byte_writer.h"
#include "support/host_shell.h"
#include "support/icon_oracle.h"
#include "support/ne_builder.h"
#include "support/scratch_folder.h"
#include "support/system_modules.h"

namespace {

// The file a path really opens in this process: a 32-bit process on 64-bit Windows is
// redirected from some system files to their 32-bit copies.
std::wstring OpenedPath(const std::wstring& Path) {
    UniqueFile file(::CreateFileW(Path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!file)
        return Path;
    wchar_t opened[MAX_PATH + 8];
    const DWORD length = ::GetFinalPathNameByHandleW(file.get(), opened, MAX_PATH + 8,
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= MAX_PATH + 8)
        return Path;
    std::wstring result(opened, length);
    return result.starts_with(L"\\\\?\\") ? result.substr(4) : result;
}

// The name wrestool gives the first group of a 16-bit file: its resource number, or its
// name string (wrestool lists 16-bit groups in resource-table order).
std::wstring FirstNEGroupName(const std::wstring& Path) {
    const HostCommandResult listing =
        RunHostShell("wrestool -l -t 14 " + ShellQuote(HostPath(Path)) + " | head -n1");
    const std::string& line = listing.output;
    const std::size_t start = line.find("--name=");
    if (start == std::string::npos)
        return L"";
    std::string name = line.substr(start + 7, line.find(' ', start) - start - 7);
    if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'')
        name = name.substr(1, name.size() - 2);
    return std::wstring(name.begin(), name.end());
}

bool IsNEModule(const std::wstring& Path) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(Path);
    TMemorySource source(bytes);
    return ModuleKindOf(source) == TModuleKind::NE;
}

} // namespace

// The system's modules and the programs in the Windows folder.
class SystemModules : public testing::TestWithParam<int> {
protected:
    static std::wstring Folder(int Which) {
        if (Which == 0)
            return SystemFolder();
        wchar_t path[MAX_PATH];
        return std::wstring(path, ::GetWindowsDirectoryW(path, MAX_PATH));
    }
};

TEST_P(SystemModules, FirstGroupOfEachEqualsWrestoolsExtraction) {
    if (!ToolsAvailable())
        GTEST_SKIP() << "icoutils run on the Linux host, reached only under Wine";
    const ScratchFolder scratch;
    const std::wstring ours = scratch / L"ours";
    const std::wstring theirs = scratch / L"theirs";
    ::CreateDirectoryW(ours.c_str(), nullptr);
    ::CreateDirectoryW(theirs.c_str(), nullptr);
    const std::wstring folder = Folder(GetParam());

    std::vector<std::wstring> modules;
    std::vector<std::wstring> opened;
    std::vector<std::wstring> firstNames;
    TIconLibrary library;
    for (const std::wstring& file : FilesIn(folder)) {
        library.Icons.Clear();
        try {
            library.LoadFromFile(folder + L"\\" + file);
        } catch (const Exception& e) {
            ADD_FAILURE() << Narrow(file) << ": " << Narrow(e.Message());
            continue;
        }
        if (library.Icons.Count() == 0)
            continue;
        library.Icons.Objects(0)->SaveToFile(ours + L"\\" + file + L".ico");
        modules.push_back(file);
        // wrestool on the host reads the file this process really read, and names 16-bit
        // groups by resource number where ours carry the module's base name.
        opened.push_back(OpenedPath(folder + L"\\" + file));
        firstNames.push_back(IsNEModule(opened.back()) ? FirstNEGroupName(opened.back())
                                                       : library.Icons.Strings(0));
    }
    ASSERT_GE(modules.size(), GetParam() == 0 ? 10u : 1u)
        << "too few modules with icons in " << Narrow(folder);
    ExtractGroups(opened, theirs, scratch);

    // wrestool finds group icons in exactly the modules we do.
    std::set<std::wstring> extractedFrom;
    for (const std::wstring& name : FilesIn(theirs))
        extractedFrom.insert(name.substr(0, name.find(L"_14_")));
    EXPECT_EQ(extractedFrom, std::set<std::wstring>(modules.begin(), modules.end()));

    int compared = 0;
    for (std::size_t i = 0; i < modules.size(); ++i)
        compared +=
            ExpectSameAsExtracted(ours + L"\\" + modules[i] + L".ico",
                                  ExtractedFile(theirs, modules[i], firstNames[i]), modules[i]);
    EXPECT_EQ(compared, static_cast<int>(modules.size()));
    std::cout << "[ compared ] " << compared << " modules of " << Narrow(folder) << "\n";
}

INSTANTIATE_TEST_SUITE_P(IconOracle, SystemModules, testing::Values(0, 1));

TEST(IconOracle, EveryGroupOfShell32EqualsWrestoolsExtraction) {
    if (!ToolsAvailable())
        GTEST_SKIP() << "icoutils run on the Linux host, reached only under Wine";
    const ScratchFolder scratch;
    const std::wstring theirs = scratch / L"theirs";
    ::CreateDirectoryW(theirs.c_str(), nullptr);
    const std::wstring system = SystemFolder();
    TIconLibrary library;
    library.LoadFromFile(system + L"\\shell32.dll");
    ASSERT_EQ(library.Icons.Count(), 184);
    ExtractGroups({system + L"\\shell32.dll"}, theirs, scratch);
    int large = 0;
    for (int g = 0; g < library.Icons.Count(); ++g) {
        const std::wstring name = library.Icons.Strings(g);
        const TAdvancedIcon* icon = library.Icons.Objects(g);
        for (int i = 0; i < icon->Images.Count(); ++i)
            large +=
                IsPngImage(icon->Images.Items(i)->Data()) && icon->Images.Items(i)->Width() == 0;
        const std::wstring path = scratch / (L"group" + std::to_wstring(g) + L".ico");
        icon->SaveToFile(path);
        ExpectSameAsExtracted(path, ExtractedFile(theirs, L"shell32.dll", name), name);
    }
    EXPECT_GT(large, 1) << "shell32 should hold several 256-pixel PNG images";
}

TEST(IconOracle, SixteenBitFixturesAsWrestoolReadsThem) {
    if (!ToolsAvailable())
        GTEST_SKIP() << "icoutils run on the Linux host, reached only under Wine";
    for (std::uint16_t shift : {0, 3, 4, 9}) {
        SCOPED_TRACE(shift);
        const ScratchFolder scratch;
        TNEFixture fixture = SampleNEFixture();
        fixture.AlignShift = shift;
        fixture.LeadingNames = {"ICL"};
        fixture.Groups[1].Name = "FOLDER";
        fixture.Groups[2].Number = 700;
        WriteFileBytes(scratch / L"fixture.icl", BuildNEModule(fixture).Bytes);

        // wrestool sees the builder's groups, numbered and named.
        const HostCommandResult listing =
            RunHostShell("wrestool -l -t 14 " + ShellQuote(HostPath(scratch / L"fixture.icl")));
        ASSERT_EQ(listing.exitCode, 0) << listing.output;
        std::istringstream lines(listing.output);
        std::vector<std::string> names;
        for (std::string line; std::getline(lines, line);)
            names.push_back(line.substr(0, line.find(" [")));
        EXPECT_EQ(names,
                  (std::vector<std::string>{"--type=14 --name=1", "--type=14 --name='FOLDER'",
                                            "--type=14 --name=700"}));

        TIconLibrary library;
        library.LoadFromFile(scratch / L"fixture.icl");
        ASSERT_EQ(library.Icons.Count(), 3);
        const std::wstring theirs = scratch / L"theirs";
        ::CreateDirectoryW(theirs.c_str(), nullptr);
        ExtractGroups({scratch / L"fixture.icl"}, theirs, scratch);
        const std::vector<std::wstring> wrestoolNames = {L"1", L"FOLDER", L"700"};
        for (int g = 0; g < 3; ++g) {
            const std::wstring path = scratch / (L"group" + std::to_wstring(g) + L".ico");
            library.Icons.Objects(g)->SaveToFile(path);
            ExpectSameAsExtracted(
                path,
                ExtractedFile(theirs, L"fixture.icl", wrestoolNames[static_cast<std::size_t>(g)]),
                path);
        }
        // icotool reads our file as the images the group holds.
        const HostCommandResult icons =
            RunHostShell("icotool -l " + ShellQuote(HostPath(scratch / L"group0.ico")));
        EXPECT_EQ(icons.exitCode, 0) << icons.output;
        EXPECT_NE(icons.output.find("--index=9 --width=48 --height=48 --bit-depth=32"),
                  std::string::npos)
            << icons.output;
    }
}
