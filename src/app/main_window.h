#pragma once
// The main window: toolbar, menus, the catalogue list, status bar, hidden harvest lists and
// keyboard actions. It routes every command to the subsystem that carries it out.

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/PropStorageEh.h"
#include "app/first_show_notice.h"
#include "app/main_window_state.h"
#include "catalogue/catalogue.h"
#include "dialogs/JvUrlLabel.h"
#include "export/export_checked.h"
#include "harvest/icons/AdvancedIcon.h"
#include "harvest/icons/IconLibrary.h"
#include "harvest/picker/JvFolderDialog.h"
#include "harvest/scan/JvSFolders.h"
#include "harvest/harvest_preview.h"
#include "harvest/harvest_run.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/list_box.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/status_bar.h"
#include "ui/tool_bar.h"

class Tfrm_main_quillmont : public TForm {
public:
    Tfrm_main_quillmont();
    ~Tfrm_main_quillmont() override;

    // Creates the window and all its controls (FormCreate runs at the end).
    void Create();

    // Controls, named as the form lays them out.
    TToolBar tb;
    TToolButtonRef btn_search{tb, 0};
    TToolButtonRef btn_select{tb, 2};
    TToolButtonRef btn_store{tb, 4};
    TToolButtonRef btn_close{tb, 8};
    TPanel pnl_size_icon;
    TLabel Label1;
    TRadioButton rg_16x16;
    TRadioButton rg_32x32;
    TPanel pnl_image;
    TImage Image_icon;
    TListView lv;
    TStatusBar sb;
    TListBox ICOListBox;
    TListBox LIBListBox;
    TCheckBox chb_show_adv;
    TPanel url_panel;
    TJvURLlabel URLlabel;

    TMenu MainMenu1;
    TMenu ppm;
    TCommands commands;

    TImageList ImageList_tb;
    TImageList ImageList1;
    TImageList ImageList_lv_16;
    TImageList ImageList_lv_32;

    TCatalogue catalogue{
        {lv, ImageList_lv_16, ImageList_lv_32, sb, Image_icon, rg_16x16, btn_select}};

    TJvFolderDialog fd{this};
    TJvSearchFolders SearchFolders;

    // The window's own fields.
    std::unique_ptr<TAdvancedIcon> HarvestIcon;
    std::unique_ptr<TIconLibrary> IconLoader;
    // The busy flag, the stop request, the counts and the folders of the harvest.
    THarvestState HarvestState;
    std::array<BYTE, 256> KeyboardState{};

    TIconExport exporter{{lv, rg_16x16, sb,
                          [this](const std::wstring& title, std::wstring& folder) {
                              return ChooseFolder(title, folder);
                          },
                          KeyboardState}};
    TFirstShowNotice notice{chb_show_adv};

    // The window-state store and the registry manager it keeps the state with.
    TRegPropStorageManEh sm;
    TPropStorageEh ps{*this, [this] { return StoredComponentsOf(*this); }};
    THarvestPreview preview{{LIBListBox, ICOListBox, Image_icon, HarvestIcon, IconLoader}};
    THarvestRun harvest{
        {*this, sb, Image_icon, fd, SearchFolders, preview, IconLoader, HarvestIcon}, HarvestState};

    // Handlers.
    void FormCreate();
    void FormResize() override;
    void FormDestroy() override;
    void FormShow() override;
    void PlaceLinkPanel();
    // The shared folder picker run with Title; the folder chosen, or false when cancelled.
    bool ChooseFolder(const std::wstring& Title, std::wstring& Folder);
    void N_closeClick();
    void N_aboutClick();
    void btn_searchClick();
    void btn_selectClick();
    void btn_storeClick();
    void N_search_in_filesClick();
    void N_searchClick();
    void N5Click(int tag);
    void lvClick();
    void lvColumnClick(int column);
    void lvKeyUp(WORD key);
    void lvMouseUp(POINT where);
    void ppmPopup();
    void MainMenu1Change();
    void aEscExecute();
    void Action1Execute();
    void LIBListBoxClick();
    void FillLibList();
    void ShowSelectedIcon();
    void FillImageList();
    void ICOListBoxDrawItem(DRAWITEMSTRUCT& item);
    void ICOListBoxMeasureItem(MEASUREITEMSTRUCT& item);
    void SearchFoldersProcess(TJvSearchFolders& Sender, const std::wstring& Dir,
                              std::int32_t CountFiles, std::int64_t SizeOfFiles);
    void SearchFoldersChanged(TJvSearchFolders& Sender, std::int64_t CountFiles,
                              std::int64_t SizeOfFiles);

protected:
    void HandleMenuCommand(WORD id) override;

private:
    void CreatePictures();
    void CreateToolBar();
    void CreateList();
    void CreateStatusBar();
    void CreateHiddenControls();
    void CreateMenus();
    void ShowListMenu(POINT screen);
};
