#pragma once
// The file-type catalogue: the list of registered extensions with their shell icons, its
// ticks, counts, preview and column sorting. It works on the main window's controls.

#include <windows.h>

#include <array>
#include <string>

#include "ui/controls.h"
#include "ui/image_list.h"
#include "ui/list_view.h"
#include "ui/status_bar.h"
#include "ui/tool_bar.h"
#include "util/handle.h"

// The shell's icon for files of an extension, without touching the disk, at exactly 16 x 16
// (small) or 32 x 32 whatever the display scale; the caller owns it. Null when the shell has
// none.
UniqueIcon GetExtensionIcon(const std::wstring& extension, bool small);

// The number of ticked rows.
int CountCheckedRows(const TListView& list);

// "Выбрано: (N)", the ticked-row text of status panel 1.
std::wstring CheckedCountText(int count);

struct CatalogueControls {
    TListView& lv;
    TImageList& ImageList_lv_16;
    TImageList& ImageList_lv_32;
    TStatusBar& sb;
    TImage& Image_icon;
    TRadioButton& rg_16x16;
    TToolButtonRef& btn_select;
};

class TCatalogue {
public:
    explicit TCatalogue(CatalogueControls controls) : c_(controls) {}

    // Fills the list from the class registry: one ticked row per extension whose class has
    // an open command. Ignored while a scan runs already.
    void Scan();
    bool Scanning() const { return scanning_; }
    // The icon size choice: 16 x 16 when rg_16x16 is ticked, else 32 x 32.
    bool SmallIcons() const { return c_.rg_16x16.Checked(); }

    // The select button: ticks or unticks all rows as the button is down or up.
    void SelectAll();
    // After a mouse click: refreshes the ticked count when the click was on a check box.
    void MouseUp(POINT where);
    // Shows the selected row's large icon in the preview.
    void ShowPreview();

private:
    void AddRow(const std::wstring& extension, const std::wstring& className,
                const std::wstring& description, bool small);
    void ScanRegistry(bool small);

    CatalogueControls c_;
    bool scanning_ = false;
};
