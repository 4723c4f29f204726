// Times the harvest command over the Wine prefix's Windows folder (every dialog answered):
// the walk, the processing without its fixed 1.2-second pause, and files per second; then the
// harvest engine alone over the same files and
// wrestool extracting the same modules' group icons in one call; then the command over a
// made-up tree and one twice as large, to show how the cost grows.

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "harvest/icons/IconLibrary.h"
#include "harvest/harvest_engine.h"
#include "support/dialog_answerer.h"
#include "support/host_shell.h"
#include "support/icon_oracle.h"
#include "support/scratch_folder.h"
#include "support/system_modules.h"
#include "support/quiet_start.h"
#include "util/exception.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kPause = 1.2; // the fixed wait before the processing

double Between(Clock::time_point From, Clock::time_point To) {
    return std::chrono::duration<double>(To - From).count();
}

struct TCommandRun {
    double Walk = 0;
    double Processing = 0; // without the pause
    std::vector<TFilePack> Files;
    int Saved = 0;
};

// The harvest command over Tree into Out, every dialog answered.
TCommandRun HarvestCommand(Tfrm_main_quillmont& frm, const std::wstring& Tree,
                           const std::wstring& Out) {
    TCommandRun run;
    Clock::time_point chosen, walked;
    // The answerer polls for dialogs every 20 ms from the command's own message pumping;
    // once the folders are chosen it goes, so the processing is timed without its cost.
    // (These trees hold no damaged file; an error dialog would close itself after its
    // countdown.)
    std::optional<DialogAnswerer> answer;
    auto process = frm.SearchFolders.OnChanged;
    frm.SearchFolders.OnChanged = [&](auto& sender, auto files, auto size) {
        answer.reset();
        walked = Clock::now();
        process(sender, files, size);
    };
    frm.fd.Directory = Tree;
    std::vector<DialogAnswerer::Handler> handlers = {
        [](HWND dialog) { PressButtonCaptioned(dialog, L"OK"); },
        [](HWND dialog) { PressButton(dialog, IDOK); },
        [&](HWND dialog) {
            for (int i = 0; i < 2; ++i) {
                ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                               reinterpret_cast<LPARAM>(Out.c_str()));
                ::Sleep(100);
            }
            chosen = Clock::now();
            PressButton(dialog, IDOK);
        }};
    answer.emplace(handlers, L"");
    frm.N_search_in_filesClick();
    const Clock::time_point end = Clock::now();
    frm.SearchFolders.OnChanged = process;
    run.Walk = Between(chosen, walked);
    run.Processing = Between(walked, end) - kPause;
    run.Files = frm.SearchFolders.FileList();
    run.Saved = frm.HarvestState.SavedCount;
    return run;
}

// The processor time this process has used: on a busy machine it varies far less than the
// time that passes, though it leaves out the Wine server's share of the work.
double ProcessorSeconds() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](FILETIME t) {
        return static_cast<double>(std::uint64_t{t.dwHighDateTime} << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// The engine alone over the same files, with an observer that does nothing; prints the
// processor time it took.
double EngineAlone(const std::vector<TFilePack>& Files, const std::wstring& Out) {
    TIconLibrary library;
    TAdvancedIcon icon;
    THarvestEngine engine(library, icon, Out + L"\\error.log");
    THarvestObserver quiet;
    const Clock::time_point start = Clock::now();
    const double processor = ProcessorSeconds();
    engine.Run(Files, Out, quiet);
    std::printf("  (engine run: processor %.3f s)\n", ProcessorSeconds() - processor);
    return Between(start, Clock::now());
}

// wrestool's own run time over the modules of Files, in one call on the Linux host.
double Wrestool(const std::vector<TFilePack>& Files, const ScratchFolder& Scratch) {
    std::vector<std::wstring> modules;
    for (const TFilePack& file : Files)
        if (!IsIcoFileName(file.Name))
            modules.push_back(file.Path + file.Name);
    return WrestoolSeconds(modules, Scratch);
}

// A tree of Count files in folders of 50: copies of the system folder's modules with icons
// and .ico files, in turn.
void MakeTree(const std::wstring& Root, int Count) {
    const std::wstring system = SystemFolder();
    std::vector<std::wstring> modules;
    TIconLibrary library;
    for (const std::wstring& file : FilesIn(system)) {
        if (modules.size() == 20)
            break;
        try {
            library.Icons.Clear();
            library.LoadFromFile(system + L"\\" + file);
            if (library.Icons.Count() > 0)
                modules.push_back(file);
        } catch (const Exception&) {
        }
    }
    library.Icons.Clear();
    library.LoadFromFile(system + L"\\shell32.dll");
    library.Icons.Objects(0)->SaveToFile(Root + L"\\sample.ico.tmp");
    for (int i = 0; i < Count; ++i) {
        const std::wstring folder = Root + L"\\f" + std::to_wstring(i / 50);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring target = folder + L"\\file" + std::to_wstring(i);
        if (i % 4 == 3)
            ::CopyFileW((Root + L"\\sample.ico.tmp").c_str(), (target + L".ico").c_str(), FALSE);
        else {
            const std::wstring& module = modules[static_cast<std::size_t>(i) % modules.size()];
            ::CopyFileW((system + L"\\" + module).c_str(),
                        (target + module.substr(module.rfind(L'.'))).c_str(), FALSE);
        }
    }
    ::DeleteFileW((Root + L"\\sample.ico.tmp").c_str());
}

std::vector<std::wstring> FoldersIn(const std::wstring& Root) {
    std::vector<std::wstring> folders;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((Root + L"\\f*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return folders;
    do
        folders.push_back(Root + L"\\" + data.cFileName);
    while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return folders;
}

void Print(const char* What, const TCommandRun& Run) {
    const double files = static_cast<double>(Run.Files.size());
    std::printf("%s: %zu files, %d saved; walk %.3f s; pause %.1f s (fixed, not counted); "
                "processing %.3f s, %.0f files/s\n",
                What, Run.Files.size(), Run.Saved, Run.Walk, kPause, Run.Processing,
                files / Run.Processing);
}

} // namespace

int main() try {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::OleInitialize(nullptr);
    TFormInstance<Tfrm_main_quillmont> frm;
    QuietStart(frm);
    frm.Create();
    frm.Show();
    frm.harvest.OpenFolder = [](HWND, const std::wstring&) {};
    wchar_t windows[MAX_PATH];
    const std::wstring tree(windows, ::GetWindowsDirectoryW(windows, MAX_PATH));

    // A first pass warms the file cache for everything that follows.
    TCommandRun run;
    {
        ScratchFolder out;
        run = HarvestCommand(frm, tree, out.Path());
    }
    double engineAlone = 0;
    {
        ScratchFolder out;
        run = HarvestCommand(frm, tree, out.Path());
        Print("command over C:\\windows", run);
    }
    {
        ScratchFolder out;
        engineAlone = EngineAlone(run.Files, out.Path());
    }
    std::printf("engine alone: %.3f s, %.0f files/s; command / engine: %.2f\n", engineAlone,
                static_cast<double>(run.Files.size()) / engineAlone, run.Processing / engineAlone);
    if (HostShellAvailable()) {
        ScratchFolder scratch;
        const double wrestool = Wrestool(run.Files, scratch);
        std::printf("wrestool -x -t 14 over the same modules, one call: %.3f s; command / "
                    "wrestool: %.2f; engine / wrestool: %.2f\n",
                    wrestool, run.Processing / wrestool, engineAlone / wrestool);
    }

    constexpr int kSmall = 400;
    double times[2] = {};
    for (int k = 0; k < 2; ++k) {
        ScratchFolder made;
        MakeTree(made.Path(), kSmall << k);
        // The copies go to disk first: their write-back would otherwise slow down whatever
        // is measured next.
        if (HostShellAvailable())
            RunHostShell("sync");
        // The engine runs before and after the command, so that the file cache favours neither.
        std::vector<TFilePack> files;
        for (const std::wstring& folder : FoldersIn(made.Path()))
            for (const std::wstring& name : FilesIn(folder))
                files.push_back({name, folder + L"\\"});
        double engine = 0;
        {
            ScratchFolder direct;
            engine = EngineAlone(files, direct.Path());
        }
        ScratchFolder out;
        const TCommandRun synthetic = HarvestCommand(frm, made.Path(), out.Path());
        Print(k == 0 ? "made-up tree N" : "made-up tree 2N", synthetic);
        {
            ScratchFolder direct;
            engine = std::min(engine, EngineAlone(synthetic.Files, direct.Path()));
        }
        std::printf("  engine alone %.3f s; command / engine: %.2f\n", engine,
                    synthetic.Processing / engine);
        times[k] = synthetic.Walk + synthetic.Processing;
    }
    std::printf("time(2N) / time(N): %.2f (walk and processing)\n", times[1] / times[0]);
    ::OleUninitialize();
    return 0;
} catch (const Exception& e) {
    std::printf("failed: %ls\n", e.Message().c_str());
    return 1;
}
