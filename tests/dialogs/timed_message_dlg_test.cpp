// TimedMessageDlg shown for real and answered from the test's thread: result codes by key and
// close box, captions, text, countdown, clipboard copy, colours, placement and geometry.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "dialogs/u_msgDlg.h"
#include "message_dialog_driving.h"
#include "support/dialog_answerer.h"
#include "ui/cursor.h"
#include "ui/form.h"

namespace {

class TimedMessageDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
    }

    // Shows a question (Yes, No) or report (OK) without countdown, answered by handler.
    int Show(TMsgDlgButtons buttons, DialogAnswerer::Handler handler,
             const std::wstring& text = L"Текст", TColor color = clBtnFace) {
        DialogAnswerer answer(std::move(handler), kFormClass);
        const int result =
            TimedMessageDlg(L"Заголовок", text, mtConfirmation, buttons, false, 0, color, false);
        EXPECT_EQ(answer.Answered(), 1u);
        return result;
    }
};

DialogAnswerer::Handler Key(WPARAM key) {
    return [key](HWND dialog) { PressKey(dialog, key); };
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE memory = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(::GlobalLock(memory))) {
            text = data;
            ::GlobalUnlock(memory);
        }
    }
    ::CloseClipboard();
    return text;
}

RECT WindowRectOf(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

// A plain top-level window of the test, shown and active, for the dialogs to centre over.
class ActiveWindow : public TForm {
public:
    ActiveWindow(int left, int top, int width, int height) {
        CreateForm(L"Владелец", 100, 100, nullptr, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU);
        ::SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER);
        Show();
        ::SetActiveWindow(hwnd_);
        ::SetForegroundWindow(hwnd_);
    }
};

} // namespace

TEST_F(TimedMessageDlgTest, YesNoAnswersByEnterEscAndCloseBox) {
    EXPECT_EQ(Show(mbYesNo, Key(VK_RETURN)), mrYes); // Yes is the default button
    EXPECT_EQ(Show(mbYesNo, Key(VK_ESCAPE)), mrNo);  // No is the cancel button
    EXPECT_EQ(Show(mbYesNo, PressCloseBox), mrCancel);
    EXPECT_EQ(Show(mbYesNo, Key(VK_SPACE)), mrYes); // the default button has the focus
}

TEST_F(TimedMessageDlgTest, EnterPressesTheFocusedButton) {
    EXPECT_EQ(Show(mbYesNo,
                   [](HWND dialog) {
                       PressKey(dialog, VK_TAB);
                       PressKey(dialog, VK_RETURN);
                   }),
              mrNo);
}

TEST_F(TimedMessageDlgTest, OkAnswersByEnterEscAndCloseBox) {
    EXPECT_EQ(Show(mbOKOnly, Key(VK_RETURN)), mrOk);
    EXPECT_EQ(Show(mbOKOnly, Key(VK_ESCAPE)), mrOk); // OK is the cancel button too
    EXPECT_EQ(Show(mbOKOnly, PressCloseBox), mrCancel);
}

TEST_F(TimedMessageDlgTest, HelpDoesNotCloseTheDialog) {
    EXPECT_EQ(Show(mbOKOnly | ButtonSet(mbHelp),
                   [](HWND dialog) {
                       TMessageForm& form = MessageFormOf(dialog);
                       ::SendMessageW(form.FindComponent(L"Help")->Handle(), BM_CLICK, 0, 0);
                       EXPECT_EQ(form.ModalResult(), mrNone);
                       PressKey(dialog, VK_ESCAPE);
                   }),
              mrOk);
}

TEST_F(TimedMessageDlgTest, TitleTextAndRenamedYesNo) {
    std::vector<std::wstring> captions;
    std::wstring title, message;
    bool topMost = false;
    Show(mbYesNo, [&](HWND dialog) {
        TMessageForm& form = MessageFormOf(dialog);
        title = form.Text();
        message = form.FindComponent(L"Message")->Text();
        for (const auto& b : form.Buttons())
            captions.push_back(b->Text());
        topMost = (::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        EXPECT_NE(form.FindComponent(L"Image"), nullptr);
        PressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(title, L"Заголовок");
    EXPECT_EQ(message, L"\r\nТекст");
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Да", L"Нет"}));
    EXPECT_TRUE(topMost);

    // An empty title stays empty: the kind's title is not used.
    {
        DialogAnswerer answer(
            [&](HWND dialog) {
                title = WindowText(dialog);
                message = MessageFormOf(dialog).FindComponent(L"Message")->Text();
                PressKey(dialog, VK_ESCAPE);
            },
            kFormClass);
        TimedMessageDlg(L"", L"\r\nуже с переводом", mtError, mbOKOnly, true, 0, clBtnFace, false);
    }
    EXPECT_EQ(title, L"");
    EXPECT_EQ(message, L"\r\nуже с переводом");
}

TEST_F(TimedMessageDlgTest, ResetsTheScreenCursor) {
    Screen::SetCursor(IDC_WAIT);
    Show(mbOKOnly, Key(VK_RETURN));
    EXPECT_EQ(Screen::Cursor(), nullptr);
}

TEST_F(TimedMessageDlgTest, CountdownEndsWithTheTimeOutResult) {
    std::wstring expired;
    {
        DialogAnswerer answer(
            [&](HWND dialog) {
                TMessageForm& form = MessageFormOf(dialog);
                EXPECT_EQ(form.Tag, 1);
                TControl* label = form.FindComponent(L"lbl_count");
                ASSERT_NE(label, nullptr);
                EXPECT_EQ(label->Text(), L""); // the seconds left are not shown
                const DWORD start = ::GetTickCount();
                while (form.ModalResult() == mrNone && ::GetTickCount() - start < 5000)
                    PumpMessagesFor(20);
                expired = label->Text();
            },
            kFormClass);
        const DWORD start = ::GetTickCount();
        EXPECT_EQ(TimedMessageDlg(L"t", L"x", mtWarning, mbYesNo, false, 1, clBtnFace, true), mrOk);
        const DWORD elapsed = ::GetTickCount() - start;
        EXPECT_GE(elapsed, 900u);
        EXPECT_LT(elapsed, 4000u);
    }
    EXPECT_EQ(expired, L"Time is expired.");

    // Without a Cancel button, TimeoutOk false still gives Cancel's code.
    DialogAnswerer wait([](HWND) {}, kFormClass);
    EXPECT_EQ(TimedMessageDlg(L"t", L"x", mtWarning, mbYesNo, false, 1, clBtnFace, false),
              mrCancel);
}

TEST_F(TimedMessageDlgTest, CountdownTakesAllItsSeconds) {
    bool openAfterOneSecond = false;
    DialogAnswerer answer(
        [&](HWND dialog) {
            PumpMessagesFor(1400);
            openAfterOneSecond = MessageFormOf(dialog).ModalResult() == mrNone;
            EXPECT_EQ(MessageFormOf(dialog).Tag, 1);
        },
        kFormClass);
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(TimedMessageDlg(L"t", L"x", mtWarning, mbOKOnly, false, 2, clBtnFace, true), mrOk);
    EXPECT_GE(::GetTickCount() - start, 1900u);
    EXPECT_TRUE(openAfterOneSecond);
}

TEST_F(TimedMessageDlgTest, NoCountdownWithZeroSeconds) {
    EXPECT_EQ(Show(mbYesNo,
                   [](HWND dialog) {
                       PumpMessagesFor(1500);
                       EXPECT_EQ(MessageFormOf(dialog).ModalResult(), mrNone);
                       PressKey(dialog, VK_RETURN);
                   }),
              mrYes);
}

TEST_F(TimedMessageDlgTest, CtrlCCopiesTheDialogAsText) {
    const auto copied = [this](bool shift, const std::wstring& text) {
        ::OpenClipboard(nullptr);
        ::EmptyClipboard();
        ::CloseClipboard();
        // The keys stay held until the dialog's own loop has seen the key press.
        std::optional<HeldKeys> held;
        Show(
            mbYesNo,
            [&](HWND dialog) {
                held.emplace(shift);
                PressKey(dialog, 'C');
                PressKey(dialog, VK_ESCAPE);
            },
            text);
        held.reset();
        return ClipboardText();
    };
    const std::wstring d(27, L'-');
    EXPECT_EQ(copied(false, L"Первая\r\nвторая"), d + L"\r\nЗаголовок\r\n" + d +
                                                      L"\r\n\r\nПервая\r\nвторая\r\n" + d +
                                                      L"\r\nДа   Нет   \r\n" + d + L"\r\n");
    EXPECT_EQ(copied(true, L"Текст"), L""); // Ctrl+Shift+C is not the copy key
}

TEST_F(TimedMessageDlgTest, WhiteTextOnBlackAndRedOnly) {
    const auto textColor = [this](TColor background) {
        COLORREF color = 0;
        Show(
            mbOKOnly,
            [&](HWND dialog) {
                color =
                    TextColorOf(dialog, MessageFormOf(dialog).FindComponent(L"Message")->Handle());
                PressKey(dialog, VK_RETURN);
            },
            L"Текст", background);
        return color;
    };
    EXPECT_EQ(textColor(clBlack), RGB(255, 255, 255));
    EXPECT_EQ(textColor(clRed), RGB(255, 255, 255));
    EXPECT_EQ(textColor(clBtnFace), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(textColor(0x00FF0000), ::GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(TimedMessageDlgTest, CentredOverTheActiveWindowUnlessNoCenter) {
    TFormInstance<ActiveWindow> owner(40, 30, 700, 500);
    ASSERT_EQ(::GetActiveWindow(), owner.Handle());
    const auto placedAt = [](bool noCenter) {
        RECT r{};
        DialogAnswerer answer(
            [&](HWND dialog) {
                r = WindowRectOf(dialog);
                PressKey(dialog, VK_RETURN);
            },
            kFormClass);
        TimedMessageDlg(L"t", L"x", mtInformation, mbOKOnly, noCenter, 0, clBtnFace, false);
        return r;
    };
    const RECT over = placedAt(false);
    const int w = over.right - over.left, h = over.bottom - over.top;
    EXPECT_EQ(over.left, 40 + 700 / 2 - w / 2);
    EXPECT_EQ(over.top, 30 + 500 / 2 - h / 2);

    const RECT screen = placedAt(true);
    EXPECT_EQ(screen.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - w / 2);
    EXPECT_EQ(screen.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - h / 2);
}

TEST_F(TimedMessageDlgTest, ScreenCentredWithoutAnActiveWindow) {
    ASSERT_EQ(::GetActiveWindow(), nullptr);
    RECT r{};
    Show(mbOKOnly, [&](HWND dialog) {
        r = WindowRectOf(dialog);
        PressKey(dialog, VK_RETURN);
    });
    EXPECT_EQ(r.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - (r.right - r.left) / 2);
    EXPECT_EQ(r.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - (r.bottom - r.top) / 2);
}

TEST_F(TimedMessageDlgTest, GeometryFollowsTheMessageBoxFont) {
    // A text long enough to wrap, with a tab.
    std::wstring text = L"Первая\tстрока";
    for (int i = 0; i < 40; ++i)
        text += L" слово" + std::to_wstring(i);
    const std::wstring shown = L"\r\n" + text;

    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    HFONT font = ::CreateFontIndirectW(&metrics.lfMessageFont);
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE abc{};
    ::GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &abc);
    RECT textRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    ::DrawTextW(dc, shown.c_str(), -1, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    std::vector<int> captionWidths;
    for (const wchar_t* caption : {L"&Да", L"&Нет"}) {
        RECT r{};
        ::DrawTextW(dc, caption, -1, &r, DT_CALCRECT | DT_SINGLELINE);
        captionWidths.push_back(r.right);
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);
    const MsgDlgMetrics m = MeasureMetrics(abc.cx / 52, abc.cy, captionWidths);
    ASSERT_GT(textRect.bottom, 3 * abc.cy); // wrapped

    RECT client{}, label{}, yes{}, no{}, image{};
    bool whole = false;
    Show(
        mbYesNo,
        [&](HWND dialog) {
            TMessageForm& form = MessageFormOf(dialog);
            client = form.ClientRect();
            const auto rectOf = [dialog](TControl* c) {
                RECT r = WindowRectOf(c->Handle());
                ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
                return r;
            };
            label = rectOf(form.FindComponent(L"Message"));
            whole = DrawnWhole(form.FindComponent(L"Message")->Handle());
            yes = rectOf(form.FindComponent(L"Yes"));
            no = rectOf(form.FindComponent(L"No"));
            image = rectOf(form.FindComponent(L"Image"));
            PressKey(dialog, VK_RETURN);
        },
        text);
    // The text's box is the one it is drawn whole in, wrapped within half the screen.
    EXPECT_TRUE(whole);
    EXPECT_LE(label.right - label.left, ::GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GE(label.bottom - label.top, textRect.bottom);
    const MsgDlgLayout expected =
        LayoutMessageDialog(m, label.right - label.left, label.bottom - label.top, true, 2);
    EXPECT_EQ(client.right, expected.ClientWidth);
    EXPECT_EQ(client.bottom, expected.ClientHeight);
    const auto same = [](const RECT& r, const PixelRect& p) {
        return r.left == p.left && r.top == p.top && r.right - r.left == p.width &&
               r.bottom - r.top == p.height;
    };
    EXPECT_TRUE(same(label, expected.Text));
    EXPECT_TRUE(same(image, expected.Icon));
    EXPECT_TRUE(same(yes, expected.Buttons[0]));
    EXPECT_TRUE(same(no, expected.Buttons[1]));
}
