#include <windows.h>

#include "catalogue/search_form.h"

#include <string>

#include "catalogue/find_text.h"
#include "dialogs/u_msgDlg.h"
#include "ui/dialog_buttons.h"
#include "ui/list_view.h"

namespace {

constexpr int kClientWidth = 367;
constexpr int kClientHeight = 139;
constexpr int kButtonStrip = 46;

} // namespace

void Tfrm_search::Create(HWND owner) {
    CreateForm(L"Поиск", kClientWidth, kClientHeight, owner, WS_POPUP | WS_CAPTION | WS_SYSMENU,
               WS_EX_DLGMODALFRAME);
    Label1.Create(hwnd_, {68, 27, 0, 0}, L"Расширение:");
    Label1.SizeToText();
    edt_search.Create(hwnd_, {68, 44, 233, 21});
    CreateDialogButtons(*this, btn_ok, btn_cancel, Bevel1,
                        {{184, 104, 80, 24}, {268, 104, 80, 24}, kButtonStrip}, kClientWidth,
                        kClientHeight);
    SetActiveControl(&edt_search);
    if (owner)
        CenterOver(owner);
}

void FindInCatalogue(HWND owner, TListView& lv) {
    TFormInstance<Tfrm_search> frm_search;
    frm_search.Create(owner);
    if (frm_search.ShowModal() != mrOk)
        return;
    const std::wstring entry = frm_search.edt_search.Text();
    if (IsBlankEntry(entry))
        return;
    int hits = 0;
    for (int row = 0; row < lv.Count(); ++row) {
        if (!IsHit(lv.CellText(row, 0), entry))
            continue;
        lv.Select(row);
        lv.MakeVisible(row, true);
        lv.Focus();
        ++hits;
        // Asked after each hit; only No ends the find.
        if (AskYesNoDlg(std::wstring(kFindTitle), FindQuestionText(entry)) == mrNo)
            return;
    }
    ::MessageBeep(MB_ICONASTERISK);
    ReportDlg(mtInformation, FindReportTitle(entry), FindReportText(hits));
}
