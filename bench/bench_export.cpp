// Times the export of 1,000 ticked rows against the bare loop of the calls it makes per
// row (the shell icon of the extension, then the .ico writer). Each round times the bare
// loop and then the export, so that both meet the same load; the figures are the medians
// of the rounds.

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
    FormInstance<Tfrm_main_quillmont> frm;
    frm.Create();
    QuietStart(frm);
    frm.Show();
    frm.btn_search.Click();

    constexpr int kRounds = 5;
    std::vector<double> bare, exported, ratios;
    for (int round = 0; round < kRounds; ++round) {
        ScratchFolder direct;
        auto start = Clock::now();
        for (int row = 0; row < frm.lv.Count(); ++row) {
            const std::wstring caption = frm.lv.CellText(row, 0);
            UniqueIcon icon = GetExtensionIcon(caption, true);
            SaveIconToFile(ExportFileName(direct.Path(), caption, true), icon.get());
        }
        bare.push_back(Seconds(start));

        ScratchFolder out;
        frm.fd.Directory = out.Path();
        for (int row = 0; row < frm.lv.Count(); ++row)
            frm.lv.SetChecked(row, true);
        const std::wstring folder = out.Path();
        // The export is timed from the moment the folder is chosen: the picker's own time
        // is the user's.
        Clock::time_point chosen;
        DialogAnswerer answer([folder, &chosen](HWND dialog) {
            ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                           reinterpret_cast<LPARAM>(folder.c_str()));
            chosen = Clock::now();
            PressButton(dialog, IDOK);
        });
        start = Clock::now();
        frm.btn_store.Click();
        const double withPicker = Seconds(start);
        exported.push_back(Seconds(chosen));
        ratios.push_back(exported.back() / bare.back());
        std::printf("round %d: bare loop %.3f s, export with the picker %.3f s, after the choice "
                    "%.3f s, ratio %.2f\n",
                    round, bare.back(), withPicker, exported.back(), ratios.back());
        if (out.Names().size() != kRows)
            std::printf("unexpected file count %zu in %ls (%ls), status %ls\n", out.Names().size(),
                        out.Path().c_str(), frm.fd.Directory.c_str(), frm.sb.PanelText(2).c_str());
    }
    std::printf("%d rows, medians of %d rounds: export %.3f s (%.0f rows/s), bare loop %.3f s "
                "(%.0f rows/s), ratio %.2f\n",
                kRows, kRounds, Median(exported), kRows / Median(exported), Median(bare),
                kRows / Median(bare), Median(ratios));
    ::OleUninitialize();
    return 0;
} catch (const Exception& e) {
    std::printf("failed: %ls\n", e.Message().c_str());
    return 1;
}
