// Loads every file of the system folder with the icon library and saves each module's first
// group as an .ico file, the way a harvest does, and times wrestool (icoutils) extracting
// the group icons of the same files in one call on the Linux host.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "harvest/icons/IconLibrary.h"
#include "support/host_shell.h"
#include "support/icon_oracle.h"
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

double Median(std::vector<double> Values) {
    std::sort(Values.begin(), Values.end());
    return Values[Values.size() / 2];
}

} // namespace

int main() {
    const std::wstring folder = SystemFolder();
    const std::vector<std::wstring> files = FilesIn(folder);
    std::vector<std::wstring> modules;
    for (const std::wstring& file : files)
        modules.push_back(folder + L"\\" + file);
    const ScratchFolder scratch;
    const bool host = HostShellAvailable();
    std::printf("bench_icon_library: %zu files in %ls\n", files.size(), folder.c_str());

    constexpr int rounds = 5;
    std::vector<double> ours;
    std::vector<double> theirs;
    TRound last;
    for (int r = 0; r <= rounds; ++r) { // round 0 warms the file cache for both
        const std::wstring out = scratch / (L"ours" + std::to_wstring(r));
        ::CreateDirectoryW(out.c_str(), nullptr);
        last = LoadAll(folder, files, out);
        const double wrestool = host ? WrestoolSeconds(modules, scratch) : -1;
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
