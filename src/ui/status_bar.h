#pragma once
// A status bar with fixed-width panels; the last panel reaches to the right edge.

#include <windows.h>

#include <string>
#include <vector>

#include "ui/control.h"

class TStatusBar : public TControl {
public:
    void Create(HWND parent, int height, const std::vector<int>& panelWidths);
    void SetPanelText(int panel, const std::wstring& text);
    std::wstring PanelText(int panel) const;
    // The rectangle of a panel in the status bar's coordinates (SB_GETRECT).
    RECT PanelRect(int panel) const;
    void SetDoubleBuffered();
    // Keeps the panels' right edges after the bar was resized.
    void ApplyPanels();

private:
    std::vector<int> widths_;
};
