#include "dialogs/url_target.h"

namespace {

// Only double quotes are escaped: the shell passes the rest of the text as it is.
std::wstring EscapeQuotes(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'"')
            out += L"%22";
        else
            out += c;
    }
    return out;
}

} // namespace

std::wstring UrlTarget(const UrlParts& p) {
    switch (p.type) {
    case TUrlType::Http:
        return L"http://" + p.url;
    case TUrlType::Mail:
        return L"mailto:" + p.url + L"?Subject=" + EscapeQuotes(p.mailSubject) + L"&Body=" +
               EscapeQuotes(p.mailBody);
    case TUrlType::Ftp:
        return L"ftp://" + p.url;
    case TUrlType::Custom:
        return p.customUrlType + p.url;
    }
    return p.url;
}
