#include <windows.h>

#include "util/date_time_text.h"

namespace {

// Calls a Get...FormatW function of the locale services twice: once for the length, once for
// the text. A failure gives empty text: the caller is usually composing an error log line.
template <typename Format>
std::wstring LocaleText(Format format, DWORD flags, const SYSTEMTIME& time) {
    const int length = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    const int written = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, text.data(), length);
    text.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
    return text;
}

} // namespace

std::wstring DateTimeText(const SYSTEMTIME& Time) {
    return LocaleText(::GetDateFormatW, DATE_SHORTDATE, Time) + L" " +
           LocaleText(::GetTimeFormatW, 0, Time);
}

std::wstring CurrentDateTimeText() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return DateTimeText(now);
}
