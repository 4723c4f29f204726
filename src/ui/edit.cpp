#include <windows.h>

#include "ui/edit.h"

void TEdit::Create(HWND parent, const TBounds& b, const std::wstring& text) {
    CreateChild(parent, L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, b,
                text);
}
