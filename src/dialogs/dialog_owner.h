#pragma once
// The window a message dialog belongs to.

#include <windows.h>

// The program's active window; while another program is in front (the program has no
// active window), the program's main window, or the pop-up last active over it when that
// is still shown and usable. Null when the program has neither. The dialog owned by it
// disables it while shown, so no second command can start underneath.
HWND MessageDialogOwner();
