#pragma once
// The program's message dialogs, both built in code on one base message dialog: the
// question, report and error dialog that stays on top, centres itself over the active window
// and can close itself after a countdown; and the notice with a check box under its buttons.

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/msg_dlg_layout.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/timer.h"

// The base message dialog: the kind's icon, the wrapped text and a row of buttons, all sized
// from the system's message-box font.
class TMessageForm : public TForm {
public:
    // Creates the window and its controls for the text (taken as given), kind and buttons,
    // centred on the screen and owned by MessageDialogOwner().
    void Build(const std::wstring& Msg, TMsgDlgType Kind, TMsgDlgButtons Buttons);

    // The dialog's controls by name: "Image", "Message", the buttons' names ("Yes", "OK"...)
    // and those added later. Null when there is none of that name.
    TControl* FindComponent(const std::wstring& name) const;
    void AddComponent(const std::wstring& name, TControl& control);
    // The push buttons in row order.
    const std::vector<std::unique_ptr<TButton>>& Buttons() const { return buttons_; }

    // A number kept with the dialog by the routine that shows it.
    int Tag = 0;

    // The dialog as plain text, as Ctrl+C copies it.
    std::wstring ContentText() const;

protected:
    bool FormKeyDown(WPARAM key) override;

private:
    TImage icon_;
    TLabel message_;
    std::vector<std::unique_ptr<TButton>> buttons_;
    std::map<std::wstring, TControl*> components_;
};

// The countdown of one timed dialog: each tick of the dialog's timer takes a second off the
// dialog's Tag; the tick that brings it below 1 ends the dialog with the time-out result.
class TMyControl {
public:
    // The result at time-out: true gives OK (1), false Cancel (2).
    bool TimeoutOk = false;
    // Acts only on a timer of a message dialog. Never raises: a failure is logged.
    void Tick(TTimer& Sender) noexcept;
};

// Shows a modal message dialog and returns the result code of the button that closed it
// (2 for the close box; at time-out 1 or 2 by TimeoutOk; 0 when it failed while shown).
// Title is always the window title; Text gets a leading CR LF unless it has one. Yes and No
// read "Да" and "Нет". NoCenter false centres it over its owner. Seconds > 0
// closes it after that many ticks of a 1000 ms timer. Color is the background; black or red
// gets white text. Raises "Error № 100-0 ..." when the dialog cannot be built.
int TimedMessageDlg(const std::wstring& Title, const std::wstring& Text, TMsgDlgType Kind,
                    TMsgDlgButtons Buttons, bool NoCenter, std::uint8_t Seconds, TColor Color,
                    bool TimeoutOk);

// The two plain forms most commands use: centred over the active window, no countdown, the
// button-face colour. The question has Yes and No and returns the result code as
// TimedMessageDlg does (callers decide what the close box and a failed dialog mean); the
// report has one OK button.
int AskYesNoDlg(const std::wstring& title, const std::wstring& text);
void ReportDlg(TMsgDlgType kind, const std::wstring& title, const std::wstring& text);

// Shows the notice "Напоминание": the information dialog with Text, buttons Yes and No
// (YesNo) or OK, and an unticked check box captioned BoxCaption under the buttons. Checked
// receives the box's state; the result is true only when Yes closed the dialog.
bool CheckBoxNoticeDlg(bool& Checked, const std::wstring& Text, const std::wstring& BoxCaption,
                       bool YesNo);
