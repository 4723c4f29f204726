#include <windows.h>
#include <commctrl.h>

#include "ui/control.h"

#include "ui/application.h"
#include "ui/cursor.h"
#include "ui/window.h"
#include "util/exception.h"

namespace {

const wchar_t* const kControlProperty = L"Quillmont.Control";
UINT_PTR const kSubclassId = 1;
int nextControlId = 1000;

UINT DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi && window) {
        if (const UINT dpi = getDpi(window))
            return dpi;
    }
    HDC dc = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSX);
    ::ReleaseDC(nullptr, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

} // namespace

int NextControlId() {
    return nextControlId++;
}

int ScaleForDpi(int value, HWND window) {
    return ::MulDiv(value, DpiOf(window), 96);
}

TControl::~TControl() {
    Detach();
}

TControl* TControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<TControl*>(::GetPropW(hwnd, kControlProperty)) : nullptr;
}

void TControl::CreateChild(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle,
                           const TBounds& b, const std::wstring& text) {
    const HWND hwnd = ::CreateWindowExW(
        exStyle, className, text.c_str(), style | WS_CHILD, ScaleForDpi(b.left, parent),
        ScaleForDpi(b.top, parent), ScaleForDpi(b.width, parent), ScaleForDpi(b.height, parent),
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId())),
        Application::Instance(), nullptr);
    if (!hwnd)
        throw Exception(L"Cannot create control " + std::wstring(className));
    Attach(hwnd, true);
    if (HFONT font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0)))
        SetFont(font);
}

void TControl::Attach(HWND hwnd, bool subclass) {
    hwnd_ = hwnd;
    ::SetPropW(hwnd, kControlProperty, this);
    if (subclass) {
        classProc_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
        subclassed_ = ::SetWindowSubclass(hwnd, SubclassBridge, kSubclassId,
                                          reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    }
    JoinParent();
}

void TControl::Detach() {
    if (!hwnd_)
        return;
    LeaveParent();
    if (subclassed_)
        ::RemoveWindowSubclass(hwnd_, SubclassBridge, kSubclassId);
    subclassed_ = false;
    ::RemovePropW(hwnd_, kControlProperty);
    hwnd_ = nullptr;
}

void TControl::JoinParent() {
    if (!(::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD))
        return;
    if (auto* parent = dynamic_cast<TWindow*>(FromHandle(::GetParent(hwnd_)))) {
        parent->children_[hwnd_] = this;
        router_ = parent;
    }
}

void TControl::LeaveParent() {
    if (router_)
        router_->children_.erase(hwnd_);
    router_ = nullptr;
}

void TControl::AttachAlias(HWND other) {
    if (other)
        ::SetPropW(other, kControlProperty, this);
}

LRESULT CALLBACK TControl::SubclassBridge(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                          DWORD_PTR ref) {
    auto* self = reinterpret_cast<TControl*>(ref);
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    }
    if (msg == WM_SETCURSOR && Screen::ApplyCursor())
        return TRUE;
    LRESULT result = 0;
    bool handled = false;
    Application::Guarded([&] {
        result = self->HandleOwnMessage(msg, wp, lp);
        handled = true;
    });
    return handled ? result : ::DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT TControl::HandleOwnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return DefaultOwnMessage(msg, wp, lp);
}

LRESULT TControl::DefaultOwnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return ::DefSubclassProc(hwnd_, msg, wp, lp);
}

LRESULT TControl::Request(UINT msg, WPARAM wp, LPARAM lp) const {
    if (subclassed_ && classProc_)
        return ::CallWindowProcW(classProc_, hwnd_, msg, wp, lp);
    return ::SendMessageW(hwnd_, msg, wp, lp);
}

void TControl::SetBounds(const TBounds& b) {
    const HWND parent = ::GetParent(hwnd_);
    ::SetWindowPos(hwnd_, nullptr, ScaleForDpi(b.left, parent), ScaleForDpi(b.top, parent),
                   ScaleForDpi(b.width, parent), ScaleForDpi(b.height, parent),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::SetBoundsPixels(const RECT& r) {
    ::SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TControl::ClientRect() const {
    RECT r{};
    ::GetClientRect(hwnd_, &r);
    return r;
}

void TControl::SetText(const std::wstring& text) {
    ::SetWindowTextW(hwnd_, text.c_str());
}

std::wstring TControl::Text() const {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(::GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TControl::SetVisible(bool visible) {
    ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}
bool TControl::Visible() const {
    return ::IsWindowVisible(hwnd_) != FALSE;
}
void TControl::SetEnabled(bool enabled) {
    ::EnableWindow(hwnd_, enabled);
}
void TControl::SetFont(HFONT font) {
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
void TControl::SetParent(HWND parent) {
    LeaveParent();
    ::SetParent(hwnd_, parent);
    JoinParent();
}
void TControl::Focus() {
    ::SetFocus(hwnd_);
}
int TControl::Id() const {
    return ::GetDlgCtrlID(hwnd_);
}
