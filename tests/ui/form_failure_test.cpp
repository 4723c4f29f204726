// How forms behave when their handlers fail, and that a form's destroy handler runs while
// the whole form still exists.

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ui/application.h"
#include "ui/form.h"

namespace {

// Collects what reaches the top-level error display instead of showing a message box.
class ErrorsCaught {
public:
    ErrorsCaught() {
        Application::SetExceptionHandler([this](const std::wstring&) { ++count; });
    }
    ~ErrorsCaught() { Application::SetExceptionHandler({}); }
    int count = 0;
};

class FailingForm : public TForm {
public:
    void Create(HWND owner = nullptr) { CreateForm(L"test", 200, 100, owner); }
    int paints = 0;
    bool failShow = false;
    std::wstring* destroyedWith = nullptr;
    std::wstring name = L"whole";

protected:
    void HandlePaint(HDC, const RECT&) override {
        ++paints;
        throw std::runtime_error("paint failed");
    }
    void FormShow() override {
        if (failShow)
            throw std::runtime_error("show failed");
    }
    void FormDestroy() override {
        if (destroyedWith)
            *destroyedWith = name; // a member of the derived form, still alive
    }
};

} // namespace

TEST(FormFailures, APaintHandlerThatThrowsStillValidatesItsArea) {
    ErrorsCaught errors;
    TFormInstance<FailingForm> form;
    form.Create();
    form.Show();
    for (int i = 0; i < 5; ++i)
        Application::ProcessMessages();
    EXPECT_EQ(form.paints, 1);
    EXPECT_EQ(errors.count, 1);
    EXPECT_FALSE(::GetUpdateRect(form.Handle(), nullptr, FALSE));
}

TEST(FormFailures, AShowHandlerThatThrowsLeavesTheOwnerEnabled) {
    ErrorsCaught errors; // the forms' paint handlers fail too
    TFormInstance<FailingForm> owner;
    owner.Create();
    owner.Show();
    TFormInstance<FailingForm> dialog;
    dialog.Create(owner.Handle());
    dialog.failShow = true;
    EXPECT_THROW(dialog.ShowModal(), std::runtime_error);
    EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(dialog.InModalLoop());
}

TEST(FormFailures, TheDestroyHandlerRunsWhenTheFormObjectGoes) {
    std::wstring seen;
    {
        TFormInstance<FailingForm> form;
        form.Create();
        form.destroyedWith = &seen;
    }
    EXPECT_EQ(seen, L"whole");
}
