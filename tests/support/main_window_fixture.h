#pragma once
// A test with the program's main window created and shown.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "support/quiet_start.h"
#include "support/quit_request_drain.h"
#include "ui/application.h"

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        frm.Create();
        QuietStart(frm);
        frm.Show();
        Application::ProcessMessages();
    }

    QuitRequestDrain drain; // destroyed after frm
    TFormInstance<Tfrm_main_quillmont> frm;
};
