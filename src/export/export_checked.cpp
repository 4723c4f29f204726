#include <windows.h>

#include "export/export_checked.h"

#include "catalogue/catalogue.h"
#include "dialogs/u_msgDlg.h"
#include "export/icon_writer.h"
#include "ui/application.h"
#include "ui/cursor.h"

namespace {

// Marks an export as running for its whole life and restores the default cursor, however
// the export ends.
class ExportScope {
public:
    explicit ExportScope(bool& running) : running_(running) { running_ = true; }
    ~ExportScope() {
        running_ = false;
        Screen::SetCursor(nullptr);
    }
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;

private:
    bool& running_;
};

} // namespace

std::wstring ExportFileName(const std::wstring& folder, const std::wstring& extension, bool small) {
    return folder + L"\\" + extension + (small ? L"_16x16" : L"_32x32") + L".ico";
}

bool TIconExport::EscapeDown() {
    ::GetKeyboardState(c_.KeyboardState.data());
    return (c_.KeyboardState[VK_ESCAPE] & 0x80) != 0;
}

bool TIconExport::StopConfirmed() {
    return TimedMessageDlg(L"Сохранение...", L"Остановить?", mtConfirmation, mbYesNo, false, 0,
                           clBtnFace, false) == mrYes;
}

void TIconExport::Run() {
    if (running_)
        return;
    const int ticked = CountCheckedRows(c_.lv);
    if (ticked == 0)
        return;
    ExportScope scope(running_);
    std::wstring folder;
    if (!c_.ChooseFolder(L"Выберите (или создайте) папку для извлечения иконок в файл (" +
                             std::to_wstring(ticked) + L")",
                         folder))
        return;
    int saved = 0;
    Screen::SetCursor(IDC_WAIT);
    c_.sb.SetPanelText(2, L"Ждите...");
    const int rows = c_.lv.Count();
    // The list shows the saved rows unticked, the last one scrolled into view, about ten
    // times a second, not after every row: scrolling and redrawing it per row would cost
    // more than the saving itself.
    ListRedrawThrottle redraw(c_.lv);
    for (int row = 0; row < rows && row < c_.lv.Count(); ++row) {
        if (c_.lv.Checked(row)) {
            const bool small = c_.rg_16x16.Checked();
            const std::wstring caption = c_.lv.CellText(row, 0);
            UniqueIcon icon = GetExtensionIcon(caption, small);
            SaveIconToFile(ExportFileName(folder, caption, small), icon.get());
            icon.reset();
            c_.lv.SetChecked(row, false);
            redraw.ScrollTo(row);
            redraw.Tick();
            Application::ProcessMessages();
            ++saved;
        }
        if (EscapeDown()) {
            redraw.Pause();
            if (StopConfirmed())
                break;
            redraw.Resume();
        }
    }
    Screen::SetCursor(nullptr);
    ::MessageBeep(MB_ICONASTERISK);
    c_.sb.SetPanelText(2, L"Сохранено: (" + std::to_wstring(saved) + L")");
}
