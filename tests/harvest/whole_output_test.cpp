// Output files of a harvest are never left half-written: an icon save and an .ico copy
// either replace their target completely or leave it as it was, with no temporary file.

#include <windows.h>

#include <gtest/gtest.h>

#include "util/whole_file.h"
#include "harvest/icons/IconLibrary.h"
#include "support/ne_builder.h"
#include "support/scratch_folder.h"
#include "util/os_error.h"

using Bytes = std::vector<unsigned char>;
using Names = std::vector<std::wstring>;

TEST(WholeOutput, IconSaveThatFailsLeavesTheTargetAsItWas) {
    const ScratchFolder folder;
    WriteFileBytes(folder / L"module.exe", BuildNEModule(SampleNEFixture()).Bytes);
    TIconLibrary library;
    library.LoadFromFile(folder / L"module.exe");
    ASSERT_GT(library.Icons.Count(), 0);
    const std::wstring readOnly = folder / L"read-only.ico";
    WriteFileBytes(readOnly, Bytes(10, 0x55));
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    try {
        library.Icons.Objects(0)->SaveToFile(readOnly);
        FAIL() << "saved over a read-only file";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), L"Невозможно создать файл \"" + readOnly + L"\". " +
                                   SysErrorMessage(ERROR_ACCESS_DENIED));
    }
    EXPECT_EQ(ReadFileBytes(readOnly), Bytes(10, 0x55));
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(folder.Names(), (Names{L"module.exe", L"read-only.ico"}));
}

TEST(WholeOutput, CopyTakesTheSourcesBytesAndTimeOrChangesNothing) {
    const ScratchFolder folder;
    Bytes source(200000);
    for (std::size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<unsigned char>(i * 7);
    WriteFileBytes(folder / L"source.ico", source);
    WriteFileBytes(folder / L"target.ico", Bytes(300000, 1));
    CopyWholeFile(folder / L"source.ico", folder / L"target.ico");
    EXPECT_EQ(ReadFileBytes(folder / L"target.ico"), source);
    WIN32_FILE_ATTRIBUTE_DATA from{}, to{};
    ::GetFileAttributesExW((folder / L"source.ico").c_str(), GetFileExInfoStandard, &from);
    ::GetFileAttributesExW((folder / L"target.ico").c_str(), GetFileExInfoStandard, &to);
    EXPECT_EQ(::CompareFileTime(&from.ftLastWriteTime, &to.ftLastWriteTime), 0);

    // A copy onto its own source keeps it whole.
    CopyWholeFile(folder / L"source.ico", folder / L"source.ico");
    EXPECT_EQ(ReadFileBytes(folder / L"source.ico"), source);

    EXPECT_THROW(CopyWholeFile(folder / L"missing.ico", folder / L"target.ico"), EOSError);
    EXPECT_THROW(CopyWholeFile(folder / L"source.ico", folder / L"no\\target.ico"), EOSError);
    EXPECT_EQ(ReadFileBytes(folder / L"target.ico"), source);
    EXPECT_EQ(folder.Names(), (Names{L"source.ico", L"target.ico"}));
}

// Writes that keep their temporary files in a folder of their own leave it empty, whatever
// becomes of them, and it goes with its owner.
TEST(WholeOutput, TemporaryFolderIsHiddenEmptiedAndRemoved) {
    const ScratchFolder folder;
    WriteFileBytes(folder / L"source.ico", Bytes(3000, 7));
    WriteFileBytes(folder / L"read-only.ico", Bytes(10, 0x55));
    ::SetFileAttributesW((folder / L"read-only.ico").c_str(), FILE_ATTRIBUTE_READONLY);
    {
        const TTemporaryFolder temporaries(folder.Path());
        ASSERT_FALSE(temporaries.Path().empty());
        const DWORD attributes = ::GetFileAttributesW(temporaries.Path().c_str());
        EXPECT_EQ(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN),
                  DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN});
        WriteWholeFile(folder / L"written.ico", Bytes(500, 1), TWriteSafety::Remakeable,
                       &temporaries);
        CopyWholeFile(folder / L"source.ico", folder / L"copied.ico", TWriteSafety::Remakeable,
                      &temporaries);
        EXPECT_THROW(WriteWholeFile(folder / L"read-only.ico", Bytes(5, 2),
                                    TWriteSafety::Remakeable, &temporaries),
                     EOSError);
        EXPECT_TRUE(EntryNamesIn(temporaries.Path()).empty());
    }
    EXPECT_EQ(ReadFileBytes(folder / L"written.ico"), Bytes(500, 1));
    EXPECT_EQ(ReadFileBytes(folder / L"copied.ico"), Bytes(3000, 7));
    EXPECT_EQ(ReadFileBytes(folder / L"read-only.ico"), Bytes(10, 0x55));
    ::SetFileAttributesW((folder / L"read-only.ico").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(folder.Names(),
              (Names{L"copied.ico", L"read-only.ico", L"source.ico", L"written.ico"}));
}
