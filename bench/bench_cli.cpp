// Times quillmont-harvest.exe over the Wine prefix's Windows folder as a script runs it
// (a new process, Wine's start of it included): with no options (the window's route, each
// icon copied into the harvest icon with handles for its preview), with --report (the same
// outputs composed without handles) and with --all-groups; the engine's part of each route
// (the walk and the files through the engine, in process); and wrestool extracting every
// group of the same modules in one call on the Linux host. Each figure is the best of three.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "harvest/harvest_engine.h"
#include "harvest/harvest_text.h"
#include "harvest/scan/JvSFolders.h"
#include "support/host_shell.h"
#include "support/icon_oracle.h"
#include "support/scratch_folder.h"
#include "util/app_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point Start) {
    return std::chrono::duration<double>(Clock::now() - Start).count();
}

// The whole program from its start to its exit.
double ProgramRun(const std::wstring& Options, const std::wstring& Tree, const std::wstring& Out) {
    std::wstring line = L"\"" + AppFolder() + L"quillmont-harvest.exe\" --quiet " + Options +
                        L" \"" + Tree + L"\" \"" + Out + L"\"";
    STARTUPINFOW start{sizeof start};
    PROCESS_INFORMATION process{};
    const Clock::time_point begin = Clock::now();
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &start, &process))
        return -1;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    const double seconds = Since(begin);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return seconds;
}

} // namespace

int main() {
    wchar_t windows[MAX_PATH];
    const std::wstring tree(windows, ::GetWindowsDirectoryW(windows, MAX_PATH));
    TJvSearchFolders scan;
    scan.Messages = false;
    scan.FileMask = FileTypeMask(0);
    scan.ScanDir = tree;
    scan.Start();
    std::vector<std::wstring> modules;
    for (const TFilePack& file : scan.FileList())
        if (!IsIcoFileName(file.Name))
            modules.push_back(file.Path + file.Name);
    std::printf("C:\\windows: %zu files, %zu modules\n", scan.FileList().size(), modules.size());

    // The first pass warms the file cache; of the three after it each figure keeps its
    // best, as other work on the machine only ever adds to a time.
    constexpr double kNone = 1e9;
    double program = kNone, reported = kNone, allGroups = kNone, walk = kNone;
    double engine = kNone;
    for (int pass = 0; pass < 4; ++pass) {
        auto keep = [pass](double& Best, double Time) {
            if (pass > 0)
                Best = std::min(Best, Time);
        };
        ScratchFolder plain, report, all;
        keep(program, ProgramRun(L"", tree, plain.Path()));
        keep(reported,
             ProgramRun(L"--report \"" + (report / L"r.tsv") + L"\"", tree, report.Path()));
        keep(allGroups, ProgramRun(L"--all-groups", tree, all.Path()));
        const Clock::time_point started = Clock::now();
        scan.Start();
        keep(walk, Since(started));
        ScratchFolder direct;
        TIconLibrary loader;
        TAdvancedIcon icon;
        THarvestEngine harvest(loader, icon, direct / L"error.log");
        THarvestObserver quiet;
        const Clock::time_point start = Clock::now();
        harvest.Run(scan.FileList(), direct.Path(), quiet);
        keep(engine, Since(start));
    }
    std::printf("quillmont-harvest, whole run with Wine's start: %.3f s\n", program);
    std::printf("quillmont-harvest --report, whole run: %.3f s\n", reported);
    std::printf("quillmont-harvest --all-groups, whole run: %.3f s\n", allGroups);
    std::printf("engine's part: walk %.3f s + processing %.3f s\n", walk, engine);
    if (!HostShellAvailable())
        return 0;
    double wrestool = kNone;
    for (int pass = 0; pass < 3; ++pass) {
        ScratchFolder scratch;
        wrestool = std::min(wrestool, WrestoolSeconds(modules, scratch));
    }
    std::printf("wrestool -x -t 14 (every group) over the same modules, one call: %.3f s\n",
                wrestool);
    std::printf("ratios to wrestool: whole run %.2f (--report %.2f), engine's part %.2f, "
                "--all-groups %.2f\n",
                program / wrestool, reported / wrestool, (walk + engine) / wrestool,
                allGroups / wrestool);
    return 0;
}
