#pragma once
// Sorting the catalogue by a column's text: ascending first, then alternating per column.
// The direction flags live for the whole run of the program.

#include <string>

class TListView;

// Compares two texts of column sortParameter + 1 (-1: the captions) with the user's
// locale, case-sensitive, negated when that column's next sort is descending.
int CompareRows(const std::wstring& text1, const std::wstring& text2, int sortParameter);

// Sorts all rows by `column` (rows that compare equal keep their order), then flips the
// column's direction flag.
void SortByColumn(TListView& list, int column);

// True when the next sort of `column` is descending.
bool SortDescending(int column);
