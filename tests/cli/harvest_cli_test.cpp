// quillmont-harvest.exe run as a script runs it: its exit status, what it prints, what it
// writes next to what the window's harvest writes, wrestool's view of every group, the
// report, skipped duplicates, the .mun redirect and the real System32.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "harvest/harvest_engine.h"
#include "harvest/harvest_text.h"
#include "qm_version.h"
#include "support/broken_modules.h"
#include "support/byte_writer.h"
#include "support/host_shell.h"
#include "support/icon_oracle.h"
#include "support/ne_builder.h"
#include "support/pe_builder.h"
#include "support/scratch_folder.h"
#include "support/system_modules.h"
#include "util/app_folder.h"
#include "util/exe_version.h"
#include "util/handle.h"

namespace {

struct TCliRun {
    DWORD Exit = 999;
    std::string Out, Err; // as written: UTF-8
};

std::wstring Q(const std::wstring& Path) {
    return L"\"" + Path + L"\"";
}

std::string Encoded(const std::wstring& Text, UINT CodePage) {
    std::string out(Text.size() * 3, '\0');
    out.resize(static_cast<std::size_t>(
        ::WideCharToMultiByte(CodePage, 0, Text.data(), static_cast<int>(Text.size()), out.data(),
                              static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

std::string Text(const std::wstring& File) {
    const std::vector<unsigned char> bytes = ReadFileBytes(File);
    return {bytes.begin(), bytes.end()};
}

// A damaged 32-bit module: one the reader refuses with an error.
std::vector<std::uint8_t> DamagedModule(const std::wstring& Scratch) {
    for (const TBrokenModule& module : BrokenPEModules()) {
        WriteFileBytes(Scratch, module.Bytes);
        try {
            TIconLibrary().LoadFromFile(Scratch);
        } catch (const Exception&) {
            return module.Bytes;
        }
    }
    return {};
}

std::vector<std::uint8_t> ModuleWithIcons(int Size) {
    return BuildPEModule(IconGroupResources({{"", 0, {MakeBitmapImage(Size, 8)}}})).Bytes;
}

class HarvestCli : public ::testing::Test {
protected:
    TCliRun Run(const std::wstring& Args) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        // Files of their own for each run: a child's handles may outlive it for a moment.
        const std::wstring outName = scratch / (L"out" + std::to_wstring(++runs) + L".txt");
        const std::wstring errName = scratch / (L"err" + std::to_wstring(runs) + L".txt");
        auto open = [&](const std::wstring& Name) {
            return UniqueFile(::CreateFileW(Name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                            CREATE_NEW, 0, nullptr));
        };
        TCliRun run;
        {
            UniqueFile out = open(outName), err = open(errName);
            STARTUPINFOW start{sizeof start};
            start.dwFlags = STARTF_USESTDHANDLES;
            start.hStdOutput = out.get();
            start.hStdError = err.get();
            std::wstring line = Q(AppFolder() + L"quillmont-harvest.exe") + L" " + Args;
            PROCESS_INFORMATION process{};
            if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                  nullptr, nullptr, &start, &process)) {
                ADD_FAILURE() << "cannot start quillmont-harvest.exe";
                return run;
            }
            EXPECT_EQ(::WaitForSingleObject(process.hProcess, 300000), WAIT_OBJECT_0);
            ::GetExitCodeProcess(process.hProcess, &run.Exit);
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
        run.Out = Text(outName);
        run.Err = Text(errName);
        return run;
    }
    void Put(const std::wstring& Name, const std::vector<std::uint8_t>& Bytes) {
        WriteFileBytes(tree / Name, Bytes);
    }
    void PutSystem(const std::wstring& Name, const std::wstring& As) {
        ASSERT_TRUE(
            ::CopyFileW((SystemFolder() + L"\\" + Name).c_str(), (tree / As).c_str(), FALSE));
    }
    // The report's lines after its header, by file name, split at tabs.
    std::map<std::wstring, std::vector<std::string>> Report(const std::wstring& File) {
        std::map<std::wstring, std::vector<std::string>> lines;
        std::istringstream in(Text(File));
        std::string line;
        std::getline(in, line);
        EXPECT_EQ(line, "source\tkind\tresult\toutputs\tgroups\timages\r");
        while (std::getline(in, line)) {
            std::vector<std::string> fields;
            std::istringstream parts(line.substr(0, line.size() - 1));
            for (std::string field; std::getline(parts, field, '\t');)
                fields.push_back(field);
            fields.resize(6);
            const std::string name = fields[0].substr(fields[0].rfind('\\') + 1);
            lines[std::wstring(name.begin(), name.end())] = fields;
        }
        return lines;
    }

    ScratchFolder tree, out, scratch;
    int runs = 0;
};

std::vector<std::wstring> Sorted(std::vector<std::wstring> Names) {
    std::sort(Names.begin(), Names.end());
    return Names;
}

std::vector<std::string> Split(const std::string& Field) {
    std::vector<std::string> parts;
    std::istringstream in(Field);
    for (std::string part; std::getline(in, part, ';');)
        parts.push_back(part);
    return parts;
}

} // namespace

TEST_F(HarvestCli, UsageAndUnusableFoldersExitTwoWithAMessage) {
    EXPECT_EQ(Run(L"").Exit, 2u);
    const TCliRun bogus = Run(L"--bogus a b");
    EXPECT_EQ(bogus.Exit, 2u);
    EXPECT_NE(bogus.Err.find("unknown option --bogus"), std::string::npos);
    const TCliRun missing = Run(Q(tree / L"missing") + L" " + Q(out.Path()));
    EXPECT_EQ(missing.Exit, 2u);
    EXPECT_NE(missing.Err.find("cannot use FOLDER"), std::string::npos) << missing.Err;
    Put(L"file", {1});
    EXPECT_EQ(Run(Q(out.Path()) + L" " + Q(tree / L"file")).Exit, 2u);
    EXPECT_EQ(
        Run(Q(tree.Path()) + L" " + Q(out.Path()) + L" --report " + Q(tree / L"no\\r.tsv")).Exit,
        2u);
    EXPECT_EQ(Run(L"--help").Out.rfind("Usage: quillmont-harvest", 0), 0u);

    // One version: the option's, the executable's version information's, the project's.
    const TCliRun version = Run(L"--version");
    EXPECT_EQ(version.Exit, 0u);
    EXPECT_EQ(version.Out, "quillmont-harvest " QM_VERSION_TEXT "\r\n");
    EXPECT_EQ(FileVersionText(AppFolder() + L"quillmont-harvest.exe"), L"" QM_VERSION_TEXT);
}

// The same tree through the window's engine and through the program with no options: the
// same files, byte for byte; a damaged file fails alone, named in UTF-8 and in the log.
TEST_F(HarvestCli, DefaultRunWritesWhatTheWindowsHarvestWrites) {
    PutSystem(L"notepad.exe", L"notepad.exe");
    ASSERT_TRUE(::CreateDirectoryW((tree / L"вложенная").c_str(), nullptr));
    Put(L"вложенная\\Значок.ico", {0, 0, 1, 0, 0, 0});
    Put(L"вложенная\\old.dll", BuildNEModule(SampleNEFixture()).Bytes);
    Put(L"none.cpl", BuildPEModule({{10, L"", 1, {1, 2, 3}}}).Bytes);
    Put(L"плохой.exe", DamagedModule(scratch / L"probe.dll"));
    Put(L"skipped.icl", ModuleWithIcons(16));
    // A 16-bit image whose entry says 48 x 48 for a 32 x 32 bitmap: saved with its real size.
    TFixtureGroup misstated{"", 0, {MakeBitmapImage(32, 8), MakePngImage(48)}};
    misstated.Images[0].Entry.Width = misstated.Images[0].Entry.Height = 48;
    Put(L"misstated.dll", BuildNEModule({4, 64, {"ICL"}, {misstated}}).Bytes);

    const TCliRun run = Run(Q(tree.Path()) + L" " + Q(out / L"new\\deeper"));
    EXPECT_EQ(run.Exit, 1u) << run.Err;
    EXPECT_EQ(run.Out, "files checked: 6, icons saved: 4, files failed: 1\r\n");
    EXPECT_NE(run.Err.find(Encoded(tree / L"плохой.exe", CP_UTF8) + ": "), std::string::npos)
        << run.Err;
    EXPECT_NE(Text(ErrorLogPath()).find(Encoded(tree / L"плохой.exe", 1251)), std::string::npos);
    // An option that only reports changes no output.
    const std::wstring composed = out / L"composed";
    EXPECT_EQ(
        Run(L"--report " + Q(scratch / L"r.tsv") + L" " + Q(tree.Path()) + L" " + Q(composed)).Exit,
        1u);

    TJvSearchFolders scan;
    scan.FileMask = FileTypeMask(0);
    scan.ScanDir = tree.Path();
    scan.Start();
    ScratchFolder window;
    TIconLibrary loader;
    TAdvancedIcon icon;
    THarvestObserver quiet;
    THarvestEngine(loader, icon, scratch / L"error.log").Run(scan.FileList(), window.Path(), quiet);
    const std::wstring cli = out / L"new\\deeper";
    ASSERT_EQ(window.Names().size(), 4u);
    for (const std::wstring& folder : {cli, composed}) {
        EXPECT_EQ(Sorted(FilesIn(folder)), window.Names());
        for (const std::wstring& name : window.Names())
            EXPECT_EQ(ReadFileBytes(folder + L"\\" + name), ReadFileBytes(window / name))
                << Narrow(name);
    }
}

// Every group of each module, each equal to wrestool's extraction of it, and one report
// line per found file.
TEST_F(HarvestCli, AllGroupsMatchWrestoolAndTheReportHasEveryFile) {
    TNEFixture fixture = SampleNEFixture();
    fixture.Groups[1].Name = "FOLDER";
    fixture.Groups[2].Number = 700;
    Put(L"lib.icl", BuildNEModule(fixture).Bytes);
    PutSystem(L"comdlg32.dll", L"comdlg32.dll"); // pictures of 76 x 24 among its icons
    Put(L"plain.ico", {0, 0, 1, 0, 0, 0});
    Put(L"none.dll", BuildPEModule({{10, L"", 1, {1, 2, 3}}}).Bytes);

    const TCliRun run = Run(L"--all-groups --kinds dll,icl,ico --report " + Q(scratch / L"r.tsv") +
                            L" " + Q(tree.Path()) + L" " + Q(out.Path()));
    ASSERT_EQ(run.Exit, 0u) << run.Err;
    auto report = Report(scratch / L"r.tsv");
    ASSERT_EQ(report.size(), 4u);
    EXPECT_EQ(report[L"lib.icl"][1] + "|" + report[L"lib.icl"][4], "NE|1;FOLDER;700");
    EXPECT_EQ(Split(report[L"lib.icl"][5])[2], "32x32x32,256x256x32png");
    EXPECT_EQ(report[L"plain.ico"][1] + "|" + report[L"plain.ico"][2], "ICO|copied");
    EXPECT_EQ(report[L"none.dll"][2], "no icon");

    if (!ToolsAvailable())
        GTEST_SKIP() << "icoutils run on the Linux host, reached only under Wine";
    const std::wstring theirs = scratch / L"theirs";
    ::CreateDirectoryW(theirs.c_str(), nullptr);
    ExtractGroups({tree / L"lib.icl", tree / L"comdlg32.dll"}, theirs, scratch);
    std::size_t compared = 0;
    for (const std::wstring file : {L"lib.icl", L"comdlg32.dll"}) {
        const std::vector<std::string>& line = report[file];
        EXPECT_EQ(line[2], "saved");
        const std::vector<std::string> outputs = Split(line[3]), groups = Split(line[4]);
        ASSERT_EQ(outputs.size(), groups.size());
        for (std::size_t g = 0; g < groups.size(); ++g)
            compared += ExpectSameAsExtracted(
                out / std::wstring(outputs[g].begin(), outputs[g].end()),
                ExtractedFile(theirs, file, std::wstring(groups[g].begin(), groups[g].end())),
                file);
    }
    EXPECT_EQ(compared, FilesIn(theirs).size());
    EXPECT_EQ(FilesIn(out.Path()).size(), compared + 1);
}

TEST_F(HarvestCli, DuplicatesAreWrittenOnce) {
    PutSystem(L"notepad.exe", L"a.exe");
    PutSystem(L"notepad.exe", L"b.exe");
    Put(L"c.ico", {0, 0, 1, 0, 0, 0});
    Put(L"d.ico", {0, 0, 1, 0, 0, 0});
    const TCliRun run = Run(L"--skip-duplicates --report " + Q(scratch / L"r.tsv") + L" " +
                            Q(tree.Path()) + L" " + Q(out.Path()));
    EXPECT_EQ(run.Exit, 0u);
    EXPECT_EQ(out.Names(), (std::vector<std::wstring>{L"a_0.ico", L"c_2.ico"}));
    auto report = Report(scratch / L"r.tsv");
    EXPECT_EQ(report[L"b.exe"][2], "duplicate of a_0.ico");
    EXPECT_EQ(report[L"d.ico"][2], "duplicate of c_2.ico");
    EXPECT_EQ(run.Out, "files checked: 4, icons saved: 2, files failed: 0\r\n");
}

// Scratch files in the prefix's system folders: a stub without icons whose .mun holds them,
// and (32-bit build on 64-bit Wine) a module only in the real System32.
TEST_F(HarvestCli, MunRedirectAndTheRealSystem32) {
    wchar_t root[MAX_PATH];
    const std::wstring windows(root, ::GetSystemWindowsDirectoryW(root, MAX_PATH));
    const std::wstring resources = windows + L"\\SystemResources";
    const bool madeResources = ::CreateDirectoryW(resources.c_str(), nullptr);
    const std::wstring stub = SystemFolder() + L"\\qmstub19.q19",
                       mun = resources + L"\\qmstub19.q19.mun";
    WriteFileBytes(stub, BuildPEModule({{10, L"", 1, {1, 2, 3}}}).Bytes);
    WriteFileBytes(mun, ModuleWithIcons(32));
    const std::wstring args = Q(windows + L"\\system32") + L" " + Q(out.Path());

    EXPECT_EQ(Run(L"--kinds q19 " + args).Out,
              "files checked: 1, icons saved: 0, files failed: 0\r\n");
    EXPECT_EQ(Run(L"--follow-mun --report " + Q(scratch / L"r.tsv") + L" --kinds q19 " + args).Exit,
              0u);
    TIconLibrary library;
    library.LoadFromFile(mun);
    ASSERT_EQ(library.Icons.Count(), 1);
    library.Icons.Objects(0)->SaveToFile(scratch / L"first.ico");
    EXPECT_EQ(ReadFileBytes(out / L"qmstub19_0.ico"), ReadFileBytes(scratch / L"first.ico"));
    EXPECT_EQ(Report(scratch / L"r.tsv")[L"qmstub19.q19"][1], "MUN");
    ::DeleteFileW(stub.c_str());
    ::DeleteFileW(mun.c_str());
    if (madeResources)
        ::RemoveDirectoryW(resources.c_str());

    BOOL wow64 = FALSE;
    if (!::IsWow64Process(::GetCurrentProcess(), &wow64) || !wow64)
        GTEST_SKIP() << "the real System32 differs from the seen one only for 32-bit on 64-bit";
    PVOID old = nullptr;
    const std::wstring only = windows + L"\\system32\\qmonly19.q19r";
    ASSERT_TRUE(::Wow64DisableWow64FsRedirection(&old));
    WriteFileBytes(only, ModuleWithIcons(16));
    ::Wow64RevertWow64FsRedirection(old);
    const TCliRun seen = Run(L"--kinds q19r " + args);
    const TCliRun real = Run(L"--real-system32 --kinds q19r " + args);
    ::Wow64DisableWow64FsRedirection(&old);
    ::DeleteFileW(only.c_str());
    ::Wow64RevertWow64FsRedirection(old);
    EXPECT_EQ(seen.Out, "files checked: 0, icons saved: 0, files failed: 0\r\n");
    EXPECT_EQ(real.Out, "files checked: 1, icons saved: 1, files failed: 0\r\n");
}

// Damaged and hostile modules, every group asked for: the run ends with exit 1, and every
// file it wrote is a whole icon that icotool reads image for image.
TEST_F(HarvestCli, HostileFilesFailAloneAndEveryOutputIsWhole) {
    std::vector<TBrokenModule> corpus = BrokenPEModules();
    const std::vector<TBrokenModule> sixteen = BrokenNEModules();
    corpus.insert(corpus.end(), sixteen.begin(), sixteen.end());
    for (std::size_t i = 0; i < corpus.size(); ++i)
        Put(L"m" + std::to_wstring(i) + L".dll", corpus[i].Bytes);
    const TCliRun run = Run(L"--all-groups --skip-duplicates --report " + Q(scratch / L"r.tsv") +
                            L" " + Q(tree.Path()) + L" " + Q(out.Path()));
    EXPECT_EQ(run.Exit, 1u);
    EXPECT_EQ(Report(scratch / L"r.tsv").size(), corpus.size());
    std::map<std::wstring, int> stated;
    for (const std::wstring& name : FilesIn(out.Path())) {
        const std::vector<unsigned char> ico = ReadFileBytes(out / name);
        ASSERT_GE(ico.size(), 6u);
        EXPECT_EQ(ico.size(), StatedLength(ico)) << Narrow(name);
        stated[name] = Get16(ico, 4);
    }
    EXPECT_FALSE(stated.empty());
    if (HostShellAvailable()) {
        EXPECT_EQ(IcotoolImageCounts(out.Path()), stated);
    }
}
