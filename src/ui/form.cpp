#include <windows.h>
#include <commctrl.h>

#include "ui/form.h"

#include "ui/application.h"

namespace {

HWND mainFormHandle = nullptr;

} // namespace

TForm* TForm::Of(HWND hwnd) {
    return dynamic_cast<TForm*>(FromHandle(::GetAncestor(hwnd, GA_ROOT)));
}

void TForm::MakeMainForm() {
    isMainForm_ = true;
    mainFormHandle = hwnd_;
}

HWND TForm::MainFormHandle() {
    return mainFormHandle;
}

void TForm::CreateForm(const std::wstring& caption, int clientWidth, int clientHeight, HWND owner,
                       DWORD style, DWORD exStyle, const wchar_t* fontName, int fontHeight) {
    CreateWindowHandle(L"QuillmontForm", style, exStyle | WS_EX_CONTROLPARENT, owner, CW_USEDEFAULT,
                       CW_USEDEFAULT, 100, 100, caption);
    font_.reset(::CreateFontW(-ScaleForDpi(fontHeight, hwnd_), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                              FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, fontName));
    SetFont(font_.get());
    SetClientSize(ScaleForDpi(clientWidth, hwnd_), ScaleForDpi(clientHeight, hwnd_));
}

void TForm::CreateHints() {
    hints_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, hwnd_, nullptr,
                               Application::Instance(), nullptr);
    const auto& settings = Application::Hints();
    ::SendMessageW(hints_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(settings.pauseMs, 0));
    ::SendMessageW(hints_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(settings.hidePauseMs, 0));
    ::SendMessageW(hints_, TTM_SETTIPBKCOLOR, settings.color, 0);
    ::SendMessageW(hints_, TTM_SETMAXTIPWIDTH, 0, 600);
}

void TForm::SetFormFont(UniqueFont font) {
    SetFont(font.get());
    font_ = std::move(font);
}

void TForm::SetColor(COLORREF color) {
    color_ = color;
    brush_.reset(::CreateSolidBrush(color));
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TForm::SetFontColor(COLORREF color) {
    fontColor_ = color;
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT TForm::ControlColor(HDC dc, HWND control, UINT msg) {
    TStaticColors colors{fontColor_ != CLR_INVALID ? fontColor_ : ::GetSysColor(COLOR_WINDOWTEXT),
                         brush_ ? color_ : ::GetSysColor(COLOR_BTNFACE),
                         brush_ ? brush_.get() : ::GetSysColorBrush(COLOR_BTNFACE)};
    if (msg == WM_CTLCOLORSTATIC && OnStaticColors) {
        if (const TControl* c = ChildObject(control))
            OnStaticColors(*c, colors);
    }
    ::SetTextColor(dc, colors.text);
    ::SetBkColor(dc, colors.back);
    return reinterpret_cast<LRESULT>(colors.brush);
}

void TForm::SetDefaultButton(TControl* button) {
    defaultButton_ = button;
    FocusChanged(::GetFocus());
}

void TForm::FocusChanged(HWND focus) {
    HWND shown = defaultButton_ ? defaultButton_->Handle() : nullptr;
    if (focus && ::IsChild(hwnd_, focus) &&
        (::SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        shown = focus;
    if (shown == shownDefault_)
        return;
    if (shownDefault_ && ::IsChild(hwnd_, shownDefault_))
        ::SendMessageW(shownDefault_, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (shown)
        ::SendMessageW(shown, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    shownDefault_ = shown;
}

void TForm::SaveFocus() {
    const HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd_, focus))
        lastFocus_ = focus;
}

bool TForm::RestoreFocus() {
    HWND target = nullptr;
    if (lastFocus_ && ::IsChild(hwnd_, lastFocus_) && ::IsWindowVisible(lastFocus_) &&
        ::IsWindowEnabled(lastFocus_))
        target = lastFocus_;
    else if (activeControl_ && activeControl_->Handle())
        target = activeControl_->Handle();
    if (!target)
        return false;
    ::SetFocus(target);
    return true;
}

void TForm::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&r, style, ::GetMenu(hwnd_) != nullptr, exStyle);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::CenterOnDesktop() {
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    const int left = (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - (r.right - r.left)) / 2;
    const int top = (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - (r.bottom - r.top)) / 2;
    ::SetWindowPos(hwnd_, nullptr, left > 0 ? left : 0, top > 0 ? top : 0, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::CenterOver(HWND other) {
    RECT o{}, r{};
    ::GetWindowRect(other, &o);
    ::GetWindowRect(hwnd_, &r);
    ::SetWindowPos(hwnd_, nullptr, o.left + (o.right - o.left - (r.right - r.left)) / 2,
                   o.top + (o.bottom - o.top - (r.bottom - r.top)) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show() {
    if (!shown_) {
        shown_ = true;
        OnShow();
        if (Position == TPlacement::DesktopCenter)
            CenterOnDesktop();
    }
    ::ShowWindow(hwnd_, SW_SHOW);
    ::UpdateWindow(hwnd_);
}

void TForm::Close() {
    ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TForm::AddHint(TControl& control) {
    // Made on first use: a form without hints has no owned tooltip window, which would
    // otherwise take part in the form's own z-order changes (top-most placement).
    if (!hints_)
        CreateHints();
    TTTOOLINFOW ti{sizeof(ti)};
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(control.Handle());
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void TForm::AddAligned(TControl& control, TAlign align) {
    aligned_.push_back({&control, align});
}

void TForm::Realign() {
    RECT area = ClientRect();
    for (const auto& a : aligned_) {
        if (a.align == TAlign::Client)
            continue;
        RECT r{};
        ::GetWindowRect(a.control->Handle(), &r);
        const int height = r.bottom - r.top;
        if (a.align == TAlign::Top) {
            a.control->SetBoundsPixels({area.left, area.top, area.right, area.top + height});
            area.top += height;
        } else {
            a.control->SetBoundsPixels({area.left, area.bottom - height, area.right, area.bottom});
            area.bottom -= height;
        }
    }
    for (const auto& a : aligned_) {
        if (a.align == TAlign::Client)
            a.control->SetBoundsPixels(area);
    }
}

int TForm::ShowModal(HWND over) {
    const HWND owner = ::GetWindow(hwnd_, GW_OWNER);
    // Whatever ends the loop, a throwing show handler included, the owner is usable again.
    const TModalEnd end(*this, owner, over);
    modalResult_ = mrNone;
    inModalLoop_ = true;
    Show();
    ::SetForegroundWindow(hwnd_);
    MSG msg;
    while (modalResult_ == mrNone && hwnd_) {
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            modalResult_ = mrCancel;
            break;
        }
        if (msg.message == WM_KEYDOWN && (msg.hwnd == hwnd_ || ::IsChild(hwnd_, msg.hwnd))) {
            bool handled = false;
            Application::Guarded([&] { handled = FormKeyDown(msg.wParam); });
            if (handled)
                continue;
        }
        if (!::IsDialogMessageW(hwnd_, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return modalResult_;
}

TForm::TModalEnd::TModalEnd(TForm& form, HWND owner, HWND over)
    : form_(form), activate_(over ? over : owner) {
    int n = 0;
    for (const HWND window : {owner, over}) {
        if (!window || !::IsWindowEnabled(window))
            continue;
        // Disabling a form takes the focus away from its control; keep it for reactivation.
        if (TForm* other = Of(window))
            other->SaveFocus();
        ::EnableWindow(window, FALSE);
        disabled_[n++] = window;
    }
}

TForm::TModalEnd::~TModalEnd() {
    form_.inModalLoop_ = false;
    for (const HWND window : disabled_) {
        if (window)
            ::EnableWindow(window, TRUE);
    }
    if (form_.hwnd_)
        ::ShowWindow(form_.hwnd_, SW_HIDE);
    if (activate_)
        ::SetActiveWindow(activate_);
}

void TForm::HandleMenuCommand(WORD id) {
    // Enter and Esc from the dialog manager arrive as IDOK / IDCANCEL.
    if (id == IDOK && defaultButton_)
        defaultButton_->HandleCommand(BN_CLICKED, 0);
    else if (id == IDCANCEL && cancelButton_)
        cancelButton_->HandleCommand(BN_CLICKED, 0);
}

void TForm::HandleClose() {
    if (!OnCloseQuery())
        return;
    if (inModalLoop_)
        modalResult_ = mrCancel;
    else
        ::DestroyWindow(hwnd_);
}

LRESULT TForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        Realign();
        FormResize();
        return 0;
    case WM_CLOSE:
        HandleClose();
        return 0;
    case WM_DESTROY:
        // A failing destroy handler must not keep the program from ending.
        Application::Guarded([this] { OnDestroy(); });
        if (isMainForm_) {
            if (mainFormHandle == hwnd_)
                mainFormHandle = nullptr;
            ::PostQuitMessage(0);
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE)
            SaveFocus();
        else if (!HIWORD(wp) && RestoreFocus())
            return 0;
        break;
    case WM_ERASEBKGND:
        if (brush_) {
            const RECT r = ClientRect();
            ::FillRect(reinterpret_cast<HDC>(wp), &r, brush_.get());
            return 1;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (brush_ || fontColor_ != CLR_INVALID || (msg == WM_CTLCOLORSTATIC && OnStaticColors))
            return ControlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg);
        break;
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
        if (OnMenuPopup)
            OnMenuPopup();
        break;
    case DM_GETDEFID:
        // The focused push button while it has the focus, else the default button.
        if (shownDefault_ && ::IsChild(hwnd_, shownDefault_))
            return MAKELRESULT(::GetDlgCtrlID(shownDefault_), DC_HASDEFID);
        if (defaultButton_)
            return MAKELRESULT(defaultButton_->Id(), DC_HASDEFID);
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if (header->hwndFrom == hints_ && header->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
            if (TControl* c = FromHandle(reinterpret_cast<HWND>(info->hdr.idFrom)))
                info->lpszText = const_cast<wchar_t*>(c->hint.c_str());
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return TWindow::HandleMessage(msg, wp, lp);
}
