#pragma once
// The fixed rules of the program's message dialog, kept apart from the windows that show it:
// the kinds and buttons with their titles, captions and result codes, the geometry computed
// from the font's average character size, the leading line break of the text, the colour
// rule and the text Ctrl+C copies.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Dialog kinds; the kind selects the icon and the default title.
enum TMsgDlgType : int { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons in the order they are laid out left to right.
enum TMsgDlgBtn : int {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
};
constexpr int kButtonKinds = mbHelp + 1;

// A set of buttons: bit n present shows the button of kind n.
using TMsgDlgButtons = std::uint16_t;
constexpr TMsgDlgButtons ButtonSet(TMsgDlgBtn b) {
    return static_cast<TMsgDlgButtons>(1u << b);
}
constexpr TMsgDlgButtons mbYesNo = ButtonSet(mbYes) | ButtonSet(mbNo);
constexpr TMsgDlgButtons mbOKOnly = ButtonSet(mbOK);

struct MsgDlgButtonInfo {
    const wchar_t* name;
    const wchar_t* caption; // "&" marks the accelerator letter
    int result;             // 0: the button does not close the dialog
};
const MsgDlgButtonInfo& ButtonInfo(TMsgDlgBtn button);

// The kinds present in a set, in row order.
std::vector<TMsgDlgBtn> ButtonsInRowOrder(TMsgDlgButtons buttons);

// Enter presses OK, else Yes, else Retry; Esc presses Cancel, else No, else OK. kButtonKinds
// when the set has none of them.
TMsgDlgBtn DefaultButtonOf(TMsgDlgButtons buttons);
TMsgDlgBtn CancelButtonOf(TMsgDlgButtons buttons);

// The title of a kind; empty for the custom kind, which takes the application's title.
std::wstring_view DefaultTitle(TMsgDlgType kind);

// The text always starts one line down: CR LF is put in front unless it is there already.
std::wstring WithLeadingLineBreak(std::wstring_view text);

// Colours are 0x00BBGGRR, or 0xFF0000nn for system colour nn.
using TColor = std::uint32_t;
constexpr TColor clBlack = 0x00000000;
constexpr TColor clRed = 0x000000FF;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr bool IsSystemColor(TColor color) {
    return (color & 0xFF000000u) == 0xFF000000u;
}
constexpr int SystemColorIndex(TColor color) {
    return static_cast<int>(color & 0xFFu);
}
// Text on a black or red background is drawn white; other backgrounds keep the default.
constexpr bool WantsWhiteText(TColor background) {
    return background == clBlack || background == clRed;
}

// value * numerator / denominator, rounded half away from zero (as the system's MulDiv).
int MulDivRounded(int value, int numerator, int denominator);

// Spacings in pixels, from the font's average character width and height.
struct MsgDlgMetrics {
    int HorzMargin = 0, VertMargin = 0;
    int HorzSpacing = 0, VertSpacing = 0;
    int ButtonWidth = 0, ButtonHeight = 0, ButtonSpacing = 0;
};
// CaptionWidths: the single-line widths of the captions of the buttons shown.
MsgDlgMetrics MeasureMetrics(int AvgW, int AvgH, const std::vector<int>& CaptionWidths);

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

struct MsgDlgLayout {
    int ClientWidth = 0, ClientHeight = 0;
    PixelRect Icon;                 // empty without an icon
    PixelRect Text;                 // the message label
    std::vector<PixelRect> Buttons; // in row order
};
constexpr int kIconSize = 32;

// Places the icon, the wrapped text (TextWidth x TextHeight) and ButtonCount buttons.
MsgDlgLayout LayoutMessageDialog(const MsgDlgMetrics& m, int TextWidth, int TextHeight,
                                 bool HasIcon, int ButtonCount);

// Where a window of InnerSize starts when centred on a span: start + span / 2 - size / 2,
// integer halves, no clamping.
constexpr int CentredStart(int OuterStart, int OuterSize, int InnerSize) {
    return OuterStart + OuterSize / 2 - InnerSize / 2;
}

// A caption without its accelerator marks ("&&" stands for one "&").
std::wstring StripHotkey(std::wstring_view caption);

// The dialog as plain text: title, message and button captions between dashed lines.
std::wstring MessageDialogCopyText(std::wstring_view Title, std::wstring_view Message,
                                   const std::vector<std::wstring>& Captions);
