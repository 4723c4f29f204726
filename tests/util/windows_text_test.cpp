// Texts checked against Windows' own text services: the date-time head of a log line and
// byte counts follow the user's regional settings (each test sets the one it depends on and
// restores it), and the last-character search reads characters as Windows-1251 does.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "util/date_time_text.h"
#include "util/last_char_pos.h"
#include "util/size_to_text.h"

namespace {

// Sets one regional setting of the user for the life of the object.
class LocaleOverride {
public:
    LocaleOverride(LCTYPE type, const wchar_t* value) : type_(type) {
        wchar_t old[80] = {};
        ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type_, old, 80);
        old_ = old;
        EXPECT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, type_, value));
    }
    ~LocaleOverride() { ::SetLocaleInfoW(LOCALE_USER_DEFAULT, type_, old_.c_str()); }
    LocaleOverride(const LocaleOverride&) = delete;
    LocaleOverride& operator=(const LocaleOverride&) = delete;

private:
    LCTYPE type_;
    std::wstring old_;
};

SYSTEMTIME Noon() {
    SYSTEMTIME t{};
    t.wYear = 2024;
    t.wMonth = 3;
    t.wDay = 7;
    t.wHour = 13;
    t.wMinute = 5;
    t.wSecond = 9;
    return t;
}

} // namespace

TEST(DateTimeText, FollowsTheUserShortDateAndLongTimeFormats) {
    {
        LocaleOverride date(LOCALE_SSHORTDATE, L"dd.MM.yyyy");
        LocaleOverride time(LOCALE_STIMEFORMAT, L"HH:mm:ss");
        EXPECT_EQ(DateTimeText(Noon()), L"07.03.2024 13:05:09");
    }
    {
        LocaleOverride date(LOCALE_SSHORTDATE, L"yyyy/M/d");
        LocaleOverride time(LOCALE_STIMEFORMAT, L"ss-mm-H");
        EXPECT_EQ(DateTimeText(Noon()), L"2024/3/7 09-05-13");
    }
}

TEST(SizeToText, UsesTheUserDecimalSeparator) {
    {
        LocaleOverride separator(LOCALE_SDECIMAL, L",");
        EXPECT_EQ(SizeToText(1024), L"1,00 KB");
        EXPECT_EQ(SizeToText(1023), L"1023 Byte(s)");
    }
    {
        LocaleOverride separator(LOCALE_SDECIMAL, L".");
        EXPECT_EQ(SizeToText(3 * 1048576 / 2), L"1.50 MB");
    }
}

TEST(LastCharPos, AgreesWithWindowsOnEveryWindows1251Character) {
    for (int byte = 1; byte < 256; ++byte) {
        const char ch = static_cast<char>(byte);
        wchar_t decoded = 0;
        ASSERT_EQ(::MultiByteToWideChar(1251, 0, &ch, 1, &decoded, 1), 1);
        // CJK neighbours: no Windows-1251 byte decodes to them
        EXPECT_EQ(LastCharPos(std::wstring(L"一") + decoded + L"二", ch), 1) << "byte " << byte;
    }
}
