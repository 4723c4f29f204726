// The message dialog's rules that need no window: buttons and their order, default and
// cancel choice, the leading line break, the colour rule, geometry and the copied text.

#include <gtest/gtest.h>

#include "dialogs/msg_dlg_layout.h"

TEST(MsgDlgButtons, CaptionsResultsAndRowOrder) {
    EXPECT_EQ(std::wstring(ButtonInfo(mbYes).caption), L"&Да");
    EXPECT_EQ(ButtonInfo(mbYes).result, 6);
    EXPECT_EQ(std::wstring(ButtonInfo(mbNo).caption), L"&Нет");
    EXPECT_EQ(ButtonInfo(mbNo).result, 7);
    EXPECT_EQ(std::wstring(ButtonInfo(mbOK).caption), L"OK");
    EXPECT_EQ(ButtonInfo(mbOK).result, 1);
    EXPECT_EQ(std::wstring(ButtonInfo(mbCancel).caption), L"Отмена");
    EXPECT_EQ(ButtonInfo(mbCancel).result, 2);
    EXPECT_EQ(ButtonInfo(mbYesToAll).result, 10);
    EXPECT_EQ(ButtonInfo(mbHelp).result, 0); // Help never closes the dialog

    EXPECT_EQ(mbYesNo, 3);
    EXPECT_EQ(mbOKOnly, 4);
    // Row order is the bit order, whatever order the set was built in.
    const TMsgDlgButtons set = ButtonSet(mbHelp) | ButtonSet(mbCancel) | ButtonSet(mbYes);
    EXPECT_EQ(ButtonsInRowOrder(set), (std::vector<TMsgDlgBtn>{mbYes, mbCancel, mbHelp}));
    EXPECT_TRUE(ButtonsInRowOrder(0).empty());
}

TEST(MsgDlgButtons, DefaultAndCancelChoice) {
    EXPECT_EQ(DefaultButtonOf(mbYesNo), mbYes);
    EXPECT_EQ(CancelButtonOf(mbYesNo), mbNo);
    // A lone OK is both the default and the cancel button.
    EXPECT_EQ(DefaultButtonOf(mbOKOnly), mbOK);
    EXPECT_EQ(CancelButtonOf(mbOKOnly), mbOK);
    const TMsgDlgButtons all = 0x07FF;
    EXPECT_EQ(DefaultButtonOf(all), mbOK);
    EXPECT_EQ(CancelButtonOf(all), mbCancel);
    EXPECT_EQ(DefaultButtonOf(ButtonSet(mbRetry) | ButtonSet(mbAbort)), mbRetry);
    EXPECT_EQ(DefaultButtonOf(ButtonSet(mbAbort)), kButtonKinds);
    EXPECT_EQ(CancelButtonOf(ButtonSet(mbAbort)), kButtonKinds);
}

TEST(MsgDlgText, TitlesByKind) {
    EXPECT_EQ(DefaultTitle(mtWarning), L"Внимание");
    EXPECT_EQ(DefaultTitle(mtError), L"Ошибка");
    EXPECT_EQ(DefaultTitle(mtInformation), L"Информация");
    EXPECT_EQ(DefaultTitle(mtConfirmation), L"Подтверждение");
    EXPECT_EQ(DefaultTitle(mtCustom), L"");
}

TEST(MsgDlgText, LeadingLineBreakOnlyWhenMissing) {
    EXPECT_EQ(WithLeadingLineBreak(L""), L"\r\n");
    EXPECT_EQ(WithLeadingLineBreak(L"abc"), L"\r\nabc");
    EXPECT_EQ(WithLeadingLineBreak(L"\r\nabc"), L"\r\nabc");
    EXPECT_EQ(WithLeadingLineBreak(L"\rabc"), L"\r\n\rabc");
    EXPECT_EQ(WithLeadingLineBreak(L"\nabc"), L"\r\n\nabc");
    EXPECT_EQ(WithLeadingLineBreak(L"\n\rabc"), L"\r\n\n\rabc");
    EXPECT_EQ(WithLeadingLineBreak(L"\r"), L"\r\n\r");
}

TEST(MsgDlgColors, WhiteTextOnlyOnBlackOrRed) {
    EXPECT_TRUE(WantsWhiteText(0x00000000));
    EXPECT_TRUE(WantsWhiteText(0x000000FF));
    EXPECT_FALSE(WantsWhiteText(clBtnFace));
    EXPECT_FALSE(WantsWhiteText(0x000000FE));
    EXPECT_FALSE(WantsWhiteText(0x00FF0000)); // blue
    EXPECT_FALSE(WantsWhiteText(0xFF000000)); // system colour 0, not black
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_EQ(SystemColorIndex(clBtnFace), 15);
    EXPECT_FALSE(IsSystemColor(clRed));
}

TEST(MsgDlgGeometry, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDivRounded(10, 5, 4), 13);  // 12.5
    EXPECT_EQ(MulDivRounded(10, 13, 8), 16); // 16.25
    EXPECT_EQ(MulDivRounded(14, 13, 8), 23); // 22.75
    EXPECT_EQ(MulDivRounded(-10, 5, 4), -13);
    EXPECT_EQ(MulDivRounded(0, 7, 3), 0);
    EXPECT_EQ(MulDivRounded(1 << 30, 8, 16), 1 << 29); // no overflow in the product
}

TEST(MsgDlgGeometry, MetricsFromAverageCharacterSize) {
    const MsgDlgMetrics m = MeasureMetrics(6, 13, {});
    EXPECT_EQ(m.HorzMargin, 12);
    EXPECT_EQ(m.VertMargin, 13);
    EXPECT_EQ(m.HorzSpacing, 15);
    EXPECT_EQ(m.VertSpacing, 16);
    EXPECT_EQ(m.ButtonHeight, 23);
    EXPECT_EQ(m.ButtonSpacing, 6);
    EXPECT_EQ(m.ButtonWidth, 75);

    // Halves round up: 12.5, 17.5, 24.5, 62.5.
    const MsgDlgMetrics odd = MeasureMetrics(5, 14, {});
    EXPECT_EQ(odd.HorzSpacing, 13);
    EXPECT_EQ(odd.VertSpacing, 18);
    EXPECT_EQ(odd.ButtonHeight, 25);
    EXPECT_EQ(odd.ButtonWidth, 63);
}

TEST(MsgDlgGeometry, WideCaptionWidensEveryButton) {
    EXPECT_EQ(MeasureMetrics(6, 13, {20, 66}).ButtonWidth, 75); // 66 + 8 is not wider
    EXPECT_EQ(MeasureMetrics(6, 13, {20, 67}).ButtonWidth, 75);
    EXPECT_EQ(MeasureMetrics(6, 13, {20, 68}).ButtonWidth, 76);
    EXPECT_EQ(MeasureMetrics(6, 13, {120, 30}).ButtonWidth, 128);
}

TEST(MsgDlgGeometry, IconTextAndTwoButtons) {
    const MsgDlgMetrics m = MeasureMetrics(6, 13, {});
    const MsgDlgLayout l = LayoutMessageDialog(m, 200, 52, true, 2);
    EXPECT_EQ(l.ClientWidth, 200 + 32 + 15 + 2 * 12);
    EXPECT_EQ(l.ClientHeight, 52 + 23 + 16 + 2 * 13);
    EXPECT_EQ(l.Icon, (PixelRect{12, 13, 32, 32}));
    EXPECT_EQ(l.Text, (PixelRect{12 + 32 + 15, 13, 200, 52}));
    const int group = 2 * 75 + 6;
    ASSERT_EQ(l.Buttons.size(), 2u);
    EXPECT_EQ(l.Buttons[0], (PixelRect{(271 - group) / 2, 52 + 13 + 16, 75, 23}));
    EXPECT_EQ(l.Buttons[1], (PixelRect{(271 - group) / 2 + 75 + 6, 81, 75, 23}));
}

TEST(MsgDlgGeometry, ShortTextIsAsTallAsTheIcon) {
    const MsgDlgMetrics m = MeasureMetrics(6, 13, {});
    const MsgDlgLayout l = LayoutMessageDialog(m, 40, 13, true, 1);
    EXPECT_EQ(l.ClientHeight, 32 + 23 + 16 + 26);
    EXPECT_EQ(l.Buttons[0].top, 32 + 13 + 16);
}

TEST(MsgDlgGeometry, ButtonsWiderThanTextSetTheWidth) {
    const MsgDlgMetrics m = MeasureMetrics(6, 13, {});
    const MsgDlgLayout l = LayoutMessageDialog(m, 30, 13, false, 3);
    const int group = 3 * 75 + 2 * 6;
    EXPECT_EQ(l.ClientWidth, group + 24);
    EXPECT_EQ(l.ClientHeight, 13 + 23 + 16 + 26);
    EXPECT_EQ(l.Icon, PixelRect{});
    EXPECT_EQ(l.Text, (PixelRect{12, 13, 30, 13}));
    EXPECT_EQ(l.Buttons[0].left, 12);
    EXPECT_EQ(l.Buttons[2].left, 12 + 2 * 81);
}

TEST(MsgDlgGeometry, NoButtons) {
    const MsgDlgMetrics m = MeasureMetrics(6, 13, {});
    const MsgDlgLayout l = LayoutMessageDialog(m, 30, 13, false, 0);
    EXPECT_EQ(l.ClientWidth, 30 + 24);
    EXPECT_TRUE(l.Buttons.empty());
}

TEST(MsgDlgGeometry, CentringUsesIntegerHalvesWithoutClamping) {
    EXPECT_EQ(CentredStart(0, 1600, 301), 800 - 150);
    EXPECT_EQ(CentredStart(100, 401, 200), 100 + 200 - 100);
    EXPECT_EQ(CentredStart(10, 100, 300), 10 + 50 - 150); // may start off the window
}

TEST(MsgDlgCopy, StripHotkey) {
    EXPECT_EQ(StripHotkey(L"&Да"), L"Да");
    EXPECT_EQ(StripHotkey(L"OK"), L"OK");
    EXPECT_EQ(StripHotkey(L"A&&B"), L"A&B");
    EXPECT_EQ(StripHotkey(L"x&"), L"x");
}

TEST(MsgDlgCopy, DialogAsPlainText) {
    const std::wstring d(27, L'-');
    EXPECT_EQ(MessageDialogCopyText(L"Поик", L"\r\nЗначение", {L"Да", L"&Нет"}),
              d + L"\r\nПоик\r\n" + d + L"\r\n\r\nЗначение\r\n" + d + L"\r\nДа   Нет   \r\n" + d +
                  L"\r\n");
    EXPECT_EQ(MessageDialogCopyText(L"", L"", {}),
              d + L"\r\n\r\n" + d + L"\r\n\r\n" + d + L"\r\n\r\n" + d + L"\r\n");
}
