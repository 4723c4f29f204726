#pragma once
// Window: a control of one of the program's own window classes. The one bridge from the
// window procedure to the object lives here: `this` travels in lpCreateParams and is kept in
// GWLP_USERDATA. Notifications from child controls are routed to the child objects, and the
// messages a window of its own reacts to arrive as typed handlers.

#include <windows.h>

#include <map>
#include <unordered_map>

#include "ui/control.h"

class TTimer;

class TWindow : public TControl {
public:
    ~TWindow() override;

    // Timers deliver WM_TIMER to their window, which calls them back.
    void RegisterTimer(UINT_PTR id, TTimer* timer);
    void UnregisterTimer(UINT_PTR id);

protected:
    // Creates the window of the program's class `className` (registered on first use).
    void CreateWindowHandle(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent,
                            int x, int y, int width, int height, const std::wstring& text = {});
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DefaultMessage(UINT msg, WPARAM wp, LPARAM lp);
    // A menu item or keyboard shortcut (WM_COMMAND without a control).
    virtual void HandleMenuCommand(WORD /*id*/) {}
    virtual void HandlePaint(HDC /*dc*/, const RECT& /*area*/) {}
    // The window's text has been replaced.
    virtual void HandleTextChanged() {}
    // Destroys a top-level window this object owns (child windows go with their parent).
    void DestroyOwnedHandle();
    // The object of a child window: from the table of this window's child controls, else
    // from the window's own mark (windows that speak for a control, such as its tooltips).
    TControl* ChildObject(HWND child) const;

    // Makes the window follow the pointer: `cursor` (a system cursor) over its client area,
    // the enter and leave handlers as the pointer comes and goes, and the click handler for
    // the left button pressed over the window and released over it (a double-click's second
    // press is no new press, so a double-click is one click).
    void FollowPointer(const wchar_t* cursor);
    virtual void HandleMouseEnter() {}
    virtual void HandleMouseLeave() {}
    virtual void HandleClick() {}

private:
    friend class TControl;
    static LRESULT CALLBACK Bridge(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool RouteToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    bool HandlePointer(UINT msg, LPARAM lp);
    std::map<UINT_PTR, TTimer*> timers_;
    // Child controls by window: routing a notification through this table costs far less
    // than reading the child window's property, once per notification.
    std::unordered_map<HWND, TControl*> children_;
    HFONT windowFont_ = nullptr;
    struct TPointer {
        HCURSOR cursor = nullptr; // null: the window does not follow the pointer
        bool inside = false;
        bool pressed = false;
    } pointer_;
};

// A plain container with the button-face colour: the toolbar's inner panels, the link panel.
class TPanel : public TWindow {
public:
    void Create(HWND parent, const TBounds& bounds);
};
