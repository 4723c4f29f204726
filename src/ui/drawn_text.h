#pragma once
// The size a text takes on the screen as a control draws it with DrawText, for controls that
// size themselves to their text.

#include <windows.h>

#include <string_view>

// The box in which DrawText, called with this font and format (DT_ flags) on a box of the
// size returned, draws the whole text: laid out within maxWidth (word breaks and all), then
// grown to wherever the glyphs are drawn; where that is beyond maxWidth, the lines are
// broken earlier instead. A renderer may draw glyphs further than the advance
// widths the layout is computed from (Wine's X11 renderer does, by a pixel here and there),
// which would cut the end of every longer line off.
SIZE DrawnTextSize(HFONT font, std::wstring_view text, UINT format, int maxWidth);

// A width no line reaches: the text breaks at its own line breaks only.
inline constexpr int kUnwrapped = 32767;

// The DrawText format a static control of this style draws its text with.
UINT StaticTextFormat(DWORD style);
