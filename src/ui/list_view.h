#pragma once
// A report-style list view with check boxes, whole-row selection and caller-supplied sorting.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/cadence.h"
#include "ui/control.h"

struct TListViewColumn {
    std::wstring caption;
    int width;
};

class TListView : public TControl {
public:
    void Create(HWND parent, const TBounds& bounds, const std::vector<TListViewColumn>& columns,
                DWORD extendedStyle);
    void SetImageLists(HIMAGELIST small, HIMAGELIST large);

    int Count() const;
    // Appends a row: the caption, the texts of the further columns and an image index.
    int AddRow(const std::wstring& caption, const std::vector<std::wstring>& subItems, int image);
    void Clear();
    std::wstring CellText(int row, int column) const;
    bool Checked(int row) const;
    // The caption of a ticked row (one call for both, for loops over many rows); nullopt
    // when the row is not ticked.
    std::optional<std::wstring> CheckedCaption(int row) const;
    void SetChecked(int row, bool checked);
    int ImageIndex(int row) const;
    int Selected() const;
    void Select(int row);
    // Scrolls the row into view; partialOk accepts a partly visible row as it is.
    void MakeVisible(int row, bool partialOk = false);
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    int ColumnCount() const;
    // The row under a point of the client area and whether the point is on its check box.
    int HitTest(POINT p, bool* onCheckBox) const;
    // Stops and restarts drawing while many rows change.
    void BeginUpdate();
    void EndUpdate();
    // Puts the rows in a new order: order[k] is the current index of the row that goes to
    // position k.
    void Reorder(const std::vector<int>& order);

    std::function<void()> OnClick;
    std::function<void(int column)> OnColumnClick;
    std::function<void(WORD key)> OnKeyUp;
    std::function<void(POINT where)> OnMouseUp;
    std::function<void(POINT screen)> OnContextMenu;

    bool HandleNotify(NMHDR& header, LRESULT& result) override;

protected:
    LRESULT HandleOwnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool sawButtonUp_ = false;
};

// Keeps a list from being redrawn after every change of a long loop: drawing is off while it
// lasts, and Tick() draws the list as it is, scrolled so that the row last given to ScrollTo
// is in view, at most every periodMs and never for more than a 40th of the time: a list
// that takes long to draw is drawn that much less often. Pause() draws it and leaves drawing
// on (while a dialog covers it), Resume() switches it off again.
class TListRedrawThrottle {
public:
    explicit TListRedrawThrottle(TListView& list, DWORD periodMs = 100);
    ~TListRedrawThrottle();
    TListRedrawThrottle(const TListRedrawThrottle&) = delete;
    TListRedrawThrottle& operator=(const TListRedrawThrottle&) = delete;

    // The row to bring into view before the list is drawn next.
    void ScrollTo(int row) { pendingRow_ = row; }
    void Tick();
    void Pause();
    void Resume();

private:
    TListView& list_;
    DWORD periodMs_;
    TCadence due_;
    bool drawing_ = false;
    int pendingRow_ = -1;
};
