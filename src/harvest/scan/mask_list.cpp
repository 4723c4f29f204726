#include "harvest/scan/mask_list.h"

std::vector<std::wstring> SplitMaskList(std::wstring_view list) {
    std::vector<std::wstring> elements;
    std::wstring current;
    auto finish = [&] {
        while (!current.empty() && current.back() == L' ')
            current.pop_back();
        elements.push_back(std::move(current));
        current.clear();
    };
    for (size_t i = 0; i < list.size(); ++i) {
        const wchar_t ch = list[i];
        if (ch == L',') {
            finish();
            continue;
        }
        if (ch != L' ' || !current.empty())
            current += ch;
        if (i + 1 == list.size())
            finish();
    }
    return elements;
}

TMultiMaskList CompileMaskList(std::wstring_view list) {
    TMultiMaskList masks;
    for (const std::wstring& element : SplitMaskList(list))
        masks.emplace_back(element);
    return masks;
}

bool MatchesAny(const TMultiMaskList& masks, std::wstring_view name) {
    for (const TMultiMask& mask : masks)
        if (mask.FMask.Matches(name))
            return true;
    return false;
}
