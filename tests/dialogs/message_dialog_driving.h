#pragma once
// Driving the program's message dialogs from a test: keys as the user presses them, and the
// dialog object behind a window handed to a DialogAnswerer handler.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialogs/u_msgDlg.h"
#include "support/dialog_answerer.h"

// The window class of every form the program builds in code.
inline const wchar_t* const kFormClass = L"QuillmontForm";

inline TMessageForm& MessageFormOf(HWND dialog) {
    auto* form = dynamic_cast<TMessageForm*>(TControl::FromHandle(dialog));
    if (!form)
        throw std::runtime_error("not a message dialog");
    return *form;
}

// A key press as the dialog's modal loop receives it: at the focused control.
inline void PressKey(HWND dialog, WPARAM key) {
    HWND target = ::GetFocus();
    if (!target || (target != dialog && !::IsChild(dialog, target)))
        target = dialog;
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Holds Ctrl (and optionally Shift) down in this thread's keyboard state.
class HeldKeys {
public:
    explicit HeldKeys(bool shift = false) {
        ::GetKeyboardState(saved_);
        BYTE state[256];
        ::GetKeyboardState(state);
        state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
        if (shift)
            state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
        ::SetKeyboardState(state);
    }
    ~HeldKeys() { ::SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

// The close box.
inline void PressCloseBox(HWND dialog) {
    ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Pumps this thread's messages for a while (inside a handler: the dialog stays open).
inline void PumpMessagesFor(DWORD ms) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The text colour a static child of the dialog is drawn with.
inline COLORREF TextColorOf(HWND dialog, HWND child) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(child));
    const COLORREF color = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return color;
}

// Whether a left-aligned static label's text, drawn as the label draws it (its font, word
// breaks, its client width) but unclipped, stays inside the label: no line is cut at its end.
inline bool DrawnWhole(HWND label) {
    RECT box{};
    ::GetClientRect(label, &box);
    const int width = box.right * 2 + 100, height = box.bottom * 3 + 30;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP canvas = ::CreateBitmap(width, height, 1, 32, nullptr);
    ::SelectObject(dc, canvas);
    ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    const RECT all{0, 0, width, height};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::DrawTextW(dc, WindowText(label).c_str(), -1, &box,
                DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
    bool whole = true;
    for (int y = 0; y < height; ++y)
        for (int x = y < box.bottom ? box.right : 0; x < width; ++x)
            whole = whole && ::GetPixel(dc, x, y) == RGB(255, 255, 255);
    ::DeleteDC(dc);
    ::DeleteObject(canvas);
    return whole;
}
