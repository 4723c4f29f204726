// Times the folder scanner over a generated tree of 100,000 files in 5,000 folders (a quarter
// of them fitting "*.exe,*.dll,*.cpl,*.ico") against what it cannot avoid: the bare listing
// calls in the same order, and, under Wine, the host's own find over the same tree. Also
// times the mask matching of every name on its own.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "harvest/scan/JvSFolders.h"
#include "support/host_shell.h"
#include "support/scratch_folder.h"
#include "ui/application.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int TopFolders = 50;
constexpr int SubFolders = 99; // in each top folder: 50 + 50 * 99 = 5,000 folders
constexpr int FilesPerFolder = 20;
constexpr int Rounds = 5;
const wchar_t* const Masks = L"*.exe,*.dll,*.cpl,*.ico";

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Every fourth file fits a mask; names mix upper and lower case as real trees do.
std::wstring FileName(int index) {
    static const wchar_t* const matching[] = {L".exe", L".DLL", L".cpl", L".ico"};
    static const wchar_t* const other[] = {L".txt", L".dat", L".PNG", L".exe.bak", L".ic"};
    const std::wstring stem = L"file" + std::to_wstring(index);
    return stem + (index % 4 == 0 ? matching[(index / 4) % 4] : other[index % 5]);
}

void MakeFile(const std::wstring& path, LONGLONG size) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
    ::CloseHandle(file);
}

void FillFolder(const std::wstring& folder, int& serial, std::vector<std::wstring>& names) {
    for (int i = 0; i < FilesPerFolder; ++i, ++serial) {
        names.push_back(FileName(serial));
        MakeFile(folder + L"\\" + names.back(), serial % 4096);
    }
}

// Returns every name in the tree (files and folders), for timing the matching alone.
std::vector<std::wstring> MakeTree(const std::wstring& root) {
    std::vector<std::wstring> names;
    int serial = 0;
    for (int t = 0; t < TopFolders; ++t) {
        const std::wstring top = root + L"\\top" + std::to_wstring(t);
        ::CreateDirectoryW(top.c_str(), nullptr);
        names.push_back(L"top" + std::to_wstring(t));
        FillFolder(top, serial, names);
        for (int s = 0; s < SubFolders; ++s) {
            const std::wstring sub = top + L"\\sub" + std::to_wstring(s);
            ::CreateDirectoryW(sub.c_str(), nullptr);
            names.push_back(L"sub" + std::to_wstring(s));
            FillFolder(sub, serial, names);
        }
    }
    return names;
}

// The listing calls of one walk in the same order, with nothing of the scanner around them.
long BareListing(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const HANDLE find =
        ::FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoBasic, &entry,
                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    long entries = 0;
    do {
        const std::wstring_view name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        ++entries;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            entries += BareListing(folder + L"\\" + entry.cFileName);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return entries;
}

struct WalkFigures {
    double seconds;
    std::int32_t found;
    std::int64_t bytes;
};

WalkFigures TimeWalk(const std::wstring& root, bool messages) {
    std::vector<double> times;
    TJvSearchFolders scanner;
    scanner.ScanDir = root;
    scanner.FileMask = Masks;
    scanner.Messages = messages;
    for (int r = 0; r < Rounds; ++r) {
        scanner.ClearFileList();
        const auto start = Clock::now();
        scanner.Start();
        times.push_back(Seconds(start));
    }
    return {Median(times), scanner.CountFiles(), scanner.SizeOfFiles()};
}

double TimeBareListing(const std::wstring& root, long& entries) {
    std::vector<double> times;
    for (int r = 0; r < Rounds; ++r) {
        const auto start = Clock::now();
        entries = BareListing(root);
        times.push_back(Seconds(start));
    }
    return Median(times);
}

double TimeMatching(const std::vector<std::wstring>& names, long& matched) {
    const TMultiMaskList masks = CompileMaskList(Masks);
    std::vector<double> times;
    for (int r = 0; r < Rounds; ++r) {
        matched = 0;
        const auto start = Clock::now();
        for (const std::wstring& name : names)
            matched += MatchesAny(masks, name) ? 1 : 0;
        times.push_back(Seconds(start));
    }
    return Median(times);
}

// The cost of one call of the message pump with nothing to do, in microseconds.
double PumpMicroseconds() {
    constexpr int calls = 20000;
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i)
        Application::ProcessMessages();
    return Seconds(start) * 1e6 / calls;
}

// The host's find over the tree, timed inside the host shell (the start of the shell is not
// counted). Stat adds the size and time of every entry, as the Windows listing gives them.
double TimeHostFind(const std::wstring& root, bool stat, long& found) {
    const std::string names = "\\( -iname '*.exe' -o -iname '*.dll' -o -iname '*.cpl' -o "
                              "-iname '*.ico' \\)";
    const std::string action = stat ? " -printf '%s %T@ %p\\n'" : " -print";
    const std::string find = "find " + ShellQuote(HostPath(root)) + " -type f " + names + action;
    std::string script = "best=0; for i in 1 2 3 4 5; do s=$(date +%s%N); n=$(" + find +
                         " | wc -l); e=$(date +%s%N); t=$((e-s)); "
                         "if [ $best = 0 ] || [ $t -lt $best ]; then best=$t; fi; done; "
                         "echo $n $best";
    const HostCommandResult result = RunHostShell(script, 600000);
    long nanoseconds = 0;
    if (result.exitCode != 0 ||
        std::sscanf(result.output.c_str(), "%ld %ld", &found, &nanoseconds) != 2)
        return -1;
    return nanoseconds / 1e9;
}

} // namespace

int main() {
    const ScratchFolder tree;
    // Under Wine the host removes the tree much faster than the removal file by file.
    struct HostRemoval {
        const ScratchFolder& tree;
        ~HostRemoval() {
            if (HostShellAvailable())
                RunHostShell("rm -rf " + ShellQuote(HostPath(tree.Path())) + "/*", 600000);
        }
    } removal{tree};
    const auto start = Clock::now();
    const std::vector<std::wstring> names = MakeTree(tree.Path());
    std::printf("tree: %d files in %d folders, made in %.1f s\n",
                TopFolders * (SubFolders + 1) * FilesPerFolder, TopFolders * (SubFolders + 1),
                Seconds(start));
    TimeWalk(tree.Path(), true); // warm the file system caches

    const WalkFigures walk = TimeWalk(tree.Path(), true);
    const WalkFigures quiet = TimeWalk(tree.Path(), false);
    long entries = 0;
    const double bare = TimeBareListing(tree.Path(), entries);
    long matched = 0;
    const double matching = TimeMatching(names, matched);
    const double files = TopFolders * (SubFolders + 1) * FilesPerFolder;

    std::printf("median of %d rounds each\n", Rounds);
    std::printf("scanner, default settings:   %7.3f s  %9.0f files/s  (%d found, %lld bytes)\n",
                walk.seconds, files / walk.seconds, walk.found, static_cast<long long>(walk.bytes));
    std::printf("scanner, Messages false:     %7.3f s  %9.0f files/s\n", quiet.seconds,
                files / quiet.seconds);
    std::printf("bare listing calls:          %7.3f s  %9.0f files/s  (%ld entries)\n", bare,
                files / bare, entries);
    std::printf("one idle message pump:       %7.1f us\n", PumpMicroseconds());
    std::printf(
        "matching alone:              %7.3f s  (%zu names, %ld fit) = %.2f %% of the walk\n",
        matching, names.size(), matched, 100 * matching / walk.seconds);
    if (!HostShellAvailable()) {
        std::printf("host find: not under Wine, not measured\n");
        return 0;
    }
    long found = 0;
    const double find = TimeHostFind(tree.Path(), false, found);
    long foundStat = 0;
    const double findStat = TimeHostFind(tree.Path(), true, foundStat);
    std::printf("host find, names (best of 5):%7.3f s  (%ld found)  walk / find = %.1f\n", find,
                found, walk.seconds / find);
    std::printf("host find, stat (best of 5): %7.3f s  (%ld found)  walk / find = %.1f\n", findStat,
                foundStat, walk.seconds / findStat);
    return 0;
}
