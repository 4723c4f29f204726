#pragma once
// A main window with rows of its own for the find command, and answers for its dialogs.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "catalogue/search_form.h"
#include "dialogs/message_dialog_driving.h"
#include "support/dialog_answerer.h"
#include "support/quiet_start.h"
#include "support/quit_request_drain.h"
#include "ui/application.h"

class FindTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        frm.Create();
        QuietStart(frm);
        // Shown without the first-show handler: the find does not depend on it.
        ::ShowWindow(frm.Handle(), SW_SHOW);
        ::SetForegroundWindow(frm.Handle());
        ::SetActiveWindow(frm.Handle());
        Application::ProcessMessages();
    }

    void AddRows(const std::vector<std::wstring>& extensions) {
        for (const auto& e : extensions)
            frm.lv.AddRow(e, {L"class" + e, L"description"}, -1);
    }

    // Runs the find command with its dialogs answered by handlers, in order.
    std::size_t Find(std::vector<DialogAnswerer::Handler> handlers) {
        DialogAnswerer answer(std::move(handlers), kFormClass);
        frm.N_searchClick();
        return answer.Answered();
    }

    QuitRequestDrain drain; // destroyed after frm
    TFormInstance<Tfrm_main_quillmont> frm;
};

// What a message dialog of the find showed.
struct Seen {
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons;
    int selected = -1;
    bool selectedVisible = false;
};

// Types the entry into the find dialog and presses Enter (OK).
inline DialogAnswerer::Handler Enter(const std::wstring& entry) {
    return [entry](HWND dialog) {
        auto* form = dynamic_cast<Tfrm_search*>(TControl::FromHandle(dialog));
        ASSERT_NE(form, nullptr);
        form->edt_search.SetText(entry);
        PressKey(dialog, VK_RETURN);
    };
}

// Whether a row of the list shows at least partly below its header.
inline bool RowVisible(const TListView& lv, int row) {
    RECT item{}, client{}, header{};
    ListView_GetItemRect(lv.Handle(), row, &item, LVIR_BOUNDS);
    ::GetClientRect(lv.Handle(), &client);
    ::GetWindowRect(ListView_GetHeader(lv.Handle()), &header);
    const int top = header.bottom - header.top;
    return item.bottom > top && item.top < client.bottom;
}

// Records a message dialog and the list's selection, then presses key.
inline DialogAnswerer::Handler Record(std::vector<Seen>& seen, const TListView& lv, WPARAM key) {
    return [&seen, &lv, key](HWND dialog) {
        TMessageForm& form = MessageFormOf(dialog);
        Seen s;
        s.title = form.Text();
        s.text = form.FindComponent(L"Message")->Text();
        for (const auto& b : form.Buttons())
            s.buttons.push_back(b->Text());
        s.selected = lv.Selected();
        s.selectedVisible = s.selected >= 0 && RowVisible(lv, s.selected);
        seen.push_back(s);
        PressKey(dialog, key);
    };
}

// Handlers that record count questions answered Yes, then the closing report.
inline std::vector<DialogAnswerer::Handler> YesToAll(const std::wstring& entry, int count,
                                                     std::vector<Seen>& seen, const TListView& lv) {
    std::vector<DialogAnswerer::Handler> handlers{Enter(entry)};
    for (int i = 0; i < count; ++i)
        handlers.push_back(Record(seen, lv, VK_RETURN));
    handlers.push_back(Record(seen, lv, VK_RETURN));
    return handlers;
}
