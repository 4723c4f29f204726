#pragma once
// The keys and values of the program's entry in Explorer's folder-background menu, built
// from the executable's path. Portable: no Win32 here.

#include <string>
#include <string_view>

// The entry's name: the executable's file name without its extension, so that a renamed
// executable gets an entry of its own ("C:\Tools\Quillmont.exe" gives "Quillmont").
std::wstring EntryName(std::wstring_view exePath);

// "Directory\Background\shell\" + name: the entry's key under the class registry.
std::wstring EntryKey(const std::wstring& name);

// The menu text: "Открыть «" + name + "»".
std::wstring EntryVerb(const std::wstring& name);

// The path between double quotes, as the icon and the command hold it.
std::wstring QuotedPath(const std::wstring& exePath);
