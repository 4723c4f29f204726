// Times the export of 1,000 ticked rows against the bare loop of the calls it makes per
// row (the shell icon of the extension, then the .ico writer). The figures are the
// medians of several rounds.

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "catalogue/catalogue.h"
#include "export/export_checked.h"
#include "export/icon_writer.h"
#include "support/dialog_answerer.h"
#include "support/quiet_start.h"
#include "support/scratch_folder.h"
#include "support/scratch_registry.h"
#include "ui/application.h"
#include "util/exception.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() try {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::OleInitialize(nullptr);
    constexpr int kRows = 1000;
    ScratchRegistry registry;
    for (int i = 0; i < kRows; ++i) {
        const std::wstring n = std::to_wstring(i);
        registry.AddFileType(L".e" + n, L"class" + n, L"Description " + n, L"app.exe \"%1\"");
    }
    TFormInstance<Tfrm_main_quillmont> frm;
    frm.Create();
    QuietStart(frm);
    frm.Show();
    frm.btn_search.Click();

    // The bare loop, into a folder of its own that is gone again before anything else runs.
    const auto timeBare = [&frm] {
        ScratchFolder direct;
        const auto start = Clock::now();
        for (int row = 0; row < frm.lv.Count(); ++row) {
            const std::wstring caption = frm.lv.CellText(row, 0);
            UniqueIcon icon = GetExtensionIcon(caption, true);
            SaveIconToFile(ExportFileName(direct.Path(), caption, true), icon.get());
        }
        return Seconds(start);
    };
    // The save command over every row ticked, timed from the moment the folder is chosen:
    // the picker's own time is the user's.
    const auto timeExport = [&frm] {
        ScratchFolder out;
        frm.fd.Directory = out.Path();
        for (int row = 0; row < frm.lv.Count(); ++row)
            frm.lv.SetChecked(row, true);
        const std::wstring folder = out.Path();
        Clock::time_point chosen;
        DialogAnswerer answer([folder, &chosen](HWND dialog) {
            ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                           reinterpret_cast<LPARAM>(folder.c_str()));
            chosen = Clock::now();
            PressButton(dialog, IDOK);
        });
        frm.btn_store.Click();
        const double seconds = Seconds(chosen);
        if (out.Names().size() != kRows)
            std::printf("unexpected file count %zu in %ls (%ls), status %ls\n", out.Names().size(),
                        out.Path().c_str(), frm.fd.Directory.c_str(), frm.sb.PanelText(2).c_str());
        return seconds;
    };

    // Each round times both, in turn first, so that both meet the same load and neither
    // always writes behind the other's files.
    constexpr int kRounds = 8;
    std::vector<double> bare, exported, ratios;
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2 == 0) {
            bare.push_back(timeBare());
            exported.push_back(timeExport());
        } else {
            exported.push_back(timeExport());
            bare.push_back(timeBare());
        }
        ratios.push_back(exported.back() / bare.back());
        std::printf("round %d: bare loop %.3f s, export %.3f s, ratio %.2f\n", round, bare.back(),
                    exported.back(), ratios.back());
    }
    std::printf("%d rows, medians of %d rounds: export %.3f s (%.0f rows/s), bare loop %.3f s "
                "(%.0f rows/s), ratio %.2f\n",
                kRows, kRounds, Median(exported), kRows / Median(exported), Median(bare),
                kRows / Median(bare), Median(ratios));
    // Other work on the machine only ever adds time: the fastest rounds show the cost itself.
    const double bestExport = *std::min_element(exported.begin(), exported.end());
    const double bestBare = *std::min_element(bare.begin(), bare.end());
    std::printf("fastest rounds: export %.3f s, bare loop %.3f s, ratio %.2f\n", bestExport,
                bestBare, bestExport / bestBare);
    ::OleUninitialize();
    return 0;
} catch (const Exception& e) {
    std::printf("failed: %ls\n", e.Message().c_str());
    return 1;
}
