#pragma once
// The small standard controls: buttons, radio buttons, check boxes, labels, bevels and the
// picture box.

#include <windows.h>

#include <functional>

#include "ui/control.h"
#include "ui/window.h"
#include "util/handle.h"

class TButton : public TControl {
public:
    void Create(HWND parent, const TBounds& bounds, const std::wstring& caption, DWORD style = 0);
    // Clicking the button ends a modal form with this result (0: it does not).
    int modalResult = 0;
    std::function<void()> OnClick;
    void Click();
    void HandleCommand(WORD code, WORD id) override;

protected:
    // Tells the form where the focus goes, so a focused button is the one Enter presses.
    LRESULT HandleOwnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

class TCheckBox : public TControl {
public:
    void Create(HWND parent, const TBounds& bounds, const std::wstring& caption);
    bool Checked() const;
    void SetChecked(bool checked);
    std::function<void()> OnClick;
    void HandleCommand(WORD code, WORD id) override;
};

class TRadioButton : public TCheckBox {
public:
    // The first radio button of a group starts the group.
    void Create(HWND parent, const TBounds& bounds, const std::wstring& caption, bool firstInGroup);
};

class TLabel : public TControl {
public:
    void Create(HWND parent, const TBounds& bounds, const std::wstring& caption,
                DWORD style = SS_LEFT | SS_NOPREFIX);
    // Resizes the label to its caption as the label draws it, one line unless the caption
    // breaks lines itself (an empty caption keeps the height of one line and no width).
    void SizeToText();
};

// An etched frame or line.
class TBevel : public TControl {
public:
    void Create(HWND parent, const TBounds& bounds, DWORD style = SS_ETCHEDFRAME);
};

// Shows one icon centred, scaled down proportionally when larger than the box, on the
// parent's background.
class TImage : public TWindow {
public:
    void Create(HWND parent, const TBounds& bounds);
    // The box keeps its own copy of the icon.
    void SetIcon(HICON icon);
    void Clear();
    HICON Icon() const { return icon_.get(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void HandlePaint(HDC dc, const RECT& area) override;

private:
    UniqueIcon icon_;
};
