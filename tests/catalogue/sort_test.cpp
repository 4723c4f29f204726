// Column sorting: direction per column alternating from ascending, stable for equal texts.

#include <windows.h>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "catalogue/sort_lv.h"
#include "support/catalogue_fixture.h"

using Texts = std::vector<std::wstring>;

namespace {

class SortTest : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        AddType(L".txt", L"txtfile", L"Text");
        AddType(L".bmp", L"Paint.Picture", L"");
        AddType(L".ini", L"inifile", L"Settings");
        AddType(L".cfg", L"inifile", L"Settings");
        Scan();
    }

    // Clicks a header until its next sort goes the wanted way.
    void ClickUntilNextIs(int column, bool descending) {
        while (SortDescending(column) != descending)
            frm.lvColumnClick(column);
    }
};

} // namespace

TEST_F(SortTest, EachColumnAlternatesOnItsOwnStartingFromItsFlag) {
    ClickUntilNextIs(0, false);
    ClickUntilNextIs(1, false);
    frm.lvColumnClick(0);
    EXPECT_EQ(Column(0), (Texts{L".bmp", L".cfg", L".ini", L".txt"}));
    frm.lvColumnClick(1);
    EXPECT_EQ(Column(1), (Texts{L"inifile", L"inifile", L"Paint.Picture", L"txtfile"}));
    frm.lvColumnClick(0);
    EXPECT_EQ(Column(0), (Texts{L".txt", L".ini", L".cfg", L".bmp"}));
    frm.lvColumnClick(0);
    EXPECT_EQ(Column(0), (Texts{L".bmp", L".cfg", L".ini", L".txt"}));
}

TEST_F(SortTest, EmptyDescriptionsComeFirstAscendingAndLastDescending) {
    ClickUntilNextIs(2, false);
    frm.lvColumnClick(2);
    EXPECT_EQ(frm.lv.CellText(0, 2), L"");
    frm.lvColumnClick(2);
    EXPECT_EQ(frm.lv.CellText(3, 2), L"");
}

TEST_F(SortTest, EqualTextsKeepTheirPreviousOrder) {
    ClickUntilNextIs(0, false);
    frm.lvColumnClick(0); // .bmp .cfg .ini .txt
    ClickUntilNextIs(2, false);
    frm.lvColumnClick(2);
    EXPECT_EQ(Column(0), (Texts{L".bmp", L".cfg", L".ini", L".txt"}));
    ClickUntilNextIs(0, true);
    frm.lvColumnClick(0); // .txt .ini .cfg .bmp
    ClickUntilNextIs(2, false);
    frm.lvColumnClick(2);
    EXPECT_EQ(Column(0), (Texts{L".bmp", L".ini", L".cfg", L".txt"}));
}

TEST_F(SortTest, SortingKeepsTicksAndTextsOfEachRowTogether) {
    frm.lv.SetChecked(2, false); // .ini
    const std::wstring status = frm.sb.PanelText(1);
    ClickUntilNextIs(0, true);
    frm.lvColumnClick(0);
    for (int i = 0; i < frm.lv.Count(); ++i)
        EXPECT_EQ(frm.lv.Checked(i), frm.lv.CellText(i, 0) != L".ini") << i;
    EXPECT_EQ(frm.lv.CellText(1, 1), L"inifile");
    EXPECT_EQ(frm.sb.PanelText(1), status);
}

TEST_F(CatalogueTest, AHeaderClickOnAnEmptyListStillFlipsThatColumn) {
    const bool before = SortDescending(1);
    frm.lvColumnClick(1);
    EXPECT_EQ(SortDescending(1), !before);
}
