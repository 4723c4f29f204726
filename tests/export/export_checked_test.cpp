// The save command over a scanned catalogue: which files it writes, what it unticks and
// reports, the picker's title and cancel, and the stop question on Esc.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/catalogue.h"
#include "export/export_checked.h"
#include "support/catalogue_fixture.h"
#include "support/dialog_answerer.h"
#include "support/host_shell.h"
#include "support/scratch_folder.h"
#include "ui/cursor.h"
#include "util/exception.h"

using Texts = std::vector<std::wstring>;

namespace {

class ExportTest : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        AddType(L".bmp", L"Paint.Picture");
        AddType(L".txt", L"txtfile");
        AddType(L".zip", L"CompressedFolder");
        Scan();
        frm.fd.Directory = out.Path();
    }

    void TearDown() override { SetEscapeDown(false); }

    static void SetEscapeDown(bool down) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_ESCAPE] = down ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }

    // The picker: confirms the folder it opened on.
    static DialogAnswerer::Handler ConfirmFolder(std::wstring* title = nullptr) {
        return [title](HWND dialog) {
            if (title) {
                for (HWND child : Descendants(dialog))
                    if (WindowClass(child) == L"Static" &&
                        WindowText(child).find(L"папку") != std::wstring::npos)
                        *title = WindowText(child);
            }
            PressButton(dialog, IDOK);
        };
    }

    static std::wstring WithoutAccelerator(std::wstring caption) {
        std::erase(caption, L'&');
        return caption;
    }

    // The stop question: presses the button with this caption.
    static DialogAnswerer::Handler Answer(const std::wstring& caption, std::wstring* text) {
        return [caption, text](HWND dialog) {
            *text = WindowText(dialog);
            for (HWND child : Descendants(dialog))
                if (WithoutAccelerator(WindowText(child)) == caption) {
                    ::SendMessageW(child, BM_CLICK, 0, 0);
                    return;
                }
            ADD_FAILURE() << "no button " << testing::PrintToString(caption);
        };
    }

    ScratchFolder out;
};

} // namespace

TEST(ExportFileName, AddsTheSeparatorEvenAfterADriveRoot) {
    EXPECT_EQ(ExportFileName(L"D:\\Icons", L".txt", true), L"D:\\Icons\\.txt_16x16.ico");
    EXPECT_EQ(ExportFileName(L"C:\\", L".txt", true), L"C:\\\\.txt_16x16.ico");
    EXPECT_EQ(ExportFileName(L"C:\\Out", L".zip", false), L"C:\\Out\\.zip_32x32.ico");
}

TEST_F(ExportTest, NothingTickedDoesNothing) {
    frm.btn_select.Click(); // untick all
    frm.sb.SetPanelText(2, L"before");
    DialogAnswerer answer(ConfirmFolder());
    frm.btn_store.Click();
    EXPECT_EQ(answer.Answered(), 0u);
    EXPECT_EQ(frm.sb.PanelText(2), L"before");
    EXPECT_TRUE(out.Names().empty());
}

TEST_F(ExportTest, CancellingThePickerChangesNothing) {
    frm.sb.SetPanelText(2, L"before");
    DialogAnswerer answer([](HWND dialog) { PressButton(dialog, IDCANCEL); });
    frm.btn_store.Click();
    EXPECT_EQ(answer.Answered(), 1u);
    EXPECT_EQ(frm.sb.PanelText(2), L"before");
    EXPECT_EQ(CountCheckedRows(frm.lv), 3);
    EXPECT_TRUE(out.Names().empty());
    EXPECT_EQ(Screen::Cursor(), nullptr);
}

TEST_F(ExportTest, EveryTickedRowIsSavedUnderItsExtensionAndUnticked) {
    frm.rg_16x16.SetChecked(false);
    frm.rg_32x32.SetChecked(true);
    std::wstring title;
    DialogAnswerer answer(ConfirmFolder(&title));
    frm.btn_store.Click();
    EXPECT_EQ(answer.Answered(), 1u);
    EXPECT_EQ(title, L"Выберите (или создайте) папку для извлечения иконок в файл (3)");
    EXPECT_EQ(out.Names(), (Texts{L".bmp_32x32.ico", L".txt_32x32.ico", L".zip_32x32.ico"}));
    EXPECT_EQ(CountCheckedRows(frm.lv), 0);
    EXPECT_EQ(frm.sb.PanelText(2), L"Сохранено: (3)");
    EXPECT_EQ(Screen::Cursor(), nullptr);
    if (!HostShellAvailable())
        GTEST_SKIP() << "icotool runs on the Linux host, reached only under Wine";
    const HostCommandResult listed =
        RunHostShell("icotool -l " + ShellQuote(HostPath(out / L".txt_32x32.ico")));
    ASSERT_EQ(listed.exitCode, 0) << listed.errors;
    EXPECT_NE(listed.output.find("--width=32 --height=32"), std::string::npos) << listed.output;
    EXPECT_EQ(std::count(listed.output.begin(), listed.output.end(), '\n'), 1) << listed.output;
}

TEST_F(ExportTest, OnlyTickedRowsAreSavedAtTheChosenSize) {
    frm.lv.SetChecked(1, false);
    DialogAnswerer answer(ConfirmFolder());
    frm.btn_store.Click();
    EXPECT_EQ(out.Names(), (Texts{L".bmp_16x16.ico", L".zip_16x16.ico"}));
    EXPECT_EQ(frm.sb.PanelText(2), L"Сохранено: (2)");
}

TEST_F(ExportTest, EscAnsweredYesStopsAfterTheFirstSavedRow) {
    std::wstring question;
    DialogAnswerer answer({ConfirmFolder(), Answer(L"Да", &question)}, L"");
    SetEscapeDown(true);
    frm.btn_store.Click();
    SetEscapeDown(false);
    EXPECT_EQ(answer.Answered(), 2u);
    EXPECT_EQ(question, L"Сохранение...");
    EXPECT_EQ(out.Names(), (Texts{L".bmp_16x16.ico"}));
    EXPECT_EQ(frm.sb.PanelText(2), L"Сохранено: (1)");
    EXPECT_FALSE(frm.lv.Checked(0));
    EXPECT_TRUE(frm.lv.Checked(1));
    EXPECT_TRUE(frm.lv.Checked(2));
}

// The size chosen while the export runs applies to the rows still to come.
TEST_F(ExportTest, EscAnsweredNoGoesOnAtTheSizeChosenMeanwhile) {
    std::wstring question;
    const auto switchToLarge = [this, no = Answer(L"Нет", &question)](HWND dialog) {
        frm.rg_16x16.SetChecked(false);
        frm.rg_32x32.SetChecked(true);
        no(dialog);
    };
    DialogAnswerer answer(
        {ConfirmFolder(), switchToLarge, Answer(L"Нет", &question), Answer(L"Нет", &question)},
        L"");
    SetEscapeDown(true);
    frm.btn_store.Click();
    SetEscapeDown(false);
    EXPECT_EQ(answer.Answered(), 4u);
    EXPECT_EQ(out.Names(), (Texts{L".bmp_16x16.ico", L".txt_32x32.ico", L".zip_32x32.ico"}));
    EXPECT_EQ(frm.sb.PanelText(2), L"Сохранено: (3)");
}

TEST_F(ExportTest, AFailedWriteEndsTheExportAtThatRowAndShowsNoCount) {
    // A folder in the way of the second row's file: that write fails.
    ASSERT_TRUE(::CreateDirectoryW((out / L".txt_16x16.ico").c_str(), nullptr));
    frm.sb.SetPanelText(2, L"before");
    DialogAnswerer answer(ConfirmFolder());
    EXPECT_THROW(frm.btn_store.Click(), Exception);
    EXPECT_EQ(frm.sb.PanelText(2), L"Ждите...");
    EXPECT_FALSE(frm.lv.Checked(0));
    EXPECT_TRUE(frm.lv.Checked(1));
    EXPECT_TRUE(frm.lv.Checked(2));
    EXPECT_EQ(out.Names(), (Texts{L".bmp_16x16.ico", L".txt_16x16.ico"}));
    EXPECT_EQ(Screen::Cursor(), nullptr);
    EXPECT_FALSE(frm.exporter.Running());
}
