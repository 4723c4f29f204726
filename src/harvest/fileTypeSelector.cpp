#include <windows.h>

#include "harvest/fileTypeSelector.h"

#include "harvest/harvest_text.h"

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
    btn_ok.Create(hwnd_, {156, 94, 80, 25}, L"OK");
    btn_ok.modalResult = mrOk;
    btn_cancel.Create(hwnd_, {240, 94, 80, 25}, L"Отмена");
    btn_cancel.modalResult = mrCancel;
    Bevel1.Create(hwnd_, {0, kClientHeight - kButtonBand, kClientWidth, 2}, SS_ETCHEDHORZ);
    SetDefaultButton(&btn_ok);
    SetCancelButton(&btn_cancel);
    SetActiveControl(&rg_file_type.Buttons(0));
    if (owner)
        CenterOver(owner);
}

bool ChooseFileTypeMask(HWND owner, std::wstring& Mask) {
    FormInstance<Tfrm_fileTypeSelector> frm_fileTypeSelector;
    frm_fileTypeSelector.Create(owner);
    if (frm_fileTypeSelector.ShowModal() != mrOk)
        return false;
    Mask = FileTypeMask(frm_fileTypeSelector.rg_file_type.ItemIndex());
    return true;
}
