// Loads every file of the system folder with the icon library and saves each module's first
// group as an .ico file, the way a harvest does, and times wrestool (icoutils) extracting
// the group icons of the same files in one call on the Linux host.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "harvest/icons/IconLibrary.h"
#include "support/host_shell.h"
#include "support/scratch_folder.h"
#include "support/system_modules.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point Since) {
    return std::chrono::duration<double>(Clock::now() - Since).count();
}

struct TRound {
    double Seconds = 0;
    int Saved = 0;
    int Failed = 0;
};

TRound LoadAll(const std::wstring& Folder, const std::vector<std::wstring>& Files,
               const std::wstring& Out) {
    TRound round;
    TIconLibrary library;
    const Clock::time_point start = Clock::now();
    for (const std::wstring& file : Files) {
        library.Icons.Clear();
        try {
            library.LoadFromFile(Folder + L"\\" + file);
            if (library.Icons.Count() > 0) {
                library.Icons.Objects(0)->SaveToFile(Out + L"\\" + file + L".ico");
                ++round.Saved;
            }
        } catch (const Exception&) {
            ++round.Failed;
        }
    }
    round.Seconds = Seconds(start);
    return round;
}

// wrestool's own run time, measured by the host shell around the one call.
double WrestoolSeconds(const std::wstring& Folder, const std::wstring& List,
                       const std::wstring& Out) {
    const std::string command = "cd " + ShellQuote(HostPath(Folder)) +
                                " && s=$(date +%s%N) && xargs -d '\\n' wrestool -x -t 14 -o " +
                                ShellQuote(HostPath(Out)) + " < " + ShellQuote(HostPath(List)) +
                                " 2>/dev/null; e=$(date +%s%N); echo $((e - s))";
    const HostCommandResult result = RunHostShell(command, 600000);
    if (result.exitCode != 0)
        return -1;
    const std::size_t last = result.output.find_last_of("0123456789");
    const std::size_t first = result.output.find_last_not_of("0123456789", last);
    return std::stod(result.output.substr(first + 1, last - first)) / 1e9;
}

double Median(std::vector<double> Values) {
    std::sort(Values.begin(), Values.end());
    return Values[Values.size() / 2];
}

} // namespace

int main() {
    const std::wstring folder = SystemFolder();
    const std::vector<std::wstring> files = FilesIn(folder);
    const ScratchFolder scratch;
    const std::wstring list = scratch / L"files.txt";
    {
        std::ofstream out(std::filesystem::path(list), std::ios::binary);
        for (const std::wstring& file : files)
            out << std::string(file.begin(), file.end()) << '\n';
    }
    const bool host = HostShellAvailable();
    std::printf("bench_icon_library: %zu files in %ls\n", files.size(), folder.c_str());

    constexpr int rounds = 5;
    std::vector<double> ours;
    std::vector<double> theirs;
    TRound last;
    for (int r = 0; r <= rounds; ++r) { // round 0 warms the file cache for both
        const std::wstring out = scratch / (L"ours" + std::to_wstring(r));
        const std::wstring extracted = scratch / (L"theirs" + std::to_wstring(r));
        ::CreateDirectoryW(out.c_str(), nullptr);
        ::CreateDirectoryW(extracted.c_str(), nullptr);
        last = LoadAll(folder, files, out);
        const double wrestool = host ? WrestoolSeconds(folder, list, extracted) : -1;
        if (r == 0)
            continue;
        ours.push_back(last.Seconds);
        theirs.push_back(wrestool);
        std::printf("round %d: ours %.3f s (%d icons saved, %d files refused), wrestool %.3f s\n",
                    r, last.Seconds, last.Saved, last.Failed, wrestool);
    }
    const double oursMedian = Median(ours);
    std::printf("ours:     median %.3f s, %.0f files/s\n", oursMedian,
                static_cast<double>(files.size()) / oursMedian);
    if (host && Median(theirs) > 0) {
        const double theirsMedian = Median(theirs);
        std::printf("wrestool: median %.3f s, %.0f files/s (one call over the same files)\n",
                    theirsMedian, static_cast<double>(files.size()) / theirsMedian);
        std::printf("ratio ours / wrestool: %.2f\n", oursMedian / theirsMedian);
    } else {
        std::printf("wrestool: not run (needs the Linux host under Wine)\n");
    }
    return 0;
}
