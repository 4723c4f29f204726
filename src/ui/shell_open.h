#pragma once
// Handing an address (a web page, a mail link, a folder) to the shell's "open" action.

#include <string>

// Opens address with the desktop window as the parent, in a normal window. A failure is not
// reported: the user sees that nothing opened.
void ShellOpen(const std::wstring& address);
