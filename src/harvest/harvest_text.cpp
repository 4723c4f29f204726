#include "harvest/harvest_text.h"

#include <array>

#include "util/last_char_pos.h"

std::wstring FormatCount(std::int64_t Count) {
    const bool negative = Count < 0;
    // Through the unsigned type, so that the smallest count has a magnitude too.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(Count) : Count;
    std::wstring reversed;
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0)
            reversed += L' ';
        reversed += static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
        ++digits;
    } while (magnitude > 0);
    if (negative)
        reversed += L'-';
    return {reversed.rbegin(), reversed.rend()};
}

std::wstring ShortenName(std::wstring_view Text, std::size_t N) {
    if (Text.empty())
        return L"-";
    if (Text.size() <= N)
        return std::wstring(Text);
    std::size_t cut = N;
    if (cut > 0 && Text[cut - 1] >= 0xD800 && Text[cut - 1] <= 0xDBFF)
        --cut; // a high surrogate whose partner lies beyond the cut
    return std::wstring(Text.substr(0, cut));
}

std::wstring HarvestFileName(const std::wstring& SaveDir, std::wstring_view Name,
                             std::size_t Position) {
    const int dot = LastCharPos(Name, '.');
    const std::wstring_view stem =
        dot < 0 ? std::wstring_view() : Name.substr(0, static_cast<std::size_t>(dot));
    return SaveDir + L"\\" + ShortenName(stem, 30) + L"_" + std::to_wstring(Position) + L".ico";
}

std::wstring FileTypeMask(int Item) {
    static constexpr std::array<const wchar_t*, 4> masks = {L"*.exe,*.dll,*.cpl,*.ico", L"*.exe",
                                                            L"*.dll", L"*.ico"};
    if (Item < 0 || Item >= static_cast<int>(masks.size()))
        Item = 0;
    return masks[static_cast<std::size_t>(Item)];
}
