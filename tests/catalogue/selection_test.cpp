// Ticking all rows, the ticked count after check-box clicks, and the preview.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "support/catalogue_fixture.h"

namespace {

class SelectionTest : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        AddType(L".txt", L"txtfile");
        AddType(L".ini", L"inifile");
        AddType(L".bat", L"batfile");
        Scan();
    }
};

} // namespace

TEST_F(SelectionTest, SelectButtonUnticksThenTicksAllRows) {
    frm.btn_select.Click();
    EXPECT_FALSE(frm.btn_select.Down());
    EXPECT_EQ(CountCheckedRows(frm.lv), 0);
    EXPECT_EQ(frm.sb.PanelText(1), L"Выбрано: (0)");
    frm.lv.SetChecked(1, true); // a single tick does not change the button
    frm.btn_select.Click();
    EXPECT_TRUE(frm.btn_select.Down());
    EXPECT_EQ(CountCheckedRows(frm.lv), 3);
    EXPECT_EQ(frm.sb.PanelText(1), L"Выбрано: (3)");
}

TEST_F(CatalogueTest, SelectButtonOnAnEmptyListOnlyFlipsAndClearsTheCount) {
    frm.sb.SetPanelText(1, L"Выбрано: (7)");
    frm.btn_select.Click();
    EXPECT_TRUE(frm.btn_select.Down());
    EXPECT_EQ(frm.sb.PanelText(1), L"");
}

TEST_F(SelectionTest, ClickOnACheckBoxRefreshesTheCountAClickOnTheLabelDoesNot) {
    ClickList(CheckBoxPoint(1));
    EXPECT_FALSE(frm.lv.Checked(1));
    EXPECT_EQ(frm.sb.PanelText(1), L"Выбрано: (2)");

    frm.lv.SetChecked(2, false); // as the space bar would: no refresh
    ClickList(LabelPoint(0));
    EXPECT_EQ(frm.sb.PanelText(1), L"Выбрано: (2)");
    ClickList(CheckBoxPoint(0));
    EXPECT_EQ(frm.sb.PanelText(1), L"Выбрано: (0)");
}

TEST_F(SelectionTest, PreviewShowsTheLargeIconOfTheSelectedRowWhateverTheSizeChoice) {
    EXPECT_EQ(frm.Image_icon.Icon(), nullptr);
    ClickList(LabelPoint(0));
    ASSERT_EQ(frm.lv.Selected(), 0);
    ASSERT_NE(frm.Image_icon.Icon(), nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(frm.Image_icon.Icon(), &info));
    BITMAP bm{};
    ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, ::GetSystemMetrics(SM_CXICON));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

TEST_F(SelectionTest, PreviewFollowsTheKeyboardAndKeepsItsPictureWithoutASelection) {
    frm.lv.Focus();
    frm.lv.Select(0);
    ::SendMessageW(frm.lv.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    ::SendMessageW(frm.lv.Handle(), WM_KEYUP, VK_DOWN, 0xC0000001);
    EXPECT_EQ(frm.lv.Selected(), 1);
    const HICON afterKey = frm.Image_icon.Icon();
    EXPECT_NE(afterKey, nullptr);

    ListView_SetItemState(frm.lv.Handle(), -1, 0, LVIS_SELECTED);
    frm.lvClick();
    EXPECT_EQ(frm.Image_icon.Icon(), afterKey);
}
