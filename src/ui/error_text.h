#pragma once
// Text rules of the top-level error display, kept apart from Win32 so they can be tested.

#include <string>

// The message as the error display shows it: a full stop is appended when the message is not
// empty and its last character has a code above that of the full stop (letters, digits, '?'),
// but not after '.', ')', '"', a space and the like.
std::wstring ErrorDisplayText(const std::wstring& message);
