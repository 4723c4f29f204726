#pragma once
// The text a link label hands to the shell, built from its address and kind.

#include <string>

enum class TUrlType { Http, Mail, Ftp, Custom };

struct UrlParts {
    TUrlType type = TUrlType::Http;
    std::wstring url;
    std::wstring customUrlType;
    std::wstring mailSubject;
    std::wstring mailBody;
};

std::wstring UrlTarget(const UrlParts& parts);
