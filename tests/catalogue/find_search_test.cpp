// The find command with its real dialogs: the find dialog, the question after each hit and
// the closing report.

#include <windows.h>

#include "find_fixture.h"

#include "catalogue/sort_lv.h"

namespace {

const std::wstring kQuestion = L"\r\nЗначение \"txt\" найдено\r\nПродолжить поиск?";

} // namespace

TEST_F(FindTest, FindDialogAsLaidOut) {
    std::wstring caption, entry;
    RECT client{}, window{}, edit{}, ok{}, cancel{};
    bool editFocused = false, okIsDefault = false;
    std::wstring okText, cancelText;
    EXPECT_EQ(Find({[&](HWND dialog) {
                  auto& form = *dynamic_cast<Tfrm_search*>(TControl::FromHandle(dialog));
                  caption = form.Text();
                  client = form.ClientRect();
                  ::GetWindowRect(dialog, &window);
                  entry = form.edt_search.Text();
                  editFocused = ::GetFocus() == form.edt_search.Handle();
                  const auto at = [dialog](const TControl& c) {
                      RECT r{};
                      ::GetWindowRect(c.Handle(), &r);
                      ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
                      return r;
                  };
                  edit = at(form.edt_search);
                  ok = at(form.btn_ok);
                  cancel = at(form.btn_cancel);
                  okText = form.btn_ok.Text();
                  cancelText = form.btn_cancel.Text();
                  okIsDefault = (::GetWindowLongPtrW(form.btn_ok.Handle(), GWL_STYLE) &
                                 BS_TYPEMASK) == BS_DEFPUSHBUTTON;
                  PressKey(dialog, VK_ESCAPE);
              }}),
              1u);
    EXPECT_EQ(caption, L"Поиск");
    EXPECT_EQ(client.right, 367);
    EXPECT_EQ(client.bottom, 139);
    EXPECT_EQ(entry, L"");
    EXPECT_TRUE(editFocused);
    EXPECT_EQ(edit.left, 68);
    EXPECT_EQ(edit.top, 44);
    EXPECT_EQ(edit.right - edit.left, 233);
    EXPECT_EQ(ok.left, 184);
    EXPECT_EQ(ok.top, 104);
    EXPECT_EQ(cancel.left, 268);
    EXPECT_EQ(cancel.right - cancel.left, 80);
    EXPECT_EQ(okText, L"OK");
    EXPECT_EQ(cancelText, L"Отмена");
    EXPECT_TRUE(okIsDefault);
    RECT main{};
    ::GetWindowRect(frm.Handle(), &main);
    EXPECT_NEAR((window.left + window.right) / 2, (main.left + main.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (main.top + main.bottom) / 2, 1);
}

TEST_F(FindTest, CancelAndBlankEntriesDoNothing) {
    AddRows({L".txt", L".doc"});
    // A second handler would take any question or report; none may come.
    const auto unexpected = [](HWND dialog) {
        ADD_FAILURE() << "unexpected dialog";
        PressKey(dialog, VK_ESCAPE);
    };
    const auto typeAndCancel = [](HWND dialog) {
        dynamic_cast<Tfrm_search*>(TControl::FromHandle(dialog))->edt_search.SetText(L"txt");
        PressKey(dialog, VK_ESCAPE);
    };
    EXPECT_EQ(Find({typeAndCancel, unexpected}), 1u);
    EXPECT_EQ(Find({Enter(L""), unexpected}), 1u);
    EXPECT_EQ(Find({Enter(L"   "), unexpected}), 1u);
    EXPECT_EQ(Find({Enter(L" \t "), unexpected}), 1u);
    EXPECT_EQ(Find({PressCloseBox, unexpected}), 1u);
    EXPECT_EQ(frm.lv.Selected(), -1);
}

TEST_F(FindTest, LeadingBlankIsSearchedAndReportsNoHits) {
    AddRows({L".txt", L".atxt"});
    std::vector<Seen> seen;
    EXPECT_EQ(Find(YesToAll(L" txt", 0, seen, frm.lv)), 2u);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, L"Поик \" txt\"");
    EXPECT_EQ(seen[0].text, L"\r\nПоиск окончен. Найдено: (0)");
    EXPECT_EQ(seen[0].buttons, (std::vector<std::wstring>{L"OK"}));
    EXPECT_EQ(frm.lv.Selected(), -1);
}

TEST_F(FindTest, HitsAreCaseSensitiveAndComeInListOrder) {
    AddRows({L".txt", L".TXT", L".atxt", L".doc", L".tx"});
    std::vector<Seen> seen;
    EXPECT_EQ(Find(YesToAll(L"txt", 2, seen, frm.lv)), 4u);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].title, L"Поик");
    EXPECT_EQ(seen[0].text, kQuestion);
    EXPECT_EQ(seen[0].buttons, (std::vector<std::wstring>{L"Да", L"Нет"}));
    EXPECT_EQ(seen[0].selected, 0);
    EXPECT_EQ(seen[1].selected, 2);
    EXPECT_EQ(seen[2].title, L"Поик \"txt\"");
    EXPECT_EQ(seen[2].text, L"\r\nПоиск окончен. Найдено: (2)");
    EXPECT_EQ(frm.lv.Selected(), 2); // the last hit stays selected

    seen.clear();
    EXPECT_EQ(Find(YesToAll(L"TXT", 1, seen, frm.lv)), 3u);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].selected, 1);
    EXPECT_EQ(seen[1].text, L"\r\nПоиск окончен. Найдено: (1)");
}

TEST_F(FindTest, FullStopHitsEveryRowEachSelectedAndScrolledIntoView) {
    std::vector<std::wstring> rows;
    for (int i = 0; i < 60; ++i)
        rows.push_back(L".e" + std::to_wstring(i));
    AddRows(rows);
    std::vector<Seen> seen;
    EXPECT_EQ(Find(YesToAll(L".", 60, seen, frm.lv)), 62u);
    ASSERT_EQ(seen.size(), 61u);
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(seen[static_cast<std::size_t>(i)].selected, i);
        EXPECT_TRUE(seen[static_cast<std::size_t>(i)].selectedVisible) << "row " << i;
    }
    EXPECT_EQ(seen[60].text, L"\r\nПоиск окончен. Найдено: (60)");
}

TEST_F(FindTest, NoEndsTheFindAtOnceWithoutReport) {
    AddRows({L".a", L".b", L".c", L".d", L".e"});
    std::vector<Seen> seen;
    const auto unexpected = [](HWND dialog) {
        ADD_FAILURE() << "no report expected after No";
        PressKey(dialog, VK_RETURN);
    };
    EXPECT_EQ(Find({Enter(L"."), Record(seen, frm.lv, VK_RETURN), Record(seen, frm.lv, VK_RETURN),
                    Record(seen, frm.lv, VK_ESCAPE), unexpected}),
              4u);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].selected, 2);
    Application::ProcessMessages();
    EXPECT_EQ(frm.lv.Selected(), 2);
    EXPECT_EQ(::GetFocus(), frm.lv.Handle()); // the list keeps the focus it was given
}

TEST_F(FindTest, ClosingAQuestionGoesOn) {
    AddRows({L".a", L".b"});
    std::vector<Seen> seen;
    EXPECT_EQ(Find({Enter(L"."), PressCloseBox, PressCloseBox, Record(seen, frm.lv, VK_RETURN)}),
              4u);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"\r\nПоиск окончен. Найдено: (2)");
}

TEST_F(FindTest, HitsFollowTheLastSort) {
    AddRows({L".b", L".c", L".a"});
    const bool descending = SortDescending(0);
    frm.lvColumnClick(0);
    std::vector<Seen> seen;
    EXPECT_EQ(Find(YesToAll(L".", 3, seen, frm.lv)), 5u);
    ASSERT_EQ(seen.size(), 4u);
    std::vector<std::wstring> order;
    for (std::size_t i = 0; i < 3; ++i)
        order.push_back(frm.lv.CellText(seen[i].selected, 0));
    EXPECT_EQ(order, descending ? (std::vector<std::wstring>{L".c", L".b", L".a"})
                                : (std::vector<std::wstring>{L".a", L".b", L".c"}));
    // Each question came at the next row of the sorted list.
    EXPECT_EQ(seen[0].selected, 0);
    EXPECT_EQ(seen[2].selected, 2);
}
