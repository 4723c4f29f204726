// The main window as built: layout, controls, link panel placement and command routing.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "../res/resource_ids.h"
#include "app/main_window.h"
#include "support/main_window_fixture.h"
#include "support/dialog_answerer.h"
#include "ui/application.h"
#include "util/exception.h"

namespace {

class MainWindowTest : public MainWindowFixture {
protected:
    RECT ScreenRectOf(HWND hwnd) {
        RECT r{};
        ::GetWindowRect(hwnd, &r);
        return r;
    }

    // The link panel's rectangle in the status bar's coordinates.
    RECT LinkPanelInStatusBar() {
        RECT r = ScreenRectOf(frm.url_panel.Handle());
        ::MapWindowPoints(nullptr, frm.sb.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    void ResizeClient(int width, int height) {
        frm.SetClientSize(width, height);
        Application::ProcessMessages();
    }
};

} // namespace

TEST_F(MainWindowTest, HasTheDesignedCaptionClientSizeAndControls) {
    EXPECT_EQ(frm.Text(), L"Quillmont");
    const RECT client = frm.ClientRect();
    EXPECT_EQ(client.right, ScaleForDpi(795, frm.Handle()));
    EXPECT_EQ(client.bottom, ScaleForDpi(476, frm.Handle()));
    EXPECT_EQ(frm.lv.ColumnCount(), 3);
    EXPECT_EQ(frm.lv.ColumnWidth(0), ScaleForDpi(110, frm.Handle()));
    EXPECT_EQ(frm.lv.ColumnWidth(1), ScaleForDpi(220, frm.Handle()));
    EXPECT_EQ(frm.lv.ColumnWidth(2), ScaleForDpi(320, frm.Handle()));
    const DWORD ex = ListView_GetExtendedListViewStyle(frm.lv.Handle());
    EXPECT_TRUE(ex & LVS_EX_CHECKBOXES);
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(frm.rg_16x16.Checked());
    EXPECT_FALSE(frm.rg_32x32.Checked());
    EXPECT_FALSE(frm.ICOListBox.Visible());
    EXPECT_FALSE(frm.LIBListBox.Visible());
    EXPECT_FALSE(frm.chb_show_adv.Visible());
    EXPECT_TRUE(frm.chb_show_adv.Checked());
    EXPECT_FALSE(frm.HarvestState.StopRequest);
    EXPECT_FALSE(frm.HarvestState.Busy);
    EXPECT_NE(frm.HarvestIcon, nullptr);
    EXPECT_NE(frm.IconLoader, nullptr);
    EXPECT_EQ(frm.SearchFolders.FileMask, L"*.exe,*.dll");
    EXPECT_EQ(frm.fd.Caption, L"Выбор директория");
    EXPECT_EQ(frm.fd.DialogPosition, fdpXY);
}

TEST_F(MainWindowTest, ListFillsTheSpaceBetweenToolbarAndStatusBar) {
    const RECT tb = ScreenRectOf(frm.tb.Handle());
    const RECT lv = ScreenRectOf(frm.lv.Handle());
    const RECT sb = ScreenRectOf(frm.sb.Handle());
    EXPECT_EQ(tb.bottom - tb.top, ScaleForDpi(40, frm.Handle()));
    EXPECT_EQ(sb.bottom - sb.top, ScaleForDpi(22, frm.Handle()));
    EXPECT_EQ(lv.top, tb.bottom);
    EXPECT_EQ(lv.bottom, sb.top);
}

TEST_F(MainWindowTest, StatusBarHasFivePanelsOfTheDesignedWidths) {
    int edges[8] = {};
    ASSERT_EQ(::SendMessageW(frm.sb.Handle(), SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 5);
    const int widths[] = {130, 200, 350, 600};
    int right = 0;
    for (int i = 0; i < 4; ++i) {
        right += ScaleForDpi(widths[i], frm.Handle());
        EXPECT_EQ(edges[i], right) << "panel " << i;
    }
    EXPECT_EQ(edges[4], -1);
}

TEST_F(MainWindowTest, LinkPanelSitsInsideTheLastStatusPanelAfterEveryResize) {
    for (int width : {795, 1400, 1500, 900}) {
        ResizeClient(width, 476);
        EXPECT_EQ(::GetParent(frm.url_panel.Handle()), frm.sb.Handle());
        const RECT panel = frm.sb.PanelRect(4);
        const RECT link = LinkPanelInStatusBar();
        EXPECT_EQ(link.left, panel.left + 4) << width;
        EXPECT_EQ(link.top, panel.top + 1) << width;
        // A panel that starts beyond the bar's right edge leaves the link with no width.
        EXPECT_EQ(link.right - link.left, std::max(0L, panel.right - panel.left - 2)) << width;
        EXPECT_EQ(link.bottom - link.top, panel.bottom - panel.top - 2) << width;
    }
}

TEST_F(MainWindowTest, LinkIsSeenOnlyWhenTheWindowIsWiderThanTheFirstFourPanels) {
    ResizeClient(795, 476);
    EXPECT_GE(LinkPanelInStatusBar().left, frm.sb.ClientRect().right);
    ResizeClient(ScaleForDpi(1500, frm.Handle()), 476);
    EXPECT_LT(LinkPanelInStatusBar().left, frm.sb.ClientRect().right);
}

TEST_F(MainWindowTest, ToolbarButtonsCarryTheirCaptionsAndTheToggleFlips) {
    wchar_t text[64] = {};
    TBBUTTON button{};
    ASSERT_TRUE(
        ::SendMessageW(frm.tb.Handle(), TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button)));
    ::SendMessageW(frm.tb.Handle(), TB_GETBUTTONTEXTW, button.idCommand,
                   reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Найти");
    EXPECT_FALSE(frm.btn_select.Down());
    frm.btn_select.Click();
    EXPECT_TRUE(frm.btn_select.Down());
    frm.btn_select.Click();
    EXPECT_FALSE(frm.btn_select.Down());
}

TEST_F(MainWindowTest, MenuCommandsReachTheirHandlers) {
    // "Выход" closes the main window, which ends the program's message loop.
    ::SendMessageW(frm.Handle(), WM_COMMAND, MAKEWPARAM(ID_N_CLOSE, 0), 0);
    Application::ProcessMessages();
    EXPECT_FALSE(::IsWindow(frm.Handle()));
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(TopLevelErrorDisplay, ShowsTheMessageOfAnErrorEscapingAHandler) {
    std::wstring shown;
    Application::SetExceptionHandler([&](const std::wstring& message) { shown = message; });
    Application::Guarded([] { throw Exception(L"Неправильный тип данных"); });
    Application::SetExceptionHandler({});
    EXPECT_EQ(shown, L"Неправильный тип данных");
}

TEST(TopLevelErrorDisplay, IsAMessageBoxCaptionedWithTheTitleAndTheFullStopRule) {
    Application::SetTitle(L"Quillmont");
    std::wstring caption;
    std::vector<std::wstring> texts;
    DialogAnswerer answer([&](HWND box) {
        caption = WindowText(box);
        texts = DescendantTexts(box);
        PressButton(box, IDOK);
    });
    Application::Guarded([] { throw Exception(L"Файл не найден"); });
    EXPECT_EQ(answer.Answered(), 1u);
    EXPECT_EQ(caption, L"Quillmont");
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Файл не найден."), texts.end());
}
