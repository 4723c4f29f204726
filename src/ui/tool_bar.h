#pragma once
// A flat toolbar with list-style buttons (picture and caption to its right), separators,
// toggle buttons and placeholders for controls sitting on the bar.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

struct TToolButton {
    enum class TKind { Button, Toggle, Separator, Placeholder };
    TKind kind;
    std::wstring caption;
    std::wstring hint;
    int picture = -1;
    int width = 0;              // separators and placeholders
    TControl* placed = nullptr; // placeholders: the control put there
    std::function<void()> onClick;
};

class TToolBar : public TControl {
public:
    void Create(HWND parent, HIMAGELIST pictures, int buttonWidth, int buttonHeight);
    void SetButtons(std::vector<TToolButton> buttons);
    // Moves the placed controls onto their placeholders.
    void PlaceControls();
    bool IsDown(size_t index) const;
    void SetDown(size_t index, bool down);
    int Height() const;
    HWND Tooltips() const;
    // The rectangle of button `index` in the toolbar's coordinates.
    RECT ButtonRect(size_t index) const;
    // Clicks a button as the user would (a toggle button flips first).
    void ClickButton(size_t index);

    bool HandleNotify(NMHDR& header, LRESULT& result) override;
    void HandleCommand(WORD code, WORD id) override;

private:
    void RunHandler(size_t index);
    int CommandOf(size_t index) const { return static_cast<int>(firstCommand_ + index); }
    std::vector<TToolButton> buttons_;
    int firstCommand_ = 0;
};

// A button of the toolbar, addressed by its position.
class TToolButtonRef {
public:
    TToolButtonRef(TToolBar& bar, size_t index) : bar_(bar), index_(index) {}
    bool Down() const { return bar_.IsDown(index_); }
    void SetDown(bool down) { bar_.SetDown(index_, down); }
    void Click() { bar_.ClickButton(index_); }

private:
    TToolBar& bar_;
    size_t index_;
};
