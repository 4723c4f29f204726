#pragma once
// Form: a top-level window of the program (the main window, dialogs built in code). It owns
// its HWND, its font and its hints, lays out aligned controls on resize, and can run modally.

#include <windows.h>

#include <functional>
#include <vector>

#include "ui/window.h"
#include "util/handle.h"

enum class TAlign { Top, Bottom, Client };

// A form object whose window is destroyed before the object itself, so that FormDestroy runs
// while every control and field of the derived form still exists (the base class's own
// destructor comes too late for that). Every form is made as one of these: until then a form
// class is abstract, so a plain `new Tfrm_x` or `Tfrm_x x;` does not compile.
template <class TConcreteForm> class TFormInstance final : public TConcreteForm {
public:
    using TConcreteForm::TConcreteForm;
    ~TFormInstance() override { this->DestroyOwnedHandle(); }

private:
    void MadeAsFormInstance() final {}
};

// The colours a label or other static control of a form is drawn with.
struct TStaticColors {
    COLORREF text;
    COLORREF back;
    HBRUSH brush; // fills the control's background; owned by whoever supplies it
};

// Result codes of modal forms and message dialogs.
enum TModalResultCode : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

class TForm : public TWindow {
public:
    // Creates the window with the given client size (96-DPI pixels) and the program's font.
    void CreateForm(const std::wstring& caption, int clientWidth, int clientHeight, HWND owner,
                    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, DWORD exStyle = 0,
                    const wchar_t* fontName = L"Tahoma", int fontHeight = 11);

    HFONT Font() const { return font_.get(); }
    // Replaces the form's font (before its controls are created, which take it over).
    void SetFormFont(UniqueFont font);
    // Background and text colours of the form and its labels and check boxes (the text
    // colour does not apply to push buttons). Until set, the system's colours apply.
    void SetColor(COLORREF color);
    void SetFontColor(COLORREF color);
    void SetClientSize(int width, int height); // physical pixels
    // Centres the form on the area all monitors cover together, never above or left of 0.
    void CenterOnDesktop();
    void CenterOver(HWND other);
    void Show();
    void Close();

    // Registers a control for the hint in its `hint` field (read when the hint shows).
    void AddHint(TControl& control);
    // Control placed along an edge or filling the rest; done on every resize.
    void AddAligned(TControl& control, TAlign align);
    void Realign();

    // Runs the form modally: the owner (and `over`, when given) is disabled until a button
    // with a modal result, Esc, Enter or the close box ends it. Returns the modal result.
    // `over` is the window the form is shown for when its owner is another (the application's
    // hidden window): it is active again afterwards.
    int ShowModal(HWND over = nullptr);
    void SetModalResult(int result) { modalResult_ = result; }
    int ModalResult() const { return modalResult_; }
    bool InModalLoop() const { return inModalLoop_; }
    // Buttons that Enter and Esc press. While another push button has the focus, Enter
    // presses that one, and it is drawn as the default.
    void SetDefaultButton(TControl* button);
    void SetCancelButton(TControl* button) { cancelButton_ = button; }
    // Called by push buttons when the focus moves to `focus` (a button or any other window).
    void FocusChanged(HWND focus);
    // The control focused when the form is activated and had no focused control before;
    // afterwards activation gives the focus back to the control that had it last.
    void SetActiveControl(TControl* control) { activeControl_ = control; }

    // The form's show, close-query and destroy events. They start as the form's own
    // handlers; a component on the form may put its own in their place and call on.
    std::function<void()> OnShow = [this] { FormShow(); };
    std::function<bool()> OnCloseQuery = [this] { return FormCloseQuery(); };
    std::function<void()> OnDestroy = [this] { FormDestroy(); };
    // A static control of the form is about to be drawn: the colours start as the form's
    // and the handler may change them for that control.
    std::function<void(const TControl& control, TStaticColors& colors)> OnStaticColors;
    // The window's menu (or a pop-up menu shown for it) is about to open, or a menu shortcut
    // is about to act: the system prepares the menu first in either case.
    std::function<void()> OnMenuPopup;

    // Where the form is placed when first shown, after its show event.
    enum class TPlacement { Designed, DesktopCenter };
    TPlacement Position = TPlacement::Designed;

    // Closing the main form ends the program's message loop.
    void MakeMainForm();
    // The main form's window while it exists, else null.
    static HWND MainFormHandle();

    // The form whose window contains hwnd, if any.
    static TForm* Of(HWND hwnd);

protected:
    // Forms take their messages as the typed handlers and events above.
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) final;
    void HandleMenuCommand(WORD id) override;
    virtual void FormResize() {}
    virtual void FormShow() {}
    // Return false to keep the window open.
    virtual bool FormCloseQuery() { return true; }
    virtual void FormDestroy() {}
    // A key pressed in the modal form, seen before the focused control sees it. Return true
    // when the form has dealt with the key.
    virtual bool FormKeyDown(WPARAM /*key*/) { return false; }

private:
    // A modal run's disabled windows: disables them while it lasts; at its end leaves the
    // loop state, enables them again, hides the form and activates the window it was for.
    // The windows are enabled before the form hides, so that the system hands the
    // activation to them rather than to another program.
    class TModalEnd {
    public:
        TModalEnd(TForm& form, HWND owner, HWND over);
        ~TModalEnd();
        TModalEnd(const TModalEnd&) = delete;
        TModalEnd& operator=(const TModalEnd&) = delete;

    private:
        TForm& form_;
        HWND disabled_[2] = {};
        HWND activate_;
    };

    void HandleClose();
    void CreateHints();
    void SaveFocus();
    bool RestoreFocus();
    // Only TFormInstance defines it.
    virtual void MadeAsFormInstance() = 0;
    LRESULT ControlColor(HDC dc, HWND control, UINT msg);
    UniqueFont font_;
    UniqueBrush brush_;
    COLORREF color_ = 0;
    COLORREF fontColor_ = CLR_INVALID;
    HWND lastFocus_ = nullptr;
    HWND shownDefault_ = nullptr;
    TControl* activeControl_ = nullptr;
    HWND hints_ = nullptr;
    struct TAlignedControl {
        TControl* control;
        TAlign align;
    };
    std::vector<TAlignedControl> aligned_;
    int modalResult_ = mrNone;
    bool inModalLoop_ = false;
    bool shown_ = false;
    bool isMainForm_ = false;
    TControl* defaultButton_ = nullptr;
    TControl* cancelButton_ = nullptr;
};
