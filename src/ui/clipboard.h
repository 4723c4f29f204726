#pragma once
// Plain text on the clipboard.

#include <windows.h>

#include <string>

// Replaces the clipboard's content with text; false when the clipboard is not available.
bool SetClipboardText(HWND owner, const std::wstring& text);
