#include <windows.h>

#include "support/dialog_answerer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>

namespace {

// The answerer of this thread's timer; answerers made while one is active stack up.
thread_local DialogAnswerer* active = nullptr;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    try {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

void CloseDialog(HWND dialog) {
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
}

} // namespace

DialogAnswerer::DialogAnswerer(std::vector<Handler> handlers, std::wstring className)
    : handlers_(std::move(handlers)), className_(std::move(className)), known_(ThreadWindows()),
      previous_(active) {
    active = this;
    timer_ = ::SetTimer(nullptr, 0, 20, Tick);
}

DialogAnswerer::DialogAnswerer(Handler handler, std::wstring className)
    : DialogAnswerer(std::vector<Handler>{std::move(handler)}, std::move(className)) {}

DialogAnswerer::~DialogAnswerer() {
    ::KillTimer(nullptr, timer_);
    active = previous_;
}

void CALLBACK DialogAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (active)
        active->Poll();
}

bool DialogAnswerer::IsNewDialog(HWND window) const {
    return ::IsWindowVisible(window) &&
           std::find(known_.begin(), known_.end(), window) == known_.end() &&
           (className_.empty() || WindowClass(window) == className_);
}

void DialogAnswerer::Poll() {
    // A handler may run a nested modal loop of its own; the ticks it sees are not new dialogs.
    if (busy_)
        return;
    if (lastDialog_ && ::IsWindow(lastDialog_) && ::IsWindowVisible(lastDialog_) &&
        ::GetTickCount() - lastAnsweredAt_ > kCloseTimeoutMs) {
        ADD_FAILURE() << "the dialog was still open long after its handler ran";
        CloseDialog(lastDialog_);
        lastDialog_ = nullptr;
    }
    if (answered_ >= handlers_.size())
        return;
    for (HWND window : ThreadWindows()) {
        if (!IsNewDialog(window))
            continue;
        known_.push_back(window);
        lastDialog_ = window;
        lastAnsweredAt_ = ::GetTickCount();
        const Handler& handler = handlers_[answered_++];
        busy_ = true;
        // Nothing may leave a timer callback: a failing handler fails the test instead and
        // its dialog is closed so the test goes on.
        try {
            handler(window);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "dialog handler failed: " << e.what();
            CloseDialog(window);
        } catch (...) {
            ADD_FAILURE() << "dialog handler failed";
            CloseDialog(window);
        }
        busy_ = false;
        return;
    }
}

void PressButton(HWND dialog, int id) {
    const HWND button = ::GetDlgItem(dialog, id);
    if (!button) {
        ADD_FAILURE() << "the dialog has no button " << id;
        CloseDialog(dialog);
        return;
    }
    ::SendMessageW(button, BM_CLICK, 0, 0);
}

void PressButtonCaptioned(HWND dialog, const std::wstring& caption) {
    for (HWND child : Descendants(dialog)) {
        std::wstring text = WindowText(child);
        std::erase(text, L'&');
        if (text == caption && WindowClass(child) == L"Button") {
            ::SendMessageW(child, BM_CLICK, 0, 0);
            return;
        }
    }
    ADD_FAILURE() << "the dialog has no button " << testing::PrintToString(caption);
    CloseDialog(dialog);
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring WindowClass(HWND window) {
    wchar_t name[256];
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> windows;
    ::EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<std::wstring> DescendantTexts(HWND parent) {
    std::vector<std::wstring> texts;
    for (HWND window : Descendants(parent))
        texts.push_back(WindowText(window));
    return texts;
}
