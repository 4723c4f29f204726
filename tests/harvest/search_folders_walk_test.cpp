// What the folder scanner finds in real folder trees.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "search_folders_tree.h"
#include "support/scratch_folder.h"

namespace {

using namespace search_folders_test;
using Paths = std::vector<std::wstring>;

// root: a.exe (1 byte), b.dll (2), c.txt (4), sub\d.EXE (8), sub\e.ico (16),
// sub\deeper\f.exe (32)
class ScannerTree : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFile(root / L"a.exe", 1);
        MakeFile(root / L"b.dll", 2);
        MakeFile(root / L"c.txt", 4);
        MakeFolder(root / L"sub");
        MakeFile(root / L"sub\\d.EXE", 8);
        MakeFile(root / L"sub\\e.ico", 16);
        MakeFolder(root / L"sub\\deeper");
        MakeFile(root / L"sub\\deeper\\f.exe", 32);
        scanner.ScanDir = root.Path();
        scanner.FileMask = L"*.exe,*.dll";
    }

    ScratchFolder root;
    TJvSearchFolders scanner;
};

TEST_F(ScannerTree, FindsMatchingFilesInEveryFolder) {
    scanner.Start();
    EXPECT_EQ(FoundPaths(scanner), (Paths{root / L"a.exe", root / L"b.dll", root / L"sub\\d.EXE",
                                          root / L"sub\\deeper\\f.exe"}));
    EXPECT_EQ(scanner.CountFiles(), 4);
    EXPECT_EQ(scanner.SizeOfFiles(), 1 + 2 + 8 + 32);
    const std::map<std::wstring, std::int64_t> sizes{
        {L"a.exe", 1}, {L"b.dll", 2}, {L"d.EXE", 8}, {L"f.exe", 32}};
    for (const TFilePack& pack : scanner.FileList()) {
        EXPECT_EQ(pack.Size, sizes.at(pack.Name));
        EXPECT_EQ(static_cast<DWORD>(pack.Attr),
                  ::GetFileAttributesW((pack.Path + pack.Name).c_str()));
    }
}

TEST_F(ScannerTree, WithoutRecursionOnlyTheStartFolderCounts) {
    scanner.DoRecursive = false;
    scanner.Start();
    EXPECT_EQ(FoundPaths(scanner), (Paths{root / L"a.exe", root / L"b.dll"}));
    EXPECT_EQ(scanner.SizeOfFiles(), 3);
}

TEST_F(ScannerTree, TrailingSeparatorOfTheStartFolderIsNotDoubled) {
    scanner.ScanDir = root.Path() + L"\\";
    scanner.Start();
    EXPECT_EQ(FoundPaths(scanner), (Paths{root / L"a.exe", root / L"b.dll", root / L"sub\\d.EXE",
                                          root / L"sub\\deeper\\f.exe"}));
}

TEST_F(ScannerTree, EmptyMaskListMatchesNothingButStillWalks) {
    scanner.FileMask = L"";
    EventLog log(scanner);
    scanner.Start();
    EXPECT_TRUE(scanner.FileList().empty());
    EXPECT_EQ(log.Events.size(), 7u); // three folders entered and left, then the end
}

TEST_F(ScannerTree, EachStartReplacesTheLastResult) {
    scanner.Start();
    scanner.FileMask = L"*.ico";
    scanner.Start();
    EXPECT_EQ(FoundPaths(scanner), (Paths{root / L"sub\\e.ico"}));
    EXPECT_EQ(scanner.CountFiles(), 1);
    EXPECT_EQ(scanner.SizeOfFiles(), 16);
    scanner.ClearFileList();
    EXPECT_TRUE(scanner.FileList().empty());
}

TEST_F(ScannerTree, ExcludedFoldersAreNeitherListedNorReported) {
    MakeFolder(root / L"Skip_Me");
    MakeFile(root / L"Skip_Me\\g.exe");
    MakeFolder(root / L"Skip_Me\\inner");
    MakeFile(root / L"Skip_Me\\inner\\h.exe");
    scanner.ExcludeFolderList = {L"", L"skip_ME"};
    EventLog log(scanner);
    scanner.Start();
    EXPECT_EQ(FoundPaths(scanner), (Paths{root / L"a.exe", root / L"b.dll", root / L"sub\\d.EXE",
                                          root / L"sub\\deeper\\f.exe"}));
    for (const Event& event : log.Events)
        EXPECT_EQ(event.Dir.find(L"Skip_Me"), std::wstring::npos);
}

TEST_F(ScannerTree, FolderNamedLikeAMatchingFileIsWalkedNotCounted) {
    MakeFolder(root / L"tools.exe");
    MakeFile(root / L"tools.exe\\inside.dll", 64);
    scanner.Start();
    const Paths found = FoundPaths(scanner);
    EXPECT_EQ(std::count(found.begin(), found.end(), root / L"tools.exe"), 0);
    EXPECT_EQ(std::count(found.begin(), found.end(), root / L"tools.exe\\inside.dll"), 1);
    EXPECT_EQ(scanner.CountFiles(), 5);
}

// Every record is found while its own folder is the innermost one open, and folders are
// entered and left in nested pairs: the walk goes depth first.
TEST_F(ScannerTree, WalkGoesDepthFirst) {
    EventLog log(scanner);
    scanner.FileMask = L"*";
    scanner.Start();
    std::vector<std::wstring> open;
    size_t record = 0;
    for (const Event& event : log.Events) {
        for (; record < static_cast<size_t>(event.CountFiles); ++record) {
            ASSERT_FALSE(open.empty());
            EXPECT_EQ(scanner.FileList()[record].Path, open.back() + L"\\");
        }
        if (event.Dir == L"(changed)")
            break;
        if (!open.empty() && open.back() == event.Dir)
            open.pop_back();
        else
            open.push_back(event.Dir);
    }
    EXPECT_TRUE(open.empty());
    EXPECT_EQ(record, 6u);
}

TEST(SearchFolders, HiddenAndSystemFilesAreFoundWithTheirAttributes) {
    ScratchFolder root;
    MakeFile(root / L"hidden.exe");
    MakeFile(root / L"system.exe");
    ASSERT_TRUE(::SetFileAttributesW((root / L"hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(::SetFileAttributesW((root / L"system.exe").c_str(),
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    TJvSearchFolders scanner;
    scanner.ScanDir = root.Path();
    scanner.Start();
    ASSERT_EQ(scanner.FileList().size(), 2u);
    for (const TFilePack& pack : scanner.FileList()) {
        const DWORD attributes = ::GetFileAttributesW((pack.Path + pack.Name).c_str());
        EXPECT_EQ(static_cast<DWORD>(pack.Attr), attributes) << pack.Name.c_str();
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    }
}

TEST(SearchFolders, SizeBeyondFourGibibytesIsKeptWhole) {
    ScratchFolder root;
    const std::int64_t huge = (std::int64_t{5} << 30) + 3;
    MakeFile(root / L"huge.ico", huge);
    MakeFile(root / L"small.ico", 7);
    TJvSearchFolders scanner;
    scanner.ScanDir = root.Path();
    scanner.FileMask = L"*.ico";
    scanner.Start();
    EXPECT_EQ(scanner.SizeOfFiles(), huge + 7);
    ASSERT_EQ(scanner.FileList().size(), 2u);
    for (const TFilePack& pack : scanner.FileList())
        EXPECT_EQ(pack.Size, pack.Name == L"huge.ico" ? huge : 7);
}

// 2021-03-04 05:06:08 local time: DOS date 41 (years since 1980) / 3 / 4, time 5:6:(8/2).
TEST(SearchFolders, WriteTimeIsLocalDosDateAndTime) {
    ScratchFolder root;
    MakeFile(root / L"dated.exe");
    SYSTEMTIME when{2021, 3, 0, 4, 5, 6, 8, 0};
    FILETIME local;
    FILETIME utc;
    ASSERT_TRUE(::SystemTimeToFileTime(&when, &local));
    ASSERT_TRUE(::LocalFileTimeToFileTime(&local, &utc));
    const HANDLE file = ::CreateFileW((root / L"dated.exe").c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(::SetFileTime(file, nullptr, nullptr, &utc));
    ::CloseHandle(file);

    TJvSearchFolders scanner;
    scanner.ScanDir = root.Path();
    scanner.Start();
    ASSERT_EQ(scanner.FileList().size(), 1u);
    const std::uint32_t expected = ((41u << 9 | 3u << 5 | 4u) << 16) | (5u << 11 | 6u << 5 | 4u);
    EXPECT_EQ(static_cast<std::uint32_t>(scanner.FileList()[0].Time), expected);
}

TEST(SearchFolders, FolderLinksAreNotFollowed) {
    ScratchFolder root;
    MakeFolder(root / L"real");
    MakeFile(root / L"real\\x.exe");
    if (!::CreateSymbolicLinkW((root / L"link").c_str(), (root / L"real").c_str(),
                               SYMBOLIC_LINK_FLAG_DIRECTORY |
                                   SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        GTEST_SKIP() << "folder links cannot be made here";
    const DWORD attributes = ::GetFileAttributesW((root / L"link").c_str());
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        GTEST_SKIP() << "the file system shows the link as a plain folder";
    TJvSearchFolders scanner;
    scanner.ScanDir = root.Path();
    scanner.Start();
    EXPECT_EQ(FoundPaths(scanner), (Paths{root / L"real\\x.exe"}));
}

} // namespace
