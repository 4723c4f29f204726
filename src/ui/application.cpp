#include <windows.h>

#include "ui/application.h"

#include <utility>

#include "ui/error_text.h"
#include "util/exception_text.h"

namespace Application {
namespace {

std::wstring title;
THintSettings hints;
HWND acceleratorWindow = nullptr;
HACCEL accelerators = nullptr;
std::function<void(const std::wstring&)> exceptionHandler;

bool TranslateShortcut(MSG& msg) {
    if (!accelerators || !acceleratorWindow)
        return false;
    const HWND active = ::GetActiveWindow();
    if (active != acceleratorWindow)
        return false;
    return ::TranslateAcceleratorW(acceleratorWindow, accelerators, &msg) != 0;
}

void Dispatch(MSG& msg) {
    if (TranslateShortcut(msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

} // namespace

void ProcessMessages() {
    // Input, posted and sent messages are handled at every call; repainting, the costly
    // part, at most every kRepaintMs, so that a loop that pumps after each item keeps the
    // window live without spending its time redrawing it.
    constexpr DWORD kRepaintMs = 40;
    static DWORD lastRepaint = ::GetTickCount() - kRepaintMs;
    const DWORD now = ::GetTickCount();
    const bool repaint = now - lastRepaint >= kRepaintMs;
    if (repaint)
        lastRepaint = now;
    const UINT filter =
        PM_REMOVE | (repaint ? 0u : PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, filter)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the main loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

void Run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        Dispatch(msg);
}

const std::wstring& Title() {
    return title;
}
void SetTitle(std::wstring t) {
    title = std::move(t);
}

HINSTANCE Instance() {
    return ::GetModuleHandleW(nullptr);
}

HWND Handle() {
    static const HWND window =
        ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                          nullptr, Instance(), nullptr);
    return window;
}

THintSettings& Hints() {
    return hints;
}

void SetAccelerators(HWND window, HACCEL table) {
    acceleratorWindow = window;
    accelerators = table;
}

void SetExceptionHandler(std::function<void(const std::wstring&)> handler) {
    exceptionHandler = std::move(handler);
}

void HandleException() {
    const std::wstring message = CurrentExceptionMessage();
    try {
        if (exceptionHandler) {
            exceptionHandler(message);
            return;
        }
    } catch (...) {
        // The display itself failed; fall back to the plain box below.
    }
    ::MessageBoxW(::GetActiveWindow(), ErrorDisplayText(message).c_str(), title.c_str(),
                  MB_OK | MB_ICONERROR);
}

} // namespace Application
