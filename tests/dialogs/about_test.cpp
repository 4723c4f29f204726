// The about window's layout, version line and keys, and the link label's colours and mail
// parts, on real windows.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "dialogs/about.h"
#include "message_dialog_driving.h"
#include "support/dialog_answerer.h"
#include "ui/application.h"
#include "util/date_time_text.h"
#include "util/exe_file_date.h"
#include "util/exe_version.h"

namespace {

class MainStandIn : public Form {
public:
    MainStandIn() {
        CreateForm(L"Главное", 700, 500, nullptr);
        ::SetWindowPos(hwnd_, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Show();
    }
};

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
    }
    MainStandIn main;
};

// A control's bounds in its parent's client area, in 96-DPI pixels (the tests run at 96).
Bounds BoundsOf(const Control& control) {
    RECT r{};
    ::GetWindowRect(control.Handle(), &r);
    ::MapWindowPoints(nullptr, ::GetParent(control.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

POINT Centre(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace

TEST_F(AboutTest, LaidOutOverTheMainWindow) {
    Tfrm_about about;
    about.Create(main.Handle());
    const RECT client = about.ClientRect();
    EXPECT_EQ(client.right, 506);
    EXPECT_EQ(client.bottom, 255);
    const auto style = ::GetWindowLongPtrW(about.Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_SYSMENU); // no close box
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_EQ(::GetWindow(about.Handle(), GW_OWNER), Application::Handle());
    EXPECT_NEAR(Centre(about.Handle()).x, Centre(main.Handle()).x, 1);
    EXPECT_NEAR(Centre(about.Handle()).y, Centre(main.Handle()).y, 1);

    const Bounds image = BoundsOf(about.Image);
    EXPECT_EQ(image.left, 16);
    EXPECT_EQ(image.top, 20);
    EXPECT_EQ(image.width, 48);
    EXPECT_EQ(image.height, 48);
    EXPECT_NE(about.Image.Icon(), nullptr);
    const Bounds button = BoundsOf(about.BitBtn1);
    EXPECT_EQ(button.left, 396);
    EXPECT_EQ(button.top, 218);
    EXPECT_EQ(button.width, 81);
    EXPECT_EQ(button.height, 25);
    EXPECT_EQ(BoundsOf(about.Bevel1).top, 255 - 47);
    EXPECT_EQ(BoundsOf(about.lbl_version).left, 86);
    EXPECT_EQ(BoundsOf(about.lbl_version).top, 139);
    EXPECT_EQ(BoundsOf(about.URLlabel1).left, 348);
    EXPECT_EQ(about.lbl_main_name.Text(),
              L"Программа для свободного распространения и использования");

    EXPECT_EQ(about.E_mail_label.Target(), L"mailto:author@example.org?Subject=&Body=");
    EXPECT_EQ(about.URLlabel1.Target(), L"http://quillmont.example.org/index/0-42");
    EXPECT_EQ(about.E_mail_label.hint, L"Написать письмо");
    EXPECT_EQ(about.URLlabel1.hint, L"Открыть страничку программы");
    EXPECT_EQ(about.URLlabel1.FontColor(), 0x000000FFu);
    EXPECT_EQ(TextColorOf(about.Handle(), about.lbl_version.Handle()), 0x00800000u);
}

TEST_F(AboutTest, VersionLineHasTheVersionAndTheFileDate) {
    Tfrm_about about;
    about.Create(main.Handle());
    // The test program has no version information: the date part follows directly.
    EXPECT_EQ(ExeVersionText(), L"");
    EXPECT_EQ(about.lbl_version.Text(), L"Версия программы:  от: " + DateTimeText(ExeFileDate()));
}

TEST_F(AboutTest, EscKeepsItOpenEnterClosesIt) {
    bool openAfterEsc = false;
    bool mainDisabled = false;
    DialogAnswerer answer(
        [&](HWND dialog) {
            mainDisabled = !::IsWindowEnabled(main.Handle());
            PressKey(dialog, VK_ESCAPE);
            PumpMessagesFor(300);
            openAfterEsc = ::IsWindowVisible(dialog) != FALSE;
            PressKey(dialog, VK_RETURN);
        },
        kFormClass);
    Tfrm_about::Execute(main.Handle());
    EXPECT_EQ(answer.Answered(), 1u);
    EXPECT_TRUE(openAfterEsc);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(::IsWindowEnabled(main.Handle()));
}

TEST_F(AboutTest, LinkColourFollowsThePointer) {
    TJvURLlabel link;
    link.Create(main.Handle(), {10, 10, 100, 16}, L"link");
    EXPECT_EQ(link.FontColor(), TJvURLlabel::kBlue);
    link.SetFontColor(0x000000FF);
    link.ActiveColor = 0x0000FF00;
    int entered = 0, left = 0;
    link.OnMouseEnter = [&](TJvURLlabel&) { ++entered; };
    link.OnMouseLeave = [&](TJvURLlabel&) { ++left; };
    ::SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(link.FontColor(), 0x0000FF00u);
    ::SendMessageW(link.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(link.FontColor(), TJvURLlabel::kBlue); // blue, not the red it started with
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);

    link.DetectMouse = false;
    link.SetFontColor(0x000000FF);
    ::SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageW(link.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(link.FontColor(), 0x000000FFu);
}

TEST_F(AboutTest, MailPartsOnlyOnAMailLink) {
    TJvURLlabel link;
    link.Create(main.Handle(), {10, 10, 100, 16}, L"link");
    std::wstring shown;
    {
        DialogAnswerer answer([&](HWND dialog) {
            for (const std::wstring& text : DescendantTexts(dialog))
                if (text.find(L"MAIL") != std::wstring::npos)
                    shown = text;
            PressButton(dialog, IDOK);
        });
        link.SetMailSubject(L"subject");
        EXPECT_EQ(answer.Answered(), 1u);
    }
    EXPECT_NE(shown.find(L"Must be only on MAIL type"), std::wstring::npos);
    EXPECT_EQ(link.MailSubject(), L"");

    link.UrlType = TUrlType::Mail;
    link.URL = L"a@example.org";
    link.SetMailSubject(L"a\"b");
    EXPECT_EQ(link.Target(), L"mailto:a@example.org?Subject=a%22b&Body=");
}
