#include <windows.h>

#include "dialogs/JvUrlLabel.h"

#include "ui/application.h"
#include "ui/drawn_text.h"

namespace {

// How the caption is drawn, and so measured.
constexpr UINT kFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;

} // namespace

void TJvURLlabel::Create(HWND parent, const TBounds& b, const std::wstring& caption) {
    CreateWindowHandle(L"QuillmontUrlLabel", WS_CHILD | WS_VISIBLE, 0, parent,
                       ScaleForDpi(b.left, parent), ScaleForDpi(b.top, parent),
                       ScaleForDpi(b.width, parent), ScaleForDpi(b.height, parent), caption);
    FollowPointer(IDC_HAND);
    SetLabelFont(reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0)));
}

void TJvURLlabel::SetLabelFont(HFONT base) {
    LOGFONTW lf{};
    ::GetObjectW(base ? static_cast<HGDIOBJ>(base) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf),
                 &lf);
    lf.lfUnderline = TRUE;
    font_.reset(::CreateFontIndirectW(&lf));
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void TJvURLlabel::SizeToText() {
    const SIZE size = DrawnTextSize(font_.get(), Text(), kFormat, kUnwrapped);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

void NotMailType(HWND label) {
    ::MessageBoxW(label, L"Must be only on MAIL type", Application::Title().c_str(), MB_OK);
}

} // namespace

void TJvURLlabel::SetMailSubject(const std::wstring& subject) {
    if (UrlType == TUrlType::Mail)
        mailSubject_ = subject;
    else
        NotMailType(hwnd_);
}

void TJvURLlabel::SetMailBody(const std::wstring& body) {
    if (UrlType == TUrlType::Mail)
        mailBody_ = body;
    else
        NotMailType(hwnd_);
}

void TJvURLlabel::SetFontColor(COLORREF color) {
    color_ = color;
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

std::wstring TJvURLlabel::Target() const {
    return UrlTarget({UrlType, URL, CustomUrlType, mailSubject_, mailBody_});
}

void TJvURLlabel::Click() {
    Open(Target());
}

void TJvURLlabel::MouseEnter() {
    if (DetectMouse)
        SetFontColor(ActiveColor);
    if (OnMouseEnter)
        OnMouseEnter(*this);
}

void TJvURLlabel::MouseLeave() {
    if (DetectMouse)
        SetFontColor(kBlue);
    if (OnMouseLeave)
        OnMouseLeave(*this);
}

void TJvURLlabel::HandleTextChanged() {
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void TJvURLlabel::HandlePaint(HDC dc, const RECT&) {
    RECT r = ClientRect();
    const SelectedObject font(dc, font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color_);
    const std::wstring caption = Text();
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, kFormat);
}
