// The find items of the pop-up and main menus and the Ctrl+F shortcut follow the list: they
// act exactly when it has rows, evaluated each time, not once.

#include <windows.h>

#include "find_fixture.h"

#include "../res/resource_ids.h"

namespace {

bool MainMenuItemEnabled(HWND window) {
    const UINT state = ::GetMenuState(::GetMenu(window), ID_N_SEARCH_CAPTION, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

} // namespace

TEST_F(FindTest, PopupItemEnabledExactlyWithRows) {
    frm.ppmPopup();
    EXPECT_FALSE(frm.ppm.Enabled(ID_N_SEARCH));
    AddRows({L".txt"});
    frm.ppmPopup();
    EXPECT_TRUE(frm.ppm.Enabled(ID_N_SEARCH));
    frm.lv.Clear();
    frm.ppmPopup();
    EXPECT_FALSE(frm.ppm.Enabled(ID_N_SEARCH));
}

TEST_F(FindTest, MainMenuItemEvaluatedWhenTheMenuOpens) {
    const HMENU service = ::GetSubMenu(::GetMenu(frm.Handle()), 1);
    ::SendMessageW(frm.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(service), 1);
    EXPECT_FALSE(MainMenuItemEnabled(frm.Handle()));
    AddRows({L".txt"});
    ::SendMessageW(frm.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(service), 1);
    EXPECT_TRUE(MainMenuItemEnabled(frm.Handle()));
    frm.lv.Clear();
    ::SendMessageW(frm.Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(::GetMenu(frm.Handle())), 0);
    EXPECT_FALSE(MainMenuItemEnabled(frm.Handle()));
}

TEST_F(FindTest, CtrlFActsExactlyWhenTheListHasRows) {
    ASSERT_EQ(::GetActiveWindow(), frm.Handle());
    const auto pressCtrlF = [this] {
        DialogAnswerer answer([](HWND dialog) { PressKey(dialog, VK_ESCAPE); }, kFormClass);
        {
            HeldKeys ctrl;
            ::PostMessageW(frm.lv.Handle(), WM_KEYDOWN, 'F', 1);
            Application::ProcessMessages();
        }
        return answer.Answered();
    };
    EXPECT_EQ(pressCtrlF(), 0u);
    // Rows came without the menu opening in between: the shortcut sees them.
    AddRows({L".txt"});
    EXPECT_EQ(pressCtrlF(), 1u);
    frm.lv.Clear();
    EXPECT_EQ(pressCtrlF(), 0u);
}
