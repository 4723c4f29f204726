#include <windows.h>

#include "app/first_show_notice.h"

#include "dialogs/author_site.h"
#include "util/app_folder.h"
#include "util/error_log.h"
#include "util/exception_text.h"

const std::wstring& TFirstShowNotice::Text() {
    static const std::wstring text =
        L"Данная программа абсолютно бесплатна.\r\n"
        L"В знак благодарности разработчику этой программы, пожалуйста, посетите его сайт. "
        L"Возможно, Вы найдёте там кое что интересное для себя!\r\n"
        L"И не забудьте поделиться ссылкой с другом.\r\n"
        L"http://" +
        std::wstring(kAuthorSite);
    return text;
}

const std::wstring& TFirstShowNotice::PageAddress() {
    static const std::wstring page = L"http://" + std::wstring(kAuthorSite) + L"/thanks.html";
    return page;
}

void TFirstShowNotice::Show() {
    if (!option_.Checked())
        return;
    try {
        bool boxTicked = false;
        Ask(boxTicked, Text(), L"Больше не показывать это сообщение", false);
        if (boxTicked)
            option_.SetChecked(false);
    } catch (...) {
        AppendLogLine(AppFolder() + L"error.log", L"Error № 502a " + CurrentExceptionMessage());
    }
    OpenPage(PageAddress());
}
