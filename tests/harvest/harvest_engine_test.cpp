// The harvest engine by direct calls: what becomes of each kind of file, the output names,
// the counts, the log entries, a stop, and outputs that never depend on the observer.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harvest/harvest_engine.h"
#include "harvest/harvest_text.h"
#include "support/broken_modules.h"
#include "support/icon_oracle.h"
#include "support/ne_builder.h"
#include "support/pe_builder.h"
#include "support/scratch_folder.h"
#include "support/system_modules.h"

namespace {

// Records what the engine reports; stops before file StopAt; draws every icon it is handed,
// as the window's preview does.
class TRecorder : public THarvestObserver {
public:
    bool StopRequested() override { return started.size() == stopAt; }
    void FileStarted(std::size_t Position, const TFilePack&) override {
        started.push_back(Position);
    }
    void IconReady(TAdvancedIcon& Icon) override {
        ++icons;
        for (int i = 0; i < Icon.Images.Count(); ++i)
            Icon.Images.Items(i)->GetHandle();
    }
    void FileFinished(std::size_t, const TFilePack&, const THarvestFileResult& Result) override {
        outcomes.push_back(Result.Outcome);
    }

    std::size_t stopAt = SIZE_MAX;
    std::vector<std::size_t> started;
    std::vector<THarvestOutcome> outcomes;
    int icons = 0;
};

class HarvestEngine : public ::testing::Test {
protected:
    THarvestSummary Run(TRecorder& Observer) {
        THarvestEngine engine(loader, icon, scratch / L"error.log");
        return engine.Run(files, out.Path(), Observer);
    }

    void Add(const std::wstring& Name) { files.push_back({Name, tree.Path() + L"\\"}); }
    void AddCopy(const std::wstring& SystemName, const std::wstring& As) {
        ASSERT_TRUE(::CopyFileW((SystemFolder() + L"\\" + SystemName).c_str(), (tree / As).c_str(),
                                FALSE));
        Add(As);
    }
    void AddFile(const std::wstring& Name, const std::vector<unsigned char>& Bytes) {
        WriteFileBytes(tree / Name, Bytes);
        Add(Name);
    }
    std::string Log() const {
        const std::vector<unsigned char> bytes = ReadFileBytes(scratch / L"error.log");
        return {bytes.begin(), bytes.end()};
    }

    ScratchFolder tree, out, scratch;
    std::vector<TFilePack> files;
    TIconLibrary loader;
    TAdvancedIcon icon;
};

// A 16-bit icon library whose group entry says 48 x 48 for a 32 x 32 bitmap, with a 48 x 48
// PNG image beside it.
std::vector<unsigned char> MisstatedLibrary() {
    TFixtureGroup group;
    group.Images.push_back(MakeBitmapImage(32, 8));
    group.Images.back().Entry.Width = group.Images.back().Entry.Height = 48;
    group.Images.push_back(MakePngImage(48));
    TNEFixture fixture;
    fixture.LeadingNames = {"ICL"};
    fixture.Groups = {group};
    return BuildNEModule(fixture).Bytes;
}

// A module the 32-bit reader refuses, with the error it gives.
THostileModule RefusedModule() {
    for (const THostileModule& module : HostilePEModules())
        if (!module.Error.empty())
            return module;
    return {};
}

} // namespace

TEST_F(HarvestEngine, EachFileEndsAsItsKindSays) {
    AddCopy(L"notepad.exe", L"notepad.exe");
    AddFile(L"ICON.ICO", {0, 0, 1, 0, 0, 0});
    AddFile(L".ico", {0, 0, 1, 0, 0, 0});
    AddFile(L"noicons.dll", BuildPEModule({{10, L"", 1, {1, 2, 3}}}).Bytes);
    const THostileModule refused = RefusedModule();
    ASSERT_FALSE(refused.Error.empty());
    AddFile(L"damaged.dll", refused.Bytes);
    const std::wstring damaged = tree / L"damaged.dll";
    AddFile(L"blocked.ico", {0, 0, 1, 0, 0, 0});
    // A source's attributes go with its copy; a read-only output is never replaced.
    ASSERT_TRUE(::SetFileAttributesW((tree / L"ICON.ICO").c_str(),
                                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    WriteFileBytes(out / L"blocked_5.ico", {1});
    ASSERT_TRUE(::SetFileAttributesW((out / L"blocked_5.ico").c_str(), FILE_ATTRIBUTE_READONLY));

    TRecorder observer;
    const THarvestSummary summary = Run(observer);

    using O = THarvestOutcome;
    EXPECT_EQ(observer.outcomes,
              (std::vector<O>{O::Saved, O::Copied, O::Copied, O::NoIcon, O::Failed, O::CopyFailed}));
    EXPECT_EQ(observer.started, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(summary.Saved, 3);
    EXPECT_EQ(observer.icons, 1);
    EXPECT_FALSE(summary.Stopped);
    ASSERT_EQ(summary.Results.size(), 6u);
    EXPECT_EQ(summary.Results[4].Message, refused.Error);
    EXPECT_EQ(out.Names(), (std::vector<std::wstring>{L"-_2.ico", L"ICON_1.ico", L"blocked_5.ico",
                                                       L"notepad_0.ico"}));
    EXPECT_EQ(ReadFileBytes(out / L"ICON_1.ico"), ReadFileBytes(tree / L"ICON.ICO"));
    EXPECT_EQ(::GetFileAttributesW((out / L"ICON_1.ico").c_str()) &
                  (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN});
    EXPECT_EQ(ReadFileBytes(out / L"blocked_5.ico"), std::vector<unsigned char>{1});
    const std::string log = Log();
    const std::string entry = ", Error \xB9 25-1 \"";
    ASSERT_NE(log.find(entry), std::string::npos);
    EXPECT_NE(log.find(std::string(damaged.begin(), damaged.end()) + "\r\n"), std::string::npos);
    EXPECT_NE(log.find(", Error \xB9 22-1 \""), std::string::npos);

    for (const std::wstring name : {L"ICON.ICO", L"ICON_1.ico", L"blocked_5.ico"})
        ::SetFileAttributesW(((name == std::wstring(L"ICON.ICO") ? tree : out) / name).c_str(),
                             FILE_ATTRIBUTE_NORMAL);
    if (!ToolsAvailable())
        GTEST_SKIP() << "icoutils run on the Linux host, reached only under Wine";
    TIconLibrary notepad;
    notepad.LoadFromFile(tree / L"notepad.exe");
    ExtractGroups({tree / L"notepad.exe"}, scratch.Path(), scratch);
    EXPECT_EQ(ExpectSameAsExtracted(
                  out / L"notepad_0.ico",
                  ExtractedFile(scratch.Path(), L"notepad.exe", notepad.Icons.Strings(0)),
                  L"notepad.exe"),
              1);
}

// Outputs are made one way, whatever the observer draws: a 16-bit image whose entry
// disagrees with its header is saved with its real size, the same at every position.
TEST_F(HarvestEngine, AMisstatedLibraryIsSavedIdenticallyEverywhere) {
    const std::vector<unsigned char> library = MisstatedLibrary();
    for (int i = 0; i < 24; ++i) {
        if (i % 6 == 5)
            AddCopy(L"notepad.exe", L"n" + std::to_wstring(i) + L".exe");
        else
            AddFile(L"lib" + std::to_wstring(i) + L".icl", library);
    }
    TRecorder observer;
    EXPECT_EQ(Run(observer).Saved, 24);

    const std::vector<unsigned char> first = ReadFileBytes(HarvestFileName(out.Path(), L"lib0.icl", 0));
    ASSERT_GE(first.size(), 6u + 2 * 16);
    EXPECT_EQ(first[4], 2); // two images
    EXPECT_EQ(first[6], 32);      // the bitmap's own width
    EXPECT_EQ(first[7], 32);      // and height
    EXPECT_EQ(first[6 + 16], 48); // the PNG image's, from its header
    EXPECT_EQ(first[7 + 16], 48);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].Name.ends_with(L".icl")) {
            EXPECT_EQ(ReadFileBytes(HarvestFileName(out.Path(), files[i].Name, i)), first) << i;
        }
    }
}

TEST_F(HarvestEngine, AStopEndsTheRunBeforeTheNextFile) {
    AddCopy(L"notepad.exe", L"a.exe");
    AddCopy(L"notepad.exe", L"b.exe");
    TRecorder observer;
    observer.stopAt = 1;
    const THarvestSummary summary = Run(observer);
    EXPECT_TRUE(summary.Stopped);
    EXPECT_EQ(summary.Found, 2u);
    EXPECT_EQ(summary.Results.size(), 1u);
    EXPECT_EQ(out.Names(), std::vector<std::wstring>{L"a_0.ico"});
}

// Every damaged module ends either as an output or as one logged failure, never both, and
// the run goes through them all.
TEST_F(HarvestEngine, DamagedModulesEndAsAnOutputOrOneLoggedFailure) {
    std::vector<TBrokenModule> corpus = BrokenPEModules();
    corpus.resize(std::min<std::size_t>(corpus.size(), 40));
    const std::vector<TBrokenModule> sixteen = BrokenNEModules();
    corpus.insert(corpus.end(), sixteen.begin(),
                  sixteen.begin() + std::min<std::ptrdiff_t>(std::ssize(sixteen), 40));
    for (std::size_t i = 0; i < corpus.size(); ++i)
        AddFile(L"m" + std::to_wstring(i) + (i % 2 ? L".dll" : L".exe"), corpus[i].Bytes);

    TRecorder observer;
    const THarvestSummary summary = Run(observer);

    ASSERT_EQ(summary.Results.size(), corpus.size());
    std::size_t failed = 0;
    for (std::size_t i = 0; i < corpus.size(); ++i) {
        const THarvestFileResult& result = summary.Results[i];
        const bool written = ::GetFileAttributesW(HarvestFileName(out.Path(), files[i].Name, i)
                                                      .c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(written, result.Outcome == THarvestOutcome::Saved) << i;
        failed += result.Outcome == THarvestOutcome::Failed;
    }
    const std::string log = Log();
    std::size_t logged = 0;
    for (std::size_t at = log.find("25-1"); at != std::string::npos; at = log.find("25-1", at + 1))
        ++logged;
    EXPECT_EQ(logged, failed);
    EXPECT_GT(failed, 0u);
    EXPECT_GT(summary.Saved, 0);
}
