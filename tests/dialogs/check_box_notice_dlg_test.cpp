// CheckBoxNoticeDlg shown for real: its title, captions, size and check box by theme, the
// check box state it reports and the result rule.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/first_show_notice.h"
#include "dialogs/u_msgDlg.h"
#include "message_dialog_driving.h"
#include "support/dialog_answerer.h"
#include "ui/cursor.h"
#include "util/visual_theme.h"

namespace {

class CheckBoxNoticeDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
    }

    // Shows the notice; handler answers it. Returns the result, the box state in checked.
    bool Show(bool yesNo, DialogAnswerer::Handler handler, bool& checked) {
        DialogAnswerer answer(std::move(handler), kFormClass);
        checked = true; // the routine must overwrite it
        const bool result = CheckBoxNoticeDlg(checked, L"Уведомление",
                                              L"Больше не показывать это сообщение", yesNo);
        EXPECT_EQ(answer.Answered(), 1u);
        return result;
    }
};

HWND CheckBoxOf(HWND dialog) {
    for (HWND child : Descendants(dialog)) {
        if ((::GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX &&
            WindowClass(child) == L"Button")
            return child;
    }
    return nullptr;
}

DialogAnswerer::Handler TickAndPress(bool tick, WPARAM key) {
    return [tick, key](HWND dialog) {
        if (tick)
            ::SendMessageW(CheckBoxOf(dialog), BM_CLICK, 0, 0);
        PressKey(dialog, key);
    };
}

} // namespace

TEST_F(CheckBoxNoticeDlgTest, TitleCaptionsAndLayoutByTheme) {
    std::wstring title, message, box, hint;
    std::vector<std::wstring> captions;
    RECT window{}, boxRect{};
    bool startsTicked = true, topMost = true;
    bool checked = false;
    Show(
        true,
        [&](HWND dialog) {
            TMessageForm& form = MessageFormOf(dialog);
            title = form.Text();
            message = form.FindComponent(L"Message")->Text();
            for (const auto& b : form.Buttons())
                captions.push_back(b->Text());
            const HWND check = CheckBoxOf(dialog);
            ASSERT_NE(check, nullptr);
            box = WindowText(check);
            hint = TControl::FromHandle(check)->hint;
            startsTicked = ::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
            ::GetWindowRect(dialog, &window);
            ::GetWindowRect(check, &boxRect);
            ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&boxRect), 2);
            topMost = (::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            PressKey(dialog, VK_ESCAPE);
        },
        checked);
    EXPECT_EQ(title, L"Напоминание");
    EXPECT_EQ(message, L"\r\nУведомление");
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"&Да", L"&Нет"}));
    EXPECT_EQ(box, L"Больше не показывать это сообщение");
    EXPECT_EQ(hint, L"Я всё понял!");
    EXPECT_FALSE(startsTicked);
    EXPECT_FALSE(topMost);
    const bool themed = VisualThemeActive();
    EXPECT_EQ(window.bottom - window.top, themed ? 200 : 190);
    EXPECT_EQ(boxRect.left, 12);
    EXPECT_EQ(boxRect.top, themed ? 146 : 130);
    EXPECT_EQ(boxRect.right - boxRect.left, 260);
}

TEST_F(CheckBoxNoticeDlgTest, TrueOnlyForYesAndReportsTheBox) {
    bool checked = false;
    EXPECT_TRUE(Show(true, TickAndPress(false, VK_RETURN), checked));
    EXPECT_FALSE(checked);
    EXPECT_TRUE(Show(true, TickAndPress(true, VK_RETURN), checked));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(Show(true, TickAndPress(true, VK_ESCAPE), checked));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(Show(true, PressCloseBox, checked));
    EXPECT_FALSE(checked);
}

TEST_F(CheckBoxNoticeDlgTest, OkOnlyAlwaysGivesFalse) {
    bool checked = false;
    std::vector<std::wstring> captions;
    EXPECT_FALSE(Show(
        false,
        [&](HWND dialog) {
            for (const auto& b : MessageFormOf(dialog).Buttons())
                captions.push_back(b->Text());
            TickAndPress(true, VK_RETURN)(dialog);
        },
        checked));
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"OK"}));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(Show(false, PressCloseBox, checked));
    EXPECT_FALSE(checked);
}

TEST_F(CheckBoxNoticeDlgTest, LeavesTheScreenCursorAlone) {
    TCursorScope wait(IDC_WAIT);
    bool checked = false;
    Show(false, TickAndPress(false, VK_RETURN), checked);
    EXPECT_EQ(Screen::Cursor(), IDC_WAIT);
}

TEST_F(CheckBoxNoticeDlgTest, TheNoticeTextIsDrawnWhole) {
    TFormInstance<TMessageForm> notice;
    notice.Build(WithLeadingLineBreak(TFirstShowNotice::Text()), mtInformation, mbOKOnly);
    EXPECT_TRUE(DrawnWhole(notice.FindComponent(L"Message")->Handle()));
}
