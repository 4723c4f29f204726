#include <windows.h>

#include "dialogs/about.h"

#include "../res/resource_ids.h"
#include "dialogs/author_site.h"
#include "ui/application.h"
#include "util/date_time_text.h"
#include "util/exe_file_date.h"
#include "util/exe_version.h"

namespace {

constexpr int kClientWidth = 506;
constexpr int kClientHeight = 255;
constexpr int kBevelHeight = 47;
constexpr COLORREF kNavy = 0x00800000;
constexpr COLORREF kLinkRed = 0x000000FF;

// The author's contact lines: placeholders under reserved example names.
const wchar_t* const kAuthorMail = L"author@example.org";
const wchar_t* const kAuthorPage = L"quillmont.example.org/index/0-42";

// " от: " and the executable's date; empty when the date cannot be read.
std::wstring DatePart() {
    try {
        return L" от: " + DateTimeText(ExeFileDate());
    } catch (...) {
        return {};
    }
}

std::wstring VersionLine() {
    try {
        return L"Версия программы: " + ExeVersionText() + DatePart();
    } catch (...) {
        return {};
    }
}

} // namespace

void Tfrm_about::Create(HWND MainWindow) {
    // No system menu: no close box either, so only the OK button (or Enter) closes it.
    CreateForm(L"О программе", kClientWidth, kClientHeight, Application::Handle(),
               WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN);
    Image.Create(hwnd_, {16, 20, 48, 48});
    picture_.reset(static_cast<HICON>(::LoadImageW(
        Application::Instance(), MAKEINTRESOURCEW(IDI_PIC_PROGRAM48), IMAGE_ICON, 48, 48, 0)));
    Image.SetIcon(picture_.get());
    CreateLabel(Label6, {86, 15, 383, 19}, L"Сбор иконок типов файлов, программ и библиотек", 16);
    CreateLabel(Label1, {86, 44, 191, 23}, L"\"Quillmont\"", 19);
    CreateLabel(Label4, {86, 79, 163, 13}, L"Разработка и сопровождение:");
    CreateLabel(Label2, {86, 99, 93, 13}, L"Команда Quillmont");
    CreateLink(E_mail_label, {232, 100, 75, 13}, kAuthorMail);
    E_mail_label.UrlType = TUrlType::Mail;
    E_mail_label.URL = kAuthorMail;
    E_mail_label.hint = L"Написать письмо";
    CreateLink(URLlabel1, {348, 100, 101, 13}, kAuthorSite);
    URLlabel1.URL = kAuthorPage;
    URLlabel1.hint = L"Открыть страничку программы";
    CreateLabel(Label3, {86, 119, 100, 16}, L"+0 (000) 000-00-00", 13);
    CreateLabel(Label5, {222, 119, 40, 13}, L"г. Энск");
    CreateLabel(lbl_version, {86, 139, 51, 13}, L"");
    OnStaticColors = [this](const TControl& control, TStaticColors& colors) {
        if (&control == &lbl_version)
            colors.text = kNavy;
    };
    CreateLabel(lbl_main_name, {86, 160, 317, 13},
                L"Программа для свободного распространения и использования");
    CreateLabel(Label7, {86, 185, 212, 11}, L"Приму советы по улучшению данной программы", 9);
    Bevel1.Create(hwnd_, {0, kClientHeight - kBevelHeight, kClientWidth, 2}, SS_ETCHEDHORZ);
    BitBtn1.Create(hwnd_, {396, 218, 81, 25}, L"OK");
    glyph_.reset(static_cast<HICON>(::LoadImageW(
        Application::Instance(), MAKEINTRESOURCEW(IDI_PIC_OK_GLYPH), IMAGE_ICON, 16, 16, 0)));
    ::SendMessageW(BitBtn1.Handle(), BM_SETIMAGE, IMAGE_ICON,
                   reinterpret_cast<LPARAM>(glyph_.get()));
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    SetDefaultButton(&BitBtn1);
    SetActiveControl(&BitBtn1);
    FormResize();
    CenterOver(MainWindow);
    FormCreate();
}

void Tfrm_about::CreateLabel(TLabel& label, const TBounds& bounds, const std::wstring& caption,
                             int fontHeight) {
    label.Create(hwnd_, bounds, caption);
    if (fontHeight > 0) {
        UniqueFont& font = fonts_.emplace_back();
        font.reset(::CreateFontW(-ScaleForDpi(fontHeight, hwnd_), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma"));
        label.SetFont(font.get());
    }
    label.SizeToText();
}

void Tfrm_about::CreateLink(TJvURLlabel& link, const TBounds& bounds, const std::wstring& caption) {
    link.Create(hwnd_, bounds, caption);
    link.SetFontColor(kLinkRed);
    link.SizeToText();
    AddHint(link);
}

void Tfrm_about::Execute(HWND MainWindow) {
    TFormInstance<Tfrm_about> frm_about;
    frm_about.Create(MainWindow);
    // Its owner stands for the whole program; the main window is disabled as a modal
    // window's owner would be, and is the active window again after it.
    frm_about.ShowModal(MainWindow);
}

void Tfrm_about::FormCreate() {
    lbl_version.SetText(VersionLine());
    lbl_version.SizeToText();
}

void Tfrm_about::FormShow() {
    Image.SetBounds({16, 20, 48, 48});
    ::InvalidateRect(Image.Handle(), nullptr, TRUE);
}

void Tfrm_about::BitBtn1Click() {
    SetModalResult(mrOk);
}

// The divider's line runs along the top of the window's bottom strip, whatever its size.
void Tfrm_about::FormResize() {
    if (!Bevel1)
        return;
    const RECT area = ClientRect();
    const int top = area.bottom - ScaleForDpi(kBevelHeight, hwnd_);
    Bevel1.SetBoundsPixels({0, top, area.right, top + 2});
}
