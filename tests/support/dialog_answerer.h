#pragma once
// Answers the modal dialogs a test provokes, from inside the test's own thread. While the
// dialog's modal loop runs, a thread timer looks for a new visible top-level window of this
// thread and hands it to the next handler, which reads it and presses a button (or does
// whatever the test needs). The way Wine's own conformance tests drive dialogs.
//
//     DialogAnswerer answer([](HWND dialog) { PressButton(dialog, IDCANCEL); });
//     EXPECT_FALSE(picker.Execute());
//     EXPECT_EQ(answer.Answered(), 1u);

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class DialogAnswerer {
public:
    using Handler = std::function<void(HWND dialog)>;

    // The handlers take the next dialogs in turn. A dialog is a visible top-level window of
    // this thread that did not exist when the answerer was made, of the given window class
    // ("#32770", the system's dialog class; empty: any class).
    explicit DialogAnswerer(std::vector<Handler> handlers, std::wstring className = L"#32770");
    explicit DialogAnswerer(Handler handler, std::wstring className = L"#32770");
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Dialogs handed to a handler so far.
    std::size_t Answered() const { return answered_; }

    // A dialog still open this long after its handler ran fails the test and is closed, so
    // that a handler that did not close it cannot hang the test.
    static constexpr DWORD kCloseTimeoutMs = 15000;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Poll();
    bool IsNewDialog(HWND window) const;

    std::vector<Handler> handlers_;
    std::wstring className_;
    std::vector<HWND> known_; // windows present at the start, and dialogs already handled
    std::size_t answered_ = 0;
    HWND lastDialog_ = nullptr;
    DWORD lastAnsweredAt_ = 0;
    UINT_PTR timer_ = 0;
    DialogAnswerer* previous_ = nullptr;
    bool busy_ = false;
};

// Clicks the dialog's button with this control id, as the user would (nothing happens
// when the button is disabled). A missing button fails the test and closes the dialog.
void PressButton(HWND dialog, int id);

// Clicks the dialog's push button with this caption ("&" marks ignored). A missing button
// fails the test and closes the dialog.
void PressButtonCaptioned(HWND dialog, const std::wstring& caption);

std::wstring WindowText(HWND window);
std::wstring WindowClass(HWND window);
// Every descendant window of parent, in the order the system lists them.
std::vector<HWND> Descendants(HWND parent);
// The texts of every descendant window, in the same order.
std::vector<std::wstring> DescendantTexts(HWND parent);
