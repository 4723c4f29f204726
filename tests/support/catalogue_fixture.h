#pragma once
// A main window over a scratch class registry, with helpers to drive its list as a user.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/main_window_fixture.h"
#include "support/scratch_registry.h"
#include "ui/application.h"

class CatalogueTest : public MainWindowFixture {
protected:
    void AddType(const std::wstring& extension, const std::wstring& className,
                 const std::wstring& description = L"Description") {
        registry.AddFileType(extension, className, description, L"notepad.exe \"%1\"");
    }

    void Scan() {
        frm.btn_search.Click();
        Application::ProcessMessages();
    }

    std::vector<std::wstring> Column(int column) const {
        std::vector<std::wstring> texts;
        for (int i = 0; i < frm.lv.Count(); ++i)
            texts.push_back(frm.lv.CellText(i, column));
        return texts;
    }

    // Presses and releases the left button at a point of the list's client area.
    void ClickList(POINT p) {
        const LPARAM at = MAKELPARAM(p.x, p.y);
        ::SendMessageW(frm.lv.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(frm.lv.Handle(), WM_LBUTTONUP, 0, at);
        Application::ProcessMessages();
    }

    // A point on the check box of a row, found by the list's own hit test.
    POINT CheckBoxPoint(int row) const {
        RECT bounds{};
        ListView_GetItemRect(frm.lv.Handle(), row, &bounds, LVIR_BOUNDS);
        const int y = (bounds.top + bounds.bottom) / 2;
        for (int x = bounds.left; x < bounds.left + 40; ++x) {
            bool onCheckBox = false;
            if (frm.lv.HitTest({x, y}, &onCheckBox) == row && onCheckBox)
                return {x + 2, y};
        }
        ADD_FAILURE() << "no check box found for row " << row;
        return {bounds.left + 8, y};
    }

    POINT LabelPoint(int row) const {
        RECT label{};
        ListView_GetItemRect(frm.lv.Handle(), row, &label, LVIR_LABEL);
        return {label.left + 10, (label.top + label.bottom) / 2};
    }

    ScratchRegistry registry;
};
