#include <windows.h>

#include "dialogs/u_msgDlg.h"

#include <array>

#include "dialogs/dialog_owner.h"
#include "ui/application.h"
#include "ui/clipboard.h"
#include "ui/cursor.h"
#include "ui/drawn_text.h"
#include "ui/system_font.h"
#include "util/app_folder.h"
#include "util/error_log.h"
#include "util/exception.h"
#include "util/exception_text.h"
#include "util/handle.h"
#include "util/os_error.h"
#include "util/visual_theme.h"

namespace {

constexpr UINT kCountdownInterval = 1000;
constexpr DWORD kMessageStyle = SS_LEFT | SS_NOPREFIX;
const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

LPCWSTR IconOf(TMsgDlgType kind) {
    switch (kind) {
    case mtWarning:
        return IDI_EXCLAMATION;
    case mtError:
        return IDI_HAND;
    case mtInformation:
        return IDI_ASTERISK;
    case mtConfirmation:
        return IDI_QUESTION;
    case mtCustom:
        break;
    }
    return nullptr;
}

COLORREF ColorToRGB(TColor color) {
    return IsSystemColor(color) ? ::GetSysColor(SystemColorIndex(color)) : color & 0x00FFFFFF;
}

// Selects a font into the screen DC for measuring.
class MeasuringDC {
public:
    explicit MeasuringDC(HFONT font) : old_(::SelectObject(screen_.get(), font)) {}
    ~MeasuringDC() { ::SelectObject(screen_.get(), old_); }
    MeasuringDC(const MeasuringDC&) = delete;
    MeasuringDC& operator=(const MeasuringDC&) = delete;
    HDC get() const { return screen_.get(); }

private:
    ScreenDC screen_;
    HGDIOBJ old_;
};

// The single-line width of a button kind's caption, measured once for the program's life.
int CaptionWidth(HDC dc, TMsgDlgBtn button) {
    static std::array<int, kButtonKinds> widths = [] {
        std::array<int, kButtonKinds> unmeasured{};
        unmeasured.fill(-1);
        return unmeasured;
    }();
    int& width = widths.at(static_cast<std::size_t>(button));
    if (width < 0) {
        RECT r{};
        ::DrawTextW(dc, ButtonInfo(button).caption, -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
        width = r.right - r.left;
    }
    return width;
}

} // namespace

void TMessageForm::Build(const std::wstring& Msg, TMsgDlgType Kind, TMsgDlgButtons Buttons) {
    CreateForm(L"", 100, 100, MessageDialogOwner(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
               WS_EX_DLGMODALFRAME);
    SetFormFont(CreateMessageBoxFont());

    const std::vector<TMsgDlgBtn> row = ButtonsInRowOrder(Buttons);
    MsgDlgLayout layout;
    {
        MeasuringDC dc(Font());
        SIZE alphabet{};
        ::GetTextExtentPoint32W(dc.get(), kAlphabet, 52, &alphabet);
        std::vector<int> captionWidths;
        for (TMsgDlgBtn b : row)
            captionWidths.push_back(CaptionWidth(dc.get(), b));
        const MsgDlgMetrics metrics = MeasureMetrics(alphabet.cx / 52, alphabet.cy, captionWidths);
        // Measured as the message label draws it, so that no line is cut at its end.
        const SIZE text = DrawnTextSize(Font(), Msg, StaticTextFormat(kMessageStyle),
                                        ::GetSystemMetrics(SM_CXSCREEN) / 2);
        layout = LayoutMessageDialog(metrics, text.cx, text.cy, Kind != mtCustom,
                                     static_cast<int>(row.size()));
    }

    SetClientSize(layout.ClientWidth, layout.ClientHeight);
    RECT outer{};
    ::GetWindowRect(hwnd_, &outer);
    ::SetWindowPos(hwnd_, nullptr,
                   CentredStart(0, ::GetSystemMetrics(SM_CXSCREEN), outer.right - outer.left),
                   CentredStart(0, ::GetSystemMetrics(SM_CYSCREEN), outer.bottom - outer.top), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    SetText(Kind == mtCustom ? Application::Title() : std::wstring(DefaultTitle(Kind)));
    const auto place = [](TControl& c, const PixelRect& r) {
        c.SetBoundsPixels({r.left, r.top, r.left + r.width, r.top + r.height});
    };
    if (const LPCWSTR icon = IconOf(Kind)) {
        icon_.Create(hwnd_, {});
        place(icon_, layout.Icon);
        icon_.SetIcon(::LoadIconW(nullptr, icon));
        AddComponent(L"Image", icon_);
    }
    message_.Create(hwnd_, {}, Msg, kMessageStyle);
    place(message_, layout.Text);
    AddComponent(L"Message", message_);

    const TMsgDlgBtn defaultKind = DefaultButtonOf(Buttons);
    const TMsgDlgBtn cancelKind = CancelButtonOf(Buttons);
    for (std::size_t i = 0; i < row.size(); ++i) {
        const MsgDlgButtonInfo& info = ButtonInfo(row[i]);
        auto button = std::make_unique<TButton>();
        button->Create(hwnd_, {}, info.caption);
        button->modalResult = info.result;
        place(*button, layout.Buttons[i]);
        AddComponent(info.name, *button);
        if (row[i] == defaultKind)
            SetDefaultButton(button.get());
        if (row[i] == cancelKind)
            SetCancelButton(button.get());
        buttons_.push_back(std::move(button));
    }
    if (defaultKind != kButtonKinds)
        SetActiveControl(FindComponent(ButtonInfo(defaultKind).name));
    else if (!buttons_.empty())
        SetActiveControl(buttons_.front().get());
}

TControl* TMessageForm::FindComponent(const std::wstring& name) const {
    const auto it = components_.find(name);
    return it == components_.end() ? nullptr : it->second;
}

void TMessageForm::AddComponent(const std::wstring& name, TControl& control) {
    components_[name] = &control;
}

std::wstring TMessageForm::ContentText() const {
    std::vector<std::wstring> captions;
    for (const auto& b : buttons_)
        captions.push_back(b->Text());
    return MessageDialogCopyText(Text(), message_.Text(), captions);
}

bool TMessageForm::FormKeyDown(WPARAM key) {
    const bool ctrlAlone = ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) >= 0 &&
                           ::GetKeyState(VK_MENU) >= 0;
    if (key != 'C' || !ctrlAlone)
        return false;
    ::MessageBeep(0);
    SetClipboardText(hwnd_, ContentText());
    return true;
}

void TMyControl::Tick(TTimer& Sender) noexcept {
    try {
        auto* dialog = dynamic_cast<TMessageForm*>(&Sender.Owner());
        if (!dialog)
            return;
        auto* label = dynamic_cast<TLabel*>(dialog->FindComponent(L"lbl_count"));
        dialog->Tag -= 1;
        if (dialog->Tag < 1) {
            dialog->SetModalResult(TimeoutOk ? mrOk : mrCancel);
            if (label) {
                label->SetText(L"Time is expired.");
                label->SizeToText();
            }
        }
    } catch (...) {
        AppendLogLine(ErrorLogPath(), L"Error № 00 " + CurrentExceptionMessage());
    }
}

namespace {

// A message dialog with what the countdown needs: its timer and the label it writes to.
struct TimedDialog {
    TFormInstance<TMessageForm> form;
    TTimer timer{form};
    TLabel lbl_count;
};

void RenameYesNo(TMessageForm& form) noexcept {
    try {
        for (const auto& button : form.Buttons()) {
            if (button->modalResult == mrYes)
                button->SetText(L"Да");
            else if (button->modalResult == mrNo)
                button->SetText(L"Нет");
        }
    } catch (...) {
        // The standard captions serve as well.
    }
}

// Over the window the dialog belongs to: the active window, or the main window while
// another program is in front.
void CentreOverOwner(TMessageForm& form, const std::wstring& Title, const std::wstring& Text) {
    try {
        const HWND owner = ::GetWindow(form.Handle(), GW_OWNER);
        if (!owner)
            return;
        RECT a{}, d{};
        if (!::GetWindowRect(owner, &a) || !::GetWindowRect(form.Handle(), &d))
            RaiseLastOSError();
        ::SetWindowPos(form.Handle(), nullptr,
                       CentredStart(a.left, a.right - a.left, d.right - d.left),
                       CentredStart(a.top, a.bottom - a.top, d.bottom - d.top), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } catch (...) {
        AppendLogLine(ErrorLogPath(), L"Error № 100-01 " + CurrentExceptionMessage() + L", " +
                                          Title + L", " + Text);
    }
}

} // namespace

int TimedMessageDlg(const std::wstring& Title, const std::wstring& Text, TMsgDlgType Kind,
                    TMsgDlgButtons Buttons, bool NoCenter, std::uint8_t Seconds, TColor Color,
                    bool TimeoutOk) {
    std::unique_ptr<TMyControl> countdown;
    std::unique_ptr<TimedDialog> dialog;
    std::wstring message;
    try {
        if (Seconds > 0) {
            countdown = std::make_unique<TMyControl>();
            countdown->TimeoutOk = TimeoutOk;
        }
        message = WithLeadingLineBreak(Text);
        dialog = std::make_unique<TimedDialog>();
        dialog->form.Build(message, Kind, Buttons);
        RenameYesNo(dialog->form);
        dialog->timer.SetInterval(kCountdownInterval);
        dialog->timer.SetEnabled(true);
    } catch (...) {
        Screen::SetCursor(nullptr);
        throw Exception(L"Error № 100-0 " + CurrentExceptionMessage());
    }

    try {
        TMessageForm& form = dialog->form;
        Screen::SetCursor(nullptr);
        form.SetText(Title);
        form.SetColor(ColorToRGB(Color));
        if (WantsWhiteText(Color))
            form.SetFontColor(clWhite);
        form.Tag = Seconds;
        ::SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        TLabel& label = dialog->lbl_count;
        label.Create(form.Handle(), {4, 2, 0, 0}, L"", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE);
        label.SizeToText();
        form.AddComponent(L"lbl_count", label);
        if (!NoCenter)
            CentreOverOwner(form, Title, message);
        if (countdown) {
            TTimer& timer = dialog->timer;
            TMyControl& tick = *countdown;
            timer.OnTimer = [&tick, &timer] { tick.Tick(timer); };
            // The countdown's first second starts now, just before the dialog shows.
            timer.SetEnabled(false);
            timer.SetEnabled(true);
        }
        const int result = form.ShowModal();
        dialog->timer.OnTimer = nullptr;
        countdown.reset();
        dialog.reset();
        return result;
    } catch (...) {
        const std::wstring error = CurrentExceptionMessage();
        if (dialog)
            dialog->timer.OnTimer = nullptr;
        countdown.reset();
        dialog.reset();
        AppendLogLine(ErrorLogPath(), L"Error № 0 " + error);
        return 0;
    }
}

int AskYesNoDlg(const std::wstring& title, const std::wstring& text) {
    return TimedMessageDlg(title, text, mtConfirmation, mbYesNo, false, 0, clBtnFace, false);
}

void ReportDlg(TMsgDlgType kind, const std::wstring& title, const std::wstring& text) {
    TimedMessageDlg(title, text, kind, mbOKOnly, false, 0, clBtnFace, false);
}

namespace {

// The notice: a message dialog with its check box.
struct NoticeDialog {
    TFormInstance<TMessageForm> form;
    TCheckBox box;
};

} // namespace

bool CheckBoxNoticeDlg(bool& Checked, const std::wstring& Text, const std::wstring& BoxCaption,
                       bool YesNo) {
    NoticeDialog dialog;
    TMessageForm& form = dialog.form;
    form.Build(WithLeadingLineBreak(Text), mtInformation, YesNo ? mbYesNo : mbOKOnly);
    form.SetText(L"Напоминание");
    // Visual styles draw the frame and the check box taller.
    const bool themed = VisualThemeActive();
    RECT outer{};
    ::GetWindowRect(form.Handle(), &outer);
    ::SetWindowPos(form.Handle(), nullptr, 0, 0, outer.right - outer.left,
                   ScaleForDpi(themed ? 200 : 190, form.Handle()),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    dialog.box.Create(form.Handle(), {12, themed ? 146 : 130, 260, 17}, BoxCaption);
    dialog.box.SetChecked(false);
    dialog.box.hint = L"Я всё понял!";
    form.AddHint(dialog.box);
    const int result = form.ShowModal();
    Checked = dialog.box.Checked();
    return result == mrYes;
}
