#pragma once
// A list box, plain or owner-drawn with rows of variable height.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/control.h"

class TListBox : public TControl {
public:
    void Create(HWND parent, const TBounds& bounds, bool ownerDrawVariable, int itemHeight = 16);
    int Add(const std::wstring& text);
    // A line carrying an object the list does not own.
    int AddObject(const std::wstring& text, void* object);
    // The object of line index (null when it has none or the index is out of range).
    void* Object(int index) const;
    // Suspends (false) and resumes (true) redrawing while many lines change.
    void SetRedraw(bool redraw);
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
