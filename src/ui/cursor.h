#pragma once
// The screen cursor: while a long command runs the program shows the hourglass over all of
// its windows; the default lets every window choose its own cursor again.

#include <windows.h>

namespace Screen {

// IDC_WAIT, IDC_ARROW...; nullptr restores the windows' own cursors.
void SetCursor(LPCWSTR cursorId);
LPCWSTR Cursor();
// Called on WM_SETCURSOR: shows the screen cursor and returns true when one is set.
bool ApplyCursor();

} // namespace Screen

// Shows a cursor for the life of the object and restores the default, whatever ends the
// command.
class TCursorScope {
public:
    explicit TCursorScope(LPCWSTR cursorId) { Screen::SetCursor(cursorId); }
    ~TCursorScope() { Screen::SetCursor(nullptr); }
    TCursorScope(const TCursorScope&) = delete;
    TCursorScope& operator=(const TCursorScope&) = delete;
};
