#include <windows.h>

#include "harvest/fileTypeSelector.h"

#include "harvest/harvest_text.h"
#include "ui/dialog_buttons.h"

namespace {

constexpr int kClientWidth = 353;
constexpr int kClientHeight = 124;
constexpr int kButtonBand = 40;

constexpr const wchar_t* kHints[] = {L"Все указанные файлы в этом списке", L"Только в «*.exe»",
                                     L"Только в «*.dll»", L"Только в «*.ico»"};

} // namespace

void Tfrm_fileTypeSelector::Create(HWND owner) {
    CreateForm(L"Поиск в директориях (Остановить - Esc)", kClientWidth, kClientHeight, owner,
               WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME);
    rg_file_type.Create(hwnd_, {12, 16, 329, 53}, L"Искать в файлах: ",
                        {L"Все файлы", L"*.exe", L"*.dll", L"*.ico"}, 4);
    for (int i = 0; i < rg_file_type.Count(); ++i) {
        rg_file_type.Buttons(i).hint = kHints[i];
        AddHint(rg_file_type.Buttons(i));
    }
    rg_file_type.SetItemIndex(0);
    CreateDialogButtons(*this, btn_ok, btn_cancel, Bevel1,
                        {{156, 94, 80, 25}, {240, 94, 80, 25}, kButtonBand}, kClientWidth,
                        kClientHeight);
    SetActiveControl(&rg_file_type.Buttons(0));
    if (owner)
        CenterOver(owner);
}

bool ChooseFileTypeMask(HWND owner, std::wstring& mask) {
    TFormInstance<Tfrm_fileTypeSelector> frm_fileTypeSelector;
    frm_fileTypeSelector.Create(owner);
    if (frm_fileTypeSelector.ShowModal() != mrOk)
        return false;
    mask = FileTypeMask(frm_fileTypeSelector.rg_file_type.ItemIndex());
    return true;
}
