#include <windows.h>

#include "util/size_to_text.h"

#include "util/size_text.h"

namespace {

std::wstring UserDecimalSeparator() {
    wchar_t separator[8] = {}; // the locale services allow at most three characters
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1)
        return L".";
    return separator;
}

} // namespace

std::wstring SizeToText(std::int64_t Bytes) {
    return FormatSizeText(Bytes, UserDecimalSeparator());
}
