#include <windows.h>

#include "app/main_window_state.h"

#include "app/main_window.h"
#include "app/stored_controls.h"

std::unique_ptr<TStoredComponent> StoredComponentsOf(Tfrm_main_quillmont& frm) {
    auto window = std::make_unique<TStoredForm>(frm, L"frm_main_quillmont", L"Tfrm_main_quillmont");
    window->Add(std::make_unique<TStoredCheckBox>(frm.chb_show_adv, L"chb_show_adv", L"TCheckBox"));
    window->Add(std::make_unique<TStoredListView>(frm.lv, L"lv", L"TListView"));
    auto& panel = window->Add(std::make_unique<TStoredComponent>(L"tb", L"TToolBar"))
                      .Add(std::make_unique<TStoredComponent>(L"pnl_size_icon", L"TPanel"));
    panel.Add(std::make_unique<TStoredCheckBox>(frm.rg_16x16, L"rg_16x16", L"TRadioButton"));
    panel.Add(std::make_unique<TStoredCheckBox>(frm.rg_32x32, L"rg_32x32", L"TRadioButton"));
    return window;
}
