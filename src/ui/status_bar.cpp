#include <windows.h>
#include <commctrl.h>

#include "ui/status_bar.h"

void TStatusBar::Create(HWND parent, int height, const std::vector<int>& panelWidths) {
    CreateChild(parent, STATUSCLASSNAMEW, WS_VISIBLE | CCS_BOTTOM | CCS_NORESIZE | WS_CLIPCHILDREN,
                0, TBounds{0, 0, 100, height});
    widths_ = panelWidths;
    ApplyPanels();
}

void TStatusBar::ApplyPanels() {
    std::vector<int> edges;
    int right = 0;
    for (size_t i = 0; i < widths_.size(); ++i) {
        right += ScaleForDpi(widths_[i], hwnd_);
        edges.push_back(i + 1 == widths_.size() ? -1 : right);
    }
    // Some status bars recompute the panels' rectangles only when the edges change (or at
    // the next paint): set them to something else first, so SB_GETRECT is current at once.
    std::vector<int> other(edges.size(), 0);
    ::SendMessageW(hwnd_, SB_SETPARTS, other.size(), reinterpret_cast<LPARAM>(other.data()));
    ::SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void TStatusBar::SetPanelText(int panel, const std::wstring& text) {
    ::SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(panel),
                   reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring TStatusBar::PanelText(int panel) const {
    const auto length = LOWORD(::SendMessageW(hwnd_, SB_GETTEXTLENGTHW, panel, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(hwnd_, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

RECT TStatusBar::PanelRect(int panel) const {
    RECT r{};
    ::SendMessageW(hwnd_, SB_GETRECT, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TStatusBar::SetDoubleBuffered() {
    ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE,
                        ::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_COMPOSITED);
}
