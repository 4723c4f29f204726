// The main window's state kept in the registry between starts: what the first close
// writes, what a restart restores, and how surplus, missing and unwritable values go.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/control.h"
#include "util/handle.h"
#include "window_start.h"

namespace {

std::vector<std::wstring> Description(const RECT& r, const int (&columns)[3], bool notice,
                                      bool small) {
    const auto n = [](int v) { return std::to_wstring(v); };
    const auto b = [](bool v) { return std::wstring(v ? L"True" : L"False"); };
    return {L"object frm_main_quillmont: Tfrm_main_quillmont",
            L"  Height = " + n(r.bottom - r.top),
            L"  Left = " + n(r.left),
            L"  Top = " + n(r.top),
            L"  Width = " + n(r.right - r.left),
            L"  object chb_show_adv: TCheckBox",
            L"    Checked = " + b(notice),
            L"  end",
            L"  object lv: TListView",
            L"    Columns.__Item0.Width = " + n(columns[0]),
            L"    Columns.__Item1.Width = " + n(columns[1]),
            L"    Columns.__Item2.Width = " + n(columns[2]),
            L"  end",
            L"  object tb: TToolBar",
            L"    object pnl_size_icon: TPanel",
            L"      object rg_16x16: TRadioButton",
            L"        Checked = " + b(small),
            L"      end",
            L"      object rg_32x32: TRadioButton",
            L"        Checked = " + b(!small),
            L"      end",
            L"    end",
            L"  end",
            L"end"};
}

RECT OuterRect(const TControl& c) {
    RECT r{};
    ::GetWindowRect(c.Handle(), &r);
    return r;
}

// What the user changes before closing: a larger window, somewhere else, a wider second
// column, 32 x 32 icons.
void ChangeEverything(Tfrm_main_quillmont& frm) {
    const RECT r = OuterRect(frm);
    ::SetWindowPos(frm.Handle(), nullptr, 10, 20, r.right - r.left + 90, r.bottom - r.top + 40,
                   SWP_NOZORDER);
    frm.lv.SetColumnWidth(1, 300);
    ::SendMessageW(frm.rg_32x32.Handle(), BM_CLICK, 0, 0);
    Application::ProcessMessages();
}

using WindowStateTest = WindowStartTest;

} // namespace

TEST_F(WindowStateTest, FirstStartIsCentredWithTheNoticeAndTheFirstCloseWritesTheDescription) {
    auto frm = Start();
    EXPECT_TRUE(Centred(frm->Handle()));
    EXPECT_EQ(frm->ClientRect().right, ScaleForDpi(795, frm->Handle()));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_FALSE(hkcu.HasKey(kStateKey)) << "nothing is stored before the first close";

    const RECT r = OuterRect(*frm);
    const int columns[3] = {frm->lv.ColumnWidth(0), frm->lv.ColumnWidth(1), frm->lv.ColumnWidth(2)};
    Close(frm);
    EXPECT_EQ(StoredLines(), Description(r, columns, true, true));
    EXPECT_FALSE(Line(24).has_value());
    EXPECT_TRUE(errors.empty());
}

TEST_F(WindowStateTest, SizeColumnAndIconSizeSurviveARestartWhileThePositionIsCentredAgain) {
    auto frm = Start();
    ChangeEverything(*frm);
    const RECT closedAt = OuterRect(*frm);
    Close(frm);

    frm = Start();
    const RECT r = OuterRect(*frm);
    EXPECT_EQ(r.right - r.left, closedAt.right - closedAt.left);
    EXPECT_EQ(r.bottom - r.top, closedAt.bottom - closedAt.top);
    EXPECT_TRUE(Centred(frm->Handle()));
    EXPECT_EQ(frm->lv.ColumnWidth(1), 300);
    EXPECT_FALSE(frm->rg_16x16.Checked());
    EXPECT_TRUE(frm->rg_32x32.Checked());
    // The stored position is where the window was at its last close.
    EXPECT_EQ(Line(2), L"  Left = 10");
    EXPECT_EQ(Line(3), L"  Top = 20");
    Close(frm);
}

TEST_F(WindowStateTest, SurplusLinesArePassedOverThenDeletedUpToTheFirstGap) {
    tickBox = true; // the notice turned off at the first start
    auto frm = Start();
    ChangeEverything(*frm);
    const RECT closedAt = OuterRect(*frm);
    Close(frm);
    // An object left after the description by a longer one, and a value beyond a gap.
    SetLine(24, L"object extra: TPanel");
    SetLine(25, L"  Width = 1");
    SetLine(26, L"end");
    SetLine(28, L"beyond the gap");

    frm = Start();
    EXPECT_EQ(OuterRect(*frm).right - OuterRect(*frm).left, closedAt.right - closedAt.left);
    EXPECT_EQ(asked, 1) << "the notice stays off";
    Close(frm);
    EXPECT_EQ(StoredLines().size(), 24u);
    EXPECT_FALSE(Line(25).has_value() || Line(26).has_value());
    EXPECT_EQ(Line(28), L"beyond the gap");
}

TEST_F(WindowStateTest, MinimisedCloseKeepsTheNormalSizeMaximisedTheMaximisedBounds) {
    auto frm = Start();
    ChangeEverything(*frm);
    const RECT normal = OuterRect(*frm);
    ::ShowWindow(frm->Handle(), SW_MINIMIZE);
    Close(frm);
    EXPECT_EQ(Line(1), L"  Height = " + std::to_wstring(normal.bottom - normal.top));

    frm = Start();
    ::ShowWindow(frm->Handle(), SW_MAXIMIZE);
    const RECT maximised = OuterRect(*frm);
    Close(frm);
    EXPECT_EQ(Line(4), L"  Width = " + std::to_wstring(maximised.right - maximised.left));

    frm = Start();
    const RECT r = OuterRect(*frm);
    EXPECT_FALSE(::IsZoomed(frm->Handle()));
    EXPECT_EQ(r.right - r.left, maximised.right - maximised.left);
    EXPECT_TRUE(Centred(frm->Handle())) << "at a left and top of at least 0";
    Close(frm);
}

TEST_F(WindowStateTest, AMissingLineFiveLeavesTheDesignValuesWithoutAMessage) {
    auto frm = Start();
    ChangeEverything(*frm);
    Close(frm);
    ASSERT_EQ(::RegDeleteKeyValueW(hkcu.Root(), kStateKey, L"Line0000000005"), ERROR_SUCCESS);

    frm = Start();
    EXPECT_EQ(frm->ClientRect().right, ScaleForDpi(795, frm->Handle()));
    EXPECT_EQ(frm->ClientRect().bottom, ScaleForDpi(476, frm->Handle()));
    EXPECT_EQ(frm->lv.ColumnWidth(1), ScaleForDpi(220, frm->Handle()));
    EXPECT_TRUE(frm->rg_16x16.Checked());
    EXPECT_TRUE(frm->chb_show_adv.Checked());
    EXPECT_TRUE(errors.empty());
    Close(frm);
}

TEST_F(WindowStateTest, AKeyThatCannotBeWrittenIsReportedAndTheWindowClosesAnyway) {
    // Only volatile keys can go below a volatile key.
    UniqueKey volatileKey;
    ASSERT_EQ(::RegCreateKeyExW(hkcu.Root(), L"Software\\Quillmont", 0, nullptr,
                                REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, volatileKey.put(),
                                nullptr),
              ERROR_SUCCESS);
    auto frm = Start();
    Close(frm);
    // Once at the close, once more as the window goes, since nothing was stored.
    EXPECT_EQ(errors, std::vector<std::wstring>(2, L"Failed to set data for 'Line0000000000'"));
    EXPECT_FALSE(hkcu.HasKey(kStateKey));
}
