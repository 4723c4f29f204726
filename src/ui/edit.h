#pragma once
// A one-line text entry.

#include <windows.h>

#include <string>

#include "ui/control.h"

class TEdit : public TControl {
public:
    void Create(HWND parent, const TBounds& bounds, const std::wstring& text = {});
};
