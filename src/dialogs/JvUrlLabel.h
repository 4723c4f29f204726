#pragma once
// A text label that looks and acts like a hyperlink: underlined, a hand cursor, a colour
// that follows the pointer, and a click that hands its address to the shell.

#include <windows.h>

#include <functional>
#include <string>

#include "dialogs/url_target.h"
#include "ui/shell_open.h"
#include "ui/window.h"
#include "util/handle.h"

class TJvURLlabel : public TWindow {
public:
    static constexpr COLORREF kBlue = 0x00FF0000;

    void Create(HWND parent, const TBounds& bounds, const std::wstring& caption);

    TUrlType UrlType = TUrlType::Http;
    std::wstring URL;
    std::wstring CustomUrlType;
    COLORREF ActiveColor = 0x000000FF;
    bool DetectMouse = true;
    std::function<void(TJvURLlabel&)> OnMouseEnter;
    std::function<void(TJvURLlabel&)> OnMouseLeave;
    // Hands the target to the shell; tests put their own in place.
    std::function<void(const std::wstring& target)> Open = ShellOpen;

    void SetMailSubject(const std::wstring& subject);
    void SetMailBody(const std::wstring& body);
    const std::wstring& MailSubject() const { return mailSubject_; }
    const std::wstring& MailBody() const { return mailBody_; }

    COLORREF FontColor() const { return color_; }
    void SetFontColor(COLORREF color);
    // The font the caption is drawn with; the label adds the underline to it.
    void SetLabelFont(HFONT base);
    // Resizes the label to fit its caption on one line in its font.
    void SizeToText();
    std::wstring Target() const;
    // Opens the target. The label calls it for a click: the left button pressed over the
    // label and released over it (a double-click's second press is no new click).
    void Click();
    void MouseEnter();
    void MouseLeave();

protected:
    void HandlePaint(HDC dc, const RECT& area) override;
    void HandleTextChanged() override;
    void HandleMouseEnter() override { MouseEnter(); }
    void HandleMouseLeave() override { MouseLeave(); }
    void HandleClick() override { Click(); }

private:
    std::wstring mailSubject_;
    std::wstring mailBody_;
    COLORREF color_ = kBlue;
    UniqueFont font_;
};
