#include <windows.h>

#include "ui/list_box.h"

void TListBox::Create(HWND parent, const TBounds& b, bool ownerDrawVariable, int itemHeight) {
    itemHeight_ = itemHeight;
    const DWORD style = WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                        (ownerDrawVariable ? LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS : 0);
    CreateChild(parent, L"LISTBOX", style, WS_EX_CLIENTEDGE, b);
}

int TListBox::Add(const std::wstring& text) {
    return static_cast<int>(
        ::SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int TListBox::AddObject(const std::wstring& text, void* object) {
    const int index = Add(text);
    if (index >= 0)
        ::SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(object));
    return index;
}

void* TListBox::Object(int index) const {
    const LRESULT data = ::SendMessageW(hwnd_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

void TListBox::SetRedraw(bool redraw) {
    ::SendMessageW(hwnd_, WM_SETREDRAW, redraw, 0);
    if (redraw)
        ::InvalidateRect(hwnd_, nullptr, TRUE);
}

int TListBox::Count() const {
    return static_cast<int>(::SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
}

std::wstring TListBox::Item(int index) const {
    const auto length = ::SendMessageW(hwnd_, LB_GETTEXTLEN, index, 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(hwnd_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void TListBox::Clear() {
    ::SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
}
int TListBox::ItemIndex() const {
    return static_cast<int>(::SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
}
void TListBox::SetItemIndex(int index) {
    ::SendMessageW(hwnd_, LB_SETCURSEL, index, 0);
}

void TListBox::HandleCommand(WORD code, WORD) {
    if (code == LBN_SELCHANGE && OnClick)
        OnClick();
}

void TListBox::HandleDrawItem(DRAWITEMSTRUCT& item) {
    if (OnDrawItem)
        OnDrawItem(item);
}

void TListBox::HandleMeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(itemHeight_);
    if (OnMeasureItem)
        OnMeasureItem(item);
}
