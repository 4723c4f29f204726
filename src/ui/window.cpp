#include <windows.h>
#include <windowsx.h>

#include "ui/window.h"

#include <set>
#include <string>

#include "ui/application.h"
#include "ui/cursor.h"
#include "ui/timer.h"
#include "util/exception.h"

namespace {

void RegisterClassOnce(const wchar_t* className, WNDPROC proc) {
    static std::set<std::wstring> registered;
    if (registered.count(className))
        return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = Application::Instance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    wc.hIcon = ::LoadIconW(Application::Instance(), MAKEINTRESOURCEW(1));
    if (!::RegisterClassExW(&wc))
        throw Exception(L"Cannot register window class " + std::wstring(className));
    registered.insert(className);
}

// BeginPaint and its EndPaint, on every path.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
    ~PaintScope() { ::EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

} // namespace

TWindow::~TWindow() {
    DestroyOwnedHandle();
    // Child controls that outlive this object route through nothing from now on.
    for (const auto& [child, control] : children_)
        control->router_ = nullptr;
    children_.clear();
    // A child window outlives its object until the parent goes: from now on its messages
    // take the default path instead of reaching a destroyed object.
    if (hwnd_) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        Detach();
    }
}

void TWindow::DestroyOwnedHandle() {
    if (hwnd_ && !(::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD))
        ::DestroyWindow(hwnd_);
}

void TWindow::CreateWindowHandle(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent,
                                 int x, int y, int width, int height, const std::wstring& text) {
    RegisterClassOnce(className, Bridge);
    const HMENU id = (style & WS_CHILD)
                         ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId()))
                         : nullptr;
    if (!::CreateWindowExW(exStyle, className, text.c_str(), style, x, y, width, height, parent, id,
                           Application::Instance(), this))
        throw Exception(L"Cannot create window " + std::wstring(className));
}

LRESULT CALLBACK TWindow::Bridge(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->Attach(hwnd, false);
    }
    if (!self)
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        const LRESULT r = self->DefaultMessage(msg, wp, lp);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->Detach();
        return r;
    }
    if (msg == WM_SETCURSOR && Screen::ApplyCursor())
        return TRUE;
    LRESULT result = 0;
    bool handled = false;
    Application::Guarded([&] {
        result = self->HandleMessage(msg, wp, lp);
        handled = true;
    });
    return handled ? result : 0;
}

TControl* TWindow::ChildObject(HWND child) const {
    const auto it = children_.find(child);
    return it != children_.end() ? it->second : FromHandle(child);
}

namespace {

// Hands a child's message to its object, when it has one.
template <typename F> bool ToChild(TControl* child, F&& handle) {
    if (child == nullptr)
        return false;
    handle(*child);
    return true;
}

} // namespace

bool TWindow::RouteToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        if (lp == 0) {
            HandleMenuCommand(LOWORD(wp));
            return true;
        }
        return ToChild(ChildObject(reinterpret_cast<HWND>(lp)),
                       [&](TControl& c) { c.HandleCommand(HIWORD(wp), LOWORD(wp)); });
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lp);
        // A notification the control leaves alone has the default answer, 0, at once.
        return ToChild(ChildObject(header.hwndFrom),
                       [&](TControl& c) { c.HandleNotify(header, result); });
    }
    case WM_DRAWITEM: {
        auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (item.CtlType == ODT_MENU)
            return false;
        return ToChild(ChildObject(item.hwndItem), [&](TControl& c) {
            c.HandleDrawItem(item);
            result = TRUE;
        });
    }
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (item.CtlType == ODT_MENU)
            return false;
        const HWND child = ::GetDlgItem(hwnd_, static_cast<int>(item.CtlID));
        return ToChild(ChildObject(child), [&](TControl& c) {
            c.HandleMeasureItem(item);
            result = TRUE;
        });
    }
    default:
        return false;
    }
}

void TWindow::FollowPointer(const wchar_t* cursor) {
    pointer_.cursor = ::LoadCursorW(nullptr, cursor);
}

bool TWindow::HandlePointer(UINT msg, LPARAM lp) {
    switch (msg) {
    case WM_SETCURSOR:
        ::SetCursor(pointer_.cursor);
        return true;
    case WM_MOUSEMOVE:
        if (!pointer_.inside) {
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd_, 0};
            pointer_.inside = ::TrackMouseEvent(&tme) != FALSE;
            HandleMouseEnter();
        }
        return true;
    case WM_MOUSELEAVE:
        pointer_.inside = false;
        HandleMouseLeave();
        return true;
    case WM_LBUTTONDOWN:
        // The window keeps the mouse until the release, so it learns where that happens.
        ::SetCapture(hwnd_);
        pointer_.pressed = true;
        return true;
    case WM_LBUTTONUP: {
        const bool click = pointer_.pressed;
        if (::GetCapture() == hwnd_)
            ::ReleaseCapture();
        pointer_.pressed = false;
        const RECT area = ClientRect();
        if (click && ::PtInRect(&area, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}))
            HandleClick();
        return true;
    }
    case WM_CAPTURECHANGED:
        pointer_.pressed = false;
        return true;
    default:
        return false;
    }
}

LRESULT TWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (RouteToChild(msg, wp, lp, result))
        return result;
    if (pointer_.cursor && HandlePointer(msg, lp))
        return msg == WM_SETCURSOR ? TRUE : 0;
    switch (msg) {
    case WM_TIMER: {
        const auto it = timers_.find(wp);
        if (it != timers_.end()) {
            it->second->Tick();
            return 0;
        }
        break;
    }
    case WM_SETFONT:
        windowFont_ = reinterpret_cast<HFONT>(wp);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(windowFont_);
    case WM_SETTEXT: {
        const LRESULT r = DefaultMessage(msg, wp, lp);
        HandleTextChanged();
        return r;
    }
    case WM_PAINT: {
        // EndPaint validates the area even when the handler throws; otherwise the next
        // WM_PAINT would run the failing handler again at once.
        const PaintScope paint(hwnd_);
        HandlePaint(paint.dc(), paint.area());
        return 0;
    }
    default:
        break;
    }
    return DefaultMessage(msg, wp, lp);
}

LRESULT TWindow::DefaultMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

void TWindow::RegisterTimer(UINT_PTR id, TTimer* timer) {
    timers_[id] = timer;
}
void TWindow::UnregisterTimer(UINT_PTR id) {
    timers_.erase(id);
}

void TPanel::Create(HWND parent, const TBounds& b) {
    CreateWindowHandle(L"QuillmontPanel", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                       WS_EX_CONTROLPARENT, parent, ScaleForDpi(b.left, parent),
                       ScaleForDpi(b.top, parent), ScaleForDpi(b.width, parent),
                       ScaleForDpi(b.height, parent));
    if (HFONT font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0)))
        SetFont(font);
}
