#include <windows.h>

#include "ui/controls.h"

#include <algorithm>

#include "ui/drawn_text.h"
#include "ui/form.h"
#include "ui/icon_size.h"

void TButton::Create(HWND parent, const TBounds& b, const std::wstring& caption, DWORD style) {
    CreateChild(parent, L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | style, 0, b, caption);
}

void TButton::Click() {
    if (OnClick)
        OnClick();
    if (modalResult != 0) {
        if (TForm* form = TForm::Of(hwnd_))
            form->SetModalResult(modalResult);
    }
}

void TButton::HandleCommand(WORD code, WORD) {
    if (code == BN_CLICKED)
        Click();
}

LRESULT TButton::HandleOwnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) {
        if (TForm* form = TForm::Of(hwnd_))
            form->FocusChanged(msg == WM_SETFOCUS ? hwnd_ : reinterpret_cast<HWND>(wp));
    }
    return DefaultOwnMessage(msg, wp, lp);
}

void TCheckBox::Create(HWND parent, const TBounds& b, const std::wstring& caption) {
    CreateChild(parent, L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, b, caption);
}

bool TCheckBox::Checked() const {
    return ::SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    ::SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::HandleCommand(WORD code, WORD) {
    if (code == BN_CLICKED && OnClick)
        OnClick();
}

void TRadioButton::Create(HWND parent, const TBounds& b, const std::wstring& caption,
                          bool firstInGroup) {
    CreateChild(parent, L"BUTTON",
                WS_VISIBLE | BS_AUTORADIOBUTTON | (firstInGroup ? WS_GROUP | WS_TABSTOP : 0), 0, b,
                caption);
}

void TLabel::Create(HWND parent, const TBounds& b, const std::wstring& caption, DWORD style) {
    CreateChild(parent, L"STATIC", WS_VISIBLE | style, 0, b, caption);
}

void TLabel::SizeToText() {
    const std::wstring caption = Text();
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const SIZE size =
        DrawnTextSize(reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0)),
                      caption.empty() ? L" " : caption, StaticTextFormat(style), kUnwrapped);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, caption.empty() ? 0 : size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TBevel::Create(HWND parent, const TBounds& b, DWORD style) {
    CreateChild(parent, L"STATIC", WS_VISIBLE | style, 0, b);
}

void TImage::Create(HWND parent, const TBounds& b) {
    CreateWindowHandle(L"QuillmontImage", WS_CHILD | WS_VISIBLE, 0, parent,
                       ScaleForDpi(b.left, parent), ScaleForDpi(b.top, parent),
                       ScaleForDpi(b.width, parent), ScaleForDpi(b.height, parent));
}

void TImage::SetIcon(HICON icon) {
    icon_.reset(icon ? ::CopyIcon(icon) : nullptr);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void TImage::Clear() {
    SetIcon(nullptr);
}

LRESULT TImage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        // The parent's background, as it gives it to its labels.
        const HDC dc = reinterpret_cast<HDC>(wp);
        auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(hwnd_), WM_CTLCOLORSTATIC,
                                                             wp, reinterpret_cast<LPARAM>(hwnd_)));
        const RECT r = ClientRect();
        ::FillRect(dc, &r, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return TWindow::HandleMessage(msg, wp, lp);
}

void TImage::HandlePaint(HDC dc, const RECT&) {
    if (!icon_)
        return;
    const SIZE size = IconSize(icon_.get());
    if (size.cx <= 0 || size.cy <= 0)
        return;
    int width = size.cx;
    int height = size.cy;
    const RECT box = ClientRect();
    const int boxW = box.right, boxH = box.bottom;
    if (width > boxW || height > boxH) {
        // Scale down keeping the proportions.
        if (width * boxH > height * boxW) {
            height = std::max(1, height * boxW / width);
            width = boxW;
        } else {
            width = std::max(1, width * boxH / height);
            height = boxH;
        }
    }
    ::DrawIconEx(dc, (boxW - width) / 2, (boxH - height) / 2, icon_.get(), width, height, 0,
                 nullptr, DI_NORMAL);
}
