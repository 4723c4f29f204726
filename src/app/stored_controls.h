#pragma once
// The toolkit's windows and controls as the property store sees them: a form's bounds, a
// check box's or radio button's check mark, a list view's column widths.

#include <windows.h>

#include <optional>
#include <string>

#include "app/stored_props.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_view.h"

// Left, Top, Width and Height: the outer bounds on the screen (a minimised window gives its
// normal bounds, a maximised one its maximised bounds).
class TStoredForm : public TStoredComponent {
public:
    TStoredForm(TForm& form, std::wstring name, std::wstring className);
    std::optional<std::wstring> GetProp(const std::wstring& name) const override;
    bool SetProp(const std::wstring& name, const std::wstring& value) override;

private:
    TForm& form_;
};

// Checked. Ticking a radio button unticks the other radio buttons beside it.
class TStoredCheckBox : public TStoredComponent {
public:
    TStoredCheckBox(TCheckBox& box, std::wstring name, std::wstring className);
    std::optional<std::wstring> GetProp(const std::wstring& name) const override;
    bool SetProp(const std::wstring& name, const std::wstring& value) override;

private:
    TCheckBox& box_;
};

// The collection Columns, whose items have a Width.
class TStoredListView : public TStoredComponent {
public:
    TStoredListView(TListView& list, std::wstring name, std::wstring className);
    std::optional<std::wstring> GetProp(const std::wstring& name) const override;
    bool SetProp(const std::wstring& name, const std::wstring& value) override;
    int ItemCount(const std::wstring& collection) const override;

private:
    // The column a "Columns.__Item<n>.Width" property names, or nullopt.
    std::optional<int> ColumnOf(const std::wstring& name) const;
    TListView& list_;
};
