#include <windows.h>

#include "export/export_checked.h"

#include <algorithm>

#include "catalogue/catalogue.h"
#include "dialogs/u_msgDlg.h"
#include "export/icon_writer.h"
#include "ui/application.h"
#include "ui/cadence.h"
#include "ui/cursor.h"
#include "util/flag_scope.h"

namespace {

// Input reaches the window at least this often (milliseconds) while the export runs.
constexpr DWORD kPumpMs = 40;

} // namespace

std::wstring ExportFileName(const std::wstring& folder, const std::wstring& extension, bool small) {
    return folder + L"\\" + extension + (small ? L"_16x16" : L"_32x32") + L".ico";
}

TIconExport::TLiveState TIconExport::ReadLiveState(int rows) {
    return {std::min(rows, c_.lv.Count()), c_.rg_16x16.Checked(), EscapeDown()};
}

bool TIconExport::EscapeDown() {
    ::GetKeyboardState(c_.KeyboardState.data());
    return (c_.KeyboardState[VK_ESCAPE] & 0x80) != 0;
}

bool TIconExport::StopConfirmed() {
    return AskYesNoDlg(L"Сохранение...", L"Остановить?") == mrYes;
}

void TIconExport::Run() {
    if (running_)
        return;
    const int ticked = CountCheckedRows(c_.lv);
    if (ticked == 0)
        return;
    // However the export ends, the default cursor comes back.
    const TFlagScope scope(running_, [] { Screen::SetCursor(nullptr); });
    std::wstring folder;
    if (!c_.ChooseFolder(L"Выберите (или создайте) папку для извлечения иконок в файл (" +
                             std::to_wstring(ticked) + L")",
                         folder))
        return;
    int saved = 0;
    Screen::SetCursor(IDC_WAIT);
    c_.sb.SetPanelText(2, L"Ждите...");
    const int rows = c_.lv.Count();
    // The list shows the saved rows unticked, the last one scrolled into view, a few times
    // a second, and the window's messages are pumped every few rows' time, not after every
    // row: scrolling, redrawing and pumping per row would cost more than the saving itself.
    TListRedrawThrottle redraw(c_.lv);
    TCadence pump(kPumpMs);
    TLiveState live = ReadLiveState(rows);
    for (int row = 0; row < live.Rows; ++row) {
        if (const auto caption = c_.lv.CheckedCaption(row)) {
            UniqueIcon icon = GetExtensionIcon(*caption, live.Small);
            SaveIconToFile(ExportFileName(folder, *caption, live.Small), icon.get());
            icon.reset();
            c_.lv.SetChecked(row, false);
            redraw.ScrollTo(row);
            redraw.Tick();
            if (pump.Due()) {
                Application::ProcessMessages();
                live = ReadLiveState(rows);
            }
            ++saved;
        }
        if (live.EscapeDown) {
            redraw.Pause();
            if (StopConfirmed())
                break;
            redraw.Resume();
            live = ReadLiveState(rows);
        }
    }
    Screen::SetCursor(nullptr);
    ::MessageBeep(MB_ICONASTERISK);
    c_.sb.SetPanelText(2, L"Сохранено: (" + std::to_wstring(saved) + L")");
}
