#include <windows.h>

#include "ui/radio_group.h"

#include <algorithm>

namespace {

constexpr int kCaptionBand = 14; // the frame's caption line
constexpr int kButtonHeight = 17;

} // namespace

void TRadioGroup::Create(HWND parent, const TBounds& b, const std::wstring& caption,
                         const std::vector<std::wstring>& items, int columns) {
    CreateChild(parent, L"BUTTON", WS_VISIBLE | BS_GROUPBOX, WS_EX_TRANSPARENT, b, caption);
    columns = std::max(columns, 1);
    const int count = static_cast<int>(items.size());
    const int rows = std::max((count + columns - 1) / columns, 1);
    const int columnWidth = (b.width - 10) / columns;
    const int rowHeight = std::max((b.height - kCaptionBand - 4) / rows, kButtonHeight);
    const int firstTop =
        b.top + kCaptionBand + (b.height - kCaptionBand - 4 - rows * rowHeight) / 2;
    buttons_.clear();
    for (int i = 0; i < count; ++i) {
        auto button = std::make_unique<TRadioButton>();
        const int top = firstTop + (i / columns) * rowHeight + (rowHeight - kButtonHeight) / 2;
        button->Create(
            parent, {b.left + 8 + (i % columns) * columnWidth, top, columnWidth - 4, kButtonHeight},
            items[static_cast<std::size_t>(i)], i == 0);
        buttons_.push_back(std::move(button));
    }
}

int TRadioGroup::ItemIndex() const {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->Checked())
            return static_cast<int>(i);
    return -1;
}

void TRadioGroup::SetItemIndex(int index) {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(static_cast<int>(i) == index);
}
