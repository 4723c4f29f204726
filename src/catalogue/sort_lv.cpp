#include <windows.h>
#include <commctrl.h>

#include "catalogue/sort_lv.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "ui/list_view.h"

namespace {

std::array<bool, 3> descending{};

bool* FlagOf(int column) {
    return column >= 0 && column < static_cast<int>(descending.size()) ? &descending[column]
                                                                       : nullptr;
}

} // namespace

bool SortDescending(int column) {
    const bool* flag = FlagOf(column);
    return flag && *flag;
}

int CompareRows(const std::wstring& text1, const std::wstring& text2, int sortParameter) {
    const int result = ::lstrcmpW(text1.c_str(), text2.c_str());
    return SortDescending(sortParameter + 1) ? -result : result;
}

void SortByColumn(TListView& list, int column) {
    const int rows = list.Count();
    std::vector<std::wstring> texts;
    texts.reserve(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i)
        texts.push_back(list.CellText(i, column));
    std::vector<int> order(static_cast<size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return CompareRows(texts[static_cast<size_t>(a)], texts[static_cast<size_t>(b)],
                           column - 1) < 0;
    });
    list.Reorder(order);
    if (bool* flag = FlagOf(column))
        *flag = !*flag;
}
