#pragma once
// A main window for tests that are not about its start: it neither reads nor writes the
// stored window state, and shows no first-show notice and opens no web page.

#include "app/main_window.h"

inline void QuietStart(Tfrm_main_quillmont& frm) {
    frm.ps.Active = false;
    frm.notice.Ask = [](bool&, const std::wstring&, const std::wstring&, bool) { return false; };
    frm.notice.OpenPage = [](const std::wstring&) {};
}
