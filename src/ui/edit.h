#pragma once
// A one-line text entry.

#include <windows.h>

#include <string>

#include "ui/control.h"

class Edit : public Control {
public:
    void Create(HWND parent, const Bounds& bounds, const std::wstring& text = {});
};
