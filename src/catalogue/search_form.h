#pragma once
// The find dialog and the find command that steps through the catalogue rows whose
// extension contains the text it asks for.

#include <windows.h>

#include "ui/controls.h"
#include "ui/edit.h"
#include "ui/form.h"

class TListView;

// "Поиск": asks for a piece of an extension. Made anew for every find, so it opens empty.
class Tfrm_search : public TForm {
public:
    // Creates the dialog owned by owner and centred over it.
    void Create(HWND owner);

    TLabel Label1;
    TEdit edt_search;
    TButton btn_ok;
    TButton btn_cancel;
    TBevel Bevel1;
};

// Asks for the text, then selects, shows and focuses each row of lv whose caption contains
// it, asking after each hit whether to go on; a No ends the find at once. When all rows have
// been visited, beeps and reports the number of hits. Cancel or a blank entry does nothing.
void FindInCatalogue(HWND owner, TListView& lv);
