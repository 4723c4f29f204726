// The about window's layout, version line and keys, and the link label's colours.

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/about.h"
#include "message_dialog_driving.h"
#include "ui/application.h"
#include "util/date_time_text.h"
#include "util/exe_file_date.h"

namespace {

// The main window the about window is shown over.
class MainStandIn : public TForm {
public:
    MainStandIn() {
        CreateForm(L"Главное", 700, 500, nullptr);
        ::SetWindowPos(hwnd_, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Show();
    }
};

class AboutTest : public ::testing::Test {
protected:
    TFormInstance<MainStandIn> main_;
    const HWND hwnd_ = main_.Handle();
};

using Place = std::array<LONG, 4>;

// A control's left, top, right and bottom in its parent's client area (tests run at 96 DPI).
Place PlaceOf(const TControl& control) {
    RECT r{};
    ::GetWindowRect(control.Handle(), &r);
    ::MapWindowPoints(nullptr, ::GetParent(control.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

LONG CentreX(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return (r.left + r.right) / 2;
}

HWND mainWindow;
bool enabledAtHide;

// Notes whether the main window is enabled when another window of the thread hides.
LRESULT CALLBACK WatchHiding(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<CWPSTRUCT*>(lp);
    if (call->message == WM_SHOWWINDOW && !call->wParam && call->hwnd != mainWindow)
        enabledAtHide = ::IsWindowEnabled(mainWindow) != FALSE;
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

} // namespace

TEST_F(AboutTest, LaidOutOverTheMainWindowWithTheVersionLine) {
    TFormInstance<Tfrm_about> about;
    about.Create(hwnd_);
    EXPECT_EQ(about.ClientRect().right, 506);
    EXPECT_EQ(about.ClientRect().bottom, 255);
    const auto style = ::GetWindowLongPtrW(about.Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_SYSMENU); // no close box
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_EQ(::GetWindow(about.Handle(), GW_OWNER), Application::Handle());
    EXPECT_NEAR(CentreX(about.Handle()), CentreX(hwnd_), 1);

    EXPECT_EQ(PlaceOf(about.Image), (Place{16, 20, 64, 68}));
    EXPECT_EQ(PlaceOf(about.BitBtn1), (Place{396, 218, 477, 243}));
    EXPECT_EQ(PlaceOf(about.Bevel1)[1], 255 - 47);
    EXPECT_EQ(PlaceOf(about.lbl_version)[1], 139);
    for (const TLabel* label :
         {&about.Label6, &about.Label1, &about.Label4, &about.Label2, &about.Label3, &about.Label5,
          &about.lbl_version, &about.lbl_main_name, &about.Label7})
        EXPECT_TRUE(DrawnWhole(label->Handle())) << WindowText(label->Handle());
    EXPECT_EQ(about.URLlabel1.Target(), L"http://quillmont.example.org/index/0-42");
    EXPECT_EQ(about.E_mail_label.Target(), L"mailto:author@example.org?Subject=&Body=");
    EXPECT_EQ(TextColorOf(about.Handle(), about.lbl_version.Handle()), 0x00800000u);
    // The test program has no version information: the date part follows directly.
    EXPECT_EQ(about.lbl_version.Text(), L"Версия программы:  от: " + DateTimeText(ExeFileDate()));
}

TEST_F(AboutTest, EscKeepsItOpenEnterClosesItAndTheMainWindowIsActiveAgain) {
    bool openAfterEsc = false, mainDisabled = false;
    DialogAnswerer answer(
        [&](HWND dialog) {
            mainDisabled = !::IsWindowEnabled(hwnd_);
            PressKey(dialog, VK_ESCAPE);
            PumpMessagesFor(300);
            openAfterEsc = ::IsWindowVisible(dialog) != FALSE;
            PressKey(dialog, VK_RETURN);
        },
        kFormClass);
    // A disabled main window at the moment the about window hides would let the system
    // activate another program's window.
    mainWindow = hwnd_;
    enabledAtHide = false;
    const HHOOK hook =
        ::SetWindowsHookExW(WH_CALLWNDPROC, WatchHiding, nullptr, ::GetCurrentThreadId());
    Tfrm_about::Execute(hwnd_);
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(answer.Answered(), 1u);
    EXPECT_TRUE(openAfterEsc);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(enabledAtHide);
    EXPECT_EQ(::GetActiveWindow(), hwnd_);
}

// Real mouse input: the system makes the second press of a double-click a double-click
// message, and a press made elsewhere is no click of the label.
TEST_F(AboutTest, WebLinkOpensOnceForADoubleClickAndNotForAPressElsewhere) {
    std::vector<std::wstring> opened;
    DialogAnswerer answer(
        [&](HWND dialog) {
            auto& about = dynamic_cast<Tfrm_about&>(*TControl::FromHandle(dialog));
            about.URLlabel1.Open = [&](const std::wstring& target) { opened.push_back(target); };
            RECT link{};
            ::GetWindowRect(about.URLlabel1.Handle(), &link);
            const auto mouse = [](POINT at, DWORD flags) { // input at a point of the screen
                INPUT input{INPUT_MOUSE};
                input.mi = {MulDiv(at.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1),
                            MulDiv(at.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1),
                            0,
                            flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                            0,
                            0};
                ::SendInput(1, &input, sizeof(input));
            };
            const POINT on{(link.left + link.right) / 2, (link.top + link.bottom) / 2};
            const POINT below{on.x, link.bottom + 12};
            constexpr DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
            // A double-click, then a press below the label released over it.
            for (const auto& [at, flags] :
                 {std::pair{on, down}, {on, up}, {on, down}, {on, up}, {below, down}, {on, up}})
                mouse(at, flags);
            PumpMessagesFor(300);
            PressKey(dialog, VK_RETURN);
        },
        kFormClass);
    Tfrm_about::Execute(hwnd_);
    EXPECT_EQ(answer.Answered(), 1u);
    EXPECT_EQ(opened, std::vector<std::wstring>{L"http://quillmont.example.org/index/0-42"});
}

TEST_F(AboutTest, LinkTurnsActiveOverItAndBlueAfterIt) {
    TJvURLlabel link;
    link.Create(hwnd_, {10, 10, 100, 16}, L"link");
    link.SetFontColor(0x000000FF);
    link.ActiveColor = 0x0000FF00;
    ::SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(link.FontColor(), 0x0000FF00u);
    ::SendMessageW(link.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(link.FontColor(), TJvURLlabel::kBlue); // not the red it started with

    link.DetectMouse = false;
    link.SetFontColor(0x000000FF);
    ::SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageW(link.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(link.FontColor(), 0x000000FFu);
}
