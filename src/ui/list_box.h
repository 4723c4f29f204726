#pragma once
// A list box, plain or owner-drawn with rows of variable height.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/control.h"

class ListBox : public Control {
public:
    void Create(HWND parent, const Bounds& bounds, bool ownerDrawVariable, int itemHeight = 16);
    int Add(const std::wstring& text);
    int Count() const;
    std::wstring Item(int index) const;
    void Clear();
    int ItemIndex() const;
    void SetItemIndex(int index);

    std::function<void()> OnClick;
    std::function<void(DRAWITEMSTRUCT& item)> OnDrawItem;
    std::function<void(MEASUREITEMSTRUCT& item)> OnMeasureItem;

    void HandleCommand(WORD code, WORD id) override;
    void HandleDrawItem(DRAWITEMSTRUCT& item) override;
    void HandleMeasureItem(MEASUREITEMSTRUCT& item) override;

private:
    int itemHeight_ = 16;
};
