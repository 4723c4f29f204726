#include "dialogs/msg_dlg_layout.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace {

constexpr std::array<MsgDlgButtonInfo, kButtonKinds> kButtons{{
    {L"Yes", L"&Да", 6},
    {L"No", L"&Нет", 7},
    {L"OK", L"OK", 1},
    {L"Cancel", L"Отмена", 2},
    {L"Abort", L"&Отменить", 3},
    {L"Retry", L"&Повтор", 4},
    {L"Ignore", L"&Игнорировать", 5},
    {L"All", L"&Все", 8},
    {L"NoToAll", L"Не применять ко всем", 9},
    {L"YesToAll", L"Применить ко всем", 10},
    {L"Help", L"&Помощь", 0},
}};

constexpr std::array<std::wstring_view, 5> kTitles{
    L"Внимание", L"Ошибка", L"Информация", L"Подтверждение", L"",
};

const std::wstring_view kLineBreak = L"\r\n";
const std::wstring kDashes(27, L'-');

bool Has(TMsgDlgButtons buttons, TMsgDlgBtn b) {
    return (buttons & ButtonSet(b)) != 0;
}

TMsgDlgBtn FirstPresent(TMsgDlgButtons buttons, std::initializer_list<TMsgDlgBtn> choices) {
    for (TMsgDlgBtn b : choices) {
        if (Has(buttons, b))
            return b;
    }
    return static_cast<TMsgDlgBtn>(kButtonKinds);
}

} // namespace

const MsgDlgButtonInfo& ButtonInfo(TMsgDlgBtn button) {
    return kButtons.at(static_cast<std::size_t>(button));
}

std::vector<TMsgDlgBtn> ButtonsInRowOrder(TMsgDlgButtons buttons) {
    std::vector<TMsgDlgBtn> row;
    for (int b = 0; b < kButtonKinds; ++b) {
        if (Has(buttons, static_cast<TMsgDlgBtn>(b)))
            row.push_back(static_cast<TMsgDlgBtn>(b));
    }
    return row;
}

TMsgDlgBtn DefaultButtonOf(TMsgDlgButtons buttons) {
    return FirstPresent(buttons, {mbOK, mbYes, mbRetry});
}

TMsgDlgBtn CancelButtonOf(TMsgDlgButtons buttons) {
    return FirstPresent(buttons, {mbCancel, mbNo, mbOK});
}

std::wstring_view DefaultTitle(TMsgDlgType kind) {
    return kTitles.at(static_cast<std::size_t>(kind));
}

std::wstring WithLeadingLineBreak(std::wstring_view text) {
    if (text.substr(0, kLineBreak.size()) == kLineBreak)
        return std::wstring(text);
    return std::wstring(kLineBreak) + std::wstring(text);
}

int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = std::llabs(denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

MsgDlgMetrics MeasureMetrics(int AvgW, int AvgH, const std::vector<int>& CaptionWidths) {
    MsgDlgMetrics m;
    m.HorzMargin = MulDivRounded(8, AvgW, 4);
    m.VertMargin = MulDivRounded(8, AvgH, 8);
    m.HorzSpacing = MulDivRounded(10, AvgW, 4);
    m.VertSpacing = MulDivRounded(10, AvgH, 8);
    m.ButtonHeight = MulDivRounded(14, AvgH, 8);
    m.ButtonSpacing = MulDivRounded(4, AvgW, 4);
    m.ButtonWidth = MulDivRounded(50, AvgW, 4);
    for (int width : CaptionWidths)
        m.ButtonWidth = std::max(m.ButtonWidth, width + 8);
    return m;
}

MsgDlgLayout LayoutMessageDialog(const MsgDlgMetrics& m, int TextWidth, int TextHeight,
                                 bool HasIcon, int ButtonCount) {
    MsgDlgLayout layout;
    int textLeft = m.HorzMargin;
    int iconTextWidth = TextWidth;
    int iconTextHeight = TextHeight;
    if (HasIcon) {
        textLeft = m.HorzMargin + kIconSize + m.HorzSpacing;
        iconTextWidth = TextWidth + kIconSize + m.HorzSpacing;
        iconTextHeight = std::max(TextHeight, kIconSize);
        layout.Icon = {m.HorzMargin, m.VertMargin, kIconSize, kIconSize};
    }
    const int groupWidth =
        ButtonCount > 0 ? ButtonCount * m.ButtonWidth + (ButtonCount - 1) * m.ButtonSpacing : 0;
    layout.ClientWidth = std::max(iconTextWidth, groupWidth) + 2 * m.HorzMargin;
    layout.ClientHeight = iconTextHeight + m.ButtonHeight + m.VertSpacing + 2 * m.VertMargin;
    layout.Text = {textLeft, m.VertMargin, TextWidth, TextHeight};
    int x = (layout.ClientWidth - groupWidth) / 2;
    const int y = iconTextHeight + m.VertMargin + m.VertSpacing;
    for (int i = 0; i < ButtonCount; ++i) {
        layout.Buttons.push_back({x, y, m.ButtonWidth, m.ButtonHeight});
        x += m.ButtonWidth + m.ButtonSpacing;
    }
    return layout;
}

std::wstring StripHotkey(std::wstring_view caption) {
    std::wstring plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&') {
            if (i + 1 < caption.size() && caption[i + 1] == L'&') {
                plain += L'&';
                ++i;
            }
            continue;
        }
        plain += caption[i];
    }
    return plain;
}

std::wstring MessageDialogCopyText(std::wstring_view Title, std::wstring_view Message,
                                   const std::vector<std::wstring>& Captions) {
    std::wstring text;
    const auto line = [&text](std::wstring_view part) {
        text += part;
        text += kLineBreak;
    };
    line(kDashes);
    line(Title);
    line(kDashes);
    line(Message);
    line(kDashes);
    std::wstring buttons;
    for (const auto& caption : Captions)
        buttons += StripHotkey(caption) + L"   ";
    line(buttons);
    line(kDashes);
    return text;
}
