#pragma once
// Window: a control of one of the program's own window classes. The one bridge from the
// window procedure to the object lives here: `this` travels in lpCreateParams and is kept in
// GWLP_USERDATA. Notifications from child controls are routed to the child objects.

#include <windows.h>

#include <map>

#include "ui/control.h"

class Timer;

class Window : public Control {
public:
    ~Window() override;

    // Timers deliver WM_TIMER to their window, which calls them back.
    void RegisterTimer(UINT_PTR id, Timer* timer);
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
    // Destroys a top-level window this object owns (child windows go with their parent).
    void DestroyOwnedHandle();

private:
    static LRESULT CALLBACK Bridge(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool RouteToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    std::map<UINT_PTR, Timer*> timers_;
    HFONT windowFont_ = nullptr;
};

// A plain container with the button-face colour: the toolbar's inner panels, the link panel.
class Panel : public Window {
public:
    void Create(HWND parent, const Bounds& bounds);
};
