#pragma once
// Control: any window the program places in a parent, owned by that parent (the parent
// destroys it). System controls are subclassed so the object sees its own messages;
// notifications the parent receives are routed back to the object.

#include <windows.h>

#include <string>

// Bounds in 96-DPI pixels, scaled to the window's DPI when applied.
struct TBounds {
    int left = 0, top = 0, width = 0, height = 0;
};

int ScaleForDpi(int value, HWND window);

// Child-window identifiers, unique within the program.
int NextControlId();

class TWindow;

class TControl {
public:
    TControl() = default;
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    HWND Handle() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    // Position in the parent's client area, in 96-DPI pixels.
    void SetBounds(const TBounds& b);
    // Position in physical pixels (for placements computed from other windows' rectangles).
    void SetBoundsPixels(const RECT& r);
    RECT ClientRect() const;
    void SetText(const std::wstring& text);
    std::wstring Text() const;
    void SetVisible(bool visible);
    bool Visible() const;
    void SetEnabled(bool enabled);
    void SetFont(HFONT font);
    void SetParent(HWND parent);
    void Focus();
    int Id() const;

    // Hint text shown when the pointer rests on the control (empty: none).
    std::wstring hint;

    static TControl* FromHandle(HWND hwnd);

    // Routed from the parent.
    virtual void HandleCommand(WORD /*code*/, WORD /*id*/) {}
    virtual bool HandleNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void HandleDrawItem(DRAWITEMSTRUCT& /*item*/) {}
    virtual void HandleMeasureItem(MEASUREITEMSTRUCT& /*item*/) {}

protected:
    // Creates a system control as a child of parent and attaches this object to it.
    void CreateChild(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle,
                     const TBounds& bounds, const std::wstring& text = {});
    // Ties the object to its window: the window's mark, the subclass when asked for, and the
    // parent's table of child controls when the parent is one of the program's windows.
    void Attach(HWND hwnd, bool subclass);
    // Unties them again (the window goes, or the object does).
    void Detach();
    // Routes notifications sent on behalf of this control by another window (e.g. the
    // tooltip window of a toolbar) to this object.
    void AttachAlias(HWND other);
    // The control's own messages (subclassed system controls).
    virtual LRESULT HandleOwnMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DefaultOwnMessage(UINT msg, WPARAM wp, LPARAM lp);
    // A request of the program's own to its control (a query, a change of an item) made
    // straight to the control's class procedure, past the subclass: passing the subclass
    // costs two window-property look-ups, and no object handler reacts to such requests.
    LRESULT Request(UINT msg, WPARAM wp, LPARAM lp) const;

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK SubclassBridge(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    friend class TWindow;
    void JoinParent();
    void LeaveParent();
    bool subclassed_ = false;
    WNDPROC classProc_ = nullptr; // the system control's own procedure, when subclassed
    // The parent window object whose table routes this control's notifications.
    TWindow* router_ = nullptr;
};
