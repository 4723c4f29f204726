// The text a link label hands to the shell, for each kind of address.

#include <gtest/gtest.h>

#include "dialogs/url_target.h"

TEST(UrlTarget, EachKindOfAddress) {
    EXPECT_EQ(UrlTarget({TUrlType::Http, L"host.example/index/0-42"}),
              L"http://host.example/index/0-42");
    EXPECT_EQ(UrlTarget({TUrlType::Ftp, L"files.example"}), L"ftp://files.example");
    EXPECT_EQ(UrlTarget({TUrlType::Custom, L"group.name", L"news:"}), L"news:group.name");
    // Both mail parts are present even when empty.
    EXPECT_EQ(UrlTarget({TUrlType::Mail, L"a@example.org"}),
              L"mailto:a@example.org?Subject=&Body=");
}

TEST(UrlTarget, MailEscapesOnlyDoubleQuotes) {
    EXPECT_EQ(UrlTarget({TUrlType::Mail, L"a@example.org", {}, L"a\"b\"", L"x & \"y\" %"}),
              L"mailto:a@example.org?Subject=a%22b%22&Body=x & %22y%22 %");
}
