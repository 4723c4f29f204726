#pragma once
// The author's web site, as the status-bar link, the first-show notice and the about window
// name it. The program's own placeholder under a reserved example domain.

inline constexpr const wchar_t* kAuthorSite = L"quillmont.example.org";
