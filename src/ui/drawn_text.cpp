#include <windows.h>

#include "ui/drawn_text.h"

#include <algorithm>

#include "util/handle.h"

namespace {

constexpr UINT kLayoutOnly = DT_CALCRECT;
constexpr COLORREF kPaper = RGB(255, 255, 255);
// Growing the box changes where the lines break; a few rounds settle any real text.
constexpr int kMaxRounds = 8;

SIZE LaidOut(HDC dc, std::wstring_view text, UINT format, int maxWidth) {
    RECT r{0, 0, maxWidth, 0};
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, format | kLayoutOnly);
    return {r.right, r.bottom};
}

// How far the glyphs reach when the text is drawn, unclipped, in a box of this size.
SIZE InkExtent(HDC screen, HFONT font, std::wstring_view text, UINT format, SIZE box) {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen, &metrics);
    const int width = box.cx * 2 + 4 * metrics.tmMaxCharWidth;
    const int height = box.cy + 2 * metrics.tmHeight;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    const UniqueBitmap canvas(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueDC dc(::CreateCompatibleDC(screen));
    if (!canvas || !dc)
        return box;
    const SelectedObject paper(dc.get(), canvas.get());
    const SelectedObject selected(dc.get(), font);
    const RECT all{0, 0, width, height};
    const UniqueBrush white(::CreateSolidBrush(kPaper));
    ::FillRect(dc.get(), &all, white.get());
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), RGB(0, 0, 0));
    RECT r{0, 0, box.cx, box.cy};
    ::DrawTextW(dc.get(), text.data(), static_cast<int>(text.size()), &r, format | DT_NOCLIP);
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    SIZE ink{0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[y * width + x] & 0x00FFFFFF) != kPaper) {
                ink.cx = std::max<LONG>(ink.cx, x + 1);
                ink.cy = std::max<LONG>(ink.cy, y + 1);
            }
        }
    }
    return ink;
}

} // namespace

SIZE DrawnTextSize(HFONT font, std::wstring_view text, UINT format, int maxWidth) {
    const ScreenDC screen;
    const SelectedObject selected(screen.get(), font);
    int wrapWidth = maxWidth;
    SIZE size = LaidOut(screen.get(), text, format, wrapWidth);
    for (int round = 0; round < kMaxRounds; ++round) {
        const SIZE ink = InkExtent(screen.get(), font, text, format, size);
        if (ink.cx <= size.cx && ink.cy <= size.cy)
            break;
        if (ink.cx > maxWidth && (format & DT_WORDBREAK) && round < kMaxRounds / 2) {
            // Drawn wider than allowed: break the lines that much earlier. A word longer
            // than the whole width is let through wider, whole.
            wrapWidth = std::max(1, wrapWidth - static_cast<int>(ink.cx - maxWidth));
            size = LaidOut(screen.get(), text, format, wrapWidth);
            continue;
        }
        size = {std::max(size.cx, ink.cx), std::max(size.cy, ink.cy)};
    }
    return size;
}

UINT StaticTextFormat(DWORD style) {
    UINT format = 0;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
        return DT_LEFT | DT_SINGLELINE | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    case SS_LEFTNOWORDWRAP:
        format = DT_LEFT | DT_EXPANDTABS;
        break;
    default:
        format = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format |= DT_SINGLELINE | DT_VCENTER;
    return format;
}
