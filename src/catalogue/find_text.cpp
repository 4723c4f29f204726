#include "catalogue/find_text.h"

#include <algorithm>

namespace {

// Blanks and control characters: everything up to the space.
bool IsBlank(wchar_t c) {
    return c <= L' ';
}

std::wstring Quoted(std::wstring_view entry) {
    return L"\"" + std::wstring(entry) + L"\"";
}

} // namespace

bool IsBlankEntry(std::wstring_view entry) {
    return std::all_of(entry.begin(), entry.end(), IsBlank);
}

bool IsHit(std::wstring_view caption, std::wstring_view entry) {
    return caption.find(entry) != std::wstring_view::npos;
}

std::wstring FindQuestionText(std::wstring_view entry) {
    return L"Значение " + Quoted(entry) + L" найдено\r\nПродолжить поиск?";
}

std::wstring FindReportTitle(std::wstring_view entry) {
    return std::wstring(kFindTitle) + L" " + Quoted(entry);
}

std::wstring FindReportText(int hits) {
    return L"Поиск окончен. Найдено: (" + std::to_wstring(hits) + L")";
}
