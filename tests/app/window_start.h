#pragma once
// Starting and closing the main window as the program does, against a scratch
// HKEY_CURRENT_USER: its stored state is read and written for real. The notice is answered
// here (or by the real dialog, when asked for), and the pages it opens are recorded.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "support/quit_request_drain.h"
#include "support/scratch_registry.h"
#include "ui/application.h"

inline const wchar_t* const kStateKey = L"Software\\Quillmont\\Tfrm_main_quillmont";

class WindowStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        title_ = Application::Title();
        Application::SetTitle(L"Quillmont");
        Application::SetExceptionHandler([this](const std::wstring& m) { errors.push_back(m); });
    }
    void TearDown() override {
        Application::SetExceptionHandler({});
        Application::SetTitle(title_);
    }

    // Creates and shows the window. The notice, when it comes, is answered with tickBox
    // unless realNotice leaves it to the real dialog.
    std::unique_ptr<Tfrm_main_quillmont> Start(bool realNotice = false) {
        auto frm = std::make_unique<TFormInstance<Tfrm_main_quillmont>>();
        frm->Create();
        if (!realNotice) {
            frm->notice.Ask = [this](bool& checked, const std::wstring&, const std::wstring&,
                                     bool) {
                ++asked;
                checked = tickBox;
                return false;
            };
        }
        frm->notice.OpenPage = [this](const std::wstring& page) { opened.push_back(page); };
        frm->Show();
        Application::ProcessMessages();
        return frm;
    }

    // Closes the window as its close box does, and lets it go.
    static void Close(std::unique_ptr<Tfrm_main_quillmont>& frm) {
        ::SendMessageW(frm->Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(frm->Handle(), nullptr);
        frm.reset();
        // The closed main window asked the program to end; the next start goes on.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    std::optional<std::wstring> Line(int n) const {
        wchar_t name[24];
        std::swprintf(name, 24, L"Line%010d", n);
        return hkcu.Text(kStateKey, name);
    }
    void SetLine(int n, const std::wstring& text) {
        wchar_t name[24];
        std::swprintf(name, 24, L"Line%010d", n);
        hkcu.SetText(kStateKey, text, name);
    }
    // The stored lines from Line0000000000 up to the first one missing.
    std::vector<std::wstring> StoredLines() const {
        std::vector<std::wstring> lines;
        while (auto line = Line(static_cast<int>(lines.size())))
            lines.push_back(*line);
        return lines;
    }

    static bool Centred(HWND window) {
        RECT r{};
        ::GetWindowRect(window, &r);
        const int left = (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - (r.right - r.left)) / 2;
        const int top = (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - (r.bottom - r.top)) / 2;
        return r.left == std::max(left, 0) && r.top == std::max(top, 0);
    }

    ScratchRegistry hkcu{HKEY_CURRENT_USER};
    QuitRequestDrain drain;
    bool tickBox = false;
    int asked = 0;
    std::vector<std::wstring> opened;
    std::vector<std::wstring> errors; // shown by the top-level error display

private:
    std::wstring title_;
};
