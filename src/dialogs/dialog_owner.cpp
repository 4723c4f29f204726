#include <windows.h>

#include "dialogs/dialog_owner.h"

#include "ui/form.h"

HWND MessageDialogOwner() {
    if (const HWND active = ::GetActiveWindow())
        return active;
    const HWND main = TForm::MainFormHandle();
    if (!main)
        return nullptr;
    const HWND popup = ::GetLastActivePopup(main);
    return popup && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup) ? popup : main;
}
