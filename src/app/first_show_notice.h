#pragma once
// The notice shown as the main window first appears: the program is free, please visit the
// author's site. Its check box turns it off for later starts; the author's page is opened
// every time it is shown.

#include <windows.h>

#include <functional>
#include <string>

#include "dialogs/u_msgDlg.h"
#include "ui/controls.h"
#include "ui/shell_open.h"

class TFirstShowNotice {
public:
    // option: the hidden check box that holds whether the notice is on.
    explicit TFirstShowNotice(TCheckBox& option) : option_(option) {}

    // When the option is on: shows the notice, turns the option off if the user ticked the
    // box, then opens the author's page. An error of the notice is logged as "Error № 502a "
    // and its message and goes no further; the page is opened all the same.
    void Show();

    // The notice dialog and the opening of a page; tests put their own in place.
    std::function<bool(bool& Checked, const std::wstring& Text, const std::wstring& BoxCaption,
                       bool YesNo)>
        Ask = CheckBoxNoticeDlg;
    std::function<void(const std::wstring& address)> OpenPage = ShellOpen;

    static const std::wstring& Text();
    static const std::wstring& PageAddress();

private:
    TCheckBox& option_;
};
