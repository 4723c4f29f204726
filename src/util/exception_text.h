#pragma once
// The text of a caught failure, for the error log and the message dialogs.

#include <windows.h>

#include <string>

// The message of the exception being handled; call it inside a catch block. The program's
// own exceptions give their message; standard ones their what() in the ANSI code page.
std::wstring CurrentExceptionMessage();
