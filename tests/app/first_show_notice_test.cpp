// The notice shown at start: the real dialog before the window, its box turning it off for
// the next start, Ctrl+F5 turning it on again, and a failing notice logged.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialogs/message_dialog_driving.h"
#include "support/dialog_answerer.h"
#include "support/scratch_folder.h"
#include "util/app_folder.h"
#include "util/exception.h"
#include "window_start.h"

namespace {

using FirstShowNoticeTest = WindowStartTest;

HWND CheckBoxOf(HWND dialog) {
    for (HWND child : Descendants(dialog)) {
        if ((::GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            return child;
    }
    return nullptr;
}

} // namespace

TEST_F(FirstShowNoticeTest, ComesBeforeTheWindowItsBoxTurnsItOffAndCtrlF5BackOn) {
    bool windowVisible = true;
    std::wstring text, box;
    DialogAnswerer answer(
        [&](HWND dialog) {
            const HWND mainWindow = ::FindWindowW(L"QuillmontForm", L"Quillmont");
            windowVisible = !mainWindow || ::IsWindowVisible(mainWindow);
            text = MessageFormOf(dialog).FindComponent(L"Message")->Text();
            box = WindowText(CheckBoxOf(dialog));
            ::SendMessageW(CheckBoxOf(dialog), BM_CLICK, 0, 0);
            PressKey(dialog, VK_RETURN);
        },
        kFormClass);
    auto frm = Start(true);
    ASSERT_EQ(answer.Answered(), 1u);
    EXPECT_FALSE(windowVisible);
    EXPECT_EQ(text, L"\r\n" + TFirstShowNotice::Text());
    EXPECT_EQ(box, L"Больше не показывать это сообщение");
    EXPECT_FALSE(frm->chb_show_adv.Checked());
    EXPECT_EQ(opened, std::vector<std::wstring>{TFirstShowNotice::PageAddress()});
    Close(frm);

    frm = Start();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(opened.size(), 1u) << "no page without the notice";
    ::SetForegroundWindow(frm->Handle());
    {
        HeldKeys ctrl;
        ::PostMessageW(frm->lv.Handle(), WM_KEYDOWN, VK_F5, 1);
        Application::ProcessMessages();
    }
    EXPECT_TRUE(frm->chb_show_adv.Checked());
    EXPECT_EQ(asked, 0) << "Ctrl+F5 shows nothing now";
    Close(frm);

    frm = Start();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(opened.size(), 2u);
    Close(frm);
}

TEST_F(FirstShowNoticeTest, AFailingNoticeIsLoggedAndThePageStillOpens) {
    std::unique_ptr<Tfrm_main_quillmont> frm =
        std::make_unique<TFormInstance<Tfrm_main_quillmont>>();
    frm->Create();
    frm->notice.Ask = [](bool&, const std::wstring&, const std::wstring&, bool) -> bool {
        throw Exception(L"notice broke");
    };
    frm->notice.OpenPage = [this](const std::wstring& page) { opened.push_back(page); };
    frm->Show();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(frm->chb_show_adv.Checked());
    EXPECT_TRUE(errors.empty()) << "the user sees nothing of it";
    const auto log = ReadFileBytes(AppFolder() + L"error.log");
    const std::string text(log.begin(), log.end());
    EXPECT_NE(text.rfind("Error \xB9 502a notice broke\r\n"), std::string::npos);
    Close(frm);
}
