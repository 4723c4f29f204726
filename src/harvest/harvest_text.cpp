#include "harvest/harvest_text.h"

#include <array>

#include "util/last_char_pos.h"

std::wstring FormatCount(std::int64_t count) {
    const bool negative = count < 0;
    // Through the unsigned type, so that the smallest count has a magnitude too.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(count) : count;
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

std::wstring ShortenName(std::wstring_view text, std::size_t n) {
    if (text.empty())
        return L"-";
    if (text.size() <= n)
        return std::wstring(text);
    std::size_t cut = n;
    if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF)
        --cut; // a high surrogate whose partner lies beyond the cut
    return std::wstring(text.substr(0, cut));
}

std::wstring HarvestFileName(const std::wstring& saveDir, std::wstring_view name,
                             std::size_t position) {
    const int dot = LastCharPos(name, '.');
    const std::wstring_view stem =
        dot < 0 ? std::wstring_view() : name.substr(0, static_cast<std::size_t>(dot));
    return saveDir + L"\\" + ShortenName(stem, 30) + L"_" + std::to_wstring(position) + L".ico";
}

std::wstring FileTypeMask(int item) {
    static constexpr std::array<const wchar_t*, 4> masks = {L"*.exe,*.dll,*.cpl,*.ico", L"*.exe",
                                                            L"*.dll", L"*.ico"};
    if (item < 0 || item >= static_cast<int>(masks.size()))
        item = 0;
    return masks[static_cast<std::size_t>(item)];
}
