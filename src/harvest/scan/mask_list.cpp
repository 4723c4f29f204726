#include "harvest/scan/mask_list.h"

std::vector<std::wstring> SplitMaskList(std::wstring_view List) {
    std::vector<std::wstring> elements;
    std::wstring current;
    auto finish = [&] {
        while (!current.empty() && current.back() == L' ')
            current.pop_back();
        elements.push_back(std::move(current));
        current.clear();
    };
    for (size_t i = 0; i < List.size(); ++i) {
        const wchar_t ch = List[i];
        if (ch == L',') {
            finish();
            continue;
        }
        if (ch != L' ' || !current.empty())
            current += ch;
        if (i + 1 == List.size())
            finish();
    }
    return elements;
}

TMultiMaskList CompileMaskList(std::wstring_view List) {
    TMultiMaskList masks;
    for (const std::wstring& element : SplitMaskList(List))
        masks.emplace_back(element);
    return masks;
}

bool MatchesAny(const TMultiMaskList& Masks, std::wstring_view Name) {
    for (const TMultiMask& mask : Masks)
        if (mask.FMask.Matches(Name))
            return true;
    return false;
}
