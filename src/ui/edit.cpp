#include <windows.h>

#include "ui/edit.h"

void Edit::Create(HWND parent, const Bounds& b, const std::wstring& text) {
    CreateChild(parent, L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, b,
                text);
}
