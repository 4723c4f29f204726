#pragma once
// A framed, captioned group of radio buttons laid out in columns, exactly one of them chosen.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"

class TRadioGroup : public TControl {
public:
    // The frame at bounds and one radio button per item, placed inside it row by row over
    // the given number of columns. The buttons are the parent's children too, so their
    // notifications reach them the usual way.
    void Create(HWND parent, const TBounds& bounds, const std::wstring& caption,
                const std::vector<std::wstring>& items, int columns);

    int Count() const { return static_cast<int>(buttons_.size()); }
    TRadioButton& Buttons(int index) { return *buttons_.at(static_cast<std::size_t>(index)); }
    // The chosen item, or -1 when none is.
    int ItemIndex() const;
    void SetItemIndex(int index);

private:
    std::vector<std::unique_ptr<TRadioButton>> buttons_;
};
