#include "util/size_text.h"

#include <charconv>

namespace {

// value with two decimals, rounded; to_chars ignores the C locale, so the separator is
// always the one the caller asked for.
std::wstring TwoDecimals(double value, std::wstring_view separator) {
    char digits[48];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    std::wstring text;
    for (const char* p = digits; p != result.ptr; ++p) {
        if (*p == '.')
            text += separator;
        else
            text += static_cast<wchar_t>(*p);
    }
    return text;
}

} // namespace

std::wstring FormatSizeText(std::int64_t Bytes, std::wstring_view DecimalSeparator) {
    struct Unit {
        std::int64_t size;
        const wchar_t* name;
    };
    static constexpr Unit units[] = {{1073741824, L" GB"}, {1048576, L" MB"}, {1024, L" KB"}};
    for (const Unit& unit : units) {
        if (Bytes / unit.size > 0)
            return TwoDecimals(static_cast<double>(Bytes) / static_cast<double>(unit.size),
                               DecimalSeparator) +
                   unit.name;
    }
    return std::to_wstring(Bytes) + L" Byte(s)";
}
