#include <windows.h>
#include <commctrl.h>

#include "ui/tool_bar.h"

void TToolBar::Create(HWND parent, HIMAGELIST pictures, int buttonWidth, int buttonHeight) {
    CreateChild(parent, TOOLBARCLASSNAMEW,
                WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                    CCS_TOP | CCS_NORESIZE | WS_CLIPCHILDREN,
                0, TBounds{0, 0, 100, buttonHeight + 2});
    ::SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    ::SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
    const int w = ScaleForDpi(buttonWidth, parent), h = ScaleForDpi(buttonHeight, parent);
    ::SendMessageW(hwnd_, TB_SETBUTTONSIZE, 0, MAKELPARAM(w, h));
    ::SendMessageW(hwnd_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(w, w));
    AttachAlias(Tooltips());
    firstCommand_ = NextControlId();
    for (int i = 0; i < 63; ++i)
        NextControlId(); // reserve command ids for the buttons
}

void TToolBar::SetButtons(std::vector<TToolButton> buttons) {
    buttons_ = std::move(buttons);
    std::vector<TBBUTTON> items;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const TToolButton& b = buttons_[i];
        TBBUTTON t{};
        t.idCommand = CommandOf(i);
        t.fsState = TBSTATE_ENABLED;
        switch (b.kind) {
        case TToolButton::TKind::Separator:
        case TToolButton::TKind::Placeholder:
            t.fsStyle = BTNS_SEP;
            t.iBitmap = ScaleForDpi(b.width, hwnd_);
            break;
        case TToolButton::TKind::Toggle:
        case TToolButton::TKind::Button:
            t.fsStyle = static_cast<BYTE>(
                (b.kind == TToolButton::TKind::Toggle ? BTNS_CHECK : BTNS_BUTTON) | BTNS_SHOWTEXT);
            t.iBitmap = b.picture;
            t.iString = reinterpret_cast<INT_PTR>(b.caption.c_str());
            break;
        }
        items.push_back(t);
    }
    ::SendMessageW(hwnd_, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
    PlaceControls();
}

void TToolBar::PlaceControls() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const TToolButton& b = buttons_[i];
        if (b.kind != TToolButton::TKind::Placeholder || !b.placed)
            continue;
        b.placed->SetParent(hwnd_);
        RECT r = ButtonRect(i);
        RECT own = b.placed->ClientRect();
        r.top += (r.bottom - r.top - own.bottom) / 2;
        r.bottom = r.top + own.bottom;
        b.placed->SetBoundsPixels(r);
    }
}

RECT TToolBar::ButtonRect(size_t index) const {
    RECT r{};
    ::SendMessageW(hwnd_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
}

bool TToolBar::IsDown(size_t index) const {
    return ::SendMessageW(hwnd_, TB_ISBUTTONCHECKED, CommandOf(index), 0) != 0;
}

void TToolBar::SetDown(size_t index, bool down) {
    ::SendMessageW(hwnd_, TB_CHECKBUTTON, CommandOf(index), MAKELPARAM(down ? TRUE : FALSE, 0));
}

int TToolBar::Height() const {
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    return r.bottom - r.top;
}

HWND TToolBar::Tooltips() const {
    return reinterpret_cast<HWND>(::SendMessageW(hwnd_, TB_GETTOOLTIPS, 0, 0));
}

void TToolBar::ClickButton(size_t index) {
    // As a mouse click does, a toggle button changes its state before its handler runs.
    if (index < buttons_.size() && buttons_[index].kind == TToolButton::TKind::Toggle)
        SetDown(index, !IsDown(index));
    RunHandler(index);
}

void TToolBar::RunHandler(size_t index) {
    if (index < buttons_.size() && buttons_[index].onClick)
        buttons_[index].onClick();
}

void TToolBar::HandleCommand(WORD, WORD id) {
    RunHandler(static_cast<size_t>(id - firstCommand_));
}

bool TToolBar::HandleNotify(NMHDR& header, LRESULT&) {
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        const auto index = static_cast<size_t>(static_cast<int>(info.hdr.idFrom) - firstCommand_);
        if (index < buttons_.size())
            info.lpszText = const_cast<wchar_t*>(buttons_[index].hint.c_str());
        return true;
    }
    return false;
}
