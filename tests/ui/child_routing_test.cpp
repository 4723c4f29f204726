// How a window hands its child controls' commands to their objects, as controls move between
// parents and objects and windows go in either order; and that forms are made one way only.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <type_traits>

#include "ui/controls.h"
#include "ui/form.h"

namespace {

class PlainForm : public TForm {
public:
    PlainForm() { CreateForm(L"test", 200, 100, nullptr); }
};

// What a button sends its parent when it is pressed.
void Press(HWND button) {
    ::SendMessageW(::GetParent(button), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
}

static_assert(std::is_abstract_v<PlainForm> && !std::is_abstract_v<TFormInstance<PlainForm>>,
              "a form is made only as a TFormInstance");

} // namespace

TEST(ChildRouting, CommandsFollowTheControlAndStopWithItsObject) {
    TFormInstance<PlainForm> form;
    std::optional<TPanel> panel(std::in_place);
    panel->Create(form.Handle(), {0, 0, 100, 50});
    int clicks = 0;
    TButton button;
    button.Create(form.Handle(), {0, 0, 50, 20}, L"b");
    button.OnClick = [&] { ++clicks; };
    Press(button.Handle());
    button.SetParent(panel->Handle());
    Press(button.Handle());
    EXPECT_EQ(clicks, 2);

    // A window whose object is gone reaches no object; nor does a control outliving the
    // object of the window it sits in (which leaves that object's table untouched).
    HWND orphan = nullptr;
    {
        TButton gone;
        gone.Create(panel->Handle(), {0, 20, 50, 20}, L"g");
        gone.OnClick = [&] { ++clicks; };
        orphan = gone.Handle();
    }
    Press(orphan);
    panel.reset();
    Press(button.Handle());
    EXPECT_EQ(clicks, 2);
}
