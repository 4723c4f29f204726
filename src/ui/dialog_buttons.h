#pragma once
// The OK and cancel buttons of a small dialog built in code, and the etched line across the
// top of the band along its bottom that holds them: Enter presses OK, Esc cancel.

#include <windows.h>

#include "ui/controls.h"
#include "ui/form.h"

struct TDialogButtonsLayout {
    TBounds ok;
    TBounds cancel;
    int bandHeight = 0; // the band along the bottom of the client area, under the line
};

void CreateDialogButtons(TForm& form, TButton& ok, TButton& cancel, TBevel& line,
                         const TDialogButtonsLayout& layout, int clientWidth, int clientHeight);
