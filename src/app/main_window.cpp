#include <windows.h>
#include <commctrl.h>

#include "app/main_window.h"

#include "../res/resource_ids.h"
#include "catalogue/search_form.h"
#include "catalogue/sort_lv.h"
#include "dialogs/about.h"
#include "dialogs/author_site.h"
#include "shell/explorer_entry.h"
#include "ui/application.h"
#include "util/app_folder.h"

namespace {

// Toolbar pictures (32 x 32), in picture-number order.
constexpr int kToolbarPictures[] = {IDI_PIC_ABOUT,    IDI_PIC_HARVEST, IDI_PIC_SAVE,
                                    IDI_PIC_FILE,     IDI_PIC_EXIT,    IDI_PIC_FIND,
                                    IDI_PIC_EXPLORER, IDI_PIC_REFRESH, IDI_PIC_SELECT};
// Menu pictures (16 x 16), in picture-number order.
constexpr int kMenuPictures[] = {IDI_PIC_EXIT,    IDI_PIC_FIND,     IDI_PIC_SAVE,
                                 IDI_PIC_HARVEST, IDI_PIC_EXPLORER, IDI_PIC_ADD,
                                 IDI_PIC_REMOVE,  IDI_PIC_FILE,     IDI_PIC_ABOUT};
constexpr int kFileMenuPicture = 7;

constexpr int kClientWidth = 795;
constexpr int kClientHeight = 476;
constexpr int kStatusBarHeight = 22;
constexpr int kLinkPanel = 4;

} // namespace

Tfrm_main_quillmont::Tfrm_main_quillmont() = default;
Tfrm_main_quillmont::~Tfrm_main_quillmont() = default;

void Tfrm_main_quillmont::Create() {
    CreateForm(L"Quillmont", kClientWidth, kClientHeight, nullptr);
    MakeMainForm();
    CreatePictures();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateList();
    CreateHiddenControls();
    AddAligned(tb, TAlign::Top);
    AddAligned(sb, TAlign::Bottom);
    AddAligned(lv, TAlign::Client);
    // The menu bar takes height from the client area: restore the designed client size.
    SetClientSize(ScaleForDpi(kClientWidth, hwnd_), ScaleForDpi(kClientHeight, hwnd_));
    Realign();
    // The folder picker opens at the screen's top-left corner.
    fd.DialogPosition = fdpXY;
    fd.DialogX = 5;
    fd.DialogY = 5;
    Position = TPlacement::DesktopCenter;
    ps.StorageManager = &sm;
    ps.StoredProps = {L"<P>.Height",
                      L"<P>.Left",
                      L"<P>.Top",
                      L"<P>.Width",
                      L"chb_show_adv.<P>.Checked",
                      L"lv.<P>.Columns.<ForAllItems>.Width",
                      L"tb.pnl_size_icon.rg_16x16.<P>.Checked",
                      L"tb.pnl_size_icon.rg_32x32.<P>.Checked"};
    SearchFolders.FileMask = L"*.exe,*.dll";
    SearchFolders.DoRecursive = true;
    SearchFolders.Messages = true;
    SearchFolders.OnProcess = [this](TJvSearchFolders& sender, const std::wstring& dir,
                                     std::int32_t files, std::int64_t size) {
        SearchFoldersProcess(sender, dir, files, size);
    };
    SearchFolders.OnChanged = [this](TJvSearchFolders& sender, std::int64_t files,
                                     std::int64_t size) {
        SearchFoldersChanged(sender, files, size);
    };
    FormCreate();
}

void Tfrm_main_quillmont::CreatePictures() {
    ImageList_tb.Create(32);
    for (int id : kToolbarPictures)
        ImageList_tb.AddIconResource(id);
    ImageList1.Create(16);
    for (int id : kMenuPictures)
        ImageList1.AddIconResource(id);
    ImageList_lv_16.Create(16, 256, 256);
    ImageList_lv_32.Create(32, 256, 256);
}

void Tfrm_main_quillmont::CreateMenus() {
    MainMenu1.LoadBar(IDM_MAIN);
    const HMENU bar = MainMenu1.Handle();
    const HMENU fileMenu = ::GetSubMenu(bar, 0);
    const HMENU serviceMenu = ::GetSubMenu(bar, 1);
    MainMenu1.SetPicture(0, ImageList1, kFileMenuPicture, true, bar);
    MainMenu1.SetPicture(ID_N_SEARCH_IN_FILES, ImageList1, 3, false, fileMenu);
    MainMenu1.SetPicture(ID_N_CLOSE, ImageList1, 0, false, fileMenu);
    MainMenu1.SetPicture(ID_N_SEARCH_CAPTION, ImageList1, 1, false, serviceMenu);
    MainMenu1.SetPicture(2, ImageList1, 4, true, serviceMenu); // "Проводник Windows"
    MainMenu1.SetPicture(ID_N5, ImageList1, 5);
    MainMenu1.SetPicture(ID_N7, ImageList1, 6);
    ::SetMenu(hwnd_, MainMenu1.Release());
    OnMenuPopup = [this] { MainMenu1Change(); };

    ppm.LoadPopup(IDM_LIST_POPUP);
    ppm.SetPicture(ID_N_SEARCH, ImageList1, 1);

    commands.Bind(ID_N_SEARCH_IN_FILES, [this] { N_search_in_filesClick(); });
    commands.Bind(ID_N_CLOSE, [this] { N_closeClick(); });
    commands.Bind(ID_N_SEARCH_CAPTION, [this] { N_searchClick(); });
    commands.Bind(ID_N_SEARCH, [this] { N_searchClick(); });
    commands.Bind(ID_N5, [this] { N5Click(0); });
    commands.Bind(ID_N7, [this] { N5Click(1); });
    commands.Bind(ID_N_ABOUT, [this] { N_aboutClick(); });
    commands.Bind(ID_A_ESC, [this] { aEscExecute(); });
    commands.Bind(ID_ACTION1, [this] { Action1Execute(); });
    Application::SetAccelerators(
        hwnd_, ::LoadAcceleratorsW(Application::Instance(), MAKEINTRESOURCEW(IDA_MAIN)));
}

void Tfrm_main_quillmont::CreateToolBar() {
    tb.Create(hwnd_, ImageList_tb.Handle(), 98, 38);
    if (HWND tips = tb.Tooltips()) {
        const auto& hints = Application::Hints();
        ::SendMessageW(tips, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(hints.pauseMs, 0));
        ::SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(hints.hidePauseMs, 0));
        ::SendMessageW(tips, TTM_SETTIPBKCOLOR, hints.color, 0);
    }

    pnl_size_icon.Create(hwnd_, {0, 0, 128, 38});
    pnl_size_icon.hint = L"Размер извлекаемых и сохраняемых иконок";
    Label1.Create(pnl_size_icon.Handle(), {24, 4, 100, 14}, L"Размер иконок:");
    rg_16x16.Create(pnl_size_icon.Handle(), {8, 20, 57, 14}, L"16x16", true);
    rg_32x32.Create(pnl_size_icon.Handle(), {68, 20, 49, 14}, L"32x32", false);
    rg_16x16.SetChecked(true);
    AddHint(pnl_size_icon);
    AddHint(Label1);

    pnl_image.Create(hwnd_, {0, 0, 61, 38});
    Image_icon.Create(pnl_image.Handle(), {0, 0, 61, 38});
    Image_icon.hint = L"Просмотр иконки (32х32)";
    AddHint(Image_icon);

    using Kind = TToolButton::TKind;
    const TToolButton separator{Kind::Separator, {}, {}, -1, 4};
    tb.SetButtons({
        {Kind::Button, L"Найти", L"Извлечь иконки из КЭШа Windows", 5, 0, nullptr,
         [this] { btn_searchClick(); }},
        separator,
        {Kind::Toggle, L"Выбрать", L"Выбрать/снять", 8, 0, nullptr, [this] { btn_selectClick(); }},
        separator,
        {Kind::Button, L"Сохранить", L"Сохранить в файл", 2, 0, nullptr,
         [this] { btn_storeClick(); }},
        separator,
        {Kind::Placeholder, {}, {}, -1, 128, &pnl_size_icon, nullptr},
        separator,
        {Kind::Button, L"Выход", L"Закрыть программу", 4, 0, nullptr, [this] { N_closeClick(); }},
        separator,
        {Kind::Placeholder, {}, {}, -1, 61, &pnl_image, nullptr},
        separator,
    });
    tb.SetBoundsPixels({0, 0, ClientRect().right, ScaleForDpi(40, hwnd_)});
}

void Tfrm_main_quillmont::CreateList() {
    lv.Create(
        hwnd_, {0, 40, 795, 414},
        {{L"Расширение", 110}, {L"Тип файла", 220}, {L"Принадлежность/открыть с помощью...", 320}},
        LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    lv.SetImageLists(ImageList_lv_16.Handle(), ImageList_lv_32.Handle());
    lv.OnClick = [this] { lvClick(); };
    lv.OnColumnClick = [this](int column) { lvColumnClick(column); };
    lv.OnKeyUp = [this](WORD key) { lvKeyUp(key); };
    lv.OnMouseUp = [this](POINT where) { lvMouseUp(where); };
    lv.OnContextMenu = [this](POINT screen) { ShowListMenu(screen); };
}

void Tfrm_main_quillmont::CreateStatusBar() {
    sb.Create(hwnd_, kStatusBarHeight, {130, 200, 350, 600, 50});
    url_panel.Create(hwnd_, {0, 0, 160, 20});
    URLlabel.Create(url_panel.Handle(), {0, 2, 160, 16}, kAuthorSite);
    URLlabel.URL = kAuthorSite;
    URLlabel.SetFontColor(0x000000FF);
    URLlabel.hint = L"Сайт разработчика";
    AddHint(URLlabel);
}

void Tfrm_main_quillmont::CreateHiddenControls() {
    ICOListBox.Create(hwnd_, {0, 0, 100, 100}, true, 16);
    ICOListBox.OnDrawItem = [this](DRAWITEMSTRUCT& item) { ICOListBoxDrawItem(item); };
    ICOListBox.OnMeasureItem = [this](MEASUREITEMSTRUCT& item) { ICOListBoxMeasureItem(item); };
    LIBListBox.Create(hwnd_, {0, 0, 100, 100}, false);
    LIBListBox.OnClick = [this] { LIBListBoxClick(); };
    chb_show_adv.Create(hwnd_, {0, 0, 100, 17}, L"");
    chb_show_adv.SetVisible(false);
    chb_show_adv.SetChecked(true);
}

void Tfrm_main_quillmont::FormCreate() {
    HarvestIcon = std::make_unique<TAdvancedIcon>();
    IconLoader = std::make_unique<TIconLibrary>();
    sb.SetDoubleBuffered();
    HarvestState.StopRequest = false;
    HarvestState.Busy = false;
    PlaceLinkPanel();
}

void Tfrm_main_quillmont::FormResize() {
    if (tb)
        tb.PlaceControls();
    if (sb) {
        sb.ApplyPanels();
        PlaceLinkPanel();
    }
}

bool Tfrm_main_quillmont::ChooseFolder(const std::wstring& Title, std::wstring& Folder) {
    fd.Title = Title;
    if (!fd.Execute())
        return false;
    Folder = fd.Directory;
    return true;
}

void Tfrm_main_quillmont::PlaceLinkPanel() {
    url_panel.SetParent(sb.Handle());
    const RECT r = sb.PanelRect(kLinkPanel);
    url_panel.SetBoundsPixels({r.left + 4, r.top + 1, r.left + 4 + (r.right - r.left - 2),
                               r.top + 1 + (r.bottom - r.top - 2)});
}

void Tfrm_main_quillmont::FormDestroy() {
    if (url_panel)
        url_panel.SetParent(hwnd_);
    // A harvest still running (the window closed from its message pumping) works on these
    // until it sees the window gone; they then go with the window object.
    if (harvest.Running())
        return;
    HarvestIcon.reset();
    IconLoader.reset();
}

void Tfrm_main_quillmont::FormShow() {
    notice.Show();
}

void Tfrm_main_quillmont::N_closeClick() {
    Close();
}

void Tfrm_main_quillmont::N_aboutClick() {
    Tfrm_about::Execute(hwnd_);
}
void Tfrm_main_quillmont::btn_searchClick() {
    if (exporter.Running())
        return;
    HarvestState.StopRequest = false;
    catalogue.Scan();
}

void Tfrm_main_quillmont::btn_selectClick() {
    catalogue.SelectAll();
}

void Tfrm_main_quillmont::btn_storeClick() {
    if (!catalogue.Scanning() && !harvest.Running())
        exporter.Run();
}
void Tfrm_main_quillmont::N_search_in_filesClick() {
    if (!exporter.Running())
        harvest.Run();
}
void Tfrm_main_quillmont::N_searchClick() {
    // A list being filled has no stable rows to step through.
    if (!catalogue.Scanning())
        FindInCatalogue(hwnd_, lv);
}
void Tfrm_main_quillmont::N5Click(int tag) {
    TExplorerEntry(ExePath()).Execute(tag);
}
void Tfrm_main_quillmont::lvClick() {
    catalogue.ShowPreview();
}

void Tfrm_main_quillmont::lvColumnClick(int column) {
    if (!catalogue.Scanning())
        SortByColumn(lv, column);
}

void Tfrm_main_quillmont::lvKeyUp(WORD) {
    catalogue.ShowPreview();
}
void Tfrm_main_quillmont::lvMouseUp(POINT where) {
    catalogue.MouseUp(where);
}
void Tfrm_main_quillmont::ppmPopup() {
    ppm.SetEnabled(ID_N_SEARCH, lv.Count() > 0);
}
// Runs whenever the menu opens and before a menu shortcut acts (the system initialises the
// menu first), so Ctrl+F follows the list as closely as the menu item does.
void Tfrm_main_quillmont::MainMenu1Change() {
    ::EnableMenuItem(::GetMenu(hwnd_), ID_N_SEARCH_CAPTION,
                     MF_BYCOMMAND | (lv.Count() > 0 ? MF_ENABLED : MF_GRAYED));
}
void Tfrm_main_quillmont::aEscExecute() {
    harvest.AskStop();
}
void Tfrm_main_quillmont::Action1Execute() {
    chb_show_adv.SetChecked(true);
}
void Tfrm_main_quillmont::LIBListBoxClick() {
    ShowSelectedIcon();
}
void Tfrm_main_quillmont::FillLibList() {
    preview.FillLibList();
}
void Tfrm_main_quillmont::ShowSelectedIcon() {
    preview.ShowSelectedIcon();
}
void Tfrm_main_quillmont::FillImageList() {
    preview.FillImageList();
}
void Tfrm_main_quillmont::ICOListBoxDrawItem(DRAWITEMSTRUCT& item) {
    preview.DrawItem(item);
}
void Tfrm_main_quillmont::ICOListBoxMeasureItem(MEASUREITEMSTRUCT& item) {
    preview.MeasureItem(item);
}
void Tfrm_main_quillmont::SearchFoldersProcess(TJvSearchFolders&, const std::wstring& Dir,
                                               std::int32_t CountFiles, std::int64_t SizeOfFiles) {
    harvest.WalkProgress(Dir, CountFiles, SizeOfFiles);
}
void Tfrm_main_quillmont::SearchFoldersChanged(TJvSearchFolders&, std::int64_t CountFiles,
                                               std::int64_t SizeOfFiles) {
    harvest.ProcessFoundFiles(CountFiles, SizeOfFiles);
}

void Tfrm_main_quillmont::ShowListMenu(POINT screen) {
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: open the menu at the list's top-left corner.
        screen = {0, 0};
        ::ClientToScreen(lv.Handle(), &screen);
    }
    ppmPopup();
    if (const UINT id = ppm.Track(hwnd_, screen))
        commands.Execute(id);
}

void Tfrm_main_quillmont::HandleMenuCommand(WORD id) {
    if (!commands.Execute(id))
        TForm::HandleMenuCommand(id);
}
