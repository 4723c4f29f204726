#pragma once
// The find command's rules, apart from the list and the dialogs: which entries search at
// all, which rows are hits, and the texts of its question and closing report.

#include <string>
#include <string_view>

// The title of the find command's question.
inline constexpr std::wstring_view kFindTitle = L"Поик";

// True when the entry holds nothing but blanks and control characters: nothing to search.
bool IsBlankEntry(std::wstring_view entry);

// A row is a hit when the entry, exactly as typed, occurs anywhere in its caption, with the
// same case.
bool IsHit(std::wstring_view caption, std::wstring_view entry);

// The question after each hit: whether to go on.
std::wstring FindQuestionText(std::wstring_view entry);

// The closing report: its title names the entry, its text the number of hits.
std::wstring FindReportTitle(std::wstring_view entry);
std::wstring FindReportText(int hits);
