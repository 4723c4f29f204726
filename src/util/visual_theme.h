#pragma once
// Whether windows are drawn with visual styles, which changes the height of some controls.

#include <windows.h>

// True on Windows XP (NT 5.1) and later when a visual theme is active. UXTHEME.DLL is loaded
// only for the question, so the answer is false where the library or its function is missing.
bool VisualThemeActive() noexcept;
