#pragma once
// The OK and cancel buttons of a small dialog built in code, and the etched line across the
// top of the band along its bottom that holds them: Enter presses OK, Esc cancel.

#include <windows.h>

#include "ui/controls.h"
#include "ui/form.h"

struct DialogButtonsLayout {
    Bounds ok;
    Bounds cancel;
    int bandHeight = 0; // the band along the bottom of the client area, under the line
};

void CreateDialogButtons(Form& form, Button& ok, Button& cancel, Bevel& line,
                         const DialogButtonsLayout& layout, int clientWidth, int clientHeight);
